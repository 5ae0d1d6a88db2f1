// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// What a usbfs node asks of whoever keeps the device when a client detaches the kernel's
// HID driver from interface 0, or attaches it again: the driver's hid and hidraw devices go
// or come. Called on the testbed's ioctl thread; `done` is called (on any thread) once they
// have, so that the client's ioctl returns afterwards, as the kernel's does.
class KernelDriverHost
{
public:
    virtual ~KernelDriverHost() = default;

    virtual void kernelDriverDetached(std::function<void()> done) = 0;
    virtual void kernelDriverAttached(std::function<void()> done) = 0;
};
