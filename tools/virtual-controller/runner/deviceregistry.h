// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "emulateddevice.h"

#include <QStringList>

#include <map>
#include <memory>
#include <optional>

class Clock;
class MockUsbBus;
class NodeAccess;
class TransferLog;

// The emulated controllers of a run, by id. Ids count from 1 in plugging order and start
// again at 1 after a reset. Main thread only.
class DeviceRegistry
{
public:
    // `defaults` are assignments applied to every device before its own.
    DeviceRegistry(MockUsbBus &bus, TransferLog &log, NodeAccess &access, const Clock &clock,
                   const QStringList &defaults);
    ~DeviceRegistry();
    DeviceRegistry(const DeviceRegistry &) = delete;
    DeviceRegistry &operator=(const DeviceRegistry &) = delete;

    // "KIND[,key=value...]": a new device, plugged in. Its id, or nothing with `error` set.
    std::optional<int> plug(const QString &description, QString *error);
    EmulatedDevice *find(int id) const;
    // Unplugs and forgets every device.
    void reset();

private:
    void postToMainThread(int id, std::function<void(EmulatedDevice *)> task);

    MockUsbBus &m_bus;
    TransferLog &m_log;
    NodeAccess &m_access;
    const Clock &m_clock;
    const QStringList m_defaults;
    std::map<int, std::unique_ptr<EmulatedDevice>> m_devices;
    int m_nextId = 1;
};
