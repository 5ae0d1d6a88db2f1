// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/accessiblenames.h"
#include "app/backupactions.h"
#include "app/closequestion.h"
#include "app/deviceaccessnotice.h"
#include "app/extracontrollernotice.h"
#include "app/fixedlineslabel.h"
#include "app/forcetestcontrol.h"
#include "app/helpmenu.h"
#include "app/liveinputs.h"
#include "app/pageshortcuts.h"
#include "app/pagestates.h"
#include "app/recordstatus.h"
#include "device/deviceclient.h"
#include "device/devicekinds.h"
#include "device/devicereply.h"
#include "device/outcometext.h"
#include "effects/forcetestgroup.h"
#include "effects/fulleffectsettingswidget.h"
#include "inputs/analogaxespage.h"
#include "inputs/buttonspage.h"
#include "inputs/inputsettingspages.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QIcon>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

#include <cstring>

namespace {

template<typename Record>
QByteArray bytesOf(const Record &record)
{
    return QByteArray(reinterpret_cast<const char *>(&record), sizeof record);
}

template<typename Record>
Record recordOf(const QByteArray &bytes)
{
    Record record{};
    std::memcpy(static_cast<void *>(&record), bytes.constData(), qMin(sizeof record, size_t(bytes.size())));
    return record;
}

} // namespace

// A reserved example domain until the project has a home of its own.
const char MainWindow::DOWNLOAD_PAGE_URL[] = "https://kestrov.example/downloads";

MainWindow::MainWindow(const StartupOptions &options, QWidget *parent)
    : QMainWindow(parent)
    , m_options(options)
    , m_client(std::make_unique<DeviceClient>())
    , m_ui(std::make_unique<Ui::MainWindow>())
{
    m_ui->setupUi(this);
    // The status bar is made now rather than with the first message, which would re-lay
    // out the whole window.
    showStatusMessagesWrapped();
    setWindowIcon(QIcon(QStringLiteral("kestrov_hardware_icon.png")));
    setWindowTitle(QStringLiteral("Kestrov Setup (") + QString::number(SETUP_VERSION) + QStringLiteral(")"));

    m_inputPages = std::make_unique<InputSettingsPages>(*m_ui->gpio_scroll_contents, *m_ui->buttons_scroll_contents,
                                                      *m_ui->analog_axes_scroll_contents);
    hideAllPages();
    addDeviceAccessNotice();
    // A second controller of a kind is said under the list; its line is kept from the start.
    auto *extraNotice = new ExtraControllerNotice(m_ui->centralwidget);
    if (auto *layout = qobject_cast<QBoxLayout *>(m_ui->centralwidget->layout()))
        layout->insertWidget(layout->indexOf(m_ui->devices_combo_box) + 1, extraNotice);
    connect(m_client.get(), &DeviceClient::extraControllers, extraNotice, &ExtraControllerNotice::showExtraControllers);
    addPageStates();
    addLiveInputs();
    fillDeviceRows();

    connect(m_client.get(), &DeviceClient::connectedDevices, this, &MainWindow::updateConnectedDevices);
    connect(m_client.get(), &DeviceClient::deviceAccessIssues, m_accessNotice, &DeviceAccessNotice::showIssues);
    // The list does not say "none connected" while the notice below names one that is.
    connect(m_client.get(), &DeviceClient::deviceAccessIssues, this, [this](const DeviceAccessIssues &issues) {
        m_unusableControllers = int(issues.size());
        showDevicePlaceholder();
    });
    connect(m_client.get(), &DeviceClient::busyWaitStarted, this, &MainWindow::showWaitCursor);
    connect(m_client.get(), &DeviceClient::busyWaitFinished, this, &MainWindow::restoreCursor);
    // A profile that could not be loaded, saved or deleted says so where command outcomes do.
    connect(m_ui->effects_settings_widget, &FullEffectSettingsWidget::profileProblem, this,
            [this](const QString &message) { statusBar()->showMessage(message); });
    connect(m_ui->effects_settings_widget, &FullEffectSettingsWidget::profileFileDone, this,
            [this](const QString &message) { statusBar()->showMessage(message, STATUS_MESSAGE_MS); });
    connect(m_ui->reboot_button, &QPushButton::clicked, this, &MainWindow::rebootController);
    connectSettingsButtons();
    // Backup and restore of the whole controller, sent through the same client.
    auto *backups = new BackupActions(
        this, m_client.get(),
        [this] { return BackupActions::Controller{m_selectedProductId, m_connectedDeviceInfo.value(m_selectedProductId)}; },
        [this](const std::function<void()> &then) { rereadPages(then); });
    connect(backups, &BackupActions::commandStarting, this, &MainWindow::stopForceTest);
    m_closeQuestion = new CloseQuestion(this, backups->menu(), m_pageStates, m_client.get(),
                                        [this](RecordKind kind) { return sendRecord(kind, true); });
    new HelpMenu(this);
    new PageShortcuts(this, m_ui->main_tab_widget, m_pageStates->pages());
    AccessibleNames::fillIn(this);

    if (m_client->isUsbAvailable()) {
        // The poll starts once the event loop runs, so the window is up first.
        QTimer::singleShot(0, this, [this] { m_client->startPolling(); });
    } else {
        m_ui->devices_combo_box->setPlaceholderText(tr("USB is not available: no controller can be found"));
        m_ui->devices_combo_box->setEnabled(false);
    }

    // Opens as large as its contents ask, as far as the screen allows; the pages scroll beyond.
    QTimer::singleShot(0, this, [this] { resize(boundedToScreen(sizeHint())); });
    m_ui->reboot_button->hide();
    m_ui->dfu_mode_button->hide();
}

