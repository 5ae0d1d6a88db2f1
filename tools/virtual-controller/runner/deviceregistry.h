#pragma once

#include "emulateddevice.h"

#include <QStringList>

#include <map>
#include <memory>
#include <optional>

class Clock;
class MockUsbBus;
class TransferLog;

// The emulated controllers of a run, by id. Ids count from 1 in plugging order and start
// again at 1 after a reset. Main thread only.
class DeviceRegistry
{
public:
    // `defaults` are assignments applied to every device before its own.
    DeviceRegistry(MockUsbBus &bus, TransferLog &log, const Clock &clock, const QStringList &defaults);
    ~DeviceRegistry();
    DeviceRegistry(const DeviceRegistry &) = delete;
    DeviceRegistry &operator=(const DeviceRegistry &) = delete;

    // "KIND[,key=value...]": a new device, plugged in. Its id, or nothing with `error` set.
    std::optional<int> plug(const QString &description, QString *error);
    EmulatedDevice *find(int id) const;
    // Unplugs and forgets every device.
    void reset();

private:
    void deviceLeftBus(int id, quint64 plugSerial, BusEvent event);

    MockUsbBus &m_bus;
    TransferLog &m_log;
    const Clock &m_clock;
    const QStringList m_defaults;
    std::map<int, std::unique_ptr<EmulatedDevice>> m_devices;
    int m_nextId = 1;
};
