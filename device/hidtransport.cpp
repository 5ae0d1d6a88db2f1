// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/hidtransport.h"

#include "device/devicechannel.h"

#include <QtGlobal>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN,
              "records travel as they lie in memory and the controller is little-endian");

namespace HidTransport {

namespace {

using Packet = std::array<uint8_t, PACKET_SIZE>;

int sendPacket(DeviceChannel &channel, const Packet &packet)
{
    return channel.setFeatureReport(packet.data(), PACKET_SIZE);
}

void putU16(Packet &packet, int at, uint16_t value)
{
    packet[at] = uint8_t(value & 0xFF);
    packet[at + 1] = uint8_t(value >> 8);
}

bool sentWhole(int sent, int *error)
{
    if (sent == PACKET_SIZE)
        return true;
    if (error)
        *error = sent < 0 ? sent : -EIO;
    return false;
}

} // namespace

int getFeatureReport(DeviceChannel &channel, uint8_t reportId, uint8_t *buffer, uint16_t length)
{
    return channel.getFeatureReport(reportId, buffer, length);
}

int sendCommand(DeviceChannel &channel, uint8_t command)
{
    Packet packet{};
    packet[0] = REPORT_COMMAND;
    packet[1] = command;
    return sendPacket(channel, packet);
}

bool writeSettingsBlock(DeviceChannel &channel, uint8_t command, const uint8_t *data, uint16_t length,
                        int *error)
{
    // One packet reused for every chunk: the controller expects the terminator to carry
    // the last chunk's offset and data unchanged.
    Packet packet{};
    packet[0] = REPORT_COMMAND;
    packet[1] = command;

    // A chunk that did not go out stops the write before the terminator, so the controller
    // never gets the signal to take a record with a hole in it.
    const int chunks = length / BLOCK_CHUNK_SIZE + 1;
    for (int i = 0; i < chunks; ++i) {
        const uint16_t offset = uint16_t(i * BLOCK_CHUNK_SIZE);
        const uint16_t remaining = uint16_t(length - offset);
        putU16(packet, 2, offset);
        putU16(packet, 4, remaining);
        std::memcpy(packet.data() + 6, data + offset, std::min<int>(remaining, BLOCK_CHUNK_SIZE));
        if (!sentWhole(sendPacket(channel, packet), error))
            return false;
    }
    putU16(packet, 4, BLOCK_TERMINATOR);
    return sentWhole(sendPacket(channel, packet), error);
}

} // namespace HidTransport
