// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/controllerbackup.h"
#include "device/recordjson.h"
#include "effects/effectrecordfields.h"
#include "hardware/hardwarerecordfields.h"
#include "hardware/hardwarerules.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QtTest>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

namespace {

RecordJson::Layout effectsLayout()
{
    return {QStringLiteral("effects"), effectRecordFields(), int(sizeof(EffectSettingsTypeDef)), nullptr};
}

RecordJson::Layout hardwareLayout()
{
    return {QStringLiteral("hardware"), hardwareRecordFields(), int(sizeof(HardwareSettingsTypeDef)),
            &HardwareRules::fieldValueProblem};
}

QByteArray randomRecord(int size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

void putFloat(QByteArray &record, int at, float value)
{
    std::memcpy(record.data() + at, &value, sizeof value);
}

ControllerBackup sampleBackup()
{
    ControllerBackup backup;
    backup.productId = 22999;
    backup.deviceType = Wheel;
    backup.firmwareVersion = 241123;
    backup.effects.axis[0].motion_range = 900;
    backup.effects.axis[1].max_force = 12.5f;
    backup.hardware.axis[1].encoder_cpr = 16384;
    backup.hardware.reserved_85[170] = 0x5A;
    return backup;
}

using JsonEdit = std::function<void(QJsonObject &)>;

} // namespace

Q_DECLARE_METATYPE(RecordJson::Layout)
Q_DECLARE_METATYPE(JsonEdit)
Q_DECLARE_METATYPE(ControllerBackup::Problem)

// The two file formats of kestrov-ctl and the window's backups: a record survives JSON byte
// for byte, whatever its bytes, and a file that is not a whole, intact backup is never taken.
class TestCtlFormats : public QObject
{
    Q_OBJECT

private slots:
    void recordSurvivesJson_data();
    void recordSurvivesJson();
    void floatsAreWrittenAsTheirShortestNumber();
    void jsonThatCannotBeARecordIsRefused_data();
    void jsonThatCannotBeARecordIsRefused();

