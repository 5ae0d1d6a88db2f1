#include "bench/protocolminimum.h"

#include <libusb.h>

#include <QElapsedTimer>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr uint8_t CLASS_INTERFACE_IN = 0xA1;
constexpr uint8_t CLASS_INTERFACE_OUT = 0x21;
constexpr uint8_t GET_REPORT = 0x01;
constexpr uint8_t SET_REPORT = 0x09;
constexpr uint16_t FEATURE_REPORT = 0x0300;
constexpr uint8_t COMMAND_REPORT = 0x20;
constexpr uint8_t BUSY_STATUS_REPORT = 0x24;
constexpr uint8_t SAVE_COMMAND = 2;
constexpr int PACKET_SIZE = 65;
constexpr int CHUNK_SIZE = 58;
constexpr uint16_t READ_LENGTH = 1024;
constexpr unsigned TIMEOUT_MS = 1000;

using Packet = std::array<uint8_t, PACKET_SIZE>;

void putU16(Packet &packet, int at, int value)
{
    packet[at] = uint8_t(value & 0xFF);
    packet[at + 1] = uint8_t((value >> 8) & 0xFF);
}

} // namespace

ProtocolMinimum::ProtocolMinimum() = default;

ProtocolMinimum::~ProtocolMinimum()
{
    if (handle)
        libusb_close(handle);
    if (context)
        libusb_exit(context);
}

bool ProtocolMinimum::open(uint16_t vendorId, uint16_t productId)
{
    // A context of our own, so the tool's default context is left alone.
    if (!context && libusb_init(&context) != LIBUSB_SUCCESS)
        return false;
    if (!handle)
        handle = libusb_open_device_with_vid_pid(context, vendorId, productId);
    return handle != nullptr;
}

int ProtocolMinimum::get(uint8_t reportId, uint8_t *buffer)
{
    return libusb_control_transfer(handle, CLASS_INTERFACE_IN, GET_REPORT, FEATURE_REPORT | reportId, 0, buffer,
                                   READ_LENGTH, TIMEOUT_MS);
}

bool ProtocolMinimum::set(uint8_t *packet)
{
    return libusb_control_transfer(handle, CLASS_INTERFACE_OUT, SET_REPORT, FEATURE_REPORT | COMMAND_REPORT, 0,
                                   packet, PACKET_SIZE, TIMEOUT_MS)
           == PACKET_SIZE;
}

bool ProtocolMinimum::sendCommand(uint8_t command)
{
    Packet packet{};
    packet[0] = COMMAND_REPORT;
    packet[1] = command;
    return set(packet.data());
}

bool ProtocolMinimum::writeBlock(uint8_t command, const QByteArray &record)
{
    Packet packet{};
    packet[0] = COMMAND_REPORT;
    packet[1] = command;
    const int length = int(record.size());
    for (int offset = 0; offset <= length; offset += CHUNK_SIZE) {
        putU16(packet, 2, offset);
        putU16(packet, 4, length - offset);
        std::memcpy(packet.data() + 6, record.constData() + offset, std::min(length - offset, CHUNK_SIZE));
        if (!set(packet.data()))
            return false;
    }
    putU16(packet, 4, 0xFFFF);
    return set(packet.data());
}

bool ProtocolMinimum::statusIdle()
{
    std::array<uint8_t, READ_LENGTH> reply{};
    return get(BUSY_STATUS_REPORT, reply.data()) >= 1 && reply[0] == 0;
}

double ProtocolMinimum::readMs(uint8_t reportId)
{
    std::array<uint8_t, READ_LENGTH> reply{};
    QElapsedTimer clock;
    clock.start();
    const bool read = get(reportId, reply.data()) >= 0;
    const double elapsed = clock.nsecsElapsed() / 1e6;
    return read ? elapsed : -1;
}

double ProtocolMinimum::writeMs(uint8_t reportId, uint8_t writeCommand, int recordLength, bool save)
{
    std::array<uint8_t, READ_LENGTH> reply{};
    if (get(reportId, reply.data()) < recordLength)
        return -1;
    const QByteArray record(reinterpret_cast<const char *>(reply.data()), recordLength);

    QElapsedTimer clock;
    clock.start();
    bool idle = writeBlock(writeCommand, record) && statusIdle();
    int busyWaits = 1;
    if (idle && save) {
        idle = sendCommand(SAVE_COMMAND) && statusIdle();
        ++busyWaits;
    }
    const double elapsed = clock.nsecsElapsed() / 1e6;
    return idle ? elapsed + busyWaits * STATUS_POLL_SLEEP_MS : -1;
}
