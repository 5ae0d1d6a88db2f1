// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/protocolminimum.h"

#include "device/channelopener.h"
#include "device/devicechannel.h"
#include "device/usbsession.h"

#include <QElapsedTimer>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr uint8_t COMMAND_REPORT = 0x20;
constexpr uint8_t BUSY_STATUS_REPORT = 0x24;
constexpr uint8_t SAVE_COMMAND = 2;
constexpr int PACKET_SIZE = 65;
constexpr int CHUNK_SIZE = 58;
constexpr uint16_t READ_LENGTH = 1024;

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
    channel.reset();
    session.reset();
}

bool ProtocolMinimum::open(uint16_t vendorId, uint16_t productId)
{
    // A channel of our own, beside the tool's.
    if (!session)
        session = std::make_unique<UsbSession>();
    if (!channel) {
        ChannelOpener opener(vendorId);
        opener.lookAround();
        channel = opener.open(productId).channel;
    }
    return channel != nullptr;
}

int ProtocolMinimum::get(uint8_t reportId, uint8_t *buffer)
{
    return channel->getFeatureReport(reportId, buffer, READ_LENGTH);
}

bool ProtocolMinimum::set(const uint8_t *packet)
{
    return channel->setFeatureReport(packet, PACKET_SIZE) == PACKET_SIZE;
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
    idle = idle && get(reportId, reply.data()) >= recordLength;
    const double elapsed = clock.nsecsElapsed() / 1e6;
    return idle ? elapsed + busyWaits * STATUS_POLL_SLEEP_MS : -1;
}
