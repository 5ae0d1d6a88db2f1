#include "device/usbsession.h"

#include <hidapi.h>
#include <libusb.h>

#include <atomic>

namespace {

std::atomic_bool usbUp{false};
std::atomic_bool hidrawUp{false};

} // namespace

UsbSession::UsbSession()
    : m_usb(libusb_init(nullptr) == LIBUSB_SUCCESS)
    , m_hid(hid_init() == 0)
{
    usbUp.store(m_usb);
    hidrawUp.store(m_hid);
}

UsbSession::~UsbSession()
{
    hidrawUp.store(false);
    usbUp.store(false);
    if (m_hid)
        hid_exit();
    if (m_usb)
        libusb_exit(nullptr);
}

bool UsbSession::hasUsb()
{
    return usbUp.load();
}

bool UsbSession::hasHidraw()
{
    return hidrawUp.load();
}
