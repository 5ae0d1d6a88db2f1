// SPDX-License-Identifier: GPL-3.0-or-later
#include "blockpackets.h"

#include <algorithm>

namespace {

void putU16(QByteArray &packet, int at, int value)
{
    packet[at] = char(value & 0xFF);
    packet[at + 1] = char(value >> 8 & 0xFF);
}

} // namespace

QList<QByteArray> blockPackets(quint8 command, const QByteArray &record)
{
    QList<QByteArray> packets;
    QByteArray packet(65, '\0');
    packet[0] = 0x20;
    packet[1] = char(command);
    const int length = int(record.size());
    for (int offset = 0; offset <= length; offset += 58) {
        putU16(packet, 2, offset);
        putU16(packet, 4, length - offset);
        std::copy_n(record.constData() + offset, std::min(length - offset, 58), packet.data() + 6);
        packets << packet;
    }
    putU16(packet, 4, 0xFFFF);
    packets << packet;
    return packets;
}

QByteArray commandPacket(quint8 command)
{
    QByteArray packet(65, '\0');
    packet[0] = 0x20;
    packet[1] = char(command);
    return packet;
}

QByteArray patternRecord(int length, int seed)
{
    QByteArray record(length, '\0');
    for (int i = 0; i < length; ++i)
        record[i] = char((i * 7 + seed * 31 + 1) % 251);
    return record;
}
