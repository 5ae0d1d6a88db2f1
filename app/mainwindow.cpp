#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/startupoptions.h"
#include "device/devicekinds.h"
#include "device/settingsuibackgroundthread.h"
#include "inputs/inputsettingspages.h"

#include <libusb.h>

#include <QDesktopServices>
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

    usbAvailable = libusb_init(nullptr) == LIBUSB_SUCCESS;

    const StartupOptions options = StartupOptions::fromArguments(QCoreApplication::arguments(), QDir::currentPath());
    advancedMode = options.advancedMode;
    if (options.wantsTranslation()) {
        // Installed even when no file was found: the built-in English texts then stay.
        (void)translator.load(options.translationFile());
        QCoreApplication::installTranslator(&translator);
    }

    ui->setupUi(this);
    // The status bar is made now rather than with the first message, which would re-lay
    // out the whole window.
    showStatusMessagesWrapped();
    setWindowIcon(icon);
    setWindowTitle(title);

    inputPages = std::make_unique<InputSettingsPages>(*ui);
    hideAllPages();

    fillDeviceRows();
    connect(worker, &SettingsUiBackgroundThread::connectedDevices, this, &MainWindow::updateConnectedDevices);
    connect(worker, &SettingsUiBackgroundThread::effectSettingsObtained, this,
            [this](const EffectSettingsTypeDef &settings) { ui->effects_settings_widget->loadSettings(settings); });
    connect(worker, &SettingsUiBackgroundThread::hardwareSettingsObtained, this, &MainWindow::showHardwareSettings);
    connect(worker, &SettingsUiBackgroundThread::busyWaitStarted, this, &MainWindow::showWaitCursor);
    connect(worker, &SettingsUiBackgroundThread::busyWaitFinished, this, &MainWindow::restoreCursor);
    connect(ui->reboot_button, &QPushButton::clicked, this, &MainWindow::rebootController);
    connectSettingsButtons();

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
    if (usbAvailable)
        libusb_exit(nullptr);
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
        ui->devices_combo_box->setCurrentIndex(-1);
        if (connectedDeviceInfo.isEmpty())
            ui->devices_combo_box->setPlaceholderText(tr("No compatible devices connected"));
        else
            ui->devices_combo_box->setPlaceholderText(tr("Select compatible device (")
                                                      + QString::number(connectedDeviceInfo.size())
                                                      + tr(" connected)"));
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
    const int productId = selectedProductId;
    queueCommand([productId](SettingsUiBackgroundThread *device) {
        device->readEffectSettings(productId);
        device->readHardwareSettings(productId);
    });
    ui->reboot_button->show();
    ui->dfu_mode_button->show();
    // The pages and buttons just shown need room.
    growToShowPages();
}

template<typename Command>
void MainWindow::queueCommand(Command command)
{
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

void MainWindow::applyEffectSettings()
{
    const int productId = selectedProductId;
    const EffectSettingsTypeDef settings = buildEffectRecord();
    queueCommand([productId, settings](SettingsUiBackgroundThread *device) {
        device->applyEffectSettings(productId, settings);
    });
}

void MainWindow::saveEffectSettings()
{
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
