// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// Setup packet of a control transfer on endpoint 0.
struct ControlSetup {
    quint8 requestType = 0;
    quint8 request = 0;
    quint16 value = 0;
    quint16 index = 0;
    quint16 length = 0;

    bool isDeviceToHost() const { return (requestType & 0x80) != 0; }
};

// What the device does with itself once a transfer has been answered.
enum class BusEvent { None, Unplug, Reboot, SwitchToDfu };

// Outcome of one control transfer as the device answers it.
struct ControlResult {
    // Bytes transferred in the data stage, or a negative errno (-EPIPE for a STALL).
    int status = 0;
    // Data stage of a device-to-host transfer.
    QByteArray reply;
    BusEvent busEvent = BusEvent::None;
};
