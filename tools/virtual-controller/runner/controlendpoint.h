// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controltransfer.h"

// The kernel interface a control transfer came through: the usbfs node, or the hidraw node
// of the HID driver, which turns feature-report ioctls into control transfers.
enum class HostPath { Usbfs, Hidraw };

// The device behind an emulated usbfs or hidraw node, as far as its endpoint 0 goes. Called
// on the testbed's ioctl thread.
class ControlEndpoint
{
public:
    virtual ~ControlEndpoint() = default;

    // How long the device takes to answer a transfer submitted now.
    virtual int transferDelayMs() = 0;
    // The device answers a transfer; with a bus event other than None it leaves the bus
    // right after.
    virtual ControlResult transfer(const ControlSetup &setup, const QByteArray &sent, HostPath path) = 0;
    // A transfer the device never answered: -ETIMEDOUT when the host gave up on it,
    // -ENODEV when the device was gone, -EBUSY when the kernel refused it.
    virtual void transferLost(const ControlSetup &setup, const QByteArray &sent, int error, HostPath path) = 0;
};
