// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The libraries the device link talks through, set up for the life of the process: libusb's
// default context for controllers without a kernel HID driver, and hidapi for their hidraw
// nodes. Made before the worker starts and ended after it has closed every channel.
class UsbSession
{
public:
    UsbSession();
    ~UsbSession();
    UsbSession(const UsbSession &) = delete;
    UsbSession &operator=(const UsbSession &) = delete;

    // False when neither library could be set up: no controller can then be found.
    bool isAvailable() const { return m_usb || m_hid; }
    // Whether libusb's default context is up now; process-wide, as that context is.
    static bool hasUsb();
    static bool hasHidraw();

private:
    bool m_usb = false;
    bool m_hid = false;
};
