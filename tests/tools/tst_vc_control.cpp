// SPDX-License-Identifier: GPL-3.0-or-later
// The runner's control channel, driven through the client library.
#include "blockpackets.h"
#include "virtualcontroller.h"

#include <QTest>

class TestVirtualControllerControl : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void idsCountFromOneAndRestartAfterReset();
    void infoDescribesTheDevice();
    void setChangesOptionsAtRunTime();
    void writtenRecordsGoToBothMemories_data();
    void writtenRecordsGoToBothMemories();
    void wrongRecordsAreRefused();
    void unplugAndReplugChangeThePlugState();
    void malformedCommandsAreErrors_data();
    void malformedCommandsAreErrors();
    void severalConnectionsAreServed();

private:
    VirtualController controller;
};

void TestVirtualControllerControl::initTestCase()
{
    QVERIFY2(VirtualController::available(), "run under virtual-controller");
}

void TestVirtualControllerControl::init()
{
    QVERIFY(controller.reset());
}

void TestVirtualControllerControl::idsCountFromOneAndRestartAfterReset()
{
    QCOMPARE(controller.plug(QStringLiteral("joystick")), 1);
    QCOMPARE(controller.plug(QStringLiteral("wheel")), 2);
    QCOMPARE(controller.plug(QStringLiteral("pedals")), -1);
    QCOMPARE(controller.plug(QStringLiteral("rudder")), 3);
    QVERIFY(controller.reset());
    bool ok = true;
    controller.command(QStringLiteral("info 3"), &ok);
    QVERIFY(!ok);
    QCOMPARE(controller.plug(QStringLiteral("collective")), 1);
}

void TestVirtualControllerControl::infoDescribesTheDevice()
{
    const int id = controller.plug(QStringLiteral("wheel"));
    bool ok = false;
    QCOMPARE(controller.command(QStringLiteral("info %1").arg(id), &ok),
             QStringLiteral("plugged=1 busy=0 pid=22999 type=3 firmware=241123 hidraw=/dev/hidraw0 "
                            "event=/dev/input/event0"));
    QVERIFY(ok);
    QVERIFY(controller.isPlugged(id));
    QVERIFY(!controller.isBusy(id));
}

void TestVirtualControllerControl::setChangesOptionsAtRunTime()
{
    const int id = controller.plug(QStringLiteral("joystick,driver=none"));
    QVERIFY(controller.set(id, QStringLiteral("firmware=241200,type=0x07,busy-forever=1")));
    QCOMPARE(controller.command(QStringLiteral("info %1").arg(id)),
             QStringLiteral("plugged=1 busy=1 pid=22777 type=7 firmware=241200"));
    QVERIFY(!controller.set(id, QStringLiteral("firmware=241201,colour=red")));
    QVERIFY(controller.command(QStringLiteral("info %1").arg(id)).endsWith(QLatin1String("firmware=241200")));
    // The kernel's driver is bound and let go at run time, and its hidraw node follows.
    QVERIFY(controller.set(id, QStringLiteral("driver=hid")));
    QCOMPARE(controller.hidrawNode(id), QStringLiteral("/dev/hidraw0"));
    QVERIFY(controller.set(id, QStringLiteral("driver=none")));
    QVERIFY(controller.hidrawNode(id).isEmpty());
    QVERIFY(!controller.set(id, QStringLiteral("driver=usbfs")));
}

void TestVirtualControllerControl::writtenRecordsGoToBothMemories_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<int>("length");
    QTest::newRow("effect") << "effect" << 384;
    QTest::newRow("hardware") << "hardware" << 512;
}

void TestVirtualControllerControl::writtenRecordsGoToBothMemories()
{
    QFETCH(QString, which);
    QFETCH(int, length);
    const int id = controller.plug(QStringLiteral("rudder"));
    const QByteArray factory = controller.readRecord(id, which, true);
    QCOMPARE(factory.size(), length);
    const QByteArray record = patternRecord(length, 11);
    QVERIFY(record != factory);
    QVERIFY(controller.writeRecord(id, which, record));
    QCOMPARE(controller.readRecord(id, which, false), record);
    QCOMPARE(controller.readRecord(id, which, true), record);
}

