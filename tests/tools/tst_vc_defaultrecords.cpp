// SPDX-License-Identifier: GPL-3.0-or-later
#include "controllerkind.h"
#include "defaultrecords.h"
#include "recordbytes.h"

#include <QTest>

#include <cmath>

using namespace RecordBytes;

Q_DECLARE_METATYPE(ControllerKind)

class TestDefaultRecords : public QObject
{
    Q_OBJECT

private slots:
    void kindsHaveTheirProductIdsAndTypes_data();
    void kindsHaveTheirProductIdsAndTypes();
    void unknownKindNameIsRefused();

    void recordsHaveTheFirmwareSizes_data() { kinds(); }
    void recordsHaveTheFirmwareSizes();
    void effectRecordIsPlausible_data() { kinds(); }
    void effectRecordIsPlausible();
    void motionRangeSuitsTheKind_data();
    void motionRangeSuitsTheKind();
    void hardwareRecordIsPlausible_data() { kinds(); }
    void hardwareRecordIsPlausible();
    void reservedBytesAreZero_data() { kinds(); }
    void reservedBytesAreZero();

private:
    static void kinds();
};

void TestDefaultRecords::kinds()
{
    QTest::addColumn<ControllerKind>("kind");
    QTest::newRow("generic") << ControllerKind::Generic;
    QTest::newRow("joystick") << ControllerKind::Joystick;
    QTest::newRow("rudder") << ControllerKind::Rudder;
    QTest::newRow("wheel") << ControllerKind::Wheel;
    QTest::newRow("collective") << ControllerKind::Collective;
}

void TestDefaultRecords::kindsHaveTheirProductIdsAndTypes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("productId");
    QTest::addColumn<int>("deviceType");
    QTest::addColumn<QString>("productName");
    QTest::newRow("generic") << "generic" << 22000 << 0 << "Kestrov Generic";
    QTest::newRow("joystick") << "joystick" << 22777 << 1 << "Kestrov Joystick";
    QTest::newRow("rudder") << "rudder" << 22888 << 2 << "Kestrov Rudder";
    QTest::newRow("wheel") << "wheel" << 22999 << 3 << "Kestrov Wheel PRO";
    QTest::newRow("collective") << "collective" << 22001 << 4 << "Kestrov Collective";
}

void TestDefaultRecords::kindsHaveTheirProductIdsAndTypes()
{
    QFETCH(QString, name);
    QFETCH(int, productId);
    QFETCH(int, deviceType);
    QFETCH(QString, productName);
    const std::optional<ControllerKind> kind = ControllerKinds::fromName(name);
    QVERIFY(kind);
    QCOMPARE(ControllerKinds::name(*kind), name);
    QCOMPARE(ControllerKinds::productId(*kind), productId);
    QCOMPARE(ControllerKinds::deviceType(*kind), deviceType);
    QCOMPARE(ControllerKinds::productName(*kind), productName);
}

void TestDefaultRecords::unknownKindNameIsRefused()
{
    QVERIFY(!ControllerKinds::fromName(QStringLiteral("pedals")));
    QVERIFY(!ControllerKinds::fromName(QStringLiteral("Joystick")));
    QVERIFY(!ControllerKinds::fromName(QString()));
}

void TestDefaultRecords::recordsHaveTheFirmwareSizes()
{
    QFETCH(ControllerKind, kind);
    QCOMPARE(DefaultRecords::effects(kind).size(), 384);
    QCOMPARE(DefaultRecords::hardware(kind).size(), 512);
}

