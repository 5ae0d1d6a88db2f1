// SPDX-License-Identifier: GPL-3.0-or-later
#include "blockpackets.h"
#include "defaultrecords.h"
#include "emulatedcontroller.h"
#include "manualclock.h"

#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

namespace {

ControlSetup getReport(int reportId, int length = 1024)
{
    return {0xA1, 0x01, quint16(0x0300 | reportId), 0, quint16(length)};
}

ControlSetup setReport()
{
    return {0x21, 0x09, 0x0320, 0, 65};
}

} // namespace

class TestEmulatedController : public QObject
{
    Q_OBJECT

private slots:
    void replyCarriesWhatTheReportHolds_data();
    void replyCarriesWhatTheReportHolds();
    void replyIsCutToTheRequestedLength();
    void otherRequestsStall_data();
    void otherRequestsStall();
    void setTakesCommandPackets();
    void rebootAndDfuLeaveTheBus();

    void stallFaultHitsOnlyItsReport();
    void stallOfTheCommandReportHitsSets();
    void statusFailStallsTheBusyReport();
    void busyForeverKeepsReportingBusy();
    void shortCutsEveryReply();
    void unplugAfterCountsTransfers();

    void recordFilesSeedTheMemory();
    void unusableRecordFilesAreReported();
    void stateFileWinsOverRecordFiles();
    void writeRecordChecksTheSize();
    void identityFollowsRuntimeOptions();

private:
    std::unique_ptr<EmulatedController> make(const QString &description);

    ManualClock clock;
};

std::unique_ptr<EmulatedController> TestEmulatedController::make(const QString &description)
{
    QString error;
    const std::optional<DeviceOptions> options = DeviceOptions::parse(description, {}, &error);
    if (!options)
        return nullptr;
    return EmulatedController::create(*options, clock, &error);
}

void TestEmulatedController::replyCarriesWhatTheReportHolds_data()
{
    QTest::addColumn<int>("report");
    QTest::addColumn<int>("length");
    QTest::newRow("device info") << 0x25 << 64;
    QTest::newRow("hardware") << 0x21 << 512;
    QTest::newRow("effects") << 0x22 << 384;
    QTest::newRow("busy") << 0x24 << 1;
}

void TestEmulatedController::replyCarriesWhatTheReportHolds()
{
    QFETCH(int, report);
    QFETCH(int, length);
    auto controller = make(QStringLiteral("joystick"));
    const ControlResult result = controller->handleControl(getReport(report), {});
    QCOMPARE(result.status, length);
    QCOMPARE(result.reply.size(), length);
    QCOMPARE(result.busEvent, BusEvent::None);
}

void TestEmulatedController::replyIsCutToTheRequestedLength()
{
    auto controller = make(QStringLiteral("wheel"));
    const ControlResult result = controller->handleControl(getReport(0x22, 10), {});
    QCOMPARE(result.status, 10);
    QCOMPARE(result.reply, DefaultRecords::effects(ControllerKind::Wheel).left(10));
}

void TestEmulatedController::otherRequestsStall_data()
{
    QTest::addColumn<int>("requestType");
    QTest::addColumn<int>("request");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("index");
    QTest::newRow("unknown feature report") << 0xA1 << 0x01 << 0x0323 << 0;
    QTest::newRow("input report") << 0xA1 << 0x01 << 0x0125 << 0;
    QTest::newRow("other interface") << 0xA1 << 0x01 << 0x0325 << 1;
    QTest::newRow("GET of the command report") << 0xA1 << 0x01 << 0x0320 << 0;
    QTest::newRow("standard descriptor request") << 0x80 << 0x06 << 0x0100 << 0;
    QTest::newRow("SET of another report") << 0x21 << 0x09 << 0x0322 << 0;
    QTest::newRow("HID SET_IDLE") << 0x21 << 0x0A << 0 << 0;
}

void TestEmulatedController::otherRequestsStall()
{
    QFETCH(int, requestType);
    QFETCH(int, request);
    QFETCH(int, value);
    QFETCH(int, index);
    auto controller = make(QStringLiteral("joystick"));
    const ControlSetup setup{quint8(requestType), quint8(request), quint16(value), quint16(index),
                             quint16(requestType & 0x80 ? 1024 : 65)};
    const ControlResult result = controller->handleControl(setup, requestType & 0x80 ? QByteArray() : commandPacket(2));
    QCOMPARE(result.status, -EPIPE);
    QVERIFY(!controller->isBusy()); // a stalled SET does nothing
}

