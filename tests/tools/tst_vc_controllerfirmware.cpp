// SPDX-License-Identifier: GPL-3.0-or-later
#include "blockpackets.h"
#include "controllerfirmware.h"
#include "defaultrecords.h"
#include "manualclock.h"
#include "recordbytes.h"
#include "statefile.h"

#include <QTemporaryDir>
#include <QTest>

using Action = ControllerFirmware::Action;

class TestControllerFirmware : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void deviceInfoCarriesVersionAndType();
    void settingsReportsAreTheWorkingRecords();
    void busyReportIsOneByte();
    void unknownReportsAreRefused();

    void blockWriteReplacesTheWorkingRecord_data();
    void blockWriteReplacesTheWorkingRecord();
    void blockWriteKeepsTheControllerBusyForItsTime();
    void incompleteBlockWriteChangesNothing();
    void commandInTheMiddleAbandonsTheBlock();

    void saveCopiesWorkingToPermanentAndKeepsBusy();
    void rebootAndDfuAreAnnounced();
    void restartReloadsWorkingFromPermanent();
    void malformedPacketsAreRefused_data();
    void malformedPacketsAreRefused();

    void saveWritesTheStateFile();
    void writeRecordSetsBothMemoriesAndTheStateFile();
    void stateFileOfWrongSizeIsRefused();

private:
    void feed(const QList<QByteArray> &packets);

    ManualClock clock;
    std::unique_ptr<ControllerFirmware> firmware;
    QByteArray factoryEffects;
    QByteArray factoryHardware;
};

void TestControllerFirmware::init()
{
    factoryEffects = DefaultRecords::effects(ControllerKind::Joystick);
    factoryHardware = DefaultRecords::hardware(ControllerKind::Joystick);
    firmware = std::make_unique<ControllerFirmware>(clock, SettingsMemory(factoryEffects, factoryHardware));
    firmware->setIdentity(241123, 1);
    firmware->setBusyTimes(20, 150);
}

void TestControllerFirmware::feed(const QList<QByteArray> &packets)
{
    for (const QByteArray &packet : packets)
        QCOMPARE(firmware->receivePacket(packet), std::optional<Action>(Action::None));
}

void TestControllerFirmware::deviceInfoCarriesVersionAndType()
{
    firmware->setIdentity(0x01020304, 3);
    const std::optional<QByteArray> info = firmware->featureReport(0x25);
    QVERIFY(info);
    QCOMPARE(info->size(), 64);
    QCOMPARE(info->left(5), QByteArray::fromHex("0403020103"));
    QCOMPARE(info->mid(5), QByteArray(59, '\0'));
}

void TestControllerFirmware::settingsReportsAreTheWorkingRecords()
{
    QCOMPARE(firmware->featureReport(0x21), std::optional<QByteArray>(factoryHardware));
    QCOMPARE(firmware->featureReport(0x22), std::optional<QByteArray>(factoryEffects));
}

void TestControllerFirmware::busyReportIsOneByte()
{
    QCOMPARE(firmware->featureReport(0x24), std::optional<QByteArray>(QByteArray(1, '\0')));
    feed({commandPacket(2)});
    QCOMPARE(firmware->featureReport(0x24), std::optional<QByteArray>(QByteArray(1, '\1')));
}

void TestControllerFirmware::unknownReportsAreRefused()
{
    for (quint8 id : {0x00, 0x20, 0x23, 0x26, 0xFF})
        QVERIFY2(!firmware->featureReport(id), qPrintable(QString::number(id, 16)));
}

void TestControllerFirmware::blockWriteReplacesTheWorkingRecord_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("report");
    QTest::addColumn<int>("length");
    QTest::newRow("effects") << 18 << 0x22 << 384;
    QTest::newRow("hardware") << 17 << 0x21 << 512;
}

void TestControllerFirmware::blockWriteReplacesTheWorkingRecord()
{
    QFETCH(int, command);
    QFETCH(int, report);
    QFETCH(int, length);
    const QByteArray record = patternRecord(length, command);
    feed(blockPackets(quint8(command), record));
    QCOMPARE(firmware->featureReport(quint8(report)), std::optional<QByteArray>(record));
    const RecordKind kind = command == 18 ? RecordKind::Effects : RecordKind::Hardware;
    QCOMPARE(firmware->memory().permanent(kind), command == 18 ? factoryEffects : factoryHardware);
}

void TestControllerFirmware::blockWriteKeepsTheControllerBusyForItsTime()
{
    const QList<QByteArray> packets = blockPackets(18, patternRecord(384));
    feed(packets.mid(0, packets.size() - 1));
    QVERIFY(!firmware->isBusy()); // nothing to do before the terminator
    feed({packets.last()});
    QVERIFY(firmware->isBusy());
    clock.advance(19);
    QVERIFY(firmware->isBusy());
    clock.advance(1);
    QVERIFY(!firmware->isBusy());
}

