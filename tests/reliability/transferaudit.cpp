// SPDX-License-Identifier: GPL-3.0-or-later
#include "transferaudit.h"

#include "transfershape.h"

#include <algorithm>

namespace {

constexpr int PACKET_SIZE = 65;
constexpr int CHUNK_SIZE = 58;
constexpr int COMMAND_REPORT = 0x20;
constexpr int STATUS_REPORT = 0x24;
constexpr int SAVE_COMMAND = 2;
constexpr int TERMINATOR = 0xFFFF;

int u16At(const QByteArray &bytes, int at)
{
    return quint8(bytes.at(at)) | quint8(bytes.at(at + 1)) << 8;
}

bool isCommandPacket(const Transfer &transfer)
{
    return transfer.isSet() && transfer.reportId() == COMMAND_REPORT && transfer.data.size() == PACKET_SIZE
        && quint8(transfer.data.at(0)) == COMMAND_REPORT;
}

int commandOf(const Transfer &transfer)
{
    return isCommandPacket(transfer) ? quint8(transfer.data.at(1)) : -1;
}

bool answeredWhole(const Transfer &transfer)
{
    return transfer.result == PACKET_SIZE;
}

} // namespace

TransferAudit::TransferAudit(const QList<Transfer> &log)
{
    for (qsizetype at = 0; at < log.size(); ++at)
        take(at, log.at(at));
}

int TransferAudit::recordLength(int command)
{
    switch (command) {
    case HARDWARE_BLOCK:
        return 512;
    case EFFECT_BLOCK:
        return 384;
    default:
        return 0;
    }
}

int TransferAudit::acknowledgedSaves() const
{
    return int(std::count_if(m_saves.cbegin(), m_saves.cend(), [](const Save &save) { return save.acknowledged; }));
}

QList<QByteArray> TransferAudit::permanentCandidates(int deviceId, int command) const
{
    const auto last = std::find_if(m_saves.crbegin(), m_saves.crend(), [&](const Save &save) {
        return save.acknowledged && save.deviceId == deviceId && m_writes.at(save.writeIndex).command == command;
    });
    if (last == m_saves.crend())
        return {};
    QList<QByteArray> candidates{m_writes.at(last->writeIndex).record};
    for (const BlockWrite &write : m_writes)
        if (write.deviceId == deviceId && write.command == command && write.committed
            && write.terminatorAt > last->commandAt)
            candidates << write.record;
    return candidates;
}

void TransferAudit::take(qsizetype at, const Transfer &transfer)
{
    DeviceState &state = m_devices[transfer.id];
    const int command = commandOf(transfer);
    if (recordLength(command) > 0) {
        if (u16At(transfer.data, 4) == TERMINATOR)
            takeTerminator(at, transfer, state);
        else
            takeChunk(at, transfer, state);
        return;
    }

    if (state.write) {
        if (!state.write->failed)
            problem(at, transfer, QStringLiteral("block write interrupted before its terminator"));
        state.write.reset();
    }
    if (!transfer.isSet() && transfer.reportId() == STATUS_REPORT) {
        takeStatus(transfer, state);
    } else if (command == SAVE_COMMAND) {
        takeSaveCommand(at, transfer, state);
    } else if (transfer.isSet()) {
        // Reboot and DFU reload the working memory: nothing before them is left to save.
        state.committedWrite = -1;
        state.awaitingAcknowledgement = -1;
    }
}

