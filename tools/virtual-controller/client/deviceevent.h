// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QString>

// Something other than a transfer that the virtual controller's log records about a device:
// a client detaching ("detach") or attaching ("attach") the kernel's driver of interface 0.
struct DeviceEvent {
    double timeMs = 0;        // since the runner started
    int id = 0;               // device id
    int productId = 0;
    QString event;
    QString driver;           // "usbhid"

    static DeviceEvent fromJson(const QJsonObject &object);
};
