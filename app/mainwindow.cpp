#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/backupactions.h"
#include "app/deviceaccessnotice.h"
#include "app/recordstatus.h"
#include "app/startupoptions.h"
#include "device/devicekinds.h"
#include "device/outcometext.h"
#include "device/settingsuibackgroundthread.h"
#include "device/usbsession.h"
#include "effects/fulleffectsettingswidget.h"
#include "inputs/inputsettingspages.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QBoxLayout>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QSpinBox>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QUrl>

namespace {

QByteArray bytesOfRecord(const void *record, int size)
{
    return QByteArray(static_cast<const char *>(record), size);
}

// The label goes right after `anchor` in whichever layout of its page holds it.
bool insertAfter(QLayout *layout, QWidget *anchor, QWidget *widget)
{
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        if (item->widget() == anchor) {
            if (auto *box = qobject_cast<QBoxLayout *>(layout)) {
                box->insertWidget(i + 1, widget);
                return true;
            }
            return false;
        }
        if (item->layout() && insertAfter(item->layout(), anchor, widget))
            return true;
    }
    return false;
}

} // namespace

// A reserved example domain until the project has a home of its own.
const char MainWindow::DOWNLOAD_PAGE_URL[] = "https://kestrov.example/downloads";

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::MainWindow>())
    , deviceProductIds(DeviceKinds::productIds())
    , deviceNames(DeviceKinds::displayNames())
{
    worker = new SettingsUiBackgroundThread(deviceProductIds.values(), KESTROV_VENDOR_ID);

    const QIcon icon(QStringLiteral("kestrov_hardware_icon.png"));
    const QString title = QStringLiteral("Kestrov Setup (") + QString::number(SETUP_VERSION) + QStringLiteral(")");

    usbSession = std::make_unique<UsbSession>();
    usbAvailable = usbSession->isAvailable();

    const StartupOptions options = StartupOptions::fromArguments(QCoreApplication::arguments(), QDir::currentPath());
    advancedMode = options.advancedMode;
    if (options.wantsTranslation()) {
        // Installed even when no file was found: the built-in English texts then stay.
        (void)translator.load(options.translationFile());
        QCoreApplication::installTranslator(&translator);
        installTranslations(options.language);
    }

    ui->setupUi(this);
    // The status bar is made now rather than with the first message, which would re-lay
    // out the whole window.
    showStatusMessagesWrapped();
    setWindowIcon(icon);
    setWindowTitle(title);

    inputPages = std::make_unique<InputSettingsPages>(*ui);
    hideAllPages();
    addDeviceAccessNotice();
    addRecordMarks();
    watchForEdits();

    fillDeviceRows();
    connect(worker, &SettingsUiBackgroundThread::connectedDevices, this, &MainWindow::updateConnectedDevices);
    // A record is shown only once its read's outcome says it is the selected controller's.
    connect(worker, &SettingsUiBackgroundThread::effectSettingsObtained, this,
            [this](const EffectSettingsTypeDef &settings) { arrivedEffects = settings; });
    connect(worker, &SettingsUiBackgroundThread::hardwareSettingsObtained, this,
            [this](const HardwareSettingsTypeDef &settings) { arrivedHardware = settings; });
    connect(worker, &SettingsUiBackgroundThread::commandFinished, this, &MainWindow::showCommandOutcome);
    // A profile that could not be loaded, saved or deleted says so where command outcomes do.
    connect(ui->effects_settings_widget, &FullEffectSettingsWidget::profileProblem, this,
            [this](const QString &message) { statusBar()->showMessage(message); });
    connect(worker, &SettingsUiBackgroundThread::busyWaitStarted, this, &MainWindow::showWaitCursor);
    connect(worker, &SettingsUiBackgroundThread::busyWaitFinished, this, &MainWindow::restoreCursor);
    connect(worker, &SettingsUiBackgroundThread::deviceAccessIssues, accessNotice, &DeviceAccessNotice::showIssues);
    connect(ui->reboot_button, &QPushButton::clicked, this, &MainWindow::rebootController);
    connectSettingsButtons();
    // Backup and restore of the whole controller, queued like every other command.
    new BackupActions(this, worker, [this](const BackupActions::Command &command, bool forPages) { queueCommand(command, forPages); },
                      [this] { return BackupActions::Controller{selectedProductId, connectedDeviceInfo.value(selectedProductId)}; });

    startUsb();

    // Opens as large as its contents ask, as far as the screen allows; the pages scroll beyond.
    QTimer::singleShot(0, this, [this] { resize(boundedToScreen(sizeHint())); });
    ui->reboot_button->hide();
    ui->dfu_mode_button->hide();
}

