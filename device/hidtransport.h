// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/hidprotocol.h"

#include <cstdint>

class DeviceChannel;

// HID feature-report exchange with a controller: three stateless operations over an open
// channel. Every transfer is synchronous and bounded by the channel's timeout (1000 ms on the
// USB path, the kernel's 5000 ms through hidraw); the caller makes sure no two threads use
// one channel at the same time.
namespace HidTransport {

// One GET_REPORT of a feature report into `buffer`, which holds at least `length` bytes.
// Returns the number of bytes received or a negative error. Byte 0 of the reply is byte 0
// of the record: no report-id byte is stripped.
int getFeatureReport(DeviceChannel &channel, uint8_t reportId, uint8_t *buffer, uint16_t length);

// One SET_REPORT of a plain command packet (0x20, command, 63 zero bytes).
int sendCommand(DeviceChannel &channel, uint8_t command);

// Sends a record in 58-byte chunks followed by a terminating packet. Stops at the first
// packet that does not go out whole and returns false, with that packet's negative errno in
// `error` when given; the terminator is then not sent. Whether the controller has taken the
// record is learned afterwards from its busy status.
bool writeSettingsBlock(DeviceChannel &channel, uint8_t command, const uint8_t *data, uint16_t length,
                        int *error = nullptr);

} // namespace HidTransport
