// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/recordjson.h"
#include "effects/effectprofilestore.h"
#include "effects/effectsettings.h"
#include "hardware/hardwarerecordfields.h"
#include "hardware/hardwaresettings.h"

#include "virtualcontroller.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <linux/input.h>

#include <algorithm>
#include <limits>

namespace {

struct Run {
    int status = -1;
    QByteArray out;
    QString err;
};

QByteArray bytesOf(const void *record, int size)
{
    return QByteArray(static_cast<const char *>(record), size);
}

EffectSettingsTypeDef effectRecord(quint16 motionRange)
{
    EffectSettingsTypeDef settings{};
    settings.invert_constant_force = 1;
    settings.direct_x_spring_strength = 42;
    settings.axis[0].motion_range = motionRange;
    // The least soft stop range the window shows.
    settings.axis[0].soft_stop_range = 1;
    settings.axis[1].soft_stop_range = 1;
    settings.axis[1].max_force = 7.25f;
    settings.axis[1].reserved[100] = 0x99;
    return settings;
}

// Values a page never shows but a record may hold: reserved bytes and floats no number carries.
HardwareSettingsTypeDef hardwareRecord(quint16 cpr)
{
    HardwareSettingsTypeDef settings{};
    settings.force_enable = 1;
    settings.speed_sample_buffer_size = 2;
    settings.gpio_mode[9] = 3;
    settings.analog_lower_dead_zone[2] = 1234;
    settings.reserved_85[0] = 0xA5;
    settings.axis[0].encoder_direction = -1;
    settings.axis[0].encoder_cpr = cpr;
    settings.axis[0].p_gain = std::numeric_limits<float>::quiet_NaN();
    settings.axis[1].i_gain = -0.0f;
    settings.axis[1].p_gain = 0.05f;
    return settings;
}

// A profile file from elsewhere: a record with bytes after it, which the store keeps.
QByteArray importedFile()
{
    const EffectSettingsTypeDef settings = effectRecord(1);
    return bytesOf(&settings, sizeof settings) + QByteArray("trailing bytes");
}

int setCount(const QList<Transfer> &transfers)
{
    return int(std::count_if(transfers.cbegin(), transfers.cend(), [](const Transfer &transfer) { return transfer.isSet(); }));
}

} // namespace

// kestrov-ctl as a user runs it: the real program, a child of this test, so that it sees the
// emulated controllers this test plugs, and its effect on their memories and on the wire.
class TestCtl : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    // list
    void listsTheOneController();
    void listsSeveralAsJson();
    void saysWhenThereIsNone();
    void saysWhyAControllerCannotBeOpened();
    void severalControllersNeedDevice();
    void secondOfAKindIsListedNotUsed();

    // records
    void recordSurvivesJsonThroughTheController_data();
    void recordSurvivesJsonThroughTheController();
    void oversizedCprIsRefusedAndNothingSent();
    void valuesBeyondTheWindowNeedForce();
    void failureSaysWhatIsKnown_data();
    void failureSaysWhatIsKnown();

    // backups
    void backupRestoresByteForByte();
    void restoreChecksKindAndFirmware_data();
    void restoreChecksKindAndFirmware();
    void brokenBackupIsRefusedAndNothingSent_data();
    void brokenBackupIsRefusedAndNothingSent();

    // profiles
    void profileOfTheWindowAppliesFromTheCommandLine();
    void profileFilesChangeWithoutAController_data();
    void profileFilesChangeWithoutAController();

    // the kernel's input device
    void inputsPrintEachChangeWithItsRow();
    void forceTestPlaysAndRemovesItsEffect();
    void forceTestRefusals_data();
    void forceTestRefusals();

private:
    Run ctl(const QStringList &arguments);
    QString path(const QString &name) const { return directory.filePath(name); }
    QByteArray fileBytes(const QString &name) const;
    void writeFile(const QString &name, const QByteArray &bytes) const;

    VirtualController controller;
    QTemporaryDir directory;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
};

void TestCtl::initTestCase()
{
    QVERIFY2(VirtualController::available(), "run under virtual-controller");
    QVERIFY(directory.isValid());
    // No profiles of the machine's own user.
    environment.insert(QStringLiteral("XDG_DATA_HOME"), directory.filePath(QStringLiteral("data")));
}

void TestCtl::init()
{
    QVERIFY(controller.reset());
}