MainWindow::~MainWindow()
{
    // The live view's and the force test's threads end before the pages they report to go.
    m_forceTest.reset();
    m_liveInputs.reset();
    // Commands already sent finish, then every channel closes, before the pages go.
    m_client.reset();
    if (m_waitCursorShown)
        QGuiApplication::restoreOverrideCursor();
}

int MainWindow::pendingCommands() const
{
    return m_client->pendingRequests();
}

void MainWindow::addDeviceAccessNotice()
{
    QMap<int, QString> namesByProductId;
    for (const DeviceKind &kind : DeviceKinds::ALL)
        namesByProductId.insert(kind.productId, QString::fromLatin1(kind.displayName));
    m_accessNotice = new DeviceAccessNotice(namesByProductId, m_ui->centralwidget);
    // Right under the device list, where a user looks for a missing controller.
    if (auto *layout = qobject_cast<QBoxLayout *>(m_ui->centralwidget->layout()))
        layout->insertWidget(layout->indexOf(m_ui->devices_combo_box) + 1, m_accessNotice);
}

QList<MainWindow::HardwareButtons> MainWindow::hardwareButtons() const
{
    // Every hardware page carries the same three buttons for the one hardware record.
    return {{m_ui->read_hardware_settings_button_1, m_ui->apply_hardware_settings_button_1, m_ui->save_hardware_settings_button_1},
            {m_ui->read_hardware_settings_button_2, m_ui->apply_hardware_settings_button_2, m_ui->save_hardware_settings_button_2},
            {m_ui->read_hardware_settings_button_3, m_ui->apply_hardware_settings_button_3, m_ui->save_hardware_settings_button_3},
            {m_ui->read_hardware_settings_button_4, m_ui->apply_hardware_settings_button_4, m_ui->save_hardware_settings_button_4}};
}

