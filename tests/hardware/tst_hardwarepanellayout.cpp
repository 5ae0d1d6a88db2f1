// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/deviceinfo.h"
#include "hardware/fullhardwaresettingswidget.h"
#include "panelcontrols.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMetaMethod>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTranslator>
#include <QVBoxLayout>

namespace {

// Marks every text with the context it was looked up in, so the test can tell which
// context a control's text went through.
class ContextMarkingTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        return QLatin1String(context) + QLatin1Char('|') + QLatin1String(sourceText);
    }
    bool isEmpty() const override { return false; }
};

} // namespace

// The hardware panel's form and its device-type and advanced-mode rules.
class HardwarePanelLayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void advancedModeShowsCurrentSenseGain();
    void rangesAndInitialValues_data();
    void rangesAndInitialValues();
    void labelsAreNotClipped();
    void visibilityByDeviceType_data();
    void visibilityByDeviceType();
    void axisTabsFollowDeviceTypeOnLoad();
    void wheelDropDownLeavesOutRangeSearch();
    void textsUseTheirTranslationContexts();
};

void HardwarePanelLayoutTest::advancedModeShowsCurrentSenseGain()
{
    FullHardwareSettingsWidget panel;
    panel.setDeviceType(DeviceType::Joystick, false);
    QVERIFY(control<QComboBox>(&panel, "amplifier_gain")->isHidden());
    panel.setDeviceType(DeviceType::Joystick, true);
    QVERIFY(!control<QComboBox>(&panel, "amplifier_gain")->isHidden());
}

void HardwarePanelLayoutTest::rangesAndInitialValues_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    for (const char *percent : {"power_limit", "calibration_magnitude", "calibration_speed", "calibration_current",
                                "braking_limit", "position_smoothing"})
        QTest::newRow(percent) << QString::fromLatin1(percent) << 0 << 100;
    QTest::newRow("speed_sample_buffer_size") << QStringLiteral("speed_sample_buffer_size") << 2 << 32;
    QTest::newRow("axis0_encoder_CPR") << QStringLiteral("axis0_encoder_CPR") << 0 << 99999;
    QTest::newRow("axis1_encoder_CPR") << QStringLiteral("axis1_encoder_CPR") << 0 << 99999;
    QTest::newRow("axis0_pole_pair") << QStringLiteral("axis0_pole_pair") << 0 << 99;
    QTest::newRow("axis1_pole_pair") << QStringLiteral("axis1_pole_pair") << 0 << 99;
}

void HardwarePanelLayoutTest::rangesAndInitialValues()
{
    QFETCH(QString, name);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    FullHardwareSettingsWidget panel;
    auto *spin = control<QSpinBox>(&panel, name);
    QCOMPARE(spin->minimum(), minimum);
    QCOMPARE(spin->maximum(), maximum);
    QCOMPARE(spin->value(), minimum);
    QVERIFY(spin->prefix().isEmpty());
    QVERIFY(spin->suffix().isEmpty());
}

void HardwarePanelLayoutTest::labelsAreNotClipped()
{
    FullHardwareSettingsWidget panel;
    panel.setDeviceType(DeviceType::Joystick, true);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    for (QLabel *label : panel.findChildren<QLabel *>()) {
        if (!label->isVisible())
            continue;
        QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName()));
    }
    for (QCheckBox *box : panel.findChildren<QCheckBox *>()) {
        if (box->isVisible())
            QVERIFY2(box->width() >= box->sizeHint().width(), qPrintable(box->objectName()));
    }
}

void HardwarePanelLayoutTest::visibilityByDeviceType_data()
{
    QTest::addColumn<int>("deviceType");
    QTest::addColumn<bool>("advanced");
    QTest::addColumn<bool>("calibrationSpeedShown");
    QTest::newRow("joystick") << int(DeviceType::Joystick) << false << true;
    QTest::newRow("joystick, advanced") << int(DeviceType::Joystick) << true << true;
    QTest::newRow("rudder") << int(DeviceType::Rudder) << true << true;
    QTest::newRow("wheel") << int(DeviceType::Wheel) << false << false;
    QTest::newRow("wheel, advanced") << int(DeviceType::Wheel) << true << false;
    QTest::newRow("collective") << int(DeviceType::Collective) << false << true;
    QTest::newRow("unknown type") << 7 << true << true;
}

void HardwarePanelLayoutTest::visibilityByDeviceType()
{
    QFETCH(int, deviceType);
    QFETCH(bool, advanced);
    QFETCH(bool, calibrationSpeedShown);
    FullHardwareSettingsWidget panel;
    // Start from the opposite state so every rule has to act.
    panel.setDeviceType(deviceType == DeviceType::Wheel ? DeviceType::Joystick : DeviceType::Wheel, !advanced);
    panel.setDeviceType(deviceType, advanced);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));

    auto shown = [&panel](const char *name) { return control<QWidget>(&panel, QLatin1String(name))->isVisible(); };
    QCOMPARE(shown("amplifier_gain_label"), advanced);
    QCOMPARE(shown("amplifier_gain"), advanced);
    for (const char *name : {"calibration_speed_label", "calibration_speed_slider", "calibration_speed"})
        QCOMPARE(shown(name), calibrationSpeedShown);
    for (const char *name : {"calibration_current_label", "calibration_current_slider", "calibration_current"})
        QVERIFY2(!shown(name), name);
    for (const char *name :
         {"debug_forces", "force_enable", "label_74", "calibration_mode", "speed_sample_buffer_size_label",
          "speed_sample_buffer_size_slider", "speed_sample_buffer_size", "position_smoothing_label",
          "position_smoothing_slider", "position_smoothing", "label_32", "power_limit", "label_34",
          "calibration_magnitude", "label_33", "braking_limit", "axis0_encoder_direction", "axis0_force_direction",
          "axis0_encoder_CPR", "axis0_pole_pair", "axis0_p_gain_label", "axis0_p_gain", "axis0_i_gain_label",
          "axis0_i_gain"})
        QVERIFY2(shown(name), name);
    // Axis 1 sits on a page that is not current; its gains are not hidden in their own right.
    for (const char *name : {"axis1_p_gain_label", "axis1_p_gain", "axis1_i_gain_label", "axis1_i_gain"})
        QVERIFY2(!control<QWidget>(&panel, QLatin1String(name))->isHidden(), name);
}

