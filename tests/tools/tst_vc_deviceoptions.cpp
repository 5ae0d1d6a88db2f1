// SPDX-License-Identifier: GPL-3.0-or-later
#include "deviceoptions.h"

#include <QTest>

class TestDeviceOptions : public QObject
{
    Q_OBJECT

private slots:
    void kindGivesIdentityAndTimings();
    void identityCanBeOverridden();
    void recordSourcesAreTaken();
    void faultsAreTaken();
    void driverAndAccessAreNamed();
    void numbersAreDecimalOrHex();
    void offClearsAFault();
    void ownOptionsOverrideDefaults();
    void badDescriptionsAreRefused_data();
    void badDescriptionsAreRefused();
    void recordSourcesCannotChangeAtRunTime();
    void failedApplyChangesNothing();
    void keysAreKnown();
};

void TestDeviceOptions::kindGivesIdentityAndTimings()
{
    QString error;
    const std::optional<DeviceOptions> options = DeviceOptions::parse(QStringLiteral("joystick"), {}, &error);
    QVERIFY2(options, qPrintable(error));
    QCOMPARE(options->kind, ControllerKind::Joystick);
    QCOMPARE(options->productId, 22777);
    QCOMPARE(options->deviceType, 1);
    QCOMPARE(options->firmwareVersion, 241123u);
    QVERIFY(options->writeBusyMs > 0);
    QVERIFY(options->saveBusyMs > options->writeBusyMs);
    QVERIFY(options->rebootMs > 0);
    QVERIFY(options->stateFile.isEmpty());
    QCOMPARE(options->faults.shortReplyBytes, -1);
    QCOMPARE(options->faults.stallReportId, 0);
    QCOMPARE(options->driver, KernelDriver::Hid);
    QVERIFY(!options->accessDenied);
}

void TestDeviceOptions::identityCanBeOverridden()
{
    QString error;
    const std::optional<DeviceOptions> options =
        DeviceOptions::parse(QStringLiteral("wheel,firmware=241200,type=1,pid=0x1234"), {}, &error);
    QVERIFY2(options, qPrintable(error));
    QCOMPARE(options->kind, ControllerKind::Wheel);
    QCOMPARE(options->firmwareVersion, 241200u);
    QCOMPARE(options->deviceType, 1);
    QCOMPARE(options->productId, 0x1234);
}

void TestDeviceOptions::recordSourcesAreTaken()
{
    QString error;
    const std::optional<DeviceOptions> options = DeviceOptions::parse(
        QStringLiteral("rudder,state=/tmp/state.bin,effects=fx.bin,hardware=hw.bin"), {}, &error);
    QVERIFY2(options, qPrintable(error));
    QCOMPARE(options->stateFile, QStringLiteral("/tmp/state.bin"));
    QCOMPARE(options->effectsFile, QStringLiteral("fx.bin"));
    QCOMPARE(options->hardwareFile, QStringLiteral("hw.bin"));
}

void TestDeviceOptions::faultsAreTaken()
{
    QString error;
    const std::optional<DeviceOptions> options = DeviceOptions::parse(
        QStringLiteral("generic,unplug-after=3,unplug-at-ms=500,status-fail=1,busy-forever=1,short=10,"
                       "stall=0x22,delay-ms=1200,no-comeback=1,write-busy-ms=5,save-busy-ms=6,reboot-ms=7"),
        {}, &error);
    QVERIFY2(options, qPrintable(error));
    QCOMPARE(options->faults.unplugAfterTransfers, 3);
    QCOMPARE(options->faults.unplugAtMs, 500);
    QVERIFY(options->faults.statusFail);
    QVERIFY(options->faults.busyForever);
    QCOMPARE(options->faults.shortReplyBytes, 10);
    QCOMPARE(options->faults.stallReportId, 0x22);
    QCOMPARE(options->faults.delayMs, 1200);
    QVERIFY(options->faults.noComeback);
    QCOMPARE(options->writeBusyMs, 5);
    QCOMPARE(options->saveBusyMs, 6);
    QCOMPARE(options->rebootMs, 7);
}

void TestDeviceOptions::driverAndAccessAreNamed()
{
    QString error;
    std::optional<DeviceOptions> options =
        DeviceOptions::parse(QStringLiteral("wheel,driver=none,access=denied"), {QStringLiteral("driver=hid")}, &error);
    QVERIFY2(options, qPrintable(error));
    QCOMPARE(options->driver, KernelDriver::None);
    QVERIFY(options->accessDenied);
    QVERIFY(options->apply(QStringLiteral("driver=hid,access=granted"), DeviceOptions::Scope::Runtime, &error));
    QCOMPARE(options->driver, KernelDriver::Hid);
    QVERIFY(!options->accessDenied);
    QVERIFY(!options->apply(QStringLiteral("access=denied,driver=usbfs"), DeviceOptions::Scope::Runtime, &error));
    QVERIFY(error.contains(QStringLiteral("hid|none")));
    QVERIFY(!options->accessDenied);
}

