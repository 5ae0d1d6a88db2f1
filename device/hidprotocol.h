// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// What the controllers understand: the feature reports, the commands carried by report 0x20
// and the packet sizes. Both ways of reaching a controller put exactly these bytes on the wire.
namespace HidTransport {

enum ReportId : uint8_t {
    REPORT_COMMAND = 0x20,
    REPORT_HARDWARE_SETTINGS = 0x21,
    REPORT_EFFECT_SETTINGS = 0x22,
    REPORT_BUSY_STATUS = 0x24,
    REPORT_DEVICE_INFO = 0x25,
};

enum CommandCode : uint8_t {
    COMMAND_REBOOT = 1,
    COMMAND_SAVE_SETTINGS = 2,
    COMMAND_SWITCH_TO_DFU = 3,
    COMMAND_WRITE_HARDWARE_SETTINGS = 17,
    COMMAND_WRITE_EFFECT_SETTINGS = 18,
};

constexpr int PACKET_SIZE = 65;
constexpr int BLOCK_CHUNK_SIZE = 58;
constexpr uint16_t BLOCK_TERMINATOR = 0xFFFF;
// Every read asks for this many bytes; the controller answers with as many as its report holds.
constexpr uint16_t READ_LENGTH = 1024;

} // namespace HidTransport
