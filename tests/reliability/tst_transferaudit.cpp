// SPDX-License-Identifier: GPL-3.0-or-later
#include "transferaudit.h"
#include "transfershape.h"

#include <QtTest>

#include <functional>

namespace {

constexpr int DEVICE = 1;
constexpr int OTHER_DEVICE = 2;
constexpr int EFFECTS = TransferAudit::EFFECT_BLOCK;
constexpr int HARDWARE = TransferAudit::HARDWARE_BLOCK;
constexpr int STALL = -32;
constexpr int NO_DEVICE = -19;

Transfer setPacket(int device, int command, int offset, int remaining, const QByteArray &chunk, int result)
{
    Transfer transfer;
    transfer.id = device;
    transfer.bmRequestType = 0x21;
    transfer.bRequest = 0x09;
    transfer.wValue = 0x0320;
    transfer.wLength = 65;
    transfer.data = QByteArray(65, '\0');
    transfer.data[0] = 0x20;
    transfer.data[1] = char(command);
    transfer.data[2] = char(offset & 0xFF);
    transfer.data[3] = char(offset >> 8);
    transfer.data[4] = char(remaining & 0xFF);
    transfer.data[5] = char(remaining >> 8);
    transfer.data.replace(6, chunk.size(), chunk);
    transfer.result = result;
    return transfer;
}

Transfer get(int device, int reportId, const QByteArray &reply, int result)
{
    Transfer transfer;
    transfer.id = device;
    transfer.bmRequestType = 0xA1;
    transfer.bRequest = 0x01;
    transfer.wValue = 0x0300 | reportId;
    transfer.wLength = 1024;
    transfer.data = reply;
    transfer.result = result;
    return transfer;
}

Transfer status(int device, char busy)
{
    return get(device, 0x24, QByteArray(1, busy), 1);
}

Transfer failedStatus(int device)
{
    return get(device, 0x24, QByteArray(), NO_DEVICE);
}

Transfer probe(int device)
{
    return get(device, 0x25, QByteArray(64, '\0'), 64);
}

// The save command: 0x20, 2 and zero bytes.
Transfer command2(int device, int result = 65)
{
    return setPacket(device, 2, 0, 0, QByteArray(), result);
}

QByteArray record(int command, char seed)
{
    QByteArray bytes(TransferAudit::recordLength(command), '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(seed + i * 7);
    return bytes;
}

// The chunks of a block write as the tool sends them, without the terminator.
QList<Transfer> chunks(int device, int command, const QByteArray &bytes)
{
    QList<Transfer> packets;
    for (int offset = 0; offset <= bytes.size(); offset += 58)
        packets << setPacket(device, command, offset, int(bytes.size()) - offset, bytes.mid(offset, 58), 65);
    return packets;
}

Transfer terminator(const QList<Transfer> &chunks, int result = 65)
{
    Transfer last = chunks.last();
    last.data[4] = char(0xFF);
    last.data[5] = char(0xFF);
    last.result = result;
    return last;
}

QList<Transfer> blockWrite(int device, int command, const QByteArray &bytes)
{
    QList<Transfer> packets = chunks(device, command, bytes);
    packets << terminator(packets);
    return packets;
}

// Block write, busy wait until idle, save command, busy wait until idle.
QList<Transfer> save(int device, int command, const QByteArray &bytes)
{
    return blockWrite(device, command, bytes)
        + QList<Transfer>{status(device, 1), status(device, 0), command2(device), status(device, 1), status(device, 0)};
}

QList<Transfer> apply(int device, int command, const QByteArray &bytes)
{
    return blockWrite(device, command, bytes) + QList<Transfer>{status(device, 0)};
}

QList<Transfer> without(QList<Transfer> transfers, int index)
{
    transfers.removeAt(index);
    return transfers;
}

QList<Transfer> failedAt(QList<Transfer> transfers, int index, int result = STALL)
{
    transfers[index].result = result;
    return transfers;
}

} // namespace

Q_DECLARE_METATYPE(Transfer)

// The checks the reliability tests run over the transfer log must see every way of
// breaking the write rules, and must not cry wolf over the tool's legitimate behaviour.
class TestTransferAudit : public QObject
{
    Q_OBJECT

private slots:
    void acceptedLogs_data();
    void acceptedLogs();
    void brokenRules_data();
    void brokenRules();
    void reassemblesTheRecordsWritten();
    void acknowledgement_data();
    void acknowledgement();
    void permanentCandidates();
    void shapeOfACommand();
};

void TestTransferAudit::acceptedLogs_data()
{
    QTest::addColumn<QList<Transfer>>("log");
    const QByteArray effects = record(EFFECTS, 3);
    const QByteArray hardware = record(HARDWARE, 5);
    const QList<Transfer> effectChunks = chunks(DEVICE, EFFECTS, effects);

    QTest::newRow("save") << save(DEVICE, EFFECTS, effects);
    QTest::newRow("apply, then save of the other record") << apply(DEVICE, EFFECTS, effects) + save(DEVICE, HARDWARE, hardware);
    QTest::newRow("write stopped at a failed chunk")
        << failedAt(effectChunks.mid(0, 4), 3, NO_DEVICE) + QList<Transfer>{get(DEVICE, 0x25, {}, NO_DEVICE)};
    QTest::newRow("write stalled at once, then sent again")
        << failedAt(effectChunks.mid(0, 1), 0) + apply(DEVICE, EFFECTS, effects);
    QList<Transfer> interleaved = blockWrite(DEVICE, EFFECTS, effects);
    interleaved.insert(3, probe(OTHER_DEVICE));
    QTest::newRow("another controller's probe in between") << interleaved;
    QTest::newRow("busy wait ended by a failed status, no save")
        << blockWrite(DEVICE, EFFECTS, effects) + QList<Transfer>{failedStatus(DEVICE)};
}

void TestTransferAudit::acceptedLogs()
{
    QFETCH(QList<Transfer>, log);
    const TransferAudit audit(log);
    QVERIFY2(audit.problems().isEmpty(), qPrintable(audit.problems().join(QLatin1Char('\n'))));
}

void TestTransferAudit::brokenRules_data()
{
    QTest::addColumn<QList<Transfer>>("log");
    QTest::addColumn<QString>("problem");
    const QByteArray effects = record(EFFECTS, 3);
    const QList<Transfer> write = blockWrite(DEVICE, EFFECTS, effects);
    const QList<Transfer> effectChunks = chunks(DEVICE, EFFECTS, effects);
    const QList<Transfer> idleSave{status(DEVICE, 0), command2(DEVICE)};

    QTest::newRow("chunk missing") << without(write, 3) << "where 174 was due";
    QList<Transfer> swapped = write;
    swapped.swapItemsAt(1, 2);
    QTest::newRow("chunks out of order") << swapped << "where 58 was due";
    QList<Transfer> wrongRemaining = write;
    wrongRemaining[2].data[4] = char(0);
    QTest::newRow("wrong remaining") << wrongRemaining << "bytes remain";
    QTest::newRow("chunk after a failed chunk") << failedAt(effectChunks, 3) << "went on after a failed packet";
    QTest::newRow("terminator after a failed chunk") << failedAt(write, 6) << "terminator sent after a failed packet";
    QTest::newRow("early terminator") << effectChunks.mid(0, 4) + QList<Transfer>{terminator(effectChunks.mid(0, 4))}
                                      << "terminator after 4 of 7 chunks";
    QList<Transfer> probed = write;
    probed.insert(4, probe(DEVICE));
    QTest::newRow("probe inside a block write") << probed << "interrupted";
    QList<Transfer> movedTerminator = write;
    movedTerminator.last().data[2] = char(0);
    QTest::newRow("terminator with another offset") << movedTerminator << "repeat the last chunk's offset";
    QTest::newRow("terminator of the other record")
        << effectChunks + QList<Transfer>{terminator(chunks(DEVICE, HARDWARE, record(HARDWARE, 1)))}
        << "terminator of another record";
    QTest::newRow("save after a failed status")
        << write + QList<Transfer>{failedStatus(DEVICE), command2(DEVICE)} << "save command without";
    QTest::newRow("save while busy") << write + QList<Transfer>{status(DEVICE, 1), command2(DEVICE)} << "save command without";
    QTest::newRow("save without a busy wait") << write + QList<Transfer>{command2(DEVICE)} << "save command without";
    QTest::newRow("save after an unanswered terminator")
        << failedAt(write, int(write.size()) - 1) + idleSave << "save command without";
    QTest::newRow("save without a block write") << idleSave << "save command without";
    QTest::newRow("save after another controller's write")
        << blockWrite(OTHER_DEVICE, EFFECTS, effects) + QList<Transfer>{status(OTHER_DEVICE, 0), command2(DEVICE)}
        << "save command without";
    QTest::newRow("second save of one write") << save(DEVICE, EFFECTS, effects) + idleSave << "save command without";
}

void TestTransferAudit::brokenRules()
{
    QFETCH(QList<Transfer>, log);
    QFETCH(QString, problem);
    const TransferAudit audit(log);
    const QString problems = audit.problems().join(QLatin1Char('\n'));
    QVERIFY2(problems.contains(problem), qPrintable(QStringLiteral("expected \"%1\", found: %2").arg(problem, problems)));
}

void TestTransferAudit::reassemblesTheRecordsWritten()
{
    const QByteArray effects = record(EFFECTS, 9);
    const QByteArray hardware = record(HARDWARE, 11);
    const TransferAudit audit(apply(DEVICE, EFFECTS, effects) + apply(OTHER_DEVICE, HARDWARE, hardware));
    QCOMPARE(audit.writes().size(), 2);
    QCOMPARE(audit.writes().at(0).record, effects);
    QCOMPARE(audit.writes().at(0).deviceId, DEVICE);
    QCOMPARE(audit.writes().at(0).command, EFFECTS);
    QVERIFY(audit.writes().at(0).committed);
    QCOMPARE(audit.writes().at(1).record, hardware);
    QCOMPARE(audit.writes().at(1).deviceId, OTHER_DEVICE);
    // 8 and 10 packets, terminators included.
    QCOMPARE(audit.writes().at(0).terminatorAt, 7);
    QCOMPARE(audit.writes().at(1).terminatorAt, 8 + 1 + 9);
}

void TestTransferAudit::acknowledgement_data()
{
    QTest::addColumn<QList<Transfer>>("afterSaveCommand");
    QTest::addColumn<bool>("acknowledged");
    QTest::newRow("idle at once") << QList<Transfer>{status(DEVICE, 0)} << true;
    QTest::newRow("idle after busy") << QList<Transfer>{status(DEVICE, 1), status(DEVICE, 1), status(DEVICE, 0)} << true;
    QTest::newRow("status fails") << QList<Transfer>{status(DEVICE, 1), failedStatus(DEVICE)} << false;
    QTest::newRow("empty status") << QList<Transfer>{get(DEVICE, 0x24, {}, 0)} << false;
    QTest::newRow("never idle") << QList<Transfer>{status(DEVICE, 1), status(DEVICE, 1)} << false;
    QTest::newRow("another controller idle") << QList<Transfer>{status(OTHER_DEVICE, 0)} << false;
}

void TestTransferAudit::acknowledgement()
{
    QFETCH(QList<Transfer>, afterSaveCommand);
    QFETCH(bool, acknowledged);
    const QList<Transfer> log = blockWrite(DEVICE, EFFECTS, record(EFFECTS, 1))
        + QList<Transfer>{status(DEVICE, 0), command2(DEVICE)} + afterSaveCommand;
    const TransferAudit audit(log);
    QVERIFY(audit.problems().isEmpty());
    QCOMPARE(audit.saves().size(), 1);
    QCOMPARE(audit.saves().first().acknowledged, acknowledged);
    QCOMPARE(audit.acknowledgedSaves(), acknowledged ? 1 : 0);

    // A save command that itself failed is never acknowledged, whatever follows.
    QList<Transfer> failedCommand = log;
    failedCommand[9].result = STALL;
    QCOMPARE(TransferAudit(failedCommand).acknowledgedSaves(), 0);
}

void TestTransferAudit::permanentCandidates()
{
    const QByteArray first = record(EFFECTS, 1);
    const QByteArray applied = record(EFFECTS, 2);
    const QByteArray second = record(EFFECTS, 3);
    const QByteArray hardware = record(HARDWARE, 4);

    QVERIFY(TransferAudit(apply(DEVICE, EFFECTS, first)).permanentCandidates(DEVICE, EFFECTS).isEmpty());

    // A later write may have been made permanent by a later save of the other record.
    const TransferAudit applyAfterSave(save(DEVICE, EFFECTS, first) + apply(DEVICE, EFFECTS, applied)
                                       + save(DEVICE, HARDWARE, hardware));
    QCOMPARE(applyAfterSave.permanentCandidates(DEVICE, EFFECTS), (QList<QByteArray>{first, applied}));
    QCOMPARE(applyAfterSave.permanentCandidates(DEVICE, HARDWARE), QList<QByteArray>{hardware});
    QVERIFY(applyAfterSave.permanentCandidates(OTHER_DEVICE, EFFECTS).isEmpty());

    // A later acknowledged save of the same record supersedes the earlier one.
    const TransferAudit twoSaves(save(DEVICE, EFFECTS, first) + save(DEVICE, EFFECTS, second));
    QCOMPARE(twoSaves.permanentCandidates(DEVICE, EFFECTS), QList<QByteArray>{second});

    // A write that was cut short was never taken and cannot be in memory.
    const TransferAudit cutShort(save(DEVICE, EFFECTS, first) + failedAt(chunks(DEVICE, EFFECTS, second), 3, NO_DEVICE).mid(0, 4));
    QCOMPARE(cutShort.permanentCandidates(DEVICE, EFFECTS), QList<QByteArray>{first});
}

void TestTransferAudit::shapeOfACommand()
{
    QList<Transfer> log = save(DEVICE, EFFECTS, record(EFFECTS, 1));
    log.insert(9, probe(DEVICE));
    log.insert(2, probe(OTHER_DEVICE));
    log.last() = failedStatus(DEVICE);
    QCOMPARE(TransferShape::of(log, DEVICE), QStringLiteral("S18x8 G24x2 S2x1 G24x1 G24!x1"));
    // From the status request after the probe on: the save command and its busy wait.
    QCOMPARE(TransferShape::of(log, DEVICE, 11), QStringLiteral("G24x1 S2x1 G24x1 G24!x1"));
    QCOMPARE(TransferShape::of(log, OTHER_DEVICE), QString());
    QCOMPARE(TransferShape::step(get(DEVICE, 0x21, {}, STALL)), QStringLiteral("G21!"));
}

QTEST_GUILESS_MAIN(TestTransferAudit)
#include "tst_transferaudit.moc"