void TransferAudit::takeChunk(qsizetype at, const Transfer &transfer, DeviceState &state)
{
    const int command = commandOf(transfer);
    const int length = recordLength(command);
    const int offset = u16At(transfer.data, 2);
    const int remaining = u16At(transfer.data, 4);

    if (offset == 0) {
        if (state.write && !state.write->failed)
            problem(at, transfer, QStringLiteral("block write started over before its terminator"));
        state.write = OpenWrite{command, QByteArray(length, '\0'), 0, 0, false, false};
    } else if (!state.write) {
        problem(at, transfer, QStringLiteral("chunk at offset %1 without the chunks before it").arg(offset));
        return;
    }
    OpenWrite &write = *state.write;
    if (write.failed) {
        problem(at, transfer, QStringLiteral("block write went on after a failed packet"));
        write.malformed = true;
    }
    if (command != write.command) {
        problem(at, transfer, QStringLiteral("chunk of another record inside a block write"));
        write.malformed = true;
    }
    if (offset != write.nextOffset) {
        problem(at, transfer, QStringLiteral("chunk at offset %1 where %2 was due").arg(offset).arg(write.nextOffset));
        write.malformed = true;
    }
    if (remaining != length - offset) {
        problem(at, transfer, QStringLiteral("chunk at offset %1 says %2 bytes remain, not %3").arg(offset).arg(remaining).arg(length - offset));
        write.malformed = true;
    }
    const int size = std::clamp(std::min(remaining, CHUNK_SIZE), 0, std::max(length - offset, 0));
    if (size > 0)
        write.record.replace(offset, size, transfer.data.mid(6, size));
    write.lastOffset = offset;
    write.nextOffset = offset + CHUNK_SIZE;
    if (!answeredWhole(transfer))
        write.failed = true;
}

void TransferAudit::takeTerminator(qsizetype at, const Transfer &transfer, DeviceState &state)
{
    if (!state.write) {
        problem(at, transfer, QStringLiteral("terminator without a block write"));
        return;
    }
    const OpenWrite write = *state.write;
    state.write.reset();
    const int command = commandOf(transfer);
    const int chunks = recordLength(write.command) / CHUNK_SIZE + 1;
    bool wellFormed = !write.malformed;
    if (write.failed) {
        problem(at, transfer, QStringLiteral("terminator sent after a failed packet"));
        wellFormed = false;
    }
    if (command != write.command) {
        problem(at, transfer, QStringLiteral("terminator of another record"));
        wellFormed = false;
    }
    if (write.nextOffset != chunks * CHUNK_SIZE) {
        problem(at, transfer, QStringLiteral("terminator after %1 of %2 chunks").arg(write.nextOffset / CHUNK_SIZE).arg(chunks));
        wellFormed = false;
    }
    if (u16At(transfer.data, 2) != write.lastOffset) {
        problem(at, transfer, QStringLiteral("terminator does not repeat the last chunk's offset"));
        wellFormed = false;
    }
    const bool committed = wellFormed && answeredWhole(transfer);
    m_writes << BlockWrite{transfer.id, write.command, write.record, at, committed};
    state.committedWrite = committed ? m_writes.size() - 1 : -1;
    state.idleAfterWrite = false;
}

void TransferAudit::takeStatus(const Transfer &transfer, DeviceState &state)
{
    const bool answered = transfer.result >= 1 && !transfer.data.isEmpty();
    const bool idle = answered && transfer.data.at(0) == 0;
    if (state.committedWrite >= 0)
        state.idleAfterWrite = idle;
    if (state.awaitingAcknowledgement >= 0) {
        if (idle)
            m_saves[state.awaitingAcknowledgement].acknowledged = true;
        if (idle || !answered)
            state.awaitingAcknowledgement = -1;
    }
}

void TransferAudit::takeSaveCommand(qsizetype at, const Transfer &transfer, DeviceState &state)
{
    const bool earned = state.committedWrite >= 0 && state.idleAfterWrite;
    if (!earned)
        problem(at, transfer, QStringLiteral("save command without a taken block write and an idle controller before it"));
    m_saves << Save{transfer.id, at, state.committedWrite, false};
    state.awaitingAcknowledgement = earned && answeredWhole(transfer) ? m_saves.size() - 1 : -1;
    state.committedWrite = -1;
    state.idleAfterWrite = false;
}

void TransferAudit::problem(qsizetype at, const Transfer &transfer, const QString &what)
{
    m_problems << QStringLiteral("transfer %1 (device %2, %3): %4").arg(at).arg(transfer.id).arg(TransferShape::step(transfer), what);
}
