// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/devicechannel.h"

struct libusb_device_handle;

// A controller without a kernel HID driver, reached with HID class requests as USB control
// transfers on interface 0. Never claims the interface.
class UsbChannel : public DeviceChannel
{
public:
    static constexpr unsigned TRANSFER_TIMEOUT_MS = 1000;

    // Takes over the open handle and closes it when destroyed.
    explicit UsbChannel(libusb_device_handle *handle);
    ~UsbChannel() override;
    UsbChannel(const UsbChannel &) = delete;
    UsbChannel &operator=(const UsbChannel &) = delete;

    Path path() const override { return Path::Usb; }
    int getFeatureReport(uint8_t reportId, uint8_t *buffer, uint16_t length) override;
    int setFeatureReport(const uint8_t *packet, uint16_t length) override;

private:
    libusb_device_handle *m_handle;
};