void MainWindow::addPageStates()
{
    m_pageStates = new PageStates(this);
    m_pageStates->addRecord(RecordKind::Effects,
                            {{m_ui->effects_tab, m_ui->read_effects_settings_button, m_ui->apply_effect_settings_button,
                              m_ui->save_effects_settings_button}},
                            [this] { return pagesRecord(RecordKind::Effects); }, QStringLiteral("effects_state_label"));
    const QList<QWidget *> pages{m_ui->hardware_tab, m_ui->gpio_tab, m_ui->buttons_tab, m_ui->analog_axes_tab};
    QList<PageStates::Page> hardwarePages;
    const QList<HardwareButtons> buttons = hardwareButtons();
    for (int page = 0; page < pages.size(); ++page)
        hardwarePages.append({pages.at(page), buttons.at(page).read, buttons.at(page).apply, buttons.at(page).save});
    m_pageStates->addRecord(RecordKind::Hardware, hardwarePages, [this] { return pagesRecord(RecordKind::Hardware); },
                            QStringLiteral("hardware_state_label"));
}

void MainWindow::addLiveInputs()
{
    m_liveInputs = std::make_unique<LiveInputs>(m_ui->buttons_scroll_contents, m_ui->analog_axes_scroll_contents,
                                                m_ui->effects_settings_widget, m_ui->force_test_group);
    m_forceTest = std::make_unique<ForceTestControl>(m_ui->force_test_group, statusBar(),
                                                     [this] { return m_selectedProductId; });
    connect(m_ui->main_tab_widget, &QTabWidget::currentChanged, this, &MainWindow::stopForceTest);
    connect(m_ui->effects_settings_widget, &FullEffectSettingsWidget::axisPageChanged, this, &MainWindow::stopForceTest);
}

void MainWindow::stopForceTest()
{
    m_forceTest->stop();
}

void MainWindow::connectSettingsButtons()
{
    connect(m_ui->read_effects_settings_button, &QPushButton::clicked, this, [this] { readRecord(RecordKind::Effects); });
    connect(m_ui->apply_effect_settings_button, &QPushButton::clicked, this, [this] { sendRecord(RecordKind::Effects, false); });
    connect(m_ui->save_effects_settings_button, &QPushButton::clicked, this, [this] { sendRecord(RecordKind::Effects, true); });
    for (const HardwareButtons &buttons : hardwareButtons()) {
        connect(buttons.read, &QPushButton::clicked, this, [this] { readRecord(RecordKind::Hardware); });
        connect(buttons.apply, &QPushButton::clicked, this, [this] { sendRecord(RecordKind::Hardware, false); });
        connect(buttons.save, &QPushButton::clicked, this, [this] { sendRecord(RecordKind::Hardware, true); });
    }
}

void MainWindow::showStatusMessagesWrapped()
{
    // The status bar draws its messages on one line, cut off at the window's edge. A label
    // across the whole bar shows them instead, wrapped on a fixed number of lines, so that
    // no message moves the buttons above; the bar still keeps them and their time-out, but
    // has no room left to draw them itself.
    auto *message = new FixedLinesLabel(3, statusBar());
    message->setObjectName(QStringLiteral("status_message"));
    statusBar()->addPermanentWidget(message, 1);
    connect(statusBar(), &QStatusBar::messageChanged, message, &FixedLinesLabel::setMessage);
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
    // One row per kind, in code order: the row is the kind's code.
    for (const DeviceKind &kind : DeviceKinds::ALL) {
        m_ui->devices_combo_box->addItem(QString());
        setDeviceRowHidden(kind.code, true);
    }
}

void MainWindow::setDeviceRowHidden(int row, bool hidden)
{
    if (auto *view = qobject_cast<QListView *>(m_ui->devices_combo_box->view()))
        view->setRowHidden(row, hidden);
}

void MainWindow::hideAllPages()
{
    for (int page = 0; page < m_ui->main_tab_widget->count(); ++page)
        m_ui->main_tab_widget->setTabVisible(page, false);
}

