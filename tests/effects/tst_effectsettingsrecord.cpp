// SPDX-License-Identifier: GPL-3.0-or-later
#include "effects/fulleffectsettingswidget.h"
#include "effecttesthelpers.h"

#include <QCheckBox>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

#include <limits>

using namespace EffectTest;

// How the panel shows a record and fills one: byte positions, widths and value rules.
class EffectSettingsRecordTest : public QObject
{
    Q_OBJECT

private:
    ScratchWorkingDirectory m_workingDirectory;

    static QByteArray gathered(const FullEffectSettingsWidget &panel)
    {
        EffectSettingsTypeDef settings{};
        panel.gatherSettings(settings);
        return bytesOf(settings);
    }

    static int spin(const FullEffectSettingsWidget &panel, const char *name)
    {
        return control<QSpinBox>(panel, name)->value();
    }

private slots:
    void zeroRecordShowsMinimaAndComesBackWithInvertAndRangeSet()
    {
        FullEffectSettingsWidget panel;
        loadSettingsOnce(panel, QByteArray(384, '\0'));

        QVERIFY(!control<QCheckBox>(panel, "invert_constant_force")->isChecked());
        QCOMPARE(spin(panel, "soft_stop_range_axis0"), 1);
        QCOMPARE(spin(panel, "soft_stop_range_axis1"), 1);
        QCOMPARE(control<QSlider>(panel, "soft_stop_range_slider_axis0")->value(), 1);
        QCOMPARE(spin(panel, "motion_range_axis0"), 0);

        QByteArray expected(384, '\0');
        expected[0] = char(0xFF);
        expected[130] = 1;
        expected[258] = 1;
        QCOMPARE(gathered(panel), expected);
    }

    void everyFieldSitsAtItsOffset_data()
    {
        QTest::addColumn<int>("axis");
        QTest::newRow("axis 0") << 0;
        QTest::newRow("axis 1") << 1;
    }

    void everyFieldSitsAtItsOffset()
    {
        QFETCH(int, axis);
        const int base = 128 + 128 * axis;
        const QString suffix = QStringLiteral("_axis%1").arg(axis);

        QByteArray bytes(384, '\0');
        bytes[1] = 11;
        bytes[2] = 12;
        bytes[3] = 13;
        bytes[base + 0] = 21;
        bytes[base + 1] = 22;
        bytes[base + 2] = 23;
        putU16(bytes, base + 3, 501); // odd offset: 131 and 259
        putU16(bytes, base + 5, 502);
        putU16(bytes, base + 7, 1003);
        putFloat(bytes, base + 9, 42.0f);
        putU16(bytes, base + 14, 504);

        FullEffectSettingsWidget panel;
        loadSettingsOnce(panel, bytes);
        QCOMPARE(spin(panel, "direct_x_spring_strength"), 11);
        QCOMPARE(spin(panel, "direct_x_constant_strength"), 12);
        QCOMPARE(spin(panel, "direct_x_periodic_strength"), 13);
        QCOMPARE(control<QSpinBox>(panel, "total_effect_scale" + suffix)->value(), 21);
        QCOMPARE(control<QSpinBox>(panel, "soft_stop_strength" + suffix)->value(), 22);
        QCOMPARE(control<QSpinBox>(panel, "soft_stop_range" + suffix)->value(), 23);
        QCOMPARE(control<QSpinBox>(panel, "static_dampening" + suffix)->value(), 501);
        QCOMPARE(control<QSpinBox>(panel, "dynamic_dampening" + suffix)->value(), 502);
        QCOMPARE(control<QSpinBox>(panel, "motion_range" + suffix)->value(), 1003);
        QCOMPARE(control<QSpinBox>(panel, "max_force" + suffix)->value(), 42);
        QCOMPARE(control<QSpinBox>(panel, "soft_stop_dampening" + suffix)->value(), 504);

        const QByteArray out = gathered(panel);
        QCOMPARE(u16At(out, base + 3), uint16_t(501));
        QCOMPARE(u16At(out, base + 5), uint16_t(502));
        QCOMPARE(u16At(out, base + 7), uint16_t(1003));
        QCOMPARE(floatAt(out, base + 9), 42.0f);
        QCOMPARE(u16At(out, base + 14), uint16_t(504));
        bytes[0] = char(0xFF); // unchecked box goes out as -1
        const int otherRange = 128 + 128 * (1 - axis) + 2;
        bytes[otherRange] = 1; // the other axis's soft stop range was clamped up from 0
        QCOMPARE(out, bytes);
    }

    void maxForceIsTruncatedTowardZero_data()
    {
        QTest::addColumn<float>("stored");
        QTest::addColumn<int>("shown");
        QTest::newRow("7.9") << 7.9f << 7;
        QTest::newRow("25.0") << 25.0f << 25;
        QTest::newRow("-0.5") << -0.5f << 0;
        QTest::newRow("above range") << 250.7f << 100;
        QTest::newRow("beyond int") << 1.0e30f << 100;
        QTest::newRow("infinity") << std::numeric_limits<float>::infinity() << 100;
        QTest::newRow("nan") << std::numeric_limits<float>::quiet_NaN() << 0;
    }

