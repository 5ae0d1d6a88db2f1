#pragma once

#include "device/commandoutcome.h"
#include "device/deviceinfo.h"
#include "effects/effectsettings.h"
#include "hardware/hardwaresettings.h"

#include <QMainWindow>
#include <QMap>
#include <QString>
#include <QTranslator>

#include <memory>
#include <deque>
#include <optional>

class DeviceAccessNotice;
class QLabel;
class RecordStatus;
class InputSettingsPages;
class QThread;
class QTimer;
class SettingsUiBackgroundThread;
class UsbSession;

namespace Ui {
class MainWindow;
}

// The tool's only window: the device list on top, the settings pages below, reboot and DFU
// at the bottom. Device commands go to the worker's thread queued, in the order asked.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Address of the maker's downloads page, offered when the firmware does not match.
    static const char DOWNLOAD_PAGE_URL[];
    static constexpr int STATUS_MESSAGE_MS = 10000;

    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    bool isAdvancedMode() const { return advancedMode; }
    // Commands asked for whose outcome has not come back yet.
    int pendingCommands() const { return commandsPending; }
    int currentProductId() const { return selectedProductId; }

public slots:
    void updateConnectedDevices(QMap<int, DeviceInfoTypeDef> devices);
    void showHardwareSettings(const HardwareSettingsTypeDef &settings);

protected:
    void closeEvent(QCloseEvent *event) override;

public:
    void gatherHardwareSettings(HardwareSettingsTypeDef &settings) const;

private slots:
    void on_devices_combo_box_activated(int index);
    void on_dfu_mode_button_clicked();
    void on_spiModeCombo_activated(int index);
    void rebootController();
    void readEffectSettings();
    void applyEffectSettings();
    void saveEffectSettings();
    void readHardwareSettings();
    void applyHardwareSettings();
    void saveHardwareSettings();
    void showWaitCursor();
    void restoreCursor();
    void showCommandOutcome(const CommandOutcome &outcome);
    void checkForEdits();

private:
    void startUsb();
    void addDeviceAccessNotice();
    void addRecordMarks();
    void watchForEdits();
    void setEffectPagesReady(bool ready);
    void setHardwarePagesReady(bool ready);
    void showEffectSettings(const EffectSettingsTypeDef &settings);
    bool refuseWithoutRecord(const RecordStatus *status, const QString &message);
    void installTranslations(const QString &language);
    QList<QWidget *> hardwarePages() const;
    void showStatusMessagesWrapped();
    QSize boundedToScreen(QSize wanted) const;
    // As far as the screen allows, and kept on it.
    void growToShowPages();
    void connectSettingsButtons();
    void fillDeviceRows();
    void setDeviceRowHidden(int row, bool hidden);
    void hideAllPages();
    void clearDeviceSelection();
    void showTabsForDeviceType(int deviceType);
    void selectDevice(const DeviceInfoTypeDef &info);
    bool confirmMismatchingFirmware();
    bool buildHardwareRecord(HardwareSettingsTypeDef &settings);
    EffectSettingsTypeDef buildEffectRecord() const;
    // Each queued command ends with one outcome. A read asked for by something other than
    // the pages (a backup) leaves the pages as they are: `forPages` false.
    template<typename Command>
    void queueCommand(Command command, bool forPages = true);
    void stopWorker();

    std::unique_ptr<UsbSession> usbSession;
    std::unique_ptr<Ui::MainWindow> ui;
    std::unique_ptr<InputSettingsPages> inputPages;
    DeviceAccessNotice *accessNotice = nullptr;
    RecordStatus *effectsStatus = nullptr;
    RecordStatus *hardwareStatus = nullptr;
    // Records read for the selected controller, shown once their read's outcome says whose they are.
    std::optional<EffectSettingsTypeDef> arrivedEffects;
    std::optional<HardwareSettingsTypeDef> arrivedHardware;
    QTimer *editCheck = nullptr;
    int commandsPending = 0;
    // Per queued command, in order: whether a record it reads goes onto the pages.
    std::deque<bool> outcomesForPages;
    bool closeWhenIdle = false;
    QMap<int, int> deviceProductIds;
    QMap<int, QString> deviceNames;
    QMap<int, DeviceInfoTypeDef> connectedDeviceInfo;
    int selectedProductId = -1;
    bool advancedMode = false;
    bool usbAvailable = false;
    bool waitCursorShown = false;
    QTranslator translator;
    QTranslator qtTranslator;
    SettingsUiBackgroundThread *worker = nullptr;
    QThread *workerThread = nullptr;
    QTimer *startTimer = nullptr;
};