void TestDeviceOptions::numbersAreDecimalOrHex()
{
    DeviceOptions options;
    QString error;
    QVERIFY(options.apply(QStringLiteral("stall=37"), DeviceOptions::Scope::Runtime, &error));
    QCOMPARE(options.faults.stallReportId, 37);
    QVERIFY(options.apply(QStringLiteral("stall=0X21"), DeviceOptions::Scope::Runtime, &error));
    QCOMPARE(options.faults.stallReportId, 0x21);
    // A leading zero is still decimal.
    QVERIFY(options.apply(QStringLiteral("delay-ms=010"), DeviceOptions::Scope::Runtime, &error));
    QCOMPARE(options.faults.delayMs, 10);
    QVERIFY(options.apply(QStringLiteral("firmware=4294967295"), DeviceOptions::Scope::Runtime, &error));
    QCOMPARE(options.firmwareVersion, 4294967295u);
}

void TestDeviceOptions::offClearsAFault()
{
    DeviceOptions options;
    QString error;
    QVERIFY(options.apply(QStringLiteral("short=0,stall=0x25,busy-forever=1"), DeviceOptions::Scope::Runtime, &error));
    QCOMPARE(options.faults.shortReplyBytes, 0); // 0 is an empty reply, not "off"
    QVERIFY(options.apply(QStringLiteral("short=off,stall=0,busy-forever=off"), DeviceOptions::Scope::Runtime, &error));
    QCOMPARE(options.faults.shortReplyBytes, -1);
    QCOMPARE(options.faults.stallReportId, 0);
    QVERIFY(!options.faults.busyForever);
    QVERIFY(!options.apply(QStringLiteral("firmware=off"), DeviceOptions::Scope::Runtime, &error));
}

void TestDeviceOptions::ownOptionsOverrideDefaults()
{
    QString error;
    const std::optional<DeviceOptions> options = DeviceOptions::parse(
        QStringLiteral("collective,delay-ms=7"), {QStringLiteral("delay-ms=5"), QStringLiteral("write-busy-ms=0")},
        &error);
    QVERIFY2(options, qPrintable(error));
    QCOMPARE(options->faults.delayMs, 7);
    QCOMPARE(options->writeBusyMs, 0);
    QCOMPARE(options->productId, 22001);
}

void TestDeviceOptions::badDescriptionsAreRefused_data()
{
    QTest::addColumn<QString>("description");
    QTest::newRow("unknown kind") << "pedals";
    QTest::newRow("empty") << "";
    QTest::newRow("unknown key") << "joystick,colour=red";
    QTest::newRow("no value") << "joystick,stall";
    QTest::newRow("empty key") << "joystick,=3";
    QTest::newRow("not a number") << "joystick,firmware=new";
    QTest::newRow("report id too big") << "joystick,stall=0x100";
    QTest::newRow("type too big") << "joystick,type=256";
    QTest::newRow("negative delay") << "joystick,delay-ms=-5";
    QTest::newRow("short below -1") << "joystick,short=-2";
    QTest::newRow("flag not 0 or 1") << "joystick,status-fail=2";
    QTest::newRow("empty state file") << "joystick,state=";
    QTest::newRow("trailing comma") << "joystick,";
    QTest::newRow("unknown driver") << "joystick,driver=usbhid";
    QTest::newRow("access as a number") << "joystick,access=0";
}

void TestDeviceOptions::badDescriptionsAreRefused()
{
    QFETCH(QString, description);
    QString error;
    QVERIFY(!DeviceOptions::parse(description, {}, &error));
    QVERIFY(!error.isEmpty());
}

void TestDeviceOptions::recordSourcesCannotChangeAtRunTime()
{
    DeviceOptions options;
    QString error;
    for (const char *assignment : {"state=x", "effects=x", "hardware=x"}) {
        QVERIFY(!options.apply(QString::fromLatin1(assignment), DeviceOptions::Scope::Runtime, &error));
        QVERIFY(options.apply(QString::fromLatin1(assignment), DeviceOptions::Scope::Plug, &error));
    }
}

void TestDeviceOptions::failedApplyChangesNothing()
{
    DeviceOptions options;
    QString error;
    QVERIFY(!options.apply(QStringLiteral("delay-ms=5,short=3,bogus=1"), DeviceOptions::Scope::Runtime, &error));
    QVERIFY(error.contains(QStringLiteral("bogus")));
    QCOMPARE(options.faults.delayMs, 0);
    QCOMPARE(options.faults.shortReplyBytes, -1);
}

void TestDeviceOptions::keysAreKnown()
{
    const QStringList keys = DeviceOptions::keys();
    for (const char *key : {"firmware", "type", "pid", "state", "effects", "hardware", "write-busy-ms",
                            "save-busy-ms", "reboot-ms", "unplug-after", "unplug-at-ms", "status-fail",
                            "busy-forever", "short", "stall", "delay-ms", "no-comeback", "driver", "access", "ff"}) {
        QVERIFY2(keys.contains(QString::fromLatin1(key)), key);
        QVERIFY(DeviceOptions::isKey(QString::fromLatin1(key)));
    }
    QVERIFY(!DeviceOptions::isKey(QStringLiteral("device")));
}

QTEST_APPLESS_MAIN(TestDeviceOptions)
#include "tst_vc_deviceoptions.moc"
