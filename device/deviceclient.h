// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/commandoutcome.h"
#include "device/deviceaccess.h"
#include "device/deviceinfo.h"

#include <QByteArray>
#include <QHash>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QThread>

#include <functional>
#include <memory>

class DeviceReply;
class SettingsUiBackgroundThread;
class UsbSession;

// The way to the controllers for the window, kestrov-ctl and the tests: sets up the USB
// libraries, runs the device worker on a thread of its own, and sends it numbered requests,
// one after another in the order asked. Each request gets its own DeviceReply, which alone
// hears how that command ended.
class DeviceClient : public QObject
{
    Q_OBJECT

public:
    struct Survey {
        QMap<int, DeviceInfoTypeDef> connected;
        DeviceAccessIssues accessIssues;
        // Opened, but did not answer when asked who they are.
        QList<int> unanswered;
        // Per product id, the controllers beyond the one used.
        QMap<int, int> extraControllers;
    };

    explicit DeviceClient(QObject *parent = nullptr);
    // Waits for the requests already sent (each is bounded), then closes every channel.
    ~DeviceClient() override;

    bool isUsbAvailable() const;
    // The poll starts once the event loop runs, so the window is up before any USB traffic.
    void startPolling();
    // Ends the poll at once; requests already sent still run. Idempotent.
    void stopPolling();
    // One poll cycle now, waited for: the controllers that answered, those that cannot be
    // opened and those left unused beside one of their kind. The ones that answered stay
    // open for requests. For a caller without polling.
    Survey survey();

    // A write takes the whole settings record; the others take none.
    DeviceReply *send(CommandOutcome::Command command, int productId, const QByteArray &record = {});
    // Sends and waits in a local event loop for the outcome.
    CommandOutcome sendAndWait(CommandOutcome::Command command, int productId, const QByteArray &record = {});
    // Requests sent whose outcome has not come back yet.
    int pendingRequests() const { return int(m_pending.size()); }

    // The worker itself, for measurements that watch it from outside.
    SettingsUiBackgroundThread *worker() const { return m_worker; }
    void setBusyWaitLimit(int milliseconds);

signals:
    void connectedDevices(QMap<int, DeviceInfoTypeDef> devices);
    void deviceAccessIssues(DeviceAccessIssues issues);
    // Per product id, how many controllers of a kind already used are left unused; emitted
    // when that changes.
    void extraControllers(QMap<int, int> extra);
    void busyWaitStarted();
    void busyWaitFinished();
    // The last pending request has ended.
    void idle();

private:
    void deliver(const CommandOutcome &outcome);
    void shutDown();

    std::unique_ptr<UsbSession> m_session;
    SettingsUiBackgroundThread *m_worker = nullptr;
    QThread m_thread;
    quint64 m_lastRequestId = 0;
    QHash<quint64, QPointer<DeviceReply>> m_pending;
    bool m_pollingStarted = false;
};