Run TestCtl::ctl(const QStringList &arguments)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(directory.path());
    process.start(QStringLiteral(KESTROV_CTL), arguments);
    Run run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

QByteArray TestCtl::fileBytes(const QString &name) const
{
    QFile file(path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestCtl::writeFile(const QString &name, const QByteArray &bytes) const
{
    QFile file(path(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void TestCtl::listsTheOneController()
{
    QVERIFY(controller.plug(QStringLiteral("wheel")) > 0);
    const Run run = ctl({QStringLiteral("list")});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out, QByteArray("wheel 22999 Kestrov Wheel PRO, firmware 241123: matches this tool\n"));
    QCOMPARE(run.err, QString());
}

void TestCtl::listsSeveralAsJson()
{
    QVERIFY(controller.plug(QStringLiteral("wheel,firmware=241200")) > 0);
    QVERIFY(controller.plug(QStringLiteral("joystick")) > 0);
    const Run run = ctl({QStringLiteral("list"), QStringLiteral("--json")});
    QCOMPARE(run.status, 0);
    const QJsonArray listed = QJsonDocument::fromJson(run.out).object().value(QStringLiteral("controllers")).toArray();
    QCOMPARE(listed.size(), 2);
    // In the order of the window's list: joystick before wheel.
    QCOMPARE(listed.at(0)[QStringLiteral("kind")].toString(), QStringLiteral("joystick"));
    QCOMPARE(listed.at(0)[QStringLiteral("firmware_matches")].toBool(), true);
    QCOMPARE(listed.at(1)[QStringLiteral("product_id")].toInt(), 22999);
    QCOMPARE(listed.at(1)[QStringLiteral("firmware")].toInt(), 241200);
    QCOMPARE(listed.at(1)[QStringLiteral("firmware_matches")].toBool(), false);
    QCOMPARE(listed.at(1)[QStringLiteral("can_open")].toBool(), true);
}

void TestCtl::saysWhenThereIsNone()
{
    const Run run = ctl({QStringLiteral("list")});
    QCOMPARE(run.status, 3);
    QCOMPARE(run.err, QStringLiteral("kestrov-ctl: no Kestrov controller is connected.\n"));
    QCOMPARE(ctl({QStringLiteral("reboot")}).status, 3);
}

void TestCtl::saysWhyAControllerCannotBeOpened()
{
    QVERIFY(controller.plug(QStringLiteral("joystick,access=denied")) > 0);
    const Run list = ctl({QStringLiteral("list"), QStringLiteral("--json")});
    QCOMPARE(list.status, 4);
    const QJsonObject joystick =
        QJsonDocument::fromJson(list.out).object().value(QStringLiteral("controllers")).toArray().at(0).toObject();
    QCOMPARE(joystick[QStringLiteral("can_open")].toBool(), false);
    QCOMPARE(joystick[QStringLiteral("problem")].toString(), QStringLiteral("no-permission"));
    QVERIFY(joystick[QStringLiteral("node")].toString().startsWith(QLatin1String("/dev/hidraw")));

    const Run read = ctl({QStringLiteral("read"), QStringLiteral("effects"), QStringLiteral("--json")});
    QCOMPARE(read.status, 4);
    QVERIFY2(read.err.contains(QLatin1String("may not open it")) && read.err.contains(QLatin1String("udev rule")),
             qPrintable(read.err));
    // The window's words too: the node on a line of its own, which no word wrap splits.
    QVERIFY2(QRegularExpression(QStringLiteral("\n/dev/hidraw\\d+\n")).match(read.err).hasMatch(), qPrintable(read.err));
    QVERIFY(controller.transfers().isEmpty());
}

void TestCtl::secondOfAKindIsListedNotUsed()
{
    QVERIFY(controller.plug(QStringLiteral("joystick")) > 0);
    QVERIFY(controller.plug(QStringLiteral("joystick")) > 0);
    const Run run = ctl({QStringLiteral("list")});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out, QByteArray("joystick 22777 Kestrov Joystick, firmware 241123: matches this tool\n"
                                 "joystick 22777 Kestrov Joystick: not used, only one controller of each kind is used at a time\n"));

    const QJsonArray listed = QJsonDocument::fromJson(ctl({QStringLiteral("list"), QStringLiteral("--json")}).out)
                                  .object().value(QStringLiteral("controllers")).toArray();
    QCOMPARE(listed.size(), 2);
    QCOMPARE(listed.at(0)[QStringLiteral("used")].toBool(), true);
    QCOMPARE(listed.at(1)[QStringLiteral("used")].toBool(), false);
    QCOMPARE(listed.at(1)[QStringLiteral("product_id")].toInt(), 22777);
}

void TestCtl::severalControllersNeedDevice()
{
    const int joystick = controller.plug(QStringLiteral("joystick"));
    QVERIFY(controller.plug(QStringLiteral("wheel")) > 0);
    const Run unchosen = ctl({QStringLiteral("reboot")});
    QCOMPARE(unchosen.status, 2);
    QVERIFY2(unchosen.err.contains(QLatin1String("choose one with --device"))
                 && unchosen.err.contains(QLatin1String("joystick 22777")) && unchosen.err.contains(QLatin1String("wheel 22999")),
             qPrintable(unchosen.err));
    QCOMPARE(setCount(controller.transfers()), 0);

    const Run byKind = ctl({QStringLiteral("read"), QStringLiteral("effects"), QStringLiteral("--device"), QStringLiteral("joystick"),
                            QStringLiteral("-o"), path(QStringLiteral("joystick.bin"))});
    QCOMPARE(byKind.status, 0);
    QCOMPARE(fileBytes(QStringLiteral("joystick.bin")), controller.readRecord(joystick, QStringLiteral("effect"), false));
    QCOMPARE(ctl({QStringLiteral("reboot"), QStringLiteral("--device"), QStringLiteral("22777")}).status, 0);
    QCOMPARE(ctl({QStringLiteral("reboot"), QStringLiteral("--device"), QStringLiteral("rudder")}).status, 3);
    QCOMPARE(ctl({QStringLiteral("reboot"), QStringLiteral("--device"), QStringLiteral("boat")}).status, 2);
}

void TestCtl::recordSurvivesJsonThroughTheController_data()
{
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("which");
    QTest::addColumn<QByteArray>("bytes");
    const EffectSettingsTypeDef effects = effectRecord(720);
    const HardwareSettingsTypeDef hardware = hardwareRecord(4096);
    QTest::newRow("effects") << "effects" << "effect" << bytesOf(&effects, sizeof effects);
    QTest::newRow("hardware") << "hardware" << "hardware" << bytesOf(&hardware, sizeof hardware);
}

void TestCtl::recordSurvivesJsonThroughTheController()
{
    QFETCH(QString, record);
    QFETCH(QString, which);
    QFETCH(QByteArray, bytes);
    const int wheel = controller.plug(QStringLiteral("wheel"));
    QVERIFY(controller.writeRecord(wheel, which, bytes));

    QCOMPARE(ctl({QStringLiteral("read"), record, QStringLiteral("-o"), path(QStringLiteral("raw"))}).status, 0);
    QCOMPARE(fileBytes(QStringLiteral("raw")), bytes);
    const Run json = ctl({QStringLiteral("read"), record, QStringLiteral("--json")});
    QCOMPARE(json.status, 0);
    writeFile(QStringLiteral("record.json"), json.out);

    // Another record in between, so that the JSON's own bytes are what comes back.
    QVERIFY(controller.writeRecord(wheel, which, QByteArray(bytes.size(), '\0')));
    const Run apply = ctl({QStringLiteral("apply"), record, path(QStringLiteral("record.json"))});
    QCOMPARE(apply.status, 0);
    QVERIFY(apply.out.endsWith("memory and verified.\n"));
    QCOMPARE(controller.readRecord(wheel, which, false), bytes);
    QCOMPARE(controller.readRecord(wheel, which, true), QByteArray(bytes.size(), '\0'));
    QCOMPARE(ctl({QStringLiteral("save"), record, path(QStringLiteral("raw"))}).status, 0);
    QCOMPARE(controller.readRecord(wheel, which, true), bytes);
}

void TestCtl::oversizedCprIsRefusedAndNothingSent()
{
    QVERIFY(controller.plug(QStringLiteral("wheel")) > 0);
    const Run json = ctl({QStringLiteral("read"), QStringLiteral("hardware"), QStringLiteral("--json")});
    QCOMPARE(json.status, 0);
    QByteArray edited = json.out;
    const int cpr = int(edited.indexOf("\"encoder_cpr\""));
    QVERIFY(cpr > 0);
    const int end = int(edited.indexOf(',', cpr));
    edited.replace(cpr, end - cpr, "\"encoder_cpr\": 70000");
    writeFile(QStringLiteral("cpr.json"), edited);
    controller.clearLog();

    const Run apply = ctl({QStringLiteral("apply"), QStringLiteral("hardware"), path(QStringLiteral("cpr.json"))});
    QCOMPARE(apply.status, 2);
    QCOMPARE(apply.err, QStringLiteral("kestrov-ctl: %1: Axis 0: an encoder CPR of 70000 is more than the controller can "
                                       "store (at most 65535).\n").arg(path(QStringLiteral("cpr.json"))));
    QVERIFY(controller.transfers().isEmpty());
}

void TestCtl::valuesBeyondTheWindowNeedForce()
{
    const int wheel = controller.plug(QStringLiteral("wheel"));
    HardwareSettingsTypeDef beyond = hardwareRecord(4096);
    beyond.calibration_mode = 9;
    beyond.power_limit = 200;
    beyond.axis[1].pole_pairs = 150;
    const QByteArray record = bytesOf(&beyond, sizeof beyond);
    writeFile(QStringLiteral("beyond.bin"), record);
    writeFile(QStringLiteral("beyond.json"), RecordJson::write({QStringLiteral("hardware"), hardwareRecordFields(), 512}, record));
    const QByteArray before = controller.readRecord(wheel, QStringLiteral("hardware"), true);
    controller.clearLog();

    for (const char *file : {"beyond.bin", "beyond.json"}) {
        const Run refused = ctl({QStringLiteral("save"), QStringLiteral("hardware"), path(QLatin1String(file))});
        QCOMPARE(refused.status, 2);
        QVERIFY2(refused.err.endsWith(QLatin1String("Nothing was sent; --force sends them all the same:\n"
                                                    "  Calibration: 9 is not one of the window's choices (0 to 2)\n"
                                                    "  Power limit (%): 200 is outside the window's range 0 to 100\n"
                                                    "  Axis 1: Pole pairs: 150 is outside the window's range 0 to 99\n")),
                 qPrintable(refused.err));
    }
    QCOMPARE(setCount(controller.transfers()), 0);
    QCOMPARE(controller.readRecord(wheel, QStringLiteral("hardware"), true), before);
    QCOMPARE(ctl({QStringLiteral("save"), QStringLiteral("--force"), QStringLiteral("hardware"), path(QStringLiteral("beyond.json"))})
                 .status,
             0);
    QCOMPARE(controller.readRecord(wheel, QStringLiteral("hardware"), true), record);
}

void TestCtl::failureSaysWhatIsKnown_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QString>("said");
    // Answered before the unplug: the probe, eight block packets, the status, the save command
    // and the first status of the save's busy time.
    QTest::newRow("left after the save command") << "joystick,write-busy-ms=0,save-busy-ms=1000,unplug-after=12"
        << "save effects effects.bin" << "may have been saved: the controller left before confirming.";
    QTest::newRow("kept another value") << "joystick,clamp-motion-range=40" << "apply effects effects.bin"
        << "kept other values:\n  Axis 0: Motion range (degrees): sent 60, the controller kept 40\n";
    QTest::newRow("silent, the only one") << "joystick,stall=0x25" << "read effects"
        << "Kestrov Joystick (product id 22777) is connected, but did not answer.";
    QTest::newRow("silent, named") << "joystick,stall=0x25" << "reboot --device joystick" << "is connected, but did not answer.";
    QTest::newRow("silent, listed") << "joystick,stall=0x25" << "list" << "joystick 22777 Kestrov Joystick: did not answer";
}

// Exit status 1, never "not connected" (3), with words that claim no more than is known.
void TestCtl::failureSaysWhatIsKnown()
{
    QFETCH(QString, device);
    QFETCH(QString, arguments);
    QFETCH(QString, said);
    const EffectSettingsTypeDef record = effectRecord(60);
    writeFile(QStringLiteral("effects.bin"), bytesOf(&record, sizeof record));
    QVERIFY(controller.plug(device) > 0);
    QStringList words = arguments.split(QLatin1Char(' '));
    if (words.last().endsWith(QLatin1String(".bin")))
        words.last() = path(words.last());
    const Run run = ctl(words);
    QCOMPARE(run.status, 1);
    QVERIFY2((run.err + run.out).contains(said), qPrintable(run.err + run.out));
}

void TestCtl::backupRestoresByteForByte()
{
    const int wheel = controller.plug(QStringLiteral("wheel"));
    const EffectSettingsTypeDef effects = effectRecord(540);
    const HardwareSettingsTypeDef hardware = hardwareRecord(8192);
    QVERIFY(controller.writeRecord(wheel, QStringLiteral("effect"), bytesOf(&effects, sizeof effects)));
    QVERIFY(controller.writeRecord(wheel, QStringLiteral("hardware"), bytesOf(&hardware, sizeof hardware)));
    const Run backup = ctl({QStringLiteral("backup"), QStringLiteral("wheel.kbak")});
    QCOMPARE(backup.status, 0);
    QCOMPARE(fileBytes(QStringLiteral("wheel.kbak")).size(), 924);

    const EffectSettingsTypeDef otherEffects = effectRecord(90);
    const HardwareSettingsTypeDef otherHardware = hardwareRecord(100);
    QVERIFY(controller.writeRecord(wheel, QStringLiteral("effect"), bytesOf(&otherEffects, sizeof otherEffects)));
    QVERIFY(controller.writeRecord(wheel, QStringLiteral("hardware"), bytesOf(&otherHardware, sizeof otherHardware)));
    controller.clearLog();
    const Run restore = ctl({QStringLiteral("restore"), QStringLiteral("wheel.kbak")});
    QCOMPARE(restore.status, 0);
    QCOMPARE(controller.readRecord(wheel, QStringLiteral("effect"), false), bytesOf(&effects, sizeof effects));
    QCOMPARE(controller.readRecord(wheel, QStringLiteral("hardware"), false), bytesOf(&hardware, sizeof hardware));
    QCOMPARE(controller.readRecord(wheel, QStringLiteral("effect"), true), bytesOf(&otherEffects, sizeof otherEffects));
    // Effects first, in one block of packets each.
    const QList<Transfer> transfers = controller.transfers();
    const auto firstHardware = std::find_if(transfers.cbegin(), transfers.cend(), [](const Transfer &transfer) {
        return transfer.isSet() && quint8(transfer.data.at(1)) == 17;
    });
    QVERIFY(firstHardware != transfers.cend());
    QVERIFY(std::none_of(firstHardware, transfers.cend(), [](const Transfer &transfer) {
        return transfer.isSet() && quint8(transfer.data.at(1)) == 18;
    }));

    QCOMPARE(ctl({QStringLiteral("restore"), QStringLiteral("wheel.kbak"), QStringLiteral("--save")}).status, 0);
    QCOMPARE(controller.readRecord(wheel, QStringLiteral("effect"), true), bytesOf(&effects, sizeof effects));
    QCOMPARE(controller.readRecord(wheel, QStringLiteral("hardware"), true), bytesOf(&hardware, sizeof hardware));
}

void TestCtl::restoreChecksKindAndFirmware_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("says");
    QTest::newRow("another kind") << "joystick" << QStringList() << 2
                                  << "kestrov-ctl: The backup is of a Kestrov Wheel PRO (product id 22999), but this "
                                     "controller is a Kestrov Joystick (product id 22777). Nothing was sent; --force "
                                     "restores it all the same.\n";
    QTest::newRow("another kind, forced") << "joystick" << QStringList{QStringLiteral("--force")} << 0
                                          << "kestrov-ctl: warning: The backup is of a Kestrov Wheel PRO";
    QTest::newRow("another firmware") << "wheel,firmware=241123" << QStringList() << 0
                                      << "kestrov-ctl: warning: The backup was made with firmware 241200, but this "
                                         "controller runs firmware 241123";
}

void TestCtl::restoreChecksKindAndFirmware()
{
    QFETCH(QString, target);
    QFETCH(QStringList, options);
    QFETCH(int, status);
    QFETCH(QString, says);
    const int source = controller.plug(QStringLiteral("wheel,firmware=241200"));
    const HardwareSettingsTypeDef hardware = hardwareRecord(3000);
    const QByteArray backedUp = bytesOf(&hardware, sizeof hardware);
    QVERIFY(controller.writeRecord(source, QStringLiteral("hardware"), backedUp));
    QCOMPARE(ctl({QStringLiteral("backup"), QStringLiteral("wheel.kbak")}).status, 0);
    QVERIFY(controller.unplug(source));
    const int device = controller.plug(target);
    const QByteArray before = controller.readRecord(device, QStringLiteral("hardware"), false);
    controller.clearLog();

    const Run restore = ctl(QStringList{QStringLiteral("restore"), QStringLiteral("wheel.kbak")} + options);
    QCOMPARE(restore.status, status);
    QVERIFY2(restore.err.startsWith(says), qPrintable(restore.err));
    QCOMPARE(controller.readRecord(device, QStringLiteral("hardware"), false), status == 0 ? backedUp : before);
    if (status != 0)
        QCOMPARE(setCount(controller.transfers()), 0);
}

void TestCtl::brokenBackupIsRefusedAndNothingSent_data()
{
    QTest::addColumn<int>("flip");
    QTest::addColumn<int>("keep");
    QTest::addColumn<QString>("says");
    QTest::newRow("a bit flipped") << 600 << 924 << "is damaged: its checksum does not match its content. Nothing was sent.";
    QTest::newRow("cut short") << -1 << 700 << "is cut short: it ends before the backup does. Nothing was sent.";
}

void TestCtl::brokenBackupIsRefusedAndNothingSent()
{
    QFETCH(int, flip);
    QFETCH(int, keep);
    QFETCH(QString, says);
    QVERIFY(controller.plug(QStringLiteral("wheel")) > 0);
    QCOMPARE(ctl({QStringLiteral("backup"), QStringLiteral("wheel.kbak")}).status, 0);
    QByteArray bytes = fileBytes(QStringLiteral("wheel.kbak")).left(keep);
    if (flip >= 0)
        bytes[flip] = char(bytes.at(flip) ^ 0x10);
    writeFile(QStringLiteral("broken.kbak"), bytes);
    controller.clearLog();

    const Run restore = ctl({QStringLiteral("restore"), QStringLiteral("broken.kbak"), QStringLiteral("--save")});
    QCOMPARE(restore.status, 2);
    QCOMPARE(restore.err, QStringLiteral("kestrov-ctl: broken.kbak ") + says + QLatin1Char('\n'));
    QVERIFY(controller.transfers().isEmpty());
}

void TestCtl::profileOfTheWindowAppliesFromTheCommandLine()
{
    // Where the launcher runs the installed window, and so where its store keeps profiles.
    const QString home = environment.value(QStringLiteral("XDG_DATA_HOME")) + QStringLiteral("/kestrov-setup");
    QVERIFY(QDir().mkpath(home));
    const QString start = QDir::currentPath();
    QVERIFY(QDir::setCurrent(home));
    const EffectProfileStore store;
    QDir::setCurrent(start);
    const EffectSettingsTypeDef racing = effectRecord(270);
    QVERIFY(store.save(QStringLiteral("Racing"), racing));

    const int wheel = controller.plug(QStringLiteral("wheel"));
    const Run list = ctl({QStringLiteral("profile"), QStringLiteral("list")});
    QCOMPARE(list.status, 0);
    QCOMPARE(list.out, QByteArray("Racing\n"));
    const Run apply = ctl({QStringLiteral("profile"), QStringLiteral("apply"), QStringLiteral("Racing")});
    QCOMPARE(apply.status, 0);
    QCOMPARE(controller.readRecord(wheel, QStringLiteral("effect"), false), bytesOf(&racing, sizeof racing));

    QCOMPARE(ctl({QStringLiteral("profile"), QStringLiteral("save"), QStringLiteral("From wheel")}).status, 0);
    const std::optional<EffectSettingsTypeDef> saved = store.load(QStringLiteral("From wheel"));
    QVERIFY(saved);
    QCOMPARE(bytesOf(&*saved, sizeof *saved), bytesOf(&racing, sizeof racing));

    controller.clearLog();
    const Run missing = ctl({QStringLiteral("profile"), QStringLiteral("apply"), QStringLiteral("Rally")});
    QCOMPARE(missing.status, 2);
    QCOMPARE(missing.err, QStringLiteral("kestrov-ctl: there is no profile \"Rally\" in %1/device_effects_profiles.\n").arg(home));
    QVERIFY(controller.transfers().isEmpty());
}

void TestCtl::profileFilesChangeWithoutAController_data()
{
    // "@" is the data directory, which holds the profiles "Racing" and "Rally" and the files
    // "outside.bin" (importedFile()) and "short.bin" (a byte short of a record).
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("status");
    // In standard output when done, else in standard error.
    QTest::addColumn<QString>("says");
    QTest::addColumn<QStringList>("profiles");
    // A file under the data directory, and what it holds afterwards; empty: it is not there.
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("holds");
    const EffectSettingsTypeDef racingRecord = effectRecord(270);
    const EffectSettingsTypeDef rallyRecord = effectRecord(90);
    const QByteArray racing = bytesOf(&racingRecord, sizeof racingRecord);
    const QByteArray rally = bytesOf(&rallyRecord, sizeof rallyRecord);
    const QStringList both{"Racing", "Rally"};
    const QString profiles = QStringLiteral("device_effects_profiles/");

    QTest::newRow("delete") << "profile delete Rally" << 0 << "Profile \"Rally\" deleted from" << QStringList{"Racing"}
                            << profiles + "Rally" << QByteArray();
    QTest::newRow("delete, no such profile") << "profile delete Rallye" << 2 << "there is no profile \"Rallye\" in" << both
                                             << profiles + "Rally" << rally;
    QTest::newRow("rename") << "profile rename Rally Dirt" << 0 << "Profile \"Rally\" renamed to \"Dirt\""
                            << QStringList{"Dirt", "Racing"} << profiles + "Dirt" << rally;
    QTest::newRow("rename onto a profile") << "profile rename Rally Racing" << 2 << "there is a profile \"Racing\" in"
                                           << both << profiles + "Racing" << racing;
    QTest::newRow("rename to a hidden name") << "profile rename Rally .Dirt" << 2 << "cannot start with a dot" << both
                                             << profiles + ".Dirt" << QByteArray();
    QTest::newRow("export") << "profile export Rally @/rally.bin" << 0 << "Profile \"Rally\" written to" << both
                            << "rally.bin" << rally;
    QTest::newRow("import as the file's name") << "profile import @/outside.bin" << 0 << "kept as the profile \"outside\""
                                               << QStringList{"outside", "Racing", "Rally"} << profiles + "outside"
                                               << importedFile();
    QTest::newRow("import over a profile") << "profile import @/outside.bin Rally" << 2 << "already; --force replaces it."
                                           << both << profiles + "Rally" << rally;
    QTest::newRow("import over a profile, forced") << "profile import --force @/outside.bin Rally" << 0
                                                   << "kept as the profile \"Rally\"" << both << profiles + "Rally"
                                                   << importedFile();
    QTest::newRow("import, too short") << "profile import @/short.bin" << 2
                                       << "short.bin is not an effect profile: it has 383 bytes, fewer than an effect "
                                          "record (384)."
                                       << both << profiles + "short" << QByteArray();
    QTest::newRow("import, no such file") << "profile import @/none.bin" << 2 << "none.bin does not exist." << both
                                          << profiles + "none" << QByteArray();
}

void TestCtl::profileFilesChangeWithoutAController()
{
    QFETCH(QString, line);
    QFETCH(int, status);
    QFETCH(QString, says);
    QFETCH(QStringList, profiles);
    QFETCH(QString, file);
    QFETCH(QByteArray, holds);
    QTemporaryDir data;
    QVERIFY(data.isValid());
    const QString start = QDir::currentPath();
    QVERIFY(QDir::setCurrent(data.path()));
    const EffectProfileStore store;
    QDir::setCurrent(start);
    QVERIFY(store.save(QStringLiteral("Racing"), effectRecord(270)));
    QVERIFY(store.save(QStringLiteral("Rally"), effectRecord(90)));
    for (const auto &[name, bytes] : {std::pair{"outside.bin", importedFile()}, std::pair{"short.bin", importedFile().left(383)}}) {
        QFile outside(data.filePath(QLatin1String(name)));
        QVERIFY(outside.open(QIODevice::WriteOnly) && outside.write(bytes) == bytes.size());
    }

    QStringList arguments = line.split(QLatin1Char(' '));
    for (QString &word : arguments)
        word.replace(QLatin1Char('@'), data.path());
    const Run run = ctl(arguments + QStringList{QStringLiteral("--data-dir"), data.path()});
    QCOMPARE(run.status, status);
    const QString said = status == 0 ? QString::fromLocal8Bit(run.out) : run.err;
    QVERIFY2(said.contains(says), qPrintable(said));
    QCOMPARE(store.profileNames(), profiles);
    QFile result(data.filePath(file));
    QCOMPARE(result.open(QIODevice::ReadOnly) ? result.readAll() : QByteArray(), holds);
}


void TestCtl::inputsPrintEachChangeWithItsRow()
{
    const int id = controller.plug(QStringLiteral("joystick"));
    QVERIFY(id > 0);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KESTROV_CTL),
                  {QStringLiteral("inputs"), QStringLiteral("--json"), QStringLiteral("--duration"), QStringLiteral("3")});
    // It says on standard error when it reads; changes before that are not its to print.
    QByteArray said;
    QTRY_VERIFY_WITH_TIMEOUT((said += process.readAllStandardError()).contains("reading the axes and buttons"), 10000);
    QVERIFY(controller.setAxis(id, QStringLiteral("ABS_RX"), 12000));
    QVERIFY(controller.setButton(id, 17, true));
    QVERIFY(controller.setButton(id, 17, false));
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitCode(), 0);

    QStringList seen;
    for (const QByteArray &line : process.readAllStandardOutput().split('\n')) {
        if (line.isEmpty())
            continue;
        const QJsonObject change = QJsonDocument::fromJson(line).object();
        QVERIFY2(change.value(QStringLiteral("time")).toDouble() > 0, line.constData());
        seen << QStringLiteral("%1 %2 %3 %4")
                    .arg(change.value(QStringLiteral("type")).toString(), change.value(QStringLiteral("name")).toString(),
                         change.value(QStringLiteral("row")).toString())
                    .arg(change.value(QStringLiteral("value")).toInt());
    }
    QCOMPARE(seen, QStringList({QStringLiteral("axis ABS_RX Rx 12000"), QStringLiteral("button BTN_TRIGGER_HAPPY1 Button 17 1"),
                                QStringLiteral("button BTN_TRIGGER_HAPPY1 Button 17 0")}));
}

