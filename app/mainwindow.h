// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/startupoptions.h"
#include "device/commandoutcome.h"
#include "device/deviceinfo.h"
#include "hardware/hardwaresettings.h"

#include <QMainWindow>
#include <QMap>
#include <QString>

#include <functional>
#include <memory>

class CloseQuestion;
class DeviceAccessNotice;
class DeviceClient;
class ForceTestControl;
class InputSettingsPages;
class LiveInputs;
class PageStates;
class QPushButton;

namespace Ui {
class MainWindow;
}

// The tool's only window: the device list on top, the settings pages below, reboot and DFU
// at the bottom. Device commands go to the device client, which runs them on the worker's
// thread in the order asked; each comes back to the window as its own reply.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Address of the maker's downloads page, offered when the firmware does not match.
    static const char DOWNLOAD_PAGE_URL[];
    static constexpr int STATUS_MESSAGE_MS = 10000;

    explicit MainWindow(const StartupOptions &options = {}, QWidget *parent = nullptr);
    ~MainWindow() override;

    bool isAdvancedMode() const { return m_options.advancedMode; }
    // Commands asked for whose outcome has not come back yet.
    int pendingCommands() const;
    int currentProductId() const { return m_selectedProductId; }
    void gatherHardwareSettings(HardwareSettingsTypeDef &settings) const;

public slots:
    void updateConnectedDevices(QMap<int, DeviceInfoTypeDef> devices);

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void on_devices_combo_box_activated(int index);
    void on_dfu_mode_button_clicked();
    void rebootController();
    void showWaitCursor();
    void restoreCursor();

private:
    // The three buttons of one page of the hardware record.
    struct HardwareButtons {
        QPushButton *read;
        QPushButton *apply;
        QPushButton *save;
    };
    QList<HardwareButtons> hardwareButtons() const;

    void addDeviceAccessNotice();
    void addPageStates();
    void addLiveInputs();
    // Before any command goes out, and whenever the user turns to something else.
    void stopForceTest();
    void connectSettingsButtons();
    void showStatusMessagesWrapped();
    QSize boundedToScreen(QSize wanted) const;
    // As far as the screen allows, and kept on it.
    void growToShowPages();
    void fillDeviceRows();
    void setDeviceRowHidden(int row, bool hidden);
    void hideAllPages();
    void clearDeviceSelection();
    void showDevicePlaceholder();
    void showTabsForDeviceType(int deviceType);
    void selectDevice(const DeviceInfoTypeDef &info);
    bool confirmMismatchingFirmware();

    void readRecord(RecordKind kind);
    // Apply, or with `save` make permanent, what the record's pages hold; false when refused.
    bool sendRecord(RecordKind kind, bool save);
    QByteArray pagesRecord(RecordKind kind) const;
    // Reads both records of the selected controller onto the pages, then calls `then`.
    void rereadPages(const std::function<void()> &then);
    // Sends a command for the selected controller; its outcome comes back to `showCommandOutcome`.
    void send(CommandOutcome::Command command, const QByteArray &record = {}, const std::function<void()> &then = {});
    void showCommandOutcome(const CommandOutcome &outcome);
    void showRecord(RecordKind kind, const QByteArray &record);

    StartupOptions m_options;
    std::unique_ptr<DeviceClient> m_client;
    std::unique_ptr<Ui::MainWindow> m_ui;
    std::unique_ptr<InputSettingsPages> m_inputPages;
    DeviceAccessNotice *m_accessNotice = nullptr;
    PageStates *m_pageStates = nullptr;
    std::unique_ptr<LiveInputs> m_liveInputs;
    std::unique_ptr<ForceTestControl> m_forceTest;
    CloseQuestion *m_closeQuestion = nullptr;
    QMap<int, DeviceInfoTypeDef> m_connectedDeviceInfo;
    // Connected controllers this user cannot open.
    int m_unusableControllers = 0;
    int m_selectedProductId = -1;
    bool m_waitCursorShown = false;
};