MainWindow::~MainWindow()
{
    stopWorker();
    if (waitCursorShown)
        QGuiApplication::restoreOverrideCursor();
    ui.reset();
    // Only now that every channel is closed.
    usbSession.reset();
}

void MainWindow::installTranslations(const QString &language)
{
    // Qt's own texts (standard buttons, context menus) in the same language as the tool's.
    if (qtTranslator.load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTranslator);
}

void MainWindow::addDeviceAccessNotice()
{
    QMap<int, QString> namesByProductId;
    for (auto kind = deviceProductIds.cbegin(); kind != deviceProductIds.cend(); ++kind)
        namesByProductId.insert(kind.value(), deviceNames.value(kind.key()));
    accessNotice = new DeviceAccessNotice(namesByProductId, ui->centralwidget);
    // Right under the device list, where a user looks for a missing controller.
    if (auto *layout = qobject_cast<QBoxLayout *>(ui->centralwidget->layout()))
        layout->insertWidget(layout->indexOf(ui->devices_combo_box) + 1, accessNotice);
}

void MainWindow::startUsb()
{
    startTimer = new QTimer;
    startTimer->setSingleShot(true);
    if (usbAvailable) {
        connect(startTimer, &QTimer::timeout, worker, &SettingsUiBackgroundThread::start);
        startTimer->start(0);
    } else {
        ui->devices_combo_box->setPlaceholderText(tr("USB is not available: no controller can be found"));
        ui->devices_combo_box->setEnabled(false);
    }

    workerThread = new QThread;
    // The worker ends on its own thread, as it lived: no other thread touches its handles.
    connect(workerThread, &QThread::finished, worker, &QObject::deleteLater);
    workerThread->start(QThread::InheritPriority);
    worker->moveToThread(workerThread);
}

void MainWindow::stopWorker()
{
    // Polls stop at once; commands already asked for finish (each is bounded); then every
    // handle is closed on the worker's thread before the thread and the USB context end.
    worker->requestStop();
    QMetaObject::invokeMethod(worker, &SettingsUiBackgroundThread::shutdown, Qt::BlockingQueuedConnection);
    workerThread->quit();
    workerThread->wait();
    worker = nullptr;
    delete workerThread;
    delete startTimer;
}

void MainWindow::showStatusMessagesWrapped()
{
    // The status bar draws its messages on one line, cut off at the window's edge. A label
    // across the whole bar shows them instead, wrapped on as many lines as they need; the
    // bar still keeps them and their time-out, but has no room left to draw them itself.
    auto *message = new QLabel(statusBar());
    message->setObjectName(QStringLiteral("status_message"));
    message->setWordWrap(true);
    statusBar()->addPermanentWidget(message, 1);
    connect(statusBar(), &QStatusBar::messageChanged, message, &QLabel::setText);
}

QSize MainWindow::boundedToScreen(QSize wanted) const
{
    const QSize frame = frameGeometry().size() - geometry().size();
    return wanted.boundedTo(screen()->availableGeometry().size() - frame);
}

void MainWindow::growToShowPages()
{
    resize(size().expandedTo(boundedToScreen(sizeHint())));
    // Grown down and to the right from where it stood, it may now reach past the screen.
    const QRect available = screen()->availableGeometry();
    QRect placed = frameGeometry();
    placed.moveBottom(qMin(placed.bottom(), available.bottom()));
    placed.moveRight(qMin(placed.right(), available.right()));
    move(placed.topLeft());
}

void MainWindow::fillDeviceRows()
{
    for (int row = 0; row < deviceProductIds.size(); ++row) {
        ui->devices_combo_box->addItem(QString());
        setDeviceRowHidden(row, true);
    }
}

void MainWindow::setDeviceRowHidden(int row, bool hidden)
{
    if (auto *view = qobject_cast<QListView *>(ui->devices_combo_box->view()))
        view->setRowHidden(row, hidden);
}

void MainWindow::hideAllPages()
{
    for (int page = 0; page < ui->main_tab_widget->count(); ++page)
        ui->main_tab_widget->setTabVisible(page, false);
}

