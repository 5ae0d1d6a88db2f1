// SPDX-License-Identifier: GPL-3.0-or-later
#include "blockassembler.h"
#include "blockpackets.h"

#include <QTest>

using Result = BlockAssembler::Result;

class TestBlockAssembler : public QObject
{
    Q_OBJECT

private slots:
    void wholeSequenceCompletesTheRecord_data();
    void wholeSequenceCompletesTheRecord();
    void terminatorCarriesStaleDataThatIsIgnored();
    void lengthMultipleOf58NeedsTheEmptyChunk();
    void gapDropsTheSequence();
    void repeatedChunkDropsTheSequence();
    void wrongRemainingDropsTheSequence();
    void chunkOfTheOtherRecordDropsTheSequence();
    void newSequenceReplacesOneWithoutTerminator();
    void terminatorWithoutSequenceIsRejected();
    void terminatorWithOtherOffsetIsRejected();
    void secondTerminatorIsRejected();
    void truncatedPacketIsRejected();

private:
    static Result feedAll(BlockAssembler &assembler, const QList<QByteArray> &packets, int length);
};

Result TestBlockAssembler::feedAll(BlockAssembler &assembler, const QList<QByteArray> &packets, int length)
{
    Result last = Result::Rejected;
    for (const QByteArray &packet : packets)
        last = assembler.feed(packet, length);
    return last;
}

void TestBlockAssembler::wholeSequenceCompletesTheRecord_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("packets");
    QTest::newRow("effect record") << 18 << 384 << 8;
    QTest::newRow("hardware record") << 17 << 512 << 10;
}

void TestBlockAssembler::wholeSequenceCompletesTheRecord()
{
    QFETCH(int, command);
    QFETCH(int, length);
    QFETCH(int, packets);
    const QByteArray record = patternRecord(length);
    const QList<QByteArray> sequence = blockPackets(quint8(command), record);
    QCOMPARE(sequence.size(), packets);

    BlockAssembler assembler;
    for (int i = 0; i < sequence.size() - 1; ++i) {
        QCOMPARE(assembler.feed(sequence.at(i), length), Result::Accepted);
        QVERIFY(assembler.inSequence());
    }
    QCOMPARE(assembler.feed(sequence.last(), length), Result::Completed);
    QVERIFY(!assembler.inSequence());
    QCOMPARE(int(assembler.command()), command);
    QCOMPARE(assembler.record(), record);
}

void TestBlockAssembler::terminatorCarriesStaleDataThatIsIgnored()
{
    const QByteArray record = patternRecord(384);
    const QList<QByteArray> sequence = blockPackets(18, record);
    const QByteArray &terminator = sequence.last();
    // The sender's packet as it stands after the last chunk: offset 348, 36 fresh bytes and
    // 22 bytes left over from the chunk before.
    QCOMPARE(terminator.mid(2, 2), QByteArray::fromHex("5c01"));
    QCOMPARE(terminator.mid(6, 36), record.mid(348, 36));
    QCOMPARE(terminator.mid(42, 22), record.mid(326, 22));

    BlockAssembler assembler;
    QCOMPARE(feedAll(assembler, sequence, 384), Result::Completed);
    QCOMPARE(assembler.record(), record);
}

void TestBlockAssembler::lengthMultipleOf58NeedsTheEmptyChunk()
{
    const QByteArray record = patternRecord(116);
    QList<QByteArray> sequence = blockPackets(18, record);
    QCOMPARE(sequence.size(), 4); // chunks at 0 and 58, the empty one at 116, terminator
    QCOMPARE(sequence.at(2).mid(2, 4), QByteArray::fromHex("74000000"));

    BlockAssembler assembler;
    QCOMPARE(feedAll(assembler, sequence, 116), Result::Completed);
    QCOMPARE(assembler.record(), record);

    QByteArray earlyTerminator = sequence.at(1);
    earlyTerminator[4] = char(0xFF);
    earlyTerminator[5] = char(0xFF);
    QCOMPARE(feedAll(assembler, {sequence.at(0), sequence.at(1), earlyTerminator}, 116), Result::Rejected);
}