void TestVirtualControllerControl::wrongRecordsAreRefused()
{
    const int id = controller.plug(QStringLiteral("rudder"));
    const QByteArray before = controller.readRecord(id, QStringLiteral("effect"), false);
    QVERIFY(!controller.writeRecord(id, QStringLiteral("effect"), QByteArray(512, 'x')));
    QVERIFY(!controller.writeRecord(id, QStringLiteral("settings"), QByteArray(384, 'x')));
    bool ok = true;
    controller.command(QStringLiteral("write %1 effect %2").arg(id).arg(QString(768, QLatin1Char('z'))), &ok);
    QVERIFY(!ok);
    QCOMPARE(controller.readRecord(id, QStringLiteral("effect"), false), before);
}

void TestVirtualControllerControl::unplugAndReplugChangeThePlugState()
{
    const int id = controller.plug(QStringLiteral("joystick"));
    QVERIFY(controller.unplug(id));
    QVERIFY(!controller.isPlugged(id));
    QVERIFY(!controller.unplug(id));
    QVERIFY(controller.replug(id));
    QVERIFY(controller.isPlugged(id));
    // Replugging a plugged device pulls it and plugs it in again.
    QVERIFY(controller.replug(id));
    QVERIFY(controller.isPlugged(id));
}

void TestVirtualControllerControl::malformedCommandsAreErrors_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("empty") << "";
    QTest::newRow("unknown command") << "bogus";
    QTest::newRow("plug without kind") << "plug";
    QTest::newRow("plug unknown kind") << "plug pedals";
    QTest::newRow("plug with two descriptions") << "plug joystick wheel";
    QTest::newRow("unplug without id") << "unplug";
    QTest::newRow("id not a number") << "unplug one";
    QTest::newRow("no such device") << "unplug 99";
    QTest::newRow("set without options") << "set 1";
    QTest::newRow("set unknown option") << "set 1 colour=red";
    QTest::newRow("set record source") << "set 1 effects=/tmp/x";
    QTest::newRow("read without memory") << "read 1 effect";
    QTest::newRow("read unknown memory") << "read 1 effect sideways";
    QTest::newRow("read unknown record") << "read 1 firmware working";
    QTest::newRow("write odd hex") << "write 1 effect 0";
    QTest::newRow("info with extra words") << "info 1 now";
    QTest::newRow("reset with extra words") << "reset now";
    QTest::newRow("axis the joystick lacks") << "axis 1 ABS_Z 0";
    QTest::newRow("axis below its range") << "axis 1 ABS_RX -1";
    QTest::newRow("axis above its range") << "axis 1 ABS_X 32768";
    QTest::newRow("axis value not a number") << "axis 1 ABS_X left";
    QTest::newRow("button 0") << "button 1 0 1";
    QTest::newRow("button 33") << "button 1 33 1";
    QTest::newRow("button half pressed") << "button 1 1 2";
    QTest::newRow("stream too fast") << "stream 1 ABS_X 1001";
    QTest::newRow("stream without rate") << "stream 1 ABS_X";
}

void TestVirtualControllerControl::malformedCommandsAreErrors()
{
    QFETCH(QString, line);
    QCOMPARE(controller.plug(QStringLiteral("joystick")), 1);
    bool ok = true;
    const QString message = controller.command(line, &ok);
    QVERIFY(!ok);
    QVERIFY(!message.isEmpty());
    QVERIFY(controller.isPlugged(1)); // nothing happened to the device
}

void TestVirtualControllerControl::severalConnectionsAreServed()
{
    VirtualController other;
    const int id = controller.plug(QStringLiteral("joystick"));
    QVERIFY(other.isPlugged(id));
    QVERIFY(other.unplug(id));
    QVERIFY(!controller.isPlugged(id));
}

QTEST_GUILESS_MAIN(TestVirtualControllerControl)
#include "tst_vc_control.moc"