void MainWindow::updateConnectedDevices(QMap<int, DeviceInfoTypeDef> devices)
{
    connectedDeviceInfo = devices;

    if (!connectedDeviceInfo.contains(selectedProductId)) {
        selectedProductId = -1;
        effectsStatus->clear();
        hardwareStatus->clear();
        ui->devices_combo_box->setCurrentIndex(-1);
        if (connectedDeviceInfo.isEmpty())
            ui->devices_combo_box->setPlaceholderText(tr("No compatible devices connected"));
        else
            ui->devices_combo_box->setPlaceholderText(
                tr("Select compatible device (%n connected)", nullptr, int(connectedDeviceInfo.size())));
        hideAllPages();
        ui->reboot_button->hide();
        ui->dfu_mode_button->hide();
    }

    for (auto kind = deviceProductIds.cbegin(); kind != deviceProductIds.cend(); ++kind) {
        const auto found = connectedDeviceInfo.constFind(kind.value());
        if (found == connectedDeviceInfo.cend()) {
            setDeviceRowHidden(kind.key(), true);
            continue;
        }
        ui->devices_combo_box->setItemText(kind.key(), deviceNames.value(kind.key()) + QStringLiteral(" (Version ")
                                                           + QString::number(found->firmwareVersion) + QStringLiteral(")"));
        setDeviceRowHidden(kind.key(), false);
    }
}

void MainWindow::clearDeviceSelection()
{
    selectedProductId = -1;
    effectsStatus->clear();
    hardwareStatus->clear();
    hideAllPages();
    ui->reboot_button->hide();
    ui->dfu_mode_button->hide();
}

void MainWindow::showTabsForDeviceType(int deviceType)
{
    hideAllPages();
    if (deviceType == Generic)
        return;
    for (int page = 0; page < ui->main_tab_widget->count(); ++page)
        ui->main_tab_widget->setTabVisible(page, true);
    ui->effects_settings_widget->setDeviceType(deviceType);
    ui->hardware_settings_widget->setDeviceType(deviceType, advancedMode);
}

void MainWindow::on_devices_combo_box_activated(int index)
{
    if (!deviceProductIds.contains(index)) {
        clearDeviceSelection();
        return;
    }
    const int productId = deviceProductIds.value(index);
    if (productId == selectedProductId) {
        clearDeviceSelection();
        return;
    }
    const auto found = connectedDeviceInfo.constFind(productId);
    if (found == connectedDeviceInfo.cend()) {
        // Gone between the last list update and the click: there is no record to check.
        clearDeviceSelection();
        ui->devices_combo_box->setCurrentIndex(-1);
        return;
    }

    selectedProductId = productId;
    const DeviceInfoTypeDef info = *found;
    if (DeviceKinds::isCompatibleFirmware(info.firmwareVersion)) {
        selectDevice(info);
        return;
    }
    const bool useAnyway = confirmMismatchingFirmware();
    // List updates run while the dialog is open; the controller may have gone meanwhile.
    if (selectedProductId != productId)
        return;
    if (useAnyway)
        selectDevice(info);
    else
        clearDeviceSelection();
}

bool MainWindow::confirmMismatchingFirmware()
{
    QMessageBox dialog;
    dialog.setTextFormat(Qt::MarkdownText);
    dialog.setWindowTitle(QStringLiteral("Version mismatch!"));
    dialog.setText(QStringLiteral("Device firmware and Kestrov Setup have different versions. Changing settings "
                                  "with not compatible software can cause unexpected device behaviour.\n "
                                  "**Consider using matching versions of Kestrov Setup firmware.**"));
    dialog.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    QPushButton *latestVersion = dialog.addButton(tr("Latest version"), QMessageBox::ActionRole);
    latestVersion->setFocus(Qt::OtherFocusReason);
    dialog.setIcon(QMessageBox::Warning);

    const int answer = dialog.exec();
    if (dialog.clickedButton() == latestVersion) {
        QDesktopServices::openUrl(QUrl(QString::fromLatin1(DOWNLOAD_PAGE_URL)));
        return false;
    }
    return answer == QMessageBox::Ok;
}

