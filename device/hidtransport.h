#pragma once

#include <cstdint>

struct libusb_device_handle;

// HID feature-report exchange with a controller: three stateless operations over an open
// handle. Every transfer is a synchronous control transfer on interface 0 with a 1000 ms
// timeout; the caller makes sure no two threads use one handle at the same time.
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
constexpr unsigned TRANSFER_TIMEOUT_MS = 1000;

// One GET_REPORT of a feature report into `buffer`, which holds at least `length` bytes.
// Returns the number of bytes received or a negative libusb error code. Byte 0 of the
// reply is byte 0 of the record: no report-id byte is stripped.
int getFeatureReport(libusb_device_handle *handle, uint8_t reportId, uint8_t *buffer, uint16_t length);

// One SET_REPORT of a plain command packet (0x20, command, 63 zero bytes).
int sendCommand(libusb_device_handle *handle, uint8_t command);

// Sends a record in 58-byte chunks followed by a terminating packet. Stops at the first
// packet that does not go out whole and returns false; the terminator is then not sent.
// Whether the controller has taken the record is learned afterwards from its busy status.
bool writeSettingsBlock(libusb_device_handle *handle, uint8_t command, const uint8_t *data, uint16_t length);

} // namespace HidTransport
