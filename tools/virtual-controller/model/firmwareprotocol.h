// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// What the controller firmware answers to: feature report ids, command codes and the sizes
// of its packets and records. Kept apart from the application's own definitions so that the
// emulated controller checks the application rather than agreeing with it by construction.
namespace FirmwareProtocol {

constexpr uint8_t REPORT_COMMAND = 0x20;
constexpr uint8_t REPORT_HARDWARE_SETTINGS = 0x21;
constexpr uint8_t REPORT_EFFECT_SETTINGS = 0x22;
constexpr uint8_t REPORT_BUSY_STATUS = 0x24;
constexpr uint8_t REPORT_DEVICE_INFO = 0x25;

constexpr uint8_t COMMAND_REBOOT = 1;
constexpr uint8_t COMMAND_SAVE_SETTINGS = 2;
constexpr uint8_t COMMAND_SWITCH_TO_DFU = 3;
constexpr uint8_t COMMAND_WRITE_HARDWARE_SETTINGS = 17;
constexpr uint8_t COMMAND_WRITE_EFFECT_SETTINGS = 18;

constexpr int PACKET_SIZE = 65;
constexpr int CHUNK_SIZE = 58;
constexpr int CHUNK_DATA_OFFSET = 6;
constexpr uint16_t BLOCK_TERMINATOR = 0xFFFF;

constexpr int DEVICE_INFO_SIZE = 64;
constexpr int EFFECT_RECORD_SIZE = 384;
constexpr int HARDWARE_RECORD_SIZE = 512;
// The busy report is a single status byte.
constexpr int BUSY_STATUS_SIZE = 1;

constexpr uint32_t DEFAULT_FIRMWARE_VERSION = 241123;

} // namespace FirmwareProtocol
