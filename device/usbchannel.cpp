// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/usbchannel.h"

#include <libusb.h>

#include <cerrno>

namespace {

constexpr uint8_t REQUEST_TYPE_CLASS_INTERFACE_IN = 0xA1;
constexpr uint8_t REQUEST_TYPE_CLASS_INTERFACE_OUT = 0x21;
constexpr uint8_t HID_GET_REPORT = 0x01;
constexpr uint8_t HID_SET_REPORT = 0x09;
constexpr uint16_t REPORT_TYPE_FEATURE = 0x0300;
constexpr uint16_t HID_INTERFACE = 0;

// Failures in the errno terms the hidraw path speaks, so callers tell them apart one way.
int resultOf(int transferred)
{
    switch (transferred) {
    case LIBUSB_ERROR_PIPE:
        return -EPIPE;
    case LIBUSB_ERROR_NO_DEVICE:
    case LIBUSB_ERROR_NOT_FOUND:
        return -ENODEV;
    case LIBUSB_ERROR_TIMEOUT:
        return -ETIMEDOUT;
    case LIBUSB_ERROR_ACCESS:
        return -EACCES;
    case LIBUSB_ERROR_BUSY:
        return -EBUSY;
    default:
        return transferred < 0 ? -EIO : transferred;
    }
}

} // namespace

UsbChannel::UsbChannel(libusb_device_handle *handle)
    : m_handle(handle)
{
}

UsbChannel::~UsbChannel()
{
    libusb_close(m_handle);
}

int UsbChannel::getFeatureReport(uint8_t reportId, uint8_t *buffer, uint16_t length)
{
    return resultOf(libusb_control_transfer(m_handle, REQUEST_TYPE_CLASS_INTERFACE_IN, HID_GET_REPORT,
                                            REPORT_TYPE_FEATURE | reportId, HID_INTERFACE, buffer, length,
                                            TRANSFER_TIMEOUT_MS));
}

int UsbChannel::setFeatureReport(const uint8_t *packet, uint16_t length)
{
    // libusb takes a mutable buffer for both directions but does not write to an OUT one.
    return resultOf(libusb_control_transfer(m_handle, REQUEST_TYPE_CLASS_INTERFACE_OUT, HID_SET_REPORT,
                                            REPORT_TYPE_FEATURE | packet[0], HID_INTERFACE,
                                            const_cast<uint8_t *>(packet), length, TRANSFER_TIMEOUT_MS));
}
