// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "transfer.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QStringList>

#include <optional>

// Replays a virtual controller's transfer log the way the controllers took it and lists
// every place where the tool broke its write rules:
// - a block write runs from the chunk at offset 0 to the terminator with every chunk in
//   order, each with its right `remaining`, and nothing else sent to that controller in
//   between;
// - a block write stops at the first packet that failed and sends no terminator;
// - the save command follows only a block write whose terminator was taken and a busy
//   wait that ended with the controller reporting idle.
// It also keeps the records the terminated writes carried and which saves the controller
// acknowledged, so that its permanent memory can be checked against them.
class TransferAudit
{
public:
    static constexpr int HARDWARE_BLOCK = 17;
    static constexpr int EFFECT_BLOCK = 18;

    struct BlockWrite {
        int deviceId = 0;
        int command = 0;
        QByteArray record;           // reassembled from the chunks
        qsizetype terminatorAt = -1; // index in the log
        bool committed = false;      // well-formed and its terminator was answered
    };

    struct Save {
        int deviceId = 0;
        qsizetype commandAt = -1;  // index in the log
        qsizetype writeIndex = -1; // the write it made permanent, index in writes()
        bool acknowledged = false; // answered, then the controller reported idle
    };

    explicit TransferAudit(const QList<Transfer> &log);

    static int recordLength(int command);

    const QStringList &problems() const { return m_problems; }
    const QList<BlockWrite> &writes() const { return m_writes; }
    const QList<Save> &saves() const { return m_saves; }
    int acknowledgedSaves() const;

    // What the permanent record of one kind may hold at the end of the log: the record of
    // the last acknowledged save of that kind, or a record written after it and made
    // permanent by a later save. Empty when no save of that kind was acknowledged.
    QList<QByteArray> permanentCandidates(int deviceId, int command) const;

private:
    struct OpenWrite {
        int command = 0;
        QByteArray record;
        int nextOffset = 0;
        int lastOffset = 0;
        bool failed = false;
        bool malformed = false;
    };

    struct DeviceState {
        std::optional<OpenWrite> write;
        qsizetype committedWrite = -1; // last committed write no save has used yet
        bool idleAfterWrite = false;
        qsizetype awaitingAcknowledgement = -1; // index in m_saves
    };

    void take(qsizetype at, const Transfer &transfer);
    void takeChunk(qsizetype at, const Transfer &transfer, DeviceState &state);
    void takeTerminator(qsizetype at, const Transfer &transfer, DeviceState &state);
    void takeStatus(const Transfer &transfer, DeviceState &state);
    void takeSaveCommand(qsizetype at, const Transfer &transfer, DeviceState &state);
    void problem(qsizetype at, const Transfer &transfer, const QString &what);

    QMap<int, DeviceState> m_devices;
    QList<BlockWrite> m_writes;
    QList<Save> m_saves;
    QStringList m_problems;
};