void TestEmulatedController::setTakesCommandPackets()
{
    auto controller = make(QStringLiteral("joystick"));
    const QByteArray record = patternRecord(384);
    for (const QByteArray &packet : blockPackets(18, record))
        QCOMPARE(controller->handleControl(setReport(), packet).status, 65);
    QCOMPARE(controller->record(RecordKind::Effects, false), record);
    QVERIFY(controller->isBusy());
    QCOMPARE(controller->handleControl(getReport(0x24), {}).reply, QByteArray(1, '\1'));
    QCOMPARE(controller->handleControl(setReport(), commandPacket(9)).status, -EPIPE);
}

void TestEmulatedController::rebootAndDfuLeaveTheBus()
{
    auto controller = make(QStringLiteral("joystick"));
    const ControlResult reboot = controller->handleControl(setReport(), commandPacket(1));
    QCOMPARE(reboot.status, 65);
    QCOMPARE(reboot.busEvent, BusEvent::Reboot);
    QCOMPARE(controller->handleControl(setReport(), commandPacket(3)).busEvent, BusEvent::SwitchToDfu);
}

void TestEmulatedController::stallFaultHitsOnlyItsReport()
{
    auto controller = make(QStringLiteral("joystick,stall=0x22"));
    QCOMPARE(controller->handleControl(getReport(0x22), {}).status, -EPIPE);
    QCOMPARE(controller->handleControl(getReport(0x21), {}).status, 512);
    QCOMPARE(controller->handleControl(setReport(), commandPacket(2)).status, 65);
    QString error;
    QVERIFY(controller->setOptions(QStringLiteral("stall=0"), &error));
    QCOMPARE(controller->handleControl(getReport(0x22), {}).status, 384);
}

void TestEmulatedController::stallOfTheCommandReportHitsSets()
{
    auto controller = make(QStringLiteral("joystick,stall=0x20"));
    const QByteArray before = controller->record(RecordKind::Effects, false);
    for (const QByteArray &packet : blockPackets(18, patternRecord(384)))
        QCOMPARE(controller->handleControl(setReport(), packet).status, -EPIPE);
    QCOMPARE(controller->record(RecordKind::Effects, false), before);
    QCOMPARE(controller->handleControl(getReport(0x25), {}).status, 64);
}

void TestEmulatedController::statusFailStallsTheBusyReport()
{
    auto controller = make(QStringLiteral("rudder,status-fail=1"));
    QCOMPARE(controller->handleControl(getReport(0x24), {}).status, -EPIPE);
    QCOMPARE(controller->handleControl(getReport(0x25), {}).status, 64);
}

void TestEmulatedController::busyForeverKeepsReportingBusy()
{
    auto controller = make(QStringLiteral("rudder,busy-forever=1"));
    clock.advance(1000000);
    QVERIFY(controller->isBusy());
    QCOMPARE(controller->handleControl(getReport(0x24), {}).reply, QByteArray(1, '\1'));
    QString error;
    QVERIFY(controller->setOptions(QStringLiteral("busy-forever=0"), &error));
    QCOMPARE(controller->handleControl(getReport(0x24), {}).reply, QByteArray(1, '\0'));
}

void TestEmulatedController::shortCutsEveryReply()
{
    auto controller = make(QStringLiteral("joystick,short=10"));
    QCOMPARE(controller->handleControl(getReport(0x21), {}).status, 10);
    QCOMPARE(controller->handleControl(getReport(0x24), {}).status, 1);
    QString error;
    QVERIFY(controller->setOptions(QStringLiteral("short=0"), &error));
    const ControlResult empty = controller->handleControl(getReport(0x25), {});
    QCOMPARE(empty.status, 0);
    QVERIFY(empty.reply.isEmpty());
    QCOMPARE(controller->handleControl(setReport(), commandPacket(2)).status, 65); // SETs go on
}

void TestEmulatedController::unplugAfterCountsTransfers()
{
    auto controller = make(QStringLiteral("joystick,unplug-after=3"));
    QCOMPARE(controller->handleControl(getReport(0x25), {}).busEvent, BusEvent::None);
    QCOMPARE(controller->handleControl(getReport(0x23), {}).busEvent, BusEvent::None); // a stall counts
    const ControlResult third = controller->handleControl(getReport(0x25), {});
    QCOMPARE(third.status, 64); // answered before leaving
    QCOMPARE(third.busEvent, BusEvent::Unplug);
    QCOMPARE(controller->options().faults.unplugAfterTransfers, 0);
    QCOMPARE(controller->handleControl(getReport(0x25), {}).busEvent, BusEvent::None);
}