void TestDefaultRecords::effectRecordIsPlausible()
{
    QFETCH(ControllerKind, kind);
    const QByteArray record = DefaultRecords::effects(kind);
    QCOMPARE(u8(record, 0), quint8(0xFF)); // constant force not inverted
    for (int offset = 1; offset <= 3; ++offset)
        QCOMPARE(u8(record, offset), quint8(100)); // DirectX strengths
    for (int block : {128, 256}) {
        QVERIFY(u8(record, block) <= 100);
        QVERIFY(u8(record, block + 1) <= 100);
        QVERIFY(u8(record, block + 2) >= 1 && u8(record, block + 2) <= 45);
        for (int offset : {3, 5, 14})
            QVERIFY(u16(record, block + offset) <= 999);
        const float maxForce = f32(record, block + 9);
        QVERIFY(maxForce > 0.0f && maxForce <= 100.0f);
        QCOMPARE(maxForce, std::trunc(maxForce));
    }
}

void TestDefaultRecords::motionRangeSuitsTheKind_data()
{
    QTest::addColumn<ControllerKind>("kind");
    QTest::addColumn<int>("lowest");
    QTest::addColumn<int>("highest");
    QTest::newRow("joystick") << ControllerKind::Joystick << 40 << 60;
    QTest::newRow("wheel") << ControllerKind::Wheel << 900 << 900;
    QTest::newRow("rudder") << ControllerKind::Rudder << 30 << 90;
    QTest::newRow("collective") << ControllerKind::Collective << 20 << 90;
    QTest::newRow("generic") << ControllerKind::Generic << 1 << 9999;
}

void TestDefaultRecords::motionRangeSuitsTheKind()
{
    QFETCH(ControllerKind, kind);
    QFETCH(int, lowest);
    QFETCH(int, highest);
    const QByteArray record = DefaultRecords::effects(kind);
    for (int offset : {135, 263}) {
        QVERIFY2(u16(record, offset) >= lowest && u16(record, offset) <= highest,
                 qPrintable(QString::number(u16(record, offset))));
    }
}

void TestDefaultRecords::hardwareRecordIsPlausible()
{
    QFETCH(ControllerKind, kind);
    const QByteArray record = DefaultRecords::hardware(kind);
    QVERIFY(u8(record, 0) <= 1);
    QVERIFY(u8(record, 3) <= 2);
    QVERIFY(u8(record, 4) <= 3);
    for (int offset : {48, 49, 50, 51, 52, 59, 60, 61, 62, 63, 64, 65, 79, 80, 81})
        QVERIFY2(u8(record, offset) <= 100, qPrintable(QString::number(offset)));
    QVERIFY(u8(record, 66) >= 2 && u8(record, 66) <= 32);
    for (int offset = 67; offset < 79; offset += 2)
        QVERIFY(u16(record, offset) <= 32767);
    for (int block : {256, 384}) {
        QCOMPARE(u8(record, block), quint8(0x01));
        QCOMPARE(u8(record, block + 1), quint8(0xFF));
        QVERIFY(u8(record, block + 2) > 0 && u8(record, block + 2) <= 99);
        QVERIFY(u16(record, block + 3) > 0);
        QVERIFY(std::isfinite(f32(record, block + 7)) && f32(record, block + 7) > 0.0f);
        QVERIFY(std::isfinite(f32(record, block + 11)) && f32(record, block + 11) > 0.0f);
    }
}

void TestDefaultRecords::reservedBytesAreZero()
{
    QFETCH(ControllerKind, kind);
    const QByteArray effects = DefaultRecords::effects(kind);
    QCOMPARE(effects.mid(4, 124), QByteArray(124, '\0'));
    for (int block : {128, 256}) {
        QCOMPARE(u8(effects, block + 13), quint8(0));
        QCOMPARE(effects.mid(block + 16, 112), QByteArray(112, '\0'));
    }
    const QByteArray hardware = DefaultRecords::hardware(kind);
    QCOMPARE(u8(hardware, 2), quint8(0));
    QCOMPARE(hardware.mid(53, 6), QByteArray(6, '\0'));
    QCOMPARE(hardware.mid(85, 171), QByteArray(171, '\0'));
    for (int block : {256, 384})
        QCOMPARE(hardware.mid(block + 15, 113), QByteArray(113, '\0'));
}

QTEST_APPLESS_MAIN(TestDefaultRecords)
#include "tst_vc_defaultrecords.moc"