    void maxForceIsTruncatedTowardZero()
    {
        QFETCH(float, stored);
        QFETCH(int, shown);
        QByteArray bytes(384, '\0');
        putFloat(bytes, 137, stored);
        putFloat(bytes, 265, stored);

        FullEffectSettingsWidget panel;
        loadSettingsOnce(panel, bytes);
        QCOMPARE(spin(panel, "max_force_axis0"), shown);
        QCOMPARE(spin(panel, "max_force_axis1"), shown);
        const QByteArray out = gathered(panel);
        QCOMPARE(floatAt(out, 137), float(shown));
        QCOMPARE(floatAt(out, 265), float(shown));
    }

    void outOfRangeValuesAreClamped()
    {
        QByteArray bytes(384, '\0');
        putU16(bytes, 135, 12000);
        putU16(bytes, 131, 65535);
        bytes[130] = 60;
        bytes[258] = 0;
        bytes[1] = char(200);

        FullEffectSettingsWidget panel;
        loadSettingsOnce(panel, bytes);
        QCOMPARE(spin(panel, "motion_range_axis0"), 9999);
        QCOMPARE(control<QSlider>(panel, "motion_range_slider_axis0")->value(), 9999);
        QCOMPARE(spin(panel, "static_dampening_axis0"), 999);
        QCOMPARE(spin(panel, "soft_stop_range_axis0"), 45);
        QCOMPARE(control<QSlider>(panel, "soft_stop_range_slider_axis0")->value(), 45);
        QCOMPARE(spin(panel, "soft_stop_range_axis1"), 1);
        QCOMPARE(control<QSlider>(panel, "soft_stop_range_slider_axis1")->value(), 1);
        QCOMPARE(spin(panel, "direct_x_spring_strength"), 100);

        const QByteArray out = gathered(panel);
        QCOMPARE(u16At(out, 135), uint16_t(9999));
        QCOMPARE(u16At(out, 131), uint16_t(999));
        QCOMPARE(int(out[130]), 45);
        QCOMPARE(int(out[258]), 1);
        QCOMPARE(int(uint8_t(out[1])), 100);
    }

    void invertByteIsSigned_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<int>("written");
        QTest::newRow("1") << 0x01 << true << 0x01;
        QTest::newRow("0x7F") << 0x7F << true << 0x01;
        QTest::newRow("0") << 0x00 << false << 0xFF;
        QTest::newRow("0x80") << 0x80 << false << 0xFF;
        QTest::newRow("0xFF") << 0xFF << false << 0xFF;
    }

    void invertByteIsSigned()
    {
        QFETCH(int, stored);
        QFETCH(bool, checked);
        QFETCH(int, written);
        QByteArray bytes(384, '\0');
        bytes[0] = char(stored);

        FullEffectSettingsWidget panel;
        // Start from the opposite state, so a load that ignores the byte is caught.
        control<QCheckBox>(panel, "invert_constant_force")->setChecked(!checked);
        loadSettingsOnce(panel, bytes);
        QCOMPARE(control<QCheckBox>(panel, "invert_constant_force")->isChecked(), checked);
        QCOMPARE(int(uint8_t(gathered(panel)[0])), written);
    }

    void reservedBytesAreNotCarried()
    {
        QByteArray bytes(384, char(0x5A));
        FullEffectSettingsWidget panel;
        loadSettingsOnce(panel, bytes);
        const QByteArray out = gathered(panel);

        for (int axisBase : {128, 256}) {
            QCOMPARE(out[axisBase + 13], '\0');
            QCOMPARE(out.mid(axisBase + 16, 112), QByteArray(112, '\0'));
        }
        QCOMPARE(out.mid(4, 124), QByteArray(124, '\0'));
        // The edited fields did come through.
        QCOMPARE(out[0], char(0x01));
        QCOMPARE(u16At(out, 131), uint16_t(999));
    }

    void gatherLeavesCallersReservedBytes()
    {
        EffectSettingsTypeDef settings{};
        settings.reserved[7] = 0x33;
        settings.axis[1].reserved[0] = 0x44;
        FullEffectSettingsWidget panel;
        panel.gatherSettings(settings);
        QCOMPARE(settings.reserved[7], uint8_t(0x33));
        QCOMPARE(settings.axis[1].reserved[0], uint8_t(0x44));
    }

private:
    static void loadSettingsOnce(FullEffectSettingsWidget &panel, const QByteArray &bytes)
    {
        QCOMPARE(bytes.size(), 384);
        panel.loadSettings(recordFrom(bytes));
    }
};

QTEST_MAIN(EffectSettingsRecordTest)
#include "tst_effectsettingsrecord.moc"
