// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// Puts a record back together from the block packets of one block write: numbered chunks
// of 58 bytes at offsets 0, 58, 116, ... with the bytes remaining from each offset, closed
// by a packet whose remaining field is 0xFFFF. The sender reuses one packet, so the
// terminator repeats the last chunk's offset and carries stale data, which is ignored; a
// record whose length is a multiple of 58 ends with an extra empty chunk.
//
// Anything out of order (a gap, a repeated chunk, a wrong remaining count, a chunk of
// another record, a terminator too early) drops the sequence: a record is only ever
// completed whole. A chunk at offset 0 always starts a new sequence, abandoning one that
// never got its terminator.
class BlockAssembler
{
public:
    enum class Result {
        Accepted,   // chunk taken, sequence goes on
        Completed,  // terminator of a whole sequence: record() holds the record
        Rejected,   // packet does not fit: any sequence in progress is dropped
    };

    // `packet` is a whole block packet (report id, command, offset, remaining, data);
    // `recordLength` the length of the record its command writes.
    Result feed(const QByteArray &packet, int recordLength);
    // Drops a sequence in progress.
    void abandon();

    bool inSequence() const { return m_collecting; }
    // Command and bytes of the record the last Completed result closed.
    quint8 command() const { return m_command; }
    QByteArray record() const { return m_record; }

private:
    Result acceptTerminator(quint8 command, int offset);
    Result acceptChunk(const QByteArray &packet, quint8 command, int offset, int remaining, int recordLength);

    bool m_collecting = false;
    quint8 m_command = 0;
    int m_length = 0;
    int m_nextOffset = 0;
    int m_lastOffset = 0;
    QByteArray m_record;
};
