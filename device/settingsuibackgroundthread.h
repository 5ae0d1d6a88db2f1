// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/channelopener.h"
#include "device/commandoutcome.h"
#include "device/deviceaccess.h"
#include "device/deviceinfo.h"
#include "effects/effectsettings.h"
#include "hardware/hardwaresettings.h"

#include <QList>
#include <QMap>
#include <QElapsedTimer>
#include <QObject>

#include <atomic>
#include <map>
#include <memory>

class DeviceChannel;
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
    // Where udev announces every arrival, a controller not open yet is looked for only after
    // an announcement, and as a safety net this often.
    static constexpr int SAFETY_LOOK_MS = 10000;
    // A controller that still reports busy after this long is given up on, so a command
    // always ends.
    static constexpr int DEFAULT_BUSY_WAIT_LIMIT_MS = 10000;

    SettingsUiBackgroundThread(const QList<int> &productIds, int vendorId, QObject *parent = nullptr);
    ~SettingsUiBackgroundThread() override;

    bool isBusy() const { return m_busy.load(); }
    void setBusyWaitLimit(int milliseconds) { m_busyWaitLimitMs = milliseconds; }

    // Thread-safe. From now on poll cycles do nothing; commands already asked for still run.
    void requestStop() { m_stopping.store(true); }

signals:
    void connectedDevices(QMap<int, DeviceInfoTypeDef> devices);
    // Every cycle: the controllers that were opened but did not answer the probe.
    void unansweredControllers(QList<int> productIds);
    // Bracket every busy wait, so the window can show the wait cursor meanwhile.
    void busyWaitStarted();
    void busyWaitFinished();
    // Every command slot ends with exactly one of these; a read's record travels in it.
    void commandFinished(CommandOutcome outcome);
    // Controllers on the bus that cannot be opened, and why; emitted when that changes.
    void deviceAccessIssues(DeviceAccessIssues issues);
    // Per product id, the controllers on the bus beyond the one used (only one of each kind
    // is ever opened); emitted when that changes.
    void extraControllers(QMap<int, int> extra);

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
    // Runs one command for a numbered request: its outcome carries `requestId`. A write
    // takes `record` as the bytes of its settings record.
    void runRequest(quint64 requestId, CommandOutcome::Command command, int productId, const QByteArray &record);
    // Stops the poll and closes every handle. Runs on the worker's thread before it ends.
    void shutdown();

private:
    DeviceChannel *handleFor(int productId) const;
    bool probe(DeviceChannel &channel, DeviceInfoTypeDef &info) const;
    // 0 once the controller reports idle, -EBUSY when it is still busy at the limit, or
    // the negative errno of a failed status request.
    int waitUntilIdle(DeviceChannel *channel);
    void sendRequest(CommandOutcome outcome, uint8_t command);
    void readRecord(CommandOutcome outcome, uint8_t reportId, int size);
    // Apply, or with `save` also make permanent; then read back what the controller kept.
    void writeRecord(CommandOutcome outcome, uint8_t command, uint8_t reportId, const QByteArray &record, bool save);
    // Reads `reportId` whole into `record`: 0, or the negative errno (-EPROTO when short).
    int readWhole(DeviceChannel &channel, uint8_t reportId, QByteArray &record) const;
    void finish(CommandOutcome outcome, CommandOutcome::Step step, int error);
    void cycleAfterDeviceEvent(bool arrived);

    QList<int> m_productIds;
    std::map<int, std::unique_ptr<DeviceChannel>> m_deviceHandles;
    QMap<int, QString> m_openNodes;
    QTimer *m_pollTimer;
    DeviceMonitor *m_monitor = nullptr;
    // Whether the next cycle looks for the controllers that are not open: always without a
    // monitor, else after an announcement or when the safety look is due.
    bool m_lookDue = true;
    QElapsedTimer m_sinceLook;
    QTimer *m_followUpCycle;
    int m_vendorId;
    ChannelOpener m_opener;
    DeviceAccessIssues m_lastAccessIssues;
    bool m_accessIssuesPublished = false;
    QMap<int, int> m_lastExtraControllers;
    bool m_extraControllersPublished = false;
    int m_busyWaitLimitMs = DEFAULT_BUSY_WAIT_LIMIT_MS;
    // The request the running command answers; 0 while a slot runs on its own.
    quint64 m_currentRequest = 0;
    std::atomic_bool m_busy{false};
    std::atomic_bool m_stopping{false};
};