void MainWindow::selectDevice(const DeviceInfoTypeDef &info)
{
    showTabsForDeviceType(info.deviceType);
    // Until this controller's records arrive, the pages hold nothing that may be sent.
    effectsStatus->startReading();
    hardwareStatus->startReading();
    setEffectPagesReady(false);
    setHardwarePagesReady(false);
    const int productId = selectedProductId;
    queueCommand([productId](SettingsUiBackgroundThread *device) { device->readEffectSettings(productId); });
    queueCommand([productId](SettingsUiBackgroundThread *device) { device->readHardwareSettings(productId); });
    ui->reboot_button->show();
    ui->dfu_mode_button->show();
    // The pages and buttons just shown need room.
    growToShowPages();
}

template<typename Command>
void MainWindow::queueCommand(Command command, bool forPages)
{
    ++commandsPending;
    outcomesForPages.push_back(forPages);
    SettingsUiBackgroundThread *device = worker;
    QMetaObject::invokeMethod(device, [device, command] { command(device); }, Qt::QueuedConnection);
}

void MainWindow::rebootController()
{
    const int productId = selectedProductId;
    queueCommand([productId](SettingsUiBackgroundThread *device) { device->rebootControllerRequest(productId); });
}

void MainWindow::on_dfu_mode_button_clicked()
{
    const int productId = selectedProductId;
    queueCommand([productId](SettingsUiBackgroundThread *device) { device->switchtoDfuRequest(productId); });
}

void MainWindow::on_spiModeCombo_activated(int index)
{
    inputPages->showSpiRecommendations(index >= 1);
}

void MainWindow::connectSettingsButtons()
{
    connect(ui->read_effects_settings_button, &QPushButton::clicked, this, &MainWindow::readEffectSettings);
    connect(ui->apply_effect_settings_button, &QPushButton::clicked, this, &MainWindow::applyEffectSettings);
    connect(ui->save_effects_settings_button, &QPushButton::clicked, this, &MainWindow::saveEffectSettings);

    // Every hardware page carries the same three buttons for the one hardware record.
    const QList<QPushButton *> reads{ui->read_hardware_settings_button_1, ui->read_hardware_settings_button_2,
                                     ui->read_hardware_settings_button_3, ui->read_hardware_settings_button_4};
    const QList<QPushButton *> applies{ui->apply_hardware_settings_button_1, ui->apply_hardware_settings_button_2,
                                       ui->apply_hardware_settings_button_3, ui->apply_hardware_settings_button_4};
    const QList<QPushButton *> saves{ui->save_hardware_settings_button_1, ui->save_hardware_settings_button_2,
                                     ui->save_hardware_settings_button_3, ui->save_hardware_settings_button_4};
    for (QPushButton *button : reads)
        connect(button, &QPushButton::clicked, this, &MainWindow::readHardwareSettings);
    for (QPushButton *button : applies)
        connect(button, &QPushButton::clicked, this, &MainWindow::applyHardwareSettings);
    for (QPushButton *button : saves)
        connect(button, &QPushButton::clicked, this, &MainWindow::saveHardwareSettings);
}

EffectSettingsTypeDef MainWindow::buildEffectRecord() const
{
    EffectSettingsTypeDef settings{};
    ui->effects_settings_widget->gatherSettings(settings);
    return settings;
}

void MainWindow::readEffectSettings()
{
    const int productId = selectedProductId;
    queueCommand([productId](SettingsUiBackgroundThread *device) { device->readEffectSettings(productId); });
}

bool MainWindow::refuseWithoutRecord(const RecordStatus *status, const QString &message)
{
    if (status->hasRecord())
        return false;
    statusBar()->showMessage(message);
    return true;
}

void MainWindow::applyEffectSettings()
{
    if (refuseWithoutRecord(effectsStatus, tr("The effect settings have not been read from the controller: nothing was sent.")))
        return;
    const int productId = selectedProductId;
    const EffectSettingsTypeDef settings = buildEffectRecord();
    queueCommand([productId, settings](SettingsUiBackgroundThread *device) {
        device->applyEffectSettings(productId, settings);
    });
}

void MainWindow::saveEffectSettings()
{
    if (refuseWithoutRecord(effectsStatus, tr("The effect settings have not been read from the controller: nothing was sent.")))
        return;
    const int productId = selectedProductId;
    const EffectSettingsTypeDef settings = buildEffectRecord();
    queueCommand([productId, settings](SettingsUiBackgroundThread *device) {
        device->saveEffectsSettings(productId, settings);
    });
}