void TestControllerFirmware::incompleteBlockWriteChangesNothing()
{
    QList<QByteArray> packets = blockPackets(17, patternRecord(512));
    packets.removeAt(5);
    feed(packets);
    QCOMPARE(firmware->memory().working(RecordKind::Hardware), factoryHardware);
    QVERIFY(!firmware->isBusy());
}

void TestControllerFirmware::commandInTheMiddleAbandonsTheBlock()
{
    const QList<QByteArray> packets = blockPackets(18, patternRecord(384));
    feed(packets.mid(0, 4));
    feed({commandPacket(2)});
    clock.advance(1000);
    feed(packets.mid(4));
    QCOMPARE(firmware->memory().working(RecordKind::Effects), factoryEffects);
    QVERIFY(!firmware->isBusy());
}

void TestControllerFirmware::saveCopiesWorkingToPermanentAndKeepsBusy()
{
    const QByteArray record = patternRecord(384);
    feed(blockPackets(18, record));
    clock.advance(20);
    feed({commandPacket(2)});
    QCOMPARE(firmware->memory().permanent(RecordKind::Effects), record);
    QCOMPARE(firmware->memory().permanent(RecordKind::Hardware), factoryHardware);
    clock.advance(149);
    QVERIFY(firmware->isBusy());
    clock.advance(1);
    QVERIFY(!firmware->isBusy());
}

void TestControllerFirmware::rebootAndDfuAreAnnounced()
{
    QCOMPARE(firmware->receivePacket(commandPacket(1)), std::optional<Action>(Action::Reboot));
    QCOMPARE(firmware->receivePacket(commandPacket(3)), std::optional<Action>(Action::SwitchToDfu));
}

void TestControllerFirmware::restartReloadsWorkingFromPermanent()
{
    const QByteArray saved = patternRecord(512, 1);
    feed(blockPackets(17, saved));
    feed({commandPacket(2)});
    const QByteArray applied = patternRecord(512, 2);
    feed(blockPackets(17, applied));
    const QList<QByteArray> pending = blockPackets(18, patternRecord(384));
    feed(pending.mid(0, 3));

    firmware->restart();
    QVERIFY(!firmware->isBusy());
    QCOMPARE(firmware->memory().working(RecordKind::Hardware), saved);
    // The half-sent block died with the restart.
    feed(pending.mid(3));
    QCOMPARE(firmware->memory().working(RecordKind::Effects), factoryEffects);
}

void TestControllerFirmware::malformedPacketsAreRefused_data()
{
    QTest::addColumn<QByteArray>("packet");
    QTest::newRow("64 bytes") << commandPacket(2).left(64);
    QTest::newRow("66 bytes") << commandPacket(2) + '\0';
    QByteArray otherReport = commandPacket(2);
    otherReport[0] = 0x21;
    QTest::newRow("other report id") << otherReport;
    QTest::newRow("unknown command") << commandPacket(4);
    QTest::newRow("command 0") << commandPacket(0);
}

void TestControllerFirmware::malformedPacketsAreRefused()
{
    QFETCH(QByteArray, packet);
    QVERIFY(!firmware->receivePacket(packet));
    QVERIFY(!firmware->isBusy());
}

void TestControllerFirmware::saveWritesTheStateFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state.bin"));
    firmware->setStateFile(path);
    const QByteArray record = patternRecord(384, 5);
    feed(blockPackets(18, record));
    QVERIFY(!QFile::exists(path)); // applying alone does not touch permanent memory
    feed({commandPacket(2)});

    QString error;
    const std::optional<SettingsMemory> stored = StateFile::load(path, &error);
    QVERIFY2(stored, qPrintable(error));
    QCOMPARE(stored->permanent(RecordKind::Effects), record);
    QCOMPARE(stored->working(RecordKind::Effects), record);
    QCOMPARE(stored->permanent(RecordKind::Hardware), factoryHardware);
    QVERIFY(firmware->stateFileError().isEmpty());
}

void TestControllerFirmware::writeRecordSetsBothMemoriesAndTheStateFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state.bin"));
    firmware->setStateFile(path);
    const QByteArray record = patternRecord(512, 9);
    firmware->writeRecord(RecordKind::Hardware, record);
    QCOMPARE(firmware->memory().working(RecordKind::Hardware), record);
    QCOMPARE(firmware->memory().permanent(RecordKind::Hardware), record);
    QString error;
    const std::optional<SettingsMemory> stored = StateFile::load(path, &error);
    QVERIFY(stored);
    QCOMPARE(stored->permanent(RecordKind::Hardware), record);
}

void TestControllerFirmware::stateFileOfWrongSizeIsRefused()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state.bin"));
    QString error;
    QVERIFY(!StateFile::load(path, &error));
    QVERIFY(error.isEmpty()); // no file yet is not an error

    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(895, '\0'));
    file.close();
    QVERIFY(!StateFile::load(path, &error));
    QVERIFY(error.contains(QStringLiteral("896")));
}

QTEST_APPLESS_MAIN(TestControllerFirmware)
#include "tst_vc_controllerfirmware.moc"
