#pragma once

#include "controltransfer.h"

// The device behind an emulated usbfs node, as far as its endpoint 0 goes. Called on the
// testbed's ioctl thread.
class ControlEndpoint
{
public:
    virtual ~ControlEndpoint() = default;

    // How long the device takes to answer a transfer submitted now.
    virtual int transferDelayMs() = 0;
    // The device answers a transfer; with a bus event other than None it leaves the bus
    // right after.
    virtual ControlResult transfer(const ControlSetup &setup, const QByteArray &sent) = 0;
    // A transfer the device never answered: -ETIMEDOUT when the host gave up on it,
    // -ENODEV when the device was gone.
    virtual void transferLost(const ControlSetup &setup, const QByteArray &sent, int error) = 0;
};