void MainWindow::updateConnectedDevices(QMap<int, DeviceInfoTypeDef> devices)
{
    m_connectedDeviceInfo = devices;

    if (!m_connectedDeviceInfo.contains(m_selectedProductId)) {
        clearDeviceSelection();
        m_ui->devices_combo_box->setCurrentIndex(-1);
    }
    showDevicePlaceholder();

    for (const DeviceKind &kind : DeviceKinds::ALL) {
        const auto found = m_connectedDeviceInfo.constFind(kind.productId);
        if (found == m_connectedDeviceInfo.cend()) {
            setDeviceRowHidden(kind.code, true);
            continue;
        }
        m_ui->devices_combo_box->setItemText(kind.code, QString::fromLatin1(kind.displayName) + QStringLiteral(" (Version ")
                                                          + QString::number(found->firmwareVersion) + QStringLiteral(")"));
        setDeviceRowHidden(kind.code, false);
    }
}

void MainWindow::showDevicePlaceholder()
{
    // Shown only while no controller is selected.
    if (m_connectedDeviceInfo.isEmpty())
        m_ui->devices_combo_box->setPlaceholderText(m_unusableControllers > 0 ? tr("No usable controller")
                                                                              : tr("No compatible devices connected"));
    else
        m_ui->devices_combo_box->setPlaceholderText(
            tr("Select compatible device (%n connected)", nullptr, int(m_connectedDeviceInfo.size())));
}

void MainWindow::clearDeviceSelection()
{
    stopForceTest();
    m_liveInputs->stop();
    m_selectedProductId = -1;
    m_pageStates->clear();
    m_ui->effects_settings_widget->forgetProfileName();
    hideAllPages();
    m_ui->reboot_button->hide();
    m_ui->dfu_mode_button->hide();
}

void MainWindow::showTabsForDeviceType(int deviceType)
{
    hideAllPages();
    if (deviceType == Generic)
        return;
    for (int page = 0; page < m_ui->main_tab_widget->count(); ++page)
        m_ui->main_tab_widget->setTabVisible(page, true);
    m_ui->effects_settings_widget->setDeviceType(deviceType);
    m_ui->hardware_settings_widget->setDeviceType(deviceType, m_options.advancedMode);
}

void MainWindow::on_devices_combo_box_activated(int index)
{
    const DeviceKind *kind = DeviceKinds::byCode(index);
    const int productId = kind ? kind->productId : -1;
    const auto found = m_connectedDeviceInfo.constFind(productId);
    if (productId == -1 || productId == m_selectedProductId || found == m_connectedDeviceInfo.cend()) {
        const bool deselected = productId != -1 && productId == m_selectedProductId;
        clearDeviceSelection();
        if (deselected)
            statusBar()->showMessage(tr("%1 is no longer selected; choose it to read its settings again.")
                                         .arg(QString::fromLatin1(kind->displayName)));
        // Gone between the last list update and the click: there is no record to check.
        if (productId != -1 && found == m_connectedDeviceInfo.cend())
            m_ui->devices_combo_box->setCurrentIndex(-1);
        return;
    }

    m_selectedProductId = productId;
    const DeviceInfoTypeDef info = *found;
    if (DeviceKinds::isCompatibleFirmware(info.firmwareVersion)) {
        selectDevice(info);
        return;
    }
    const bool useAnyway = confirmMismatchingFirmware();
    // List updates run while the dialog is open; the controller may have gone meanwhile.
    if (m_selectedProductId != productId)
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
    // Until this controller's records arrive, the pages hold nothing that may be sent, and
    // the profile named for the last one is not this one's.
    m_ui->effects_settings_widget->forgetProfileName();
    m_pageStates->startReading();
    m_pageStates->setReady(RecordKind::Effects, false);
    m_pageStates->setReady(RecordKind::Hardware, false);
    readRecord(RecordKind::Effects);
    readRecord(RecordKind::Hardware);
    m_liveInputs->start(m_selectedProductId);
    m_ui->reboot_button->show();
    m_ui->dfu_mode_button->show();
    // The pages and buttons just shown need room.
    growToShowPages();
}