void MainWindow::showHardwareSettings(const HardwareSettingsTypeDef &settings)
{
    inputPages->showSettings(settings);
    ui->hardware_settings_widget->loadSettings(settings);
    setHardwarePagesReady(true);
    HardwareSettingsTypeDef pages{};
    gatherHardwareSettings(pages);
    hardwareStatus->recordShown(bytesOfRecord(&pages, sizeof pages));
}

void MainWindow::gatherHardwareSettings(HardwareSettingsTypeDef &settings) const
{
    ui->hardware_settings_widget->gatherSettings(settings);
    inputPages->gatherSettings(settings);
}

bool MainWindow::buildHardwareRecord(HardwareSettingsTypeDef &settings)
{
    // A value its field cannot hold is refused rather than sent as a different number.
    QString problem;
    if (ui->hardware_settings_widget->hasInvalidValues(&problem)) {
        statusBar()->showMessage(problem, STATUS_MESSAGE_MS);
        return false;
    }
    statusBar()->clearMessage();
    settings = HardwareSettingsTypeDef{};
    gatherHardwareSettings(settings);
    return true;
}

void MainWindow::readHardwareSettings()
{
    const int productId = selectedProductId;
    queueCommand([productId](SettingsUiBackgroundThread *device) { device->readHardwareSettings(productId); });
}

void MainWindow::applyHardwareSettings()
{
    if (refuseWithoutRecord(hardwareStatus, tr("The hardware settings have not been read from the controller: nothing was sent.")))
        return;
    const int productId = selectedProductId;
    HardwareSettingsTypeDef settings;
    if (!buildHardwareRecord(settings))
        return;
    queueCommand([productId, settings](SettingsUiBackgroundThread *device) {
        device->applyHardwareSettings(productId, settings);
    });
}

void MainWindow::saveHardwareSettings()
{
    if (refuseWithoutRecord(hardwareStatus, tr("The hardware settings have not been read from the controller: nothing was sent.")))
        return;
    const int productId = selectedProductId;
    HardwareSettingsTypeDef settings;
    if (!buildHardwareRecord(settings))
        return;
    queueCommand([productId, settings](SettingsUiBackgroundThread *device) {
        device->saveHardwareSettings(productId, settings);
    });
}

void MainWindow::showWaitCursor()
{
    if (!waitCursorShown)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    waitCursorShown = true;
}

void MainWindow::restoreCursor()
{
    if (waitCursorShown)
        QGuiApplication::restoreOverrideCursor();
    waitCursorShown = false;
}

void MainWindow::showCommandOutcome(const CommandOutcome &outcome)
{
    --commandsPending;
    const bool forPages = outcomesForPages.empty() || outcomesForPages.front();
    if (!outcomesForPages.empty())
        outcomesForPages.pop_front();
    const bool selected = forPages && outcome.productId == selectedProductId && selectedProductId != -1;
    if (selected && outcome.succeeded() && outcome.command == CommandOutcome::ReadEffects && arrivedEffects)
        showEffectSettings(*arrivedEffects);
    if (selected && outcome.succeeded() && outcome.command == CommandOutcome::ReadHardware && arrivedHardware)
        showHardwareSettings(*arrivedHardware);
    if (outcome.isEffects())
        arrivedEffects.reset();
    else
        arrivedHardware.reset();
    if (selected && outcome.command != CommandOutcome::Reboot && outcome.command != CommandOutcome::SwitchToDfu)
        (outcome.isEffects() ? effectsStatus : hardwareStatus)->commandFinished(outcome);

    // Successes fade; a failure stays until the next message replaces it.
    statusBar()->showMessage(OutcomeText::describe(outcome), outcome.succeeded() ? STATUS_MESSAGE_MS : 0);

    if (closeWhenIdle && commandsPending == 0)
        close();
}

