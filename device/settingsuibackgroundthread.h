#pragma once

#include "device/channelopener.h"
#include "device/commandoutcome.h"
#include "device/deviceaccess.h"
#include "device/deviceinfo.h"
#include "effects/effectsettings.h"
#include "hardware/hardwaresettings.h"

#include <QList>
#include <QMap>
#include <QObject>

#include <atomic>
#include <map>
#include <memory>

class DeviceChannel;
Q_DECLARE_OPAQUE_POINTER(DeviceChannel *)

class DeviceMonitor;
class QTimer;

// Owns every open controller channel (hidraw node or USB handle). Lives on a thread of its own: once a second it opens or
// probes each known controller and publishes the ones that answered, and when the system
// announces a controller plugged or unplugged it runs that cycle at once; its command slots are
// invoked queued by the window, so all USB traffic runs here, one operation after another,
// and the GUI never waits on a transfer.
class SettingsUiBackgroundThread : public QObject
{
    Q_OBJECT

public:
    static constexpr int POLL_INTERVAL_MS = 1000;
    static constexpr int BUSY_POLL_INTERVAL_MS = 100;
    // A controller announced but not found by the cycle the announcement ran is looked for
    // once more after this long: its node may not be enumerable yet.
    static constexpr int SECOND_LOOK_MS = 40;
    // A controller that still reports busy after this long is given up on, so a command
    // always ends.
    static constexpr int DEFAULT_BUSY_WAIT_LIMIT_MS = 10000;

    SettingsUiBackgroundThread(const QList<int> &productIds, int vendorId, QObject *parent = nullptr);
    ~SettingsUiBackgroundThread() override;

    bool isBusy() const { return busy.load(); }
    void setBusyWaitLimit(int milliseconds) { busyWaitLimitMs = milliseconds; }

    // Thread-safe. From now on poll cycles do nothing; commands already asked for still run.
    void requestStop() { stopping.store(true); }

signals:
    void connectedDevices(QMap<int, DeviceInfoTypeDef> devices);
    void effectSettingsObtained(EffectSettingsTypeDef settings);
    void hardwareSettingsObtained(HardwareSettingsTypeDef settings);
    // Bracket every busy wait, so the window can show the wait cursor meanwhile.
    void busyWaitStarted();
    void busyWaitFinished();
    // Every command slot ends with exactly one of these, after its records were emitted.
    void commandFinished(CommandOutcome outcome);
    // Controllers on the bus that cannot be opened, and why; emitted when that changes.
    void deviceAccessIssues(DeviceAccessIssues issues);

public slots:
    void start();
    void checkDeviceConnections();
    void rebootControllerRequest(int productId);
    void switchtoDfuRequest(int productId);
    void readEffectSettings(int productId);
    void applyEffectSettings(int productId, EffectSettingsTypeDef settings);
    void saveEffectsSettings(int productId, EffectSettingsTypeDef settings);
    void readHardwareSettings(int productId);
    void applyHardwareSettings(int productId, HardwareSettingsTypeDef settings);
    void saveHardwareSettings(int productId, HardwareSettingsTypeDef settings);
    void awaitDeviceNotBusy(DeviceChannel *device);
    void saveSettingsRequest(int productId);
    // Stops the poll and closes every handle. Runs on the worker's thread before it ends.
    void shutdown();

private:
    DeviceChannel *handleFor(int productId) const;
    bool probe(DeviceChannel &channel, DeviceInfoTypeDef &info) const;
    // 0 once the controller reports idle, -EBUSY when it is still busy at the limit, or
    // the negative errno of a failed status request.
    int waitUntilIdle(DeviceChannel *channel);
    void sendRequest(CommandOutcome outcome, uint8_t command);
    template<typename Record>
    void readRecord(CommandOutcome outcome, uint8_t reportId, void (SettingsUiBackgroundThread::*obtained)(Record));
    // Apply, or with `save` also make permanent; then read back what the controller kept.
    void writeRecord(CommandOutcome outcome, uint8_t command, uint8_t reportId, const QByteArray &record, bool save);
    // Reads `reportId` whole into `record`: 0, or the negative errno (-EPROTO when short).
    int readWhole(DeviceChannel &channel, uint8_t reportId, QByteArray &record) const;
    void finish(CommandOutcome outcome, CommandOutcome::Step step, int error);
    void cycleAfterDeviceEvent(bool arrived);

    QList<int> productIds;
    std::map<int, std::unique_ptr<DeviceChannel>> deviceHandles;
    QMap<int, QString> openNodes;
    QTimer *pollTimer;
    DeviceMonitor *monitor = nullptr;
    QTimer *followUpCycle;
    int vendorId;
    ChannelOpener opener;
    DeviceAccessIssues lastAccessIssues;
    bool accessIssuesPublished = false;
    int busyWaitLimitMs = DEFAULT_BUSY_WAIT_LIMIT_MS;
    std::atomic_bool busy{false};
    std::atomic_bool stopping{false};
};