void MainWindow::send(CommandOutcome::Command command, const QByteArray &record, const std::function<void()> &then)
{
    stopForceTest();
    DeviceReply *reply = m_client->send(command, m_selectedProductId, record);
    m_pageStates->commandSent(command);
    connect(reply, &DeviceReply::finished, this, [this, then](const CommandOutcome &outcome) {
        showCommandOutcome(outcome);
        if (then)
            then();
    });
}

void MainWindow::rebootController()
{
    send(CommandOutcome::Reboot);
}

void MainWindow::on_dfu_mode_button_clicked()
{
    send(CommandOutcome::SwitchToDfu);
}

void MainWindow::readRecord(RecordKind kind)
{
    send(CommandOutcome::readCommand(kind));
}

void MainWindow::rereadPages(const std::function<void()> &then)
{
    // After a restore the pages show the controller's records, no profile.
    m_ui->effects_settings_widget->forgetProfileName();
    send(CommandOutcome::ReadEffects);
    send(CommandOutcome::ReadHardware, {}, then);
}

QByteArray MainWindow::pagesRecord(RecordKind kind) const
{
    if (kind == RecordKind::Effects) {
        EffectSettingsTypeDef settings{};
        m_ui->effects_settings_widget->gatherSettings(settings);
        return bytesOf(settings);
    }
    HardwareSettingsTypeDef settings{};
    gatherHardwareSettings(settings);
    return bytesOf(settings);
}

bool MainWindow::sendRecord(RecordKind kind, bool save)
{
    const bool effects = kind == RecordKind::Effects;
    if (!m_pageStates->status(kind)->hasRecord()) {
        statusBar()->showMessage(effects ? tr("The effect settings have not been read from the controller: nothing was sent.")
                                         : tr("The hardware settings have not been read from the controller: nothing was sent."));
        return false;
    }
    // A value its field cannot hold is refused rather than sent as a different number.
    if (!effects) {
        QString problem;
        if (m_ui->hardware_settings_widget->hasInvalidValues(&problem)) {
            statusBar()->showMessage(problem, STATUS_MESSAGE_MS);
            return false;
        }
        statusBar()->clearMessage();
    }
    send(CommandOutcome::writeCommand(kind, save), pagesRecord(kind));
    return true;
}

void MainWindow::gatherHardwareSettings(HardwareSettingsTypeDef &settings) const
{
    m_ui->hardware_settings_widget->gatherSettings(settings);
    m_inputPages->gatherSettings(settings);
}

void MainWindow::showRecord(RecordKind kind, const QByteArray &record)
{
    if (kind == RecordKind::Hardware) {
        const auto settings = recordOf<HardwareSettingsTypeDef>(record);
        m_inputPages->showSettings(settings);
        m_ui->hardware_settings_widget->loadSettings(settings);
    } else {
        m_ui->effects_settings_widget->loadSettings(recordOf<EffectSettingsTypeDef>(record));
    }
    m_pageStates->setReady(kind, true);
    m_pageStates->recordShown(kind, record);
}

void MainWindow::showWaitCursor()
{
    if (!m_waitCursorShown)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_waitCursorShown = true;
}

void MainWindow::restoreCursor()
{
    if (m_waitCursorShown)
        QGuiApplication::restoreOverrideCursor();
    m_waitCursorShown = false;
}

void MainWindow::showCommandOutcome(const CommandOutcome &outcome)
{
    // A record goes onto the pages only when it is the selected controller's.
    const bool selected = outcome.productId == m_selectedProductId && m_selectedProductId != -1;
    if (selected && outcome.succeeded() && outcome.readsRecord())
        showRecord(outcome.recordKind(), outcome.record);
    if (selected)
        m_pageStates->commandFinished(outcome);

    // Successes fade; a failure stays until the next message replaces it.
    statusBar()->showMessage(OutcomeText::describe(outcome), outcome.succeeded() ? STATUS_MESSAGE_MS : 0);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    stopForceTest();
    if (m_closeQuestion->closeNow())
        QMainWindow::closeEvent(event);
    else
        event->ignore();
}