void TestEmulatedController::recordFilesSeedTheMemory()
{
    QTemporaryDir dir;
    const QByteArray effects = patternRecord(384, 3);
    const QByteArray hardware = patternRecord(512, 4);
    QFile effectsFile(dir.filePath(QStringLiteral("fx")));
    QVERIFY(effectsFile.open(QIODevice::WriteOnly) && effectsFile.write(effects) == 384);
    effectsFile.close();
    QFile hardwareFile(dir.filePath(QStringLiteral("hw")));
    QVERIFY(hardwareFile.open(QIODevice::WriteOnly) && hardwareFile.write(hardware) == 512);
    hardwareFile.close();

    auto controller = make(QStringLiteral("joystick,effects=%1,hardware=%2").arg(effectsFile.fileName(), hardwareFile.fileName()));
    QVERIFY(controller);
    QCOMPARE(controller->record(RecordKind::Effects, false), effects);
    QCOMPARE(controller->record(RecordKind::Effects, true), effects);
    QCOMPARE(controller->record(RecordKind::Hardware, false), hardware);
}

void TestEmulatedController::unusableRecordFilesAreReported()
{
    QTemporaryDir dir;
    QFile shortFile(dir.filePath(QStringLiteral("short")));
    QVERIFY(shortFile.open(QIODevice::WriteOnly) && shortFile.write(QByteArray(383, 'x')) == 383);
    shortFile.close();

    QString error;
    DeviceOptions options = *DeviceOptions::parse(QStringLiteral("joystick"), {}, &error);
    options.effectsFile = shortFile.fileName();
    QVERIFY(!EmulatedController::create(options, clock, &error));
    QVERIFY(error.contains(QStringLiteral("384")));

    options.effectsFile.clear();
    options.hardwareFile = dir.filePath(QStringLiteral("missing"));
    error.clear();
    QVERIFY(!EmulatedController::create(options, clock, &error));
    QVERIFY(error.contains(QStringLiteral("missing")));
}

void TestEmulatedController::stateFileWinsOverRecordFiles()
{
    QTemporaryDir dir;
    const QString state = dir.filePath(QStringLiteral("state"));
    const QByteArray saved = patternRecord(384, 7);
    {
        auto first = make(QStringLiteral("joystick,state=%1").arg(state));
        for (const QByteArray &packet : blockPackets(18, saved))
            first->handleControl(setReport(), packet);
        QCOMPARE(first->handleControl(setReport(), commandPacket(2)).status, 65);
    }
    QFile effectsFile(dir.filePath(QStringLiteral("fx")));
    QVERIFY(effectsFile.open(QIODevice::WriteOnly) && effectsFile.write(patternRecord(384, 8)) == 384);
    effectsFile.close();

    auto second = make(QStringLiteral("joystick,state=%1,effects=%2").arg(state, effectsFile.fileName()));
    QVERIFY(second);
    QCOMPARE(second->record(RecordKind::Effects, false), saved);
    QCOMPARE(second->record(RecordKind::Hardware, true), DefaultRecords::hardware(ControllerKind::Joystick));
}

void TestEmulatedController::writeRecordChecksTheSize()
{
    auto controller = make(QStringLiteral("joystick"));
    QString error;
    QVERIFY(!controller->writeRecord(RecordKind::Hardware, QByteArray(384, 'x'), &error));
    QVERIFY(controller->writeRecord(RecordKind::Effects, QByteArray(384, 'x'), &error));
    QCOMPARE(controller->record(RecordKind::Effects, true), QByteArray(384, 'x'));
}

void TestEmulatedController::identityFollowsRuntimeOptions()
{
    auto controller = make(QStringLiteral("wheel"));
    QString error;
    QVERIFY(controller->setOptions(QStringLiteral("firmware=241200,type=7"), &error));
    const QByteArray info = controller->handleControl(getReport(0x25), {}).reply;
    QCOMPARE(info.left(5), QByteArray::fromHex("30ae030007"));
    QVERIFY(!controller->setOptions(QStringLiteral("state=/tmp/elsewhere"), &error));
}

QTEST_APPLESS_MAIN(TestEmulatedController)
#include "tst_vc_emulatedcontroller.moc"