void TestBlockAssembler::gapDropsTheSequence()
{
    QList<QByteArray> sequence = blockPackets(18, patternRecord(384));
    sequence.removeAt(3);
    BlockAssembler assembler;
    QCOMPARE(feedAll(assembler, sequence.mid(0, 3), 384), Result::Accepted);
    QCOMPARE(assembler.feed(sequence.at(3), 384), Result::Rejected);
    QVERIFY(!assembler.inSequence());
    QCOMPARE(feedAll(assembler, sequence.mid(4), 384), Result::Rejected);
}

void TestBlockAssembler::repeatedChunkDropsTheSequence()
{
    QList<QByteArray> sequence = blockPackets(17, patternRecord(512));
    sequence.insert(2, sequence.at(1));
    BlockAssembler assembler;
    QCOMPARE(feedAll(assembler, sequence, 512), Result::Rejected);
}

void TestBlockAssembler::wrongRemainingDropsTheSequence()
{
    QList<QByteArray> sequence = blockPackets(18, patternRecord(384));
    sequence[2][4] = char(sequence[2][4] + 1);
    BlockAssembler assembler;
    QCOMPARE(assembler.feed(sequence.at(0), 384), Result::Accepted);
    QCOMPARE(assembler.feed(sequence.at(1), 384), Result::Accepted);
    QCOMPARE(assembler.feed(sequence.at(2), 384), Result::Rejected);
    QCOMPARE(feedAll(assembler, sequence.mid(3), 384), Result::Rejected);
}

void TestBlockAssembler::chunkOfTheOtherRecordDropsTheSequence()
{
    const QList<QByteArray> effects = blockPackets(18, patternRecord(384));
    const QList<QByteArray> hardware = blockPackets(17, patternRecord(512));
    BlockAssembler assembler;
    QCOMPARE(feedAll(assembler, effects.mid(0, 2), 384), Result::Accepted);
    QCOMPARE(assembler.feed(hardware.at(2), 512), Result::Rejected);
    QCOMPARE(feedAll(assembler, effects.mid(2), 384), Result::Rejected);
}

void TestBlockAssembler::newSequenceReplacesOneWithoutTerminator()
{
    const QList<QByteArray> first = blockPackets(18, patternRecord(384, 1));
    const QByteArray second = patternRecord(512, 2);
    BlockAssembler assembler;
    QCOMPARE(feedAll(assembler, first.mid(0, first.size() - 1), 384), Result::Accepted);
    QCOMPARE(feedAll(assembler, blockPackets(17, second), 512), Result::Completed);
    QCOMPARE(int(assembler.command()), 17);
    QCOMPARE(assembler.record(), second);
}

void TestBlockAssembler::terminatorWithoutSequenceIsRejected()
{
    BlockAssembler assembler;
    QCOMPARE(assembler.feed(blockPackets(18, patternRecord(384)).last(), 384), Result::Rejected);
}

void TestBlockAssembler::terminatorWithOtherOffsetIsRejected()
{
    QList<QByteArray> sequence = blockPackets(18, patternRecord(384));
    sequence.last()[2] = 0;
    sequence.last()[3] = 0;
    BlockAssembler assembler;
    QCOMPARE(feedAll(assembler, sequence, 384), Result::Rejected);
}

void TestBlockAssembler::secondTerminatorIsRejected()
{
    const QList<QByteArray> sequence = blockPackets(18, patternRecord(384));
    BlockAssembler assembler;
    QCOMPARE(feedAll(assembler, sequence, 384), Result::Completed);
    QCOMPARE(assembler.feed(sequence.last(), 384), Result::Rejected);
}

void TestBlockAssembler::truncatedPacketIsRejected()
{
    const QList<QByteArray> sequence = blockPackets(18, patternRecord(384));
    BlockAssembler assembler;
    QCOMPARE(assembler.feed(sequence.at(0), 384), Result::Accepted);
    QCOMPARE(assembler.feed(sequence.at(1).left(40), 384), Result::Rejected);
    QVERIFY(!assembler.inSequence());
}

QTEST_APPLESS_MAIN(TestBlockAssembler)
#include "tst_vc_blockassembler.moc"
