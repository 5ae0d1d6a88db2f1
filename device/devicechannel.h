// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// An open way to one controller's feature reports. A controller whose HID interface is held
// by the kernel's HID driver (every normal desktop) is reached through its hidraw node; one
// without a kernel driver through USB control transfers. Both put the same bytes on the
// wire. Not thread-safe: the worker uses a channel from one thread at a time.
class DeviceChannel
{
public:
    enum class Path { Hidraw, Usb };

    virtual ~DeviceChannel() = default;

    virtual Path path() const = 0;
    // GET_REPORT of a feature report into `buffer` (at least `length` bytes). Returns the
    // number of bytes received or a negative errno on failure (-EPIPE refused, -ENODEV
    // gone, -ETIMEDOUT no answer in time). Byte 0 of the reply is byte 0
    // of the record: no report-id byte is stripped.
    virtual int getFeatureReport(uint8_t reportId, uint8_t *buffer, uint16_t length) = 0;
    // SET_REPORT of a feature report whose id is `packet[0]`, the whole packet as data.
    // Returns the number of bytes sent or a negative errno on failure.
    virtual int setFeatureReport(const uint8_t *packet, uint16_t length) = 0;
};