    void backupSurvivesItsFile();
    void brokenBackupIsRefused_data();
    void brokenBackupIsRefused();
    void backupMatchesOnlyItsOwnKind();
};

void TestCtlFormats::recordSurvivesJson_data()
{
    QTest::addColumn<RecordJson::Layout>("layout");
    QTest::addColumn<QByteArray>("record");

    // Floats no JSON number carries, and ones that need every digit.
    QByteArray effects(int(sizeof(EffectSettingsTypeDef)), '\0');
    putFloat(effects, 128 + 9, std::numeric_limits<float>::quiet_NaN());
    putFloat(effects, 256 + 9, -0.0f);
    QTest::newRow("effects: NaN, negative zero") << effectsLayout() << effects;
    QByteArray hardware(int(sizeof(HardwareSettingsTypeDef)), '\0');
    putFloat(hardware, 256 + 7, std::numeric_limits<float>::infinity());
    putFloat(hardware, 256 + 11, std::numeric_limits<float>::denorm_min());
    putFloat(hardware, 384 + 7, 1.0f / 3.0f);
    putFloat(hardware, 384 + 11, std::numeric_limits<float>::max());
    QTest::newRow("hardware: infinity, denormal, a third, largest") << hardwareLayout() << hardware;

    // Every byte anything: signalling NaNs with payloads, signed bytes, reserved blocks.
    for (quint32 seed = 1; seed <= 40; ++seed) {
        QTest::addRow("effects, random %u", seed) << effectsLayout() << randomRecord(384, seed);
        QTest::addRow("hardware, random %u", seed) << hardwareLayout() << randomRecord(512, seed);
    }
}

void TestCtlFormats::recordSurvivesJson()
{
    QFETCH(RecordJson::Layout, layout);
    QFETCH(QByteArray, record);
    // The hardware rules refuse nothing a 16-bit field holds, so any record goes through.
    QString problem;
    const QByteArray json = RecordJson::write(layout, record);
    QCOMPARE(RecordJson::read(layout, json, &problem), record);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

void TestCtlFormats::floatsAreWrittenAsTheirShortestNumber()
{
    QByteArray hardware(int(sizeof(HardwareSettingsTypeDef)), '\0');
    putFloat(hardware, 256 + 7, 0.05f);
    putFloat(hardware, 256 + 11, std::numeric_limits<float>::quiet_NaN());
    const QJsonObject axis = QJsonDocument::fromJson(RecordJson::write(hardwareLayout(), hardware))
                                 .object().value(QStringLiteral("axes")).toArray().at(0).toObject();
    QCOMPARE(axis.value(QStringLiteral("p_gain")).toDouble(), 0.05);
    QCOMPARE(axis.value(QStringLiteral("i_gain")).toString(), QStringLiteral("0x7fc00000"));
}

void TestCtlFormats::jsonThatCannotBeARecordIsRefused_data()
{
    QTest::addColumn<RecordJson::Layout>("layout");
    QTest::addColumn<JsonEdit>("edit");
    QTest::addColumn<QString>("problem");

    const auto onAxis = [](int axis, const char *name, const QJsonValue &value) -> JsonEdit {
        return [=](QJsonObject &top) {
            QJsonArray axes = top.value(QStringLiteral("axes")).toArray();
            QJsonObject object = axes.at(axis).toObject();
            object.insert(QString::fromLatin1(name), value);
            axes.replace(axis, object);
            top.insert(QStringLiteral("axes"), axes);
        };
    };
    const auto onTop = [](const char *name, const QJsonValue &value) -> JsonEdit {
        return [=](QJsonObject &top) { top.insert(QString::fromLatin1(name), value); };
    };
    QTest::newRow("encoder CPR above 65535, in the window's words")
        << hardwareLayout() << onAxis(1, "encoder_cpr", 70000)
        << "Axis 1: an encoder CPR of 70000 is more than the controller can store (at most 65535).";
    QTest::newRow("byte out of range") << hardwareLayout() << onAxis(0, "pole_pairs", 256)
                                       << "axes[0].pole_pairs is 256, outside 0 to 255";
    QTest::newRow("signed byte out of range") << effectsLayout() << onTop("invert_constant_force", 255)
                                              << "invert_constant_force is 255, outside -128 to 127";
    QTest::newRow("fraction in an integer") << effectsLayout() << onAxis(0, "motion_range", 90.5)
                                            << "axes[0].motion_range must be a whole number";
    QTest::newRow("array element") << hardwareLayout()
                                   << onTop("gpio_mode", QJsonArray{0, 0, 0, -1, 0, 0, 0, 0, 0, 0})
                                   << "gpio_mode[3] is -1, outside 0 to 255";
    QTest::newRow("short array") << hardwareLayout() << onTop("analog_invert", QJsonArray{0, 0})
                                 << "analog_invert must be an array of 3 numbers";
    QTest::newRow("float too large") << effectsLayout() << onAxis(0, "max_force", 1e300)
                                     << "axes[0].max_force is 1e+300, too large for the field";
    QTest::newRow("float bits") << effectsLayout() << onAxis(1, "max_force", QStringLiteral("0x7fc0"))
                                << "axes[1].max_force must be a number or the float's bits as \"0x\" and 8 hex digits, "
                                   "not \"0x7fc0\"";
    QTest::newRow("reserved bytes") << hardwareLayout() << onTop("reserved_2", QStringLiteral("zz"))
                                    << "reserved_2 must be a string of 2 hex digits";
    QTest::newRow("misspelt member") << effectsLayout() << onAxis(0, "motion_rang", 1)
                                     << "unknown member \"axes[0].motion_rang\"";
    QTest::newRow("missing member") << hardwareLayout()
                                    << JsonEdit([](QJsonObject &top) { top.remove(QStringLiteral("spi_mode")); })
                                    << "\"spi_mode\" is missing";
    QTest::newRow("other record") << effectsLayout() << onTop("record", QStringLiteral("hardware"))
                                  << "it holds hardware settings, not effects settings";
}

void TestCtlFormats::jsonThatCannotBeARecordIsRefused()
{
    QFETCH(RecordJson::Layout, layout);
    QFETCH(JsonEdit, edit);
    QFETCH(QString, problem);
    QJsonObject top = QJsonDocument::fromJson(RecordJson::write(layout, QByteArray(layout.size, '\0'))).object();
    edit(top);
    QString found;
    QVERIFY(RecordJson::read(layout, QJsonDocument(top).toJson(), &found).isEmpty());
    QCOMPARE(found, problem);
}

void TestCtlFormats::backupSurvivesItsFile()
{
    // The check value of this CRC-32 everywhere it is used (zlib, gzip, PNG).
    QCOMPARE(ControllerBackup::checksum(QByteArrayLiteral("123456789")), 0xCBF43926u);

    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("wheel.kbak"));
    const ControllerBackup backup = sampleBackup();
    QString problem;
    QVERIFY(backup.save(path, &problem));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.size(), 924);
    QVERIFY(bytes.startsWith("KSTRVBAK\x01\x00"));

