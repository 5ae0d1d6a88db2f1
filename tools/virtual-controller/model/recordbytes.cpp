// SPDX-License-Identifier: GPL-3.0-or-later
#include "recordbytes.h"

#include <bit>

namespace RecordBytes {

void putU8(QByteArray &record, int offset, quint8 value)
{
    record[offset] = char(value);
}

void putU16(QByteArray &record, int offset, quint16 value)
{
    putU8(record, offset, quint8(value));
    putU8(record, offset + 1, quint8(value >> 8));
}

void putU32(QByteArray &record, int offset, quint32 value)
{
    putU16(record, offset, quint16(value));
    putU16(record, offset + 2, quint16(value >> 16));
}

void putF32(QByteArray &record, int offset, float value)
{
    putU32(record, offset, std::bit_cast<quint32>(value));
}

quint8 u8(const QByteArray &record, int offset)
{
    return quint8(record.at(offset));
}

quint16 u16(const QByteArray &record, int offset)
{
    return quint16(u8(record, offset) | u8(record, offset + 1) << 8);
}

quint32 u32(const QByteArray &record, int offset)
{
    return quint32(u16(record, offset)) | quint32(u16(record, offset + 2)) << 16;
}

float f32(const QByteArray &record, int offset)
{
    return std::bit_cast<float>(u32(record, offset));
}

} // namespace RecordBytes
