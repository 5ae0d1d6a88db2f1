// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/usbsession.h"

#include <hidapi.h>
#include <libusb.h>

#include <atomic>

namespace {

// Sessions may overlap (a measuring tool beside the window); the libraries count their own
// set-ups, and these count ours.
std::atomic_int usbSessions{0};
std::atomic_int hidrawSessions{0};

} // namespace

UsbSession::UsbSession()
    : m_usb(libusb_init(nullptr) == LIBUSB_SUCCESS)
    , m_hid(hid_init() == 0)
{
    if (m_usb)
        ++usbSessions;
    if (m_hid)
        ++hidrawSessions;
}

UsbSession::~UsbSession()
{
    if (m_hid && --hidrawSessions == 0)
        hid_exit();
    if (m_usb) {
        --usbSessions;
        libusb_exit(nullptr);
    }
}

bool UsbSession::hasUsb()
{
    return usbSessions.load() > 0;
}

bool UsbSession::hasHidraw()
{
    return hidrawSessions.load() > 0;
}
