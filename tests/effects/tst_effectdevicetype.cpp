// SPDX-License-Identifier: GPL-3.0-or-later
#include "effects/fulleffectsettingswidget.h"
#include "effecttesthelpers.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

using namespace EffectTest;

// The device type decides which rows and axis pages are on display; what is hidden is
// still loaded and gathered.
class EffectDeviceTypeTest : public QObject
{
    Q_OBJECT

private:
    ScratchWorkingDirectory m_workingDirectory;

    static bool axisPageVisible(const FullEffectSettingsWidget &panel, const char *page)
    {
        const QTabWidget *tabs = control<QTabWidget>(panel, "axis_tab");
        return tabs->isTabVisible(tabs->indexOf(control<QWidget>(panel, page)));
    }

    static bool rowVisible(const FullEffectSettingsWidget &panel, const QString &label,
                           const QString &slider, const QString &spinBox)
    {
        const bool labelShown = !control<QLabel>(panel, label)->isHidden();
        const bool sliderShown = !control<QSlider>(panel, slider)->isHidden();
        const bool spinShown = !control<QSpinBox>(panel, spinBox)->isHidden();
        if (labelShown != sliderShown || sliderShown != spinShown)
            qFatal("row of %s is partly hidden", qPrintable(spinBox));
        return spinShown;
    }

    static bool maxForceVisible(const FullEffectSettingsWidget &panel, int axis)
    {
        const QString suffix = QStringLiteral("_axis%1").arg(axis);
        return rowVisible(panel, "max_force_label" + suffix, "max_force_slider" + suffix, "max_force" + suffix);
    }

    static EffectSettingsTypeDef distinctRecord()
    {
        EffectSettingsTypeDef settings{};
        settings.invert_constant_force = 1;
        settings.direct_x_spring_strength = 3;
        settings.direct_x_constant_strength = 4;
        settings.direct_x_periodic_strength = 5;
        for (int axis = 0; axis < 2; ++axis) {
            const int shift = 10 * axis;
            settings.axis[axis].total_effect_scale = uint8_t(61 + shift);
            settings.axis[axis].soft_stop_strength = uint8_t(62 + shift);
            settings.axis[axis].soft_stop_range = uint8_t(13 + shift);
            settings.axis[axis].static_dampening = uint16_t(164 + shift);
            settings.axis[axis].dynamic_dampening = uint16_t(265 + shift);
            settings.axis[axis].motion_range = uint16_t(366 + shift);
            settings.axis[axis].max_force = float(17 + shift);
            settings.axis[axis].soft_stop_dampening = uint16_t(468 + shift);
        }
        return settings;
    }

private slots:
    void beforeAnyDeviceTypeEverythingIsShown()
    {
        FullEffectSettingsWidget panel;
        QVERIFY(axisPageVisible(panel, "axis0Tab"));
        QVERIFY(axisPageVisible(panel, "axis1Tab"));
        QVERIFY(maxForceVisible(panel, 0));
        QCOMPARE(control<QTabWidget>(panel, "axis_tab")->currentIndex(), 0);
    }

    void rowsAndPagesFollowDeviceType_data()
    {
        QTest::addColumn<int>("deviceType");
        QTest::addColumn<bool>("axis1Shown");
        QTest::addColumn<bool>("maxForceShown");
        QTest::newRow("joystick") << 1 << true << true;
        QTest::newRow("rudder") << 2 << false << true;
        QTest::newRow("wheel") << 3 << false << false;
        QTest::newRow("collective") << 4 << false << true;
        QTest::newRow("unknown 7") << 7 << true << true;
    }

    void rowsAndPagesFollowDeviceType()
    {
        QFETCH(int, deviceType);
        QFETCH(bool, axis1Shown);
        QFETCH(bool, maxForceShown);
        FullEffectSettingsWidget panel;
        panel.loadSettings(distinctRecord());
        panel.setDeviceType(deviceType);

        QVERIFY(axisPageVisible(panel, "axis0Tab"));
        QCOMPARE(axisPageVisible(panel, "axis1Tab"), axis1Shown);
        QCOMPARE(maxForceVisible(panel, 0), maxForceShown);
        QCOMPARE(maxForceVisible(panel, 1), maxForceShown);
        for (const char *setting : {"static_dampening", "dynamic_dampening", "soft_stop_strength",
                                    "soft_stop_range", "motion_range", "soft_stop_dampening"}) {
            for (const char *axis : {"axis0", "axis1"}) {
                const QString spinBox = QStringLiteral("%1_%2").arg(setting, axis);
                QVERIFY2(!control<QSpinBox>(panel, spinBox)->isHidden(), qPrintable(spinBox));
            }
        }
        QVERIFY(!control<QGroupBox>(panel, "direct_x_group_box")->isHidden());
        QVERIFY(!control<QGroupBox>(panel, "profiles_group_box")->isHidden());
        QVERIFY(!control<QCheckBox>(panel, "invert_constant_force")->isHidden());

        // Hidden rows and pages are gathered like visible ones.
        const EffectSettingsTypeDef expected = distinctRecord();
        EffectSettingsTypeDef gathered{};
        panel.gatherSettings(gathered);
        QCOMPARE(bytesOf(gathered), bytesOf(expected));
    }

    void hiddenAxisPageIsNotLeftCurrent()
    {
        FullEffectSettingsWidget panel;
        QTabWidget *tabs = control<QTabWidget>(panel, "axis_tab");
        tabs->setCurrentIndex(1);
        panel.setDeviceType(2);
        QCOMPARE(tabs->currentWidget(), control<QWidget>(panel, "axis0Tab"));
    }

    void wheelThenJoystickShowsEverythingAgain()
    {
        FullEffectSettingsWidget panel;
        panel.setDeviceType(3);
        panel.setDeviceType(1);
        QVERIFY(axisPageVisible(panel, "axis1Tab"));
        QVERIFY(maxForceVisible(panel, 0));
        QVERIFY(maxForceVisible(panel, 1));
    }

    void unknownTypeLeavesAxisPagesAsTheyAre()
    {
        FullEffectSettingsWidget panel;
        panel.setDeviceType(4);
        panel.setDeviceType(7);
        QVERIFY(!axisPageVisible(panel, "axis1Tab"));
        QVERIFY(maxForceVisible(panel, 1));
    }

    void hiddenAxisStillLoads()
    {
        FullEffectSettingsWidget panel;
        panel.setDeviceType(2);
        panel.loadSettings(distinctRecord());
        QCOMPARE(control<QSpinBox>(panel, "motion_range_axis1")->value(), 376);
        QCOMPARE(control<QSlider>(panel, "static_dampening_slider_axis1")->value(), 174);
    }
};

QTEST_MAIN(EffectDeviceTypeTest)
#include "tst_effectdevicetype.moc"