void HardwarePanelLayoutTest::axisTabsFollowDeviceTypeOnLoad()
{
    FullHardwareSettingsWidget panel;
    auto *tabs = control<QTabWidget>(&panel, "axis_tab");
    const int axis1 = tabs->indexOf(control<QWidget>(&panel, "axis1Tab"));

    panel.setDeviceType(DeviceType::Rudder, false);
    QVERIFY(tabs->isTabVisible(axis1)); // the tabs change with the record, not before

    panel.loadSettings(HardwareSettingsTypeDef{});
    QVERIFY(tabs->isTabVisible(0));
    QVERIFY(!tabs->isTabVisible(axis1));

    panel.setDeviceType(7, false);
    panel.loadSettings(HardwareSettingsTypeDef{});
    QVERIFY(!tabs->isTabVisible(axis1)); // an unknown type leaves them as they are

    panel.setDeviceType(DeviceType::Joystick, false);
    panel.loadSettings(HardwareSettingsTypeDef{});
    QVERIFY(tabs->isTabVisible(0));
    QVERIFY(tabs->isTabVisible(axis1));

    for (int type : {int(DeviceType::Wheel), int(DeviceType::Collective)}) {
        panel.setDeviceType(type, false);
        panel.loadSettings(HardwareSettingsTypeDef{});
        QVERIFY(tabs->isTabVisible(0));
        QVERIFY(!tabs->isTabVisible(axis1));
        panel.setDeviceType(DeviceType::Joystick, false);
        panel.loadSettings(HardwareSettingsTypeDef{});
    }
}

void HardwarePanelLayoutTest::wheelDropDownLeavesOutRangeSearch()
{
    FullHardwareSettingsWidget panel;
    auto *combo = control<QComboBox>(&panel, "calibration_mode");
    auto *list = qobject_cast<QListView *>(combo->view());
    QVERIFY(list);

    panel.setDeviceType(DeviceType::Wheel, false);
    HardwareSettingsTypeDef settings;
    settings.calibration_mode = 2;
    panel.loadSettings(settings);
    QCOMPARE(combo->count(), 3);
    QVERIFY(!list->isRowHidden(0));
    QVERIFY(!list->isRowHidden(1));
    QVERIFY(list->isRowHidden(2));
    QCOMPARE(combo->currentText(), QStringLiteral("Automatic center of range search"));
    HardwareSettingsTypeDef gathered;
    panel.gatherSettings(gathered);
    QCOMPARE(gathered.calibration_mode, uint8_t(2));

    // A second load rebuilds the list rather than appending to it.
    panel.loadSettings(settings);
    QCOMPARE(combo->count(), 3);
    QVERIFY(list->isRowHidden(2));

    panel.setDeviceType(DeviceType::Joystick, false);
    panel.loadSettings(settings);
    QVERIFY(!list->isRowHidden(2));
}

void HardwarePanelLayoutTest::textsUseTheirTranslationContexts()
{
    ContextMarkingTranslator translator;
    QVERIFY(QCoreApplication::installTranslator(&translator));
    {
        FullHardwareSettingsWidget panel;
        const QString panelContext = QStringLiteral("FullHardwareSettingsWidget|");
        QCOMPARE(control<QLabel>(&panel, "label_32")->text(), panelContext + "Power limit (%)");
        QCOMPARE(control<QCheckBox>(&panel, "force_enable")->text(), panelContext + "Enable forces (Require reboot)");
        QCOMPARE(control<QComboBox>(&panel, "amplifier_gain")->itemText(0), panelContext + "80V/V");
        QCOMPARE(control<QTabWidget>(&panel, "axis_tab")->tabText(1), panelContext + "Axis 1");

        panel.loadSettings(HardwareSettingsTypeDef{});
        auto *calibration = control<QComboBox>(&panel, "calibration_mode");
        QCOMPARE(calibration->itemText(0), QStringLiteral("QComboBox|None"));
        QCOMPARE(calibration->itemText(2), QStringLiteral("QComboBox|Automatic center of range search"));

        panel.setDeviceType(DeviceType::Joystick, false);
        control<QSpinBox>(&panel, "axis0_encoder_CPR")->setValue(80000);
        QString message;
        QVERIFY(panel.hasInvalidValues(&message));
        QVERIFY(message.startsWith(panelContext));
    }
    QCoreApplication::removeTranslator(&translator);
}

QTEST_MAIN(HardwarePanelLayoutTest)
#include "tst_hardwarepanellayout.moc"
