// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>

// The packets of one block write, built the way the host sends them: one 65-byte packet
// reused for every chunk, so the terminator keeps the last chunk's offset and data.
QList<QByteArray> blockPackets(quint8 command, const QByteArray &record);
// A plain command packet: 0x20, command, 63 zero bytes.
QByteArray commandPacket(quint8 command);
// A record whose every byte differs from its neighbours, so a misplaced chunk shows.
QByteArray patternRecord(int length, int seed = 0);