void MainWindow::showEffectSettings(const EffectSettingsTypeDef &settings)
{
    ui->effects_settings_widget->loadSettings(settings);
    setEffectPagesReady(true);
    const EffectSettingsTypeDef pages = buildEffectRecord();
    effectsStatus->recordShown(bytesOfRecord(&pages, sizeof pages));
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Commands the user asked for still go out: the window goes away at once and the
    // program ends when the last one has (each is bounded by the busy-wait limit).
    if (commandsPending > 0) {
        closeWhenIdle = true;
        hide();
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}


void MainWindow::addRecordMarks()
{
    effectsStatus = new RecordStatus(this);
    hardwareStatus = new RecordStatus(this);
    const QList<std::pair<QPushButton *, RecordStatus *>> anchors{
        {ui->save_effects_settings_button, effectsStatus},
        {ui->save_hardware_settings_button_1, hardwareStatus},
        {ui->save_hardware_settings_button_2, hardwareStatus},
        {ui->save_hardware_settings_button_3, hardwareStatus},
        {ui->save_hardware_settings_button_4, hardwareStatus},
    };
    int number = 0;
    for (const auto &[button, status] : anchors) {
        auto *mark = new QLabel(button->parentWidget());
        mark->setObjectName(status == effectsStatus ? QStringLiteral("effects_state_label")
                                                    : QStringLiteral("hardware_state_label_%1").arg(++number));
        mark->setAlignment(Qt::AlignCenter);
        QWidget *page = button->parentWidget();
        if (!page->layout() || !insertAfter(page->layout(), button, mark))
            delete mark;
        else
            status->addMark(mark);
    }
}

void MainWindow::watchForEdits()
{
    // Many controls change at once when a record is loaded: one check after they settle.
    editCheck = new QTimer(this);
    editCheck->setSingleShot(true);
    editCheck->setInterval(0);
    connect(editCheck, &QTimer::timeout, this, &MainWindow::checkForEdits);
    const auto schedule = [this] { editCheck->start(); };
    for (QWidget *page : {static_cast<QWidget *>(ui->effects_tab), static_cast<QWidget *>(ui->hardware_tab),
                          static_cast<QWidget *>(ui->gpio_tab), static_cast<QWidget *>(ui->buttons_tab),
                          static_cast<QWidget *>(ui->analog_axes_tab)}) {
        for (QAbstractSpinBox *spin : page->findChildren<QAbstractSpinBox *>()) {
            if (auto *integer = qobject_cast<QSpinBox *>(spin))
                connect(integer, &QSpinBox::valueChanged, this, schedule);
            else if (auto *real = qobject_cast<QDoubleSpinBox *>(spin))
                connect(real, &QDoubleSpinBox::valueChanged, this, schedule);
        }
        for (QComboBox *combo : page->findChildren<QComboBox *>())
            connect(combo, &QComboBox::currentIndexChanged, this, schedule);
        for (QAbstractButton *button : page->findChildren<QAbstractButton *>())
            if (button->isCheckable())
                connect(button, &QAbstractButton::toggled, this, schedule);
        for (QLineEdit *edit : page->findChildren<QLineEdit *>())
            if (!qobject_cast<QAbstractSpinBox *>(edit->parentWidget()) && !qobject_cast<QComboBox *>(edit->parentWidget()))
                connect(edit, &QLineEdit::textChanged, this, schedule);
    }
}

void MainWindow::checkForEdits()
{
    if (effectsStatus->hasRecord()) {
        const EffectSettingsTypeDef effects = buildEffectRecord();
        effectsStatus->pagesChanged(bytesOfRecord(&effects, sizeof effects));
    }
    if (hardwareStatus->hasRecord()) {
        HardwareSettingsTypeDef hardware{};
        gatherHardwareSettings(hardware);
        hardwareStatus->pagesChanged(bytesOfRecord(&hardware, sizeof hardware));
    }
}

QList<QWidget *> MainWindow::hardwarePages() const
{
    return {ui->hardware_tab, ui->gpio_tab, ui->buttons_tab, ui->analog_axes_tab};
}

void MainWindow::setEffectPagesReady(bool ready)
{
    ui->effects_settings_widget->setEnabled(ready);
    ui->apply_effect_settings_button->setEnabled(ready);
    ui->save_effects_settings_button->setEnabled(ready);
}

void MainWindow::setHardwarePagesReady(bool ready)
{
    const QList<QPushButton *> keep{ui->read_hardware_settings_button_1, ui->read_hardware_settings_button_2,
                                    ui->read_hardware_settings_button_3, ui->read_hardware_settings_button_4};
    // Everything on the pages but the read buttons and the state marks waits for the record.
    for (QWidget *page : hardwarePages()) {
        for (QWidget *child : page->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (keep.contains(child) || child->objectName().startsWith(QLatin1String("hardware_state_label")))
                continue;
            child->setEnabled(ready);
        }
    }
}
