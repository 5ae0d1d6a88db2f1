// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// Little-endian field access inside a record image, at any (also unaligned) offset.
namespace RecordBytes {

void putU8(QByteArray &record, int offset, quint8 value);
void putU16(QByteArray &record, int offset, quint16 value);
void putU32(QByteArray &record, int offset, quint32 value);
void putF32(QByteArray &record, int offset, float value);

quint8 u8(const QByteArray &record, int offset);
quint16 u16(const QByteArray &record, int offset);
quint32 u32(const QByteArray &record, int offset);
float f32(const QByteArray &record, int offset);

} // namespace RecordBytes
