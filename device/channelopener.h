// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/deviceaccess.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class DeviceChannel;

// Finds a controller by product id and opens the way to it: its hidraw node where the
// kernel's HID driver holds it, otherwise the USB device itself. Never detaches a kernel
// driver and never claims an interface. With two controllers of one product id, only the
// first found is opened; the look around counts the others, so that they can be named.
class ChannelOpener
{
public:
    struct Result {
        std::unique_ptr<DeviceChannel> channel;
        // The node the channel was opened on (/dev/hidrawN, /dev/bus/usb/BBB/DDD).
        QString node;
        // Set when the controller is on the bus but could not be opened.
        std::optional<DeviceAccessIssue> issue;
    };

    explicit ChannelOpener(int vendorId);

    // Looks once at which hidraw nodes the vendor's controllers have; open() works from
    // that view until the next call.
    void lookAround();
    Result open(int productId) const;
    // As of the last look around: per product id with more than one controller on the bus,
    // how many there are beyond the one open() takes...
    QMap<int, int> extraControllers() const;
    // ...and the USB nodes of all of them, whose removal changes that count.
    QStringList nodesOfExtraControllers() const;

private:
    Result openHidraw(int productId, const QByteArray &path) const;
    Result openUsb(int productId) const;

    int m_vendorId;
    QMap<int, QByteArray> m_hidrawPaths;
    QMap<int, QStringList> m_usbNodes;
};
