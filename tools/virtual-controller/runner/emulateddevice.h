#pragma once

#include "controlendpoint.h"
#include "emulatedcontroller.h"
#include "mockusbbus.h"

#include <QString>

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include <glib.h>

class TransferLog;
class UsbfsDevice;

// One emulated controller as the runner keeps it: the controller model, its place on the
// bus, its timers (unplug at a time, come back after a reboot) and the logging of its
// transfers. Everything but the ControlEndpoint calls runs on the main thread; those run
// on the ioctl thread, and a controller that leaves the bus on its own (reboot, DFU, the
// unplug-after fault) is taken off the bus on the main thread afterwards.
class EmulatedDevice : public ControlEndpoint
{
public:
    // Called on the ioctl thread when the device leaves the bus by itself; must get
    // onLeftBus() called on the main thread with the same arguments.
    using LeaveNotifier = std::function<void(int id, quint64 plugSerial, BusEvent event)>;

    EmulatedDevice(int id, std::unique_ptr<EmulatedController> controller, MockUsbBus &bus, TransferLog &log,
                   LeaveNotifier notifier);
    ~EmulatedDevice() override;

    int id() const { return m_id; }
    bool isPlugged() const { return m_address.has_value(); }

    bool plug(QString *error);
    // False when the device was not plugged.
    bool unplug();
    // Plugs the device in again (pulling it first if it is plugged), working memory
    // reloaded from permanent as after a power cycle.
    bool replug(QString *error);
    void onLeftBus(quint64 plugSerial, BusEvent event);

    bool set(const QString &assignments, QString *error);
    // "plugged=0|1 busy=0|1 pid=N type=N firmware=N"
    QString info();
    QByteArray read(RecordKind kind, bool permanent);
    bool write(RecordKind kind, const QByteArray &record, QString *error);

    int transferDelayMs() override;
    ControlResult transfer(const ControlSetup &setup, const QByteArray &sent) override;
    void transferLost(const ControlSetup &setup, const QByteArray &sent, int error) override;

private:
    void log(const ControlSetup &setup, const QByteArray &data, int result);
    void startUnplugTimer(int ms);
    void startComebackTimer(int ms);
    static void stopTimer(guint &source);

    const int m_id;
    MockUsbBus &m_bus;
    TransferLog &m_log;
    const LeaveNotifier m_notifier;

    // Guards the controller and the plug serial, shared with the ioctl thread.
    std::mutex m_mutex;
    std::unique_ptr<EmulatedController> m_controller;
    quint64 m_plugSerial = 0;
    bool m_onBus = false;

    // Main thread only.
    std::optional<UsbAddress> m_address;
    // Current node's handler last; earlier ones still answer handles opened before a replug.
    std::vector<std::shared_ptr<UsbfsDevice>> m_usbfs;
    guint m_unplugTimer = 0;
    guint m_comebackTimer = 0;
};
