// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/recordfield.h"
#include "effects/effectrecordfields.h"
#include "effects/effectsettings.h"
#include "hardware/hardwarerecordfields.h"
#include "hardware/hardwaresettings.h"

#include <QtTest>

#include <cstddef>

Q_DECLARE_METATYPE(RecordField)

// The field tables name what a controller kept differently and lay out records as named
// fields; a gap or an overlap would hide a difference or misplace a value.
class TestRecordFields : public QObject
{
    Q_OBJECT

private slots:
    void tablesCoverEveryByteOnce_data();
    void tablesCoverEveryByteOnce();
    void differencesNameFieldsInThePagesWords();
};

void TestRecordFields::tablesCoverEveryByteOnce_data()
{
    QTest::addColumn<QList<RecordField>>("fields");
    QTest::addColumn<int>("size");
    QTest::newRow("effects") << effectRecordFields() << int(sizeof(EffectSettingsTypeDef));
    QTest::newRow("hardware") << hardwareRecordFields() << int(sizeof(HardwareSettingsTypeDef));
}

void TestRecordFields::tablesCoverEveryByteOnce()
{
    QFETCH(QList<RecordField>, fields);
    QFETCH(int, size);
    int next = 0;
    for (const RecordField &field : fields) {
        QVERIFY2(field.offset == next, field.name);
        QVERIFY(field.width == 1 || field.width == 2 || field.width == 4);
        QVERIFY(field.kind != RecordField::Float || field.width == 4);
        next += field.size();
    }
    QCOMPARE(next, size);
}

void TestRecordFields::differencesNameFieldsInThePagesWords()
{
    EffectSettingsTypeDef sent{};
    EffectSettingsTypeDef kept{};
    kept.axis[1].max_force = 7.0f;
    kept.reserved[3] = 1;
    kept.reserved[90] = 2;
    const QByteArray a(reinterpret_cast<const char *>(&sent), sizeof sent);
    const QByteArray b(reinterpret_cast<const char *>(&kept), sizeof kept);
    QCOMPARE(RecordFields::differences(effectRecordFields(), a, b),
             (QStringList{QStringLiteral("reserved bytes"), QStringLiteral("Axis 1: Max force available (kg)")}));
    QVERIFY(RecordFields::differences(effectRecordFields(), a, a).isEmpty());

    HardwareSettingsTypeDef hardware{};
    HardwareSettingsTypeDef clamped{};
    clamped.button_mode[2] = 4;
    clamped.analog_lower_dead_zone[1] = 300;
    QCOMPARE(RecordFields::differences(hardwareRecordFields(),
                                       QByteArray(reinterpret_cast<const char *>(&hardware), sizeof hardware),
                                       QByteArray(reinterpret_cast<const char *>(&clamped), sizeof clamped)),
             (QStringList{QStringLiteral("Button 3"), QStringLiteral("Analog axis 2: Lower dead zone")}));
}

QTEST_GUILESS_MAIN(TestRecordFields)
#include "tst_recordfields.moc"
