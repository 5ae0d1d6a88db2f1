// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/protocolminimum.h"

#include "virtualcontroller.h"

#include <QtTest>

namespace {

constexpr uint16_t VENDOR = 0x045B;
constexpr uint16_t JOYSTICK = 22777;
constexpr uint8_t HARDWARE_REPORT = 0x21;
constexpr uint8_t EFFECT_REPORT = 0x22;
constexpr uint8_t STATUS_REPORT = 0x24;
constexpr uint8_t HARDWARE_BLOCK = 17;
constexpr uint8_t EFFECT_BLOCK = 18;
constexpr uint8_t SAVE_COMMAND = 2;

int u16At(const QByteArray &data, int at)
{
    return quint8(data.at(at)) | quint8(data.at(at + 1)) << 8;
}

// A record the factory would not ship, so a write of the wrong bytes shows.
QByteArray pattern(int length)
{
    QByteArray bytes(length, Qt::Uninitialized);
    for (int i = 0; i < length; ++i)
        bytes[i] = char((i * 13 + 5) % 251);
    return bytes;
}

} // namespace

class TestBenchProtocolMinimum : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void readIsOneGetOfTheReport();
    void applyWritesTheControllersOwnRecordBack_data();
    void applyWritesTheControllersOwnRecordBack();
    void saveCommitsAndWaitsTwice();
    void busyControllerGivesNoMinimum();
    void vanishedControllerGivesNoMinimum();
    void absentControllerCannotBeOpened();

private:
    VirtualController controller;
    std::unique_ptr<ProtocolMinimum> minimum;
    int id = -1;
};

void TestBenchProtocolMinimum::initTestCase()
{
    QVERIFY2(VirtualController::available(), "run under virtual-controller");
}

void TestBenchProtocolMinimum::init()
{
    QVERIFY(controller.reset());
    id = controller.plug(QStringLiteral("joystick,write-busy-ms=0,save-busy-ms=0"));
    QVERIFY(id > 0);
    minimum = std::make_unique<ProtocolMinimum>();
    QVERIFY(minimum->open(VENDOR, JOYSTICK));
    QVERIFY(controller.clearLog());
}

void TestBenchProtocolMinimum::cleanup()
{
    minimum.reset();
}

void TestBenchProtocolMinimum::readIsOneGetOfTheReport()
{
    QVERIFY(minimum->readMs(EFFECT_REPORT) > 0);
    const QList<Transfer> transfers = controller.transfers();
    QCOMPARE(transfers.size(), 1);
    QVERIFY(!transfers[0].isSet());
    QCOMPARE(transfers[0].wValue, 0x0300 | EFFECT_REPORT);
    QCOMPARE(transfers[0].wLength, 1024);
    QCOMPARE(transfers[0].result, 384);
}

void TestBenchProtocolMinimum::applyWritesTheControllersOwnRecordBack_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<int>("report");
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("length");
    QTest::newRow("effects") << "effect" << int(EFFECT_REPORT) << int(EFFECT_BLOCK) << 384;
    QTest::newRow("hardware") << "hardware" << int(HARDWARE_REPORT) << int(HARDWARE_BLOCK) << 512;
}

void TestBenchProtocolMinimum::applyWritesTheControllersOwnRecordBack()
{
    QFETCH(QString, record);
    QFETCH(int, report);
    QFETCH(int, command);
    QFETCH(int, length);
    QVERIFY(controller.writeRecord(id, record, pattern(length)));
    QVERIFY(controller.clearLog());

    // The transfers plus the one 100 ms sleep of the busy wait, which is added, not slept.
    QVERIFY(minimum->writeMs(uint8_t(report), uint8_t(command), length, false) >= ProtocolMinimum::STATUS_POLL_SLEEP_MS);

    const QList<Transfer> transfers = controller.transfers();
    const int chunks = length / 58 + 1;
    // The untimed read of the current record, the chunks, the terminator, one status
    // request, the verifying read.
    QCOMPARE(transfers.size(), 1 + chunks + 1 + 1 + 1);
    QCOMPARE(transfers.first().wValue, 0x0300 | report);
    for (int i = 0; i < chunks; ++i) {
        const Transfer &chunk = transfers[1 + i];
        QVERIFY(chunk.isSet());
        QCOMPARE(int(quint8(chunk.data.at(1))), command);
        QCOMPARE(u16At(chunk.data, 2), 58 * i);
        QCOMPARE(u16At(chunk.data, 4), length - 58 * i);
    }
    QCOMPARE(u16At(transfers[1 + chunks].data, 4), 0xFFFF);
    QCOMPARE(transfers[2 + chunks].wValue, 0x0300 | STATUS_REPORT);
    QCOMPARE(transfers.last().wValue, 0x0300 | report);
    QCOMPARE(controller.readRecord(id, record, false), pattern(length));
}

void TestBenchProtocolMinimum::saveCommitsAndWaitsTwice()
{
    QVERIFY(controller.writeRecord(id, QStringLiteral("effect"), pattern(384)));
    QVERIFY(controller.clearLog());

    QVERIFY(minimum->writeMs(EFFECT_REPORT, EFFECT_BLOCK, 384, true) >= 2 * ProtocolMinimum::STATUS_POLL_SLEEP_MS);

    const QList<Transfer> transfers = controller.transfers();
    QCOMPARE(transfers.size(), 1 + 8 + 1 + 1 + 1 + 1);
    const Transfer &save = transfers[transfers.size() - 3];
    QVERIFY(save.isSet());
    QCOMPARE(int(quint8(save.data.at(1))), int(SAVE_COMMAND));
    QCOMPARE(transfers[transfers.size() - 2].wValue, 0x0300 | STATUS_REPORT);
    QCOMPARE(transfers.last().wValue, 0x0300 | EFFECT_REPORT);
    // What was made permanent is the controller's own record, written back unchanged.
    QCOMPARE(controller.readRecord(id, QStringLiteral("effect"), true), pattern(384));
    QCOMPARE(controller.readRecord(id, QStringLiteral("effect"), false), pattern(384));
}

void TestBenchProtocolMinimum::busyControllerGivesNoMinimum()
{
    // A wait that would need more than one status request is no minimum of the protocol.
    QVERIFY(controller.set(id, QStringLiteral("busy-forever=1")));
    QVERIFY(minimum->writeMs(EFFECT_REPORT, EFFECT_BLOCK, 384, false) < 0);
}

void TestBenchProtocolMinimum::vanishedControllerGivesNoMinimum()
{
    QVERIFY(controller.unplug(id));
    QVERIFY(minimum->readMs(EFFECT_REPORT) < 0);
    QVERIFY(minimum->writeMs(HARDWARE_REPORT, HARDWARE_BLOCK, 512, true) < 0);
}

void TestBenchProtocolMinimum::absentControllerCannotBeOpened()
{
    ProtocolMinimum wheel;
    QVERIFY(!wheel.open(VENDOR, 22999));
}

QTEST_GUILESS_MAIN(TestBenchProtocolMinimum)
#include "tst_bench_protocolminimum.moc"
