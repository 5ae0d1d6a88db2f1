// SPDX-License-Identifier: GPL-3.0-or-later
#include "blockassembler.h"

#include "firmwareprotocol.h"
#include "recordbytes.h"

#include <algorithm>

using namespace FirmwareProtocol;

BlockAssembler::Result BlockAssembler::feed(const QByteArray &packet, int recordLength)
{
    if (packet.size() < CHUNK_DATA_OFFSET + CHUNK_SIZE) {
        abandon();
        return Result::Rejected;
    }
    const quint8 command = RecordBytes::u8(packet, 1);
    const int offset = RecordBytes::u16(packet, 2);
    const int remaining = RecordBytes::u16(packet, 4);
    if (remaining == BLOCK_TERMINATOR)
        return acceptTerminator(command, offset);
    return acceptChunk(packet, command, offset, remaining, recordLength);
}

void BlockAssembler::abandon()
{
    m_collecting = false;
}

BlockAssembler::Result BlockAssembler::acceptTerminator(quint8 command, int offset)
{
    // All chunks are in once the next expected offset has passed the record's end.
    const bool whole = m_collecting && command == m_command && m_nextOffset > m_length
                       && offset == m_lastOffset;
    m_collecting = false;
    return whole ? Result::Completed : Result::Rejected;
}

BlockAssembler::Result BlockAssembler::acceptChunk(const QByteArray &packet, quint8 command, int offset,
                                                   int remaining, int recordLength)
{
    if (offset == 0) {
        m_collecting = true;
        m_command = command;
        m_length = recordLength;
        m_nextOffset = 0;
        m_record = QByteArray(recordLength, '\0');
    }
    const bool fits = m_collecting && command == m_command && offset == m_nextOffset
                      && offset <= m_length && remaining == m_length - offset;
    if (!fits) {
        abandon();
        return Result::Rejected;
    }
    const int count = std::min(remaining, CHUNK_SIZE);
    std::copy_n(packet.constData() + CHUNK_DATA_OFFSET, count, m_record.data() + offset);
    m_lastOffset = offset;
    m_nextOffset = offset + CHUNK_SIZE;
    return Result::Accepted;
}