    const std::optional<ControllerBackup> loaded = ControllerBackup::load(path, &problem);
    QVERIFY2(loaded, qPrintable(problem));
    QCOMPARE(loaded->toBytes(), bytes);
    QCOMPARE(loaded->productId, 22999);
    QCOMPARE(loaded->deviceType, int(Wheel));
    QCOMPARE(loaded->firmwareVersion, 241123u);
    QCOMPARE(loaded->hardware.reserved_85[170], quint8(0x5A));
    const float maxForce = loaded->effects.axis[1].max_force; // packed: copied, not referenced
    QCOMPARE(maxForce, 12.5f);
}

void TestCtlFormats::brokenBackupIsRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<ControllerBackup::Problem>("problem");
    const QByteArray whole = sampleBackup().toBytes();
    const auto resealed = [](QByteArray bytes) {
        bytes.chop(4);
        const quint32 crc = ControllerBackup::checksum(bytes);
        return bytes + QByteArray(reinterpret_cast<const char *>(&crc), 4);
    };
    QTest::newRow("empty") << QByteArray() << ControllerBackup::Problem::NotABackup;
    QTest::newRow("a profile") << QByteArray(384, '\0') << ControllerBackup::Problem::NotABackup;
    QTest::newRow("first bytes only") << whole.left(5) << ControllerBackup::Problem::Truncated;
    QTest::newRow("header only") << whole.left(24) << ControllerBackup::Problem::Truncated;
    QTest::newRow("last byte missing") << whole.left(923) << ControllerBackup::Problem::Truncated;
    QByteArray flipped = whole;
    flipped[500] = char(flipped.at(500) ^ 0x01);
    QTest::newRow("one bit flipped") << flipped << ControllerBackup::Problem::Damaged;
    QTest::newRow("a byte too many") << whole + '\0' << ControllerBackup::Problem::Damaged;
    QByteArray newer = whole;
    newer[8] = 2;
    QTest::newRow("newer format") << resealed(newer) << ControllerBackup::Problem::NewerFormat;
    QByteArray otherLayout = whole;
    otherLayout[20] = char(0x00);
    QTest::newRow("other record sizes") << resealed(otherLayout) << ControllerBackup::Problem::OtherLayout;
}

void TestCtlFormats::brokenBackupIsRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(ControllerBackup::Problem, problem);
    ControllerBackup::Problem found = ControllerBackup::Problem::None;
    QVERIFY(!ControllerBackup::fromBytes(bytes, &found));
    QCOMPARE(found, problem);
}

void TestCtlFormats::backupMatchesOnlyItsOwnKind()
{
    const ControllerBackup backup = sampleBackup();
    DeviceInfoTypeDef wheel;
    wheel.deviceType = Wheel;
    wheel.firmwareVersion = 241123;
    QCOMPARE(backup.match(22999, wheel), ControllerBackup::Match::Same);
    QVERIFY(backup.mismatch(22999, wheel).isEmpty());

    DeviceInfoTypeDef newer = wheel;
    newer.firmwareVersion = 241200;
    QCOMPARE(backup.match(22999, newer), ControllerBackup::Match::OtherFirmware);
    QVERIFY(backup.mismatch(22999, newer).contains(QLatin1String("firmware 241200")));

    DeviceInfoTypeDef joystick = wheel;
    joystick.deviceType = Joystick;
    QCOMPARE(backup.match(22777, joystick), ControllerBackup::Match::OtherKind);
    QCOMPARE(backup.mismatch(22777, joystick),
             QStringLiteral("The backup is of a Kestrov Wheel PRO (product id 22999), but this controller is a "
                            "Kestrov Joystick (product id 22777)."));
    // A controller that reports the wheel's type under another product id is another kind too.
    QCOMPARE(backup.match(22888, wheel), ControllerBackup::Match::OtherKind);
}

QTEST_GUILESS_MAIN(TestCtlFormats)
#include "tst_ctlformats.moc"