void TestCtl::forceTestPlaysAndRemovesItsEffect()
{
    QVERIFY(controller.plug(QStringLiteral("wheel")) > 0);
    const Run run = ctl({QStringLiteral("force-test"), QStringLiteral("sine"), QStringLiteral("--strength"),
                         QStringLiteral("30"), QStringLiteral("--duration"), QStringLiteral("150")});
    QCOMPARE(run.status, 0);
    QStringList steps;
    for (const Transfer &request : controller.transfers(Transfer::Kind::ForceFeedback))
        steps << request.operation;
    // Stopped and removed by the command itself, not left to the kernel's clean-up at close;
    // the effect may have played out just before the stop.
    steps.removeAll(QStringLiteral("end"));
    QCOMPARE(steps, QStringList({QStringLiteral("upload"), QStringLiteral("play"), QStringLiteral("stop"),
                                 QStringLiteral("remove")}));
    const Transfer upload = controller.transfers(Transfer::Kind::ForceFeedback).first();
    QCOMPARE(upload.effectType, FF_PERIODIC);
    QCOMPARE(upload.length, 150);
}

void TestCtl::forceTestRefusals_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("words");

    const QStringList constant{QStringLiteral("force-test"), QStringLiteral("constant")};
    QTest::newRow("strength above 100") << "joystick" << constant + QStringList{"--strength", "101"} << 2
                                        << "The strength must be 0 to 100 %, not 101 %.";
    QTest::newRow("duration above 10 s") << "joystick" << constant + QStringList{"--duration", "10001"} << 2
                                         << "The duration must be 1 to 10000 ms, not 10001 ms.";
    QTest::newRow("no duration") << "joystick" << constant + QStringList{"--duration", "0"} << 2 << "not 0 ms";
    QTest::newRow("no force feedback") << "joystick,ff=none" << constant << 1
                                       << "offers no force feedback through the kernel";
    QTest::newRow("no HID driver") << "joystick,driver=none" << constant << 1 << "needs the kernel's HID driver";
    QTest::newRow("live view without a HID driver") << "joystick,driver=none" << QStringList{"inputs"} << 1
                                                    << "needs the kernel's HID driver";
    QTest::newRow("no access") << "joystick,access=denied" << QStringList{"inputs"} << 4 << "udev rule";
    QTest::newRow("no such controller") << "wheel" << constant + QStringList{"--device", "rudder"} << 3 << "";
}

void TestCtl::forceTestRefusals()
{
    QFETCH(QString, device);
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, words);
    QVERIFY(controller.plug(device) > 0);
    const Run run = ctl(arguments);
    QCOMPARE(run.status, status);
    QVERIFY2(run.err.contains(words), qPrintable(run.err));
    QVERIFY(controller.transfers(Transfer::Kind::ForceFeedback).isEmpty());
}

QTEST_GUILESS_MAIN(TestCtl)
#include "tst_ctl.moc"
