// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/deviceinfo.h"
#include "hardware/fullhardwaresettingswidget.h"
#include "panelcontrols.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSet>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <bit>
#include <cstring>
#include <limits>

namespace {

QByteArray bytesOf(const HardwareSettingsTypeDef &settings)
{
    return QByteArray(reinterpret_cast<const char *>(&settings), sizeof settings);
}

quint32 bits(float value)
{
    return std::bit_cast<quint32>(value);
}

// Record bytes the panel edits: the general switches and limits, and per axis block the
// directions, pole pairs, CPR and the two gains.
QSet<int> panelBytes()
{
    QSet<int> bytes{0, 1, 3, 4, 48, 49, 50, 51, 52, 65, 66};
    for (int base : {256, 384}) {
        for (int offset : {0, 1, 2, 3, 4})
            bytes.insert(base + offset);
        for (int offset = 7; offset < 15; ++offset)
            bytes.insert(base + offset);
    }
    return bytes;
}

// Every panel field within its control's range and away from its default.
HardwareSettingsTypeDef editedRecord()
{
    HardwareSettingsTypeDef settings;
    settings.force_enable = 1;
    settings.debug_forces = 1;
    settings.calibration_mode = 1;
    settings.amplifier_gain = 3;
    settings.power_limit = 90;
    settings.braking_limit = 45;
    settings.calibration_magnitude = 33;
    settings.calibration_speed = 12;
    settings.calibration_current = 77;
    settings.position_smoothing = 5;
    settings.speed_sample_buffer_size = 17;
    for (int n = 0; n < 2; ++n) {
        settings.axis[n].encoder_direction = 1;
        settings.axis[n].force_direction = n == 0 ? -1 : 1;
        settings.axis[n].pole_pairs = uint8_t(7 + n);
        settings.axis[n].encoder_cpr = uint16_t(n == 0 ? 4096 : 65535);
        settings.axis[n].p_gain = n == 0 ? 1.5f : 0.25f;
        settings.axis[n].i_gain = n == 0 ? 0.001f : 12.0f;
    }
    return settings;
}

} // namespace

// Loading records into the hardware panel and gathering them back.
class HardwarePanelRecordTest : public QObject
{
    Q_OBJECT

private slots:
    void zeroRecordLoadsDefaultsAndGathersBack();
    void editedRecordRoundTrips_data();
    void editedRecordRoundTrips();
    void outOfRangeValuesAreClampedBothWays();
    void directionBytes_data();
    void directionBytes();
    void unknownEnumerationGoesBackUntouched();
    void gainsKeepSixSignificantDigits();
    void unparsableGainIsRefusedAndGathersAsZero_data();
    void unparsableGainIsRefusedAndGathersAsZero();
    void gainOnHiddenAxisIsNotRefused();
    void hiddenControlsAreStillGathered_data();
    void hiddenControlsAreStillGathered();
    void bytesOutsideThePanelAreUntouched();
    void recordBeforeFirstLoadCarriesCalibrationNone();
    void sliderAndSpinBoxMoveTogether();
    void encoderCprAboveFieldIsRefusedAndSaturated();
};

void HardwarePanelRecordTest::zeroRecordLoadsDefaultsAndGathersBack()
{
    FullHardwareSettingsWidget panel;
    panel.setDeviceType(DeviceType::Joystick, true);
    panel.loadSettings(HardwareSettingsTypeDef{});

    QVERIFY(!control<QCheckBox>(&panel, "force_enable")->isChecked());
    QVERIFY(!control<QCheckBox>(&panel, "debug_forces")->isChecked());
    QCOMPARE(control<QComboBox>(&panel, "calibration_mode")->currentText(), QStringLiteral("None"));
    QCOMPARE(control<QComboBox>(&panel, "amplifier_gain")->currentText(), QStringLiteral("80V/V"));
    for (const char *percent : {"power_limit", "braking_limit", "calibration_magnitude", "calibration_speed",
                                "calibration_current", "position_smoothing"})
        QCOMPARE(control<QSpinBox>(&panel, percent)->value(), 0);
    QCOMPARE(control<QSpinBox>(&panel, "speed_sample_buffer_size")->value(), 2);
    for (const char *prefix : {"axis0_", "axis1_"}) {
        const QByteArray p(prefix);
        QVERIFY(!control<QCheckBox>(&panel, p + "encoder_direction")->isChecked());
        QVERIFY(!control<QCheckBox>(&panel, p + "force_direction")->isChecked());
        QCOMPARE(control<QSpinBox>(&panel, p + "pole_pair")->value(), 0);
        QCOMPARE(control<QSpinBox>(&panel, p + "encoder_CPR")->value(), 0);
        QCOMPARE(control<QLineEdit>(&panel, p + "p_gain")->text(), QStringLiteral("0"));
        QCOMPARE(control<QLineEdit>(&panel, p + "i_gain")->text(), QStringLiteral("0"));
    }

    HardwareSettingsTypeDef expected;
    expected.speed_sample_buffer_size = 2;
    for (auto &axis : expected.axis) {
        axis.encoder_direction = -1;
        axis.force_direction = -1;
    }
    HardwareSettingsTypeDef gathered;
    panel.gatherSettings(gathered);
    QCOMPARE(bytesOf(gathered), bytesOf(expected));
}

void HardwarePanelRecordTest::editedRecordRoundTrips_data()
{
    QTest::addColumn<int>("deviceType");
    QTest::addColumn<bool>("advanced");
    QTest::newRow("joystick, advanced") << int(DeviceType::Joystick) << true;
    QTest::newRow("joystick") << int(DeviceType::Joystick) << false;
    QTest::newRow("rudder") << int(DeviceType::Rudder) << false;
    QTest::newRow("wheel") << int(DeviceType::Wheel) << false;
    QTest::newRow("collective") << int(DeviceType::Collective) << true;
}

void HardwarePanelRecordTest::editedRecordRoundTrips()
{
    QFETCH(int, deviceType);
    QFETCH(bool, advanced);
    FullHardwareSettingsWidget panel;
    panel.setDeviceType(deviceType, advanced);
    const HardwareSettingsTypeDef original = editedRecord();
    panel.loadSettings(original);

    HardwareSettingsTypeDef gathered;
    panel.gatherSettings(gathered);
    QCOMPARE(bytesOf(gathered), bytesOf(original));
}

void HardwarePanelRecordTest::outOfRangeValuesAreClampedBothWays()
{
    FullHardwareSettingsWidget panel;
    panel.setDeviceType(DeviceType::Joystick, false);
    HardwareSettingsTypeDef settings;
    settings.power_limit = 150;
    settings.braking_limit = 255;
    settings.speed_sample_buffer_size = 0;
    settings.axis[0].pole_pairs = 200;
    panel.loadSettings(settings);

    QCOMPARE(control<QSpinBox>(&panel, "power_limit")->value(), 100);
    QCOMPARE(control<QSlider>(&panel, "horizontalSlider_11")->value(), 100);
    QCOMPARE(control<QSpinBox>(&panel, "speed_sample_buffer_size")->value(), 2);
    QCOMPARE(control<QSlider>(&panel, "speed_sample_buffer_size_slider")->value(), 2);

    HardwareSettingsTypeDef gathered;
    panel.gatherSettings(gathered);
    QCOMPARE(gathered.power_limit, uint8_t(100));
    QCOMPARE(gathered.braking_limit, uint8_t(100));
    QCOMPARE(gathered.speed_sample_buffer_size, uint8_t(2));
    QCOMPARE(gathered.axis[0].pole_pairs, uint8_t(99));

    settings.speed_sample_buffer_size = 40;
    panel.loadSettings(settings);
    panel.gatherSettings(gathered);
    QCOMPARE(gathered.speed_sample_buffer_size, uint8_t(32));
}

void HardwarePanelRecordTest::directionBytes_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<int>("gathered");
    QTest::newRow("0") << 0 << false << 0xFF;
    QTest::newRow("1") << 1 << true << 0x01;
    QTest::newRow("0xFF") << 0xFF << false << 0xFF;
    QTest::newRow("2") << 2 << false << 0xFF;
}

void HardwarePanelRecordTest::directionBytes()
{
    QFETCH(int, byte);
    QFETCH(bool, checked);
    QFETCH(int, gathered);
    FullHardwareSettingsWidget panel;
    panel.setDeviceType(DeviceType::Joystick, false);
    QByteArray raw = bytesOf(HardwareSettingsTypeDef{});
    for (int offset : {256, 257, 384, 385})
        raw[offset] = char(byte);
    HardwareSettingsTypeDef settings;
    std::memcpy(static_cast<void *>(&settings), raw.constData(), sizeof settings);
    panel.loadSettings(settings);

    for (const char *name : {"axis0_encoder_direction", "axis0_force_direction", "axis1_encoder_direction",
                             "axis1_force_direction"})
        QCOMPARE(control<QCheckBox>(&panel, name)->isChecked(), checked);

    HardwareSettingsTypeDef result;
    panel.gatherSettings(result);
    const QByteArray out = bytesOf(result);
    for (int offset : {256, 257, 384, 385})
        QCOMPARE(quint8(out.at(offset)), quint8(gathered));
}

void HardwarePanelRecordTest::unknownEnumerationGoesBackUntouched()
{
    FullHardwareSettingsWidget panel;
    panel.setDeviceType(DeviceType::Joystick, true);
    HardwareSettingsTypeDef settings;
    settings.amplifier_gain = 4;
    settings.calibration_mode = 3;
    panel.loadSettings(settings);

    QCOMPARE(control<QComboBox>(&panel, "amplifier_gain")->currentIndex(), -1);
    QCOMPARE(control<QComboBox>(&panel, "calibration_mode")->currentIndex(), -1);
    control<QSpinBox>(&panel, "braking_limit")->setValue(42);
    HardwareSettingsTypeDef gathered;
    panel.gatherSettings(gathered);
    QCOMPARE(gathered.amplifier_gain, uint8_t(4));
    QCOMPARE(gathered.calibration_mode, uint8_t(3));
}

void HardwarePanelRecordTest::gainsKeepSixSignificantDigits()
{
    FullHardwareSettingsWidget panel;
    panel.setDeviceType(DeviceType::Joystick, false);
    HardwareSettingsTypeDef settings;
    settings.axis[0].p_gain = 0.123456789f;
    settings.axis[0].i_gain = 1e-5f;
    settings.axis[1].p_gain = 0.1f;
    settings.axis[1].i_gain = 2500000.0f;
    panel.loadSettings(settings);

    QCOMPARE(control<QLineEdit>(&panel, "axis0_p_gain")->text(), QStringLiteral("0.123457"));
    QCOMPARE(control<QLineEdit>(&panel, "axis0_i_gain")->text(), QStringLiteral("1e-05"));
    QCOMPARE(control<QLineEdit>(&panel, "axis1_p_gain")->text(), QStringLiteral("0.1"));
    QCOMPARE(control<QLineEdit>(&panel, "axis1_i_gain")->text(), QStringLiteral("2.5e+06"));

    HardwareSettingsTypeDef gathered;
    panel.gatherSettings(gathered);
    QCOMPARE(bits(gathered.axis[0].p_gain), bits(0.123457f));
    QCOMPARE(bits(gathered.axis[0].i_gain), bits(1e-5f));
    QCOMPARE(bits(gathered.axis[1].p_gain), bits(0.1f));
    QCOMPARE(bits(gathered.axis[1].i_gain), bits(2500000.0f));
}

void HardwarePanelRecordTest::unparsableGainIsRefusedAndGathersAsZero_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("letters") << QStringLiteral("abc");
    QTest::newRow("empty") << QString();
    QTest::newRow("comma decimal") << QStringLiteral("0,5");
}

void HardwarePanelRecordTest::unparsableGainIsRefusedAndGathersAsZero()
{
    QFETCH(QString, typed);
    FullHardwareSettingsWidget panel;
    panel.setDeviceType(DeviceType::Joystick, false);
    panel.loadSettings(editedRecord());

    auto *pGain = control<QLineEdit>(&panel, "axis1_p_gain");
    pGain->clear();
    QTest::keyClicks(pGain, typed);
    QString message;
    QVERIFY(panel.hasInvalidValues(&message));
    QVERIFY2(message.startsWith(QStringLiteral("Axis 1: the P gain ")) && message.contains(typed), qPrintable(message));
    QVERIFY(pGain->property("invalidValue").toBool());
    QCOMPARE(pGain->toolTip(), message);
    QVERIFY(!control<QLineEdit>(&panel, "axis1_i_gain")->property("invalidValue").toBool());

    HardwareSettingsTypeDef gathered;
    panel.gatherSettings(gathered);
    QCOMPARE(bits(gathered.axis[1].p_gain), bits(0.0f));
    QCOMPARE(bits(gathered.axis[1].i_gain), bits(editedRecord().axis[1].i_gain));

    pGain->setText(QStringLiteral("0.5"));
    QVERIFY(!panel.hasInvalidValues());
    QVERIFY(!pGain->property("invalidValue").toBool() && pGain->toolTip().isEmpty());
}

// A device value that is no number on a hidden axis page could never be corrected.
void HardwarePanelRecordTest::gainOnHiddenAxisIsNotRefused()
{
    HardwareSettingsTypeDef settings = editedRecord();
    settings.axis[1].i_gain = std::numeric_limits<float>::quiet_NaN();
    FullHardwareSettingsWidget panel;
    panel.setDeviceType(DeviceType::Rudder, false);
    panel.loadSettings(settings);
    QVERIFY(!panel.hasInvalidValues());

    panel.setDeviceType(DeviceType::Joystick, false);
    panel.loadSettings(settings);
    QString message;
    QVERIFY(panel.hasInvalidValues(&message));
    QVERIFY2(message.startsWith(QStringLiteral("Axis 1: the I gain \"nan\"")), qPrintable(message));
}

void HardwarePanelRecordTest::hiddenControlsAreStillGathered_data()
{
    QTest::addColumn<int>("deviceType");
    QTest::newRow("rudder") << int(DeviceType::Rudder);
    QTest::newRow("wheel") << int(DeviceType::Wheel);
    QTest::newRow("collective") << int(DeviceType::Collective);
}

void HardwarePanelRecordTest::hiddenControlsAreStillGathered()
{
    QFETCH(int, deviceType);
    FullHardwareSettingsWidget panel;
    panel.setDeviceType(deviceType, false);
    const HardwareSettingsTypeDef original = editedRecord();
    panel.loadSettings(original);

    auto *tabs = control<QTabWidget>(&panel, "axis_tab");
    QVERIFY(!tabs->isTabVisible(tabs->indexOf(control<QWidget>(&panel, "axis1Tab"))));
    QVERIFY(control<QComboBox>(&panel, "amplifier_gain")->isHidden());
    QVERIFY(control<QSpinBox>(&panel, "calibration_current")->isHidden());

    HardwareSettingsTypeDef gathered;
    panel.gatherSettings(gathered);
    QCOMPARE(gathered.amplifier_gain, original.amplifier_gain);
    QCOMPARE(gathered.calibration_current, original.calibration_current);
    QCOMPARE(gathered.calibration_speed, original.calibration_speed);
    QCOMPARE(bytesOf(gathered).mid(384, 128), bytesOf(original).mid(384, 128));
}

void HardwarePanelRecordTest::bytesOutsideThePanelAreUntouched()
{
    FullHardwareSettingsWidget panel;
    panel.setDeviceType(DeviceType::Joystick, true);
    panel.loadSettings(editedRecord());

    HardwareSettingsTypeDef target;
    std::memset(static_cast<void *>(&target), 0xAA, sizeof target);
    panel.gatherSettings(target);

    const QByteArray out = bytesOf(target);
    const QSet<int> edited = panelBytes();
    for (int offset = 0; offset < out.size(); ++offset) {
        if (!edited.contains(offset))
            QVERIFY2(quint8(out.at(offset)) == 0xAA, qPrintable(QStringLiteral("byte %1 changed").arg(offset)));
    }
    // The panel's own bytes did change: the check above is not vacuous.
    QCOMPARE(target.power_limit, uint8_t(90));
    QCOMPARE(uint16_t(target.axis[1].encoder_cpr), uint16_t(65535));
}

void HardwarePanelRecordTest::recordBeforeFirstLoadCarriesCalibrationNone()
{
    FullHardwareSettingsWidget panel;
    panel.setDeviceType(DeviceType::Wheel, false);
    QCOMPARE(control<QComboBox>(&panel, "calibration_mode")->count(), 3);
    HardwareSettingsTypeDef gathered;
    gathered.calibration_mode = 0x55;
    panel.gatherSettings(gathered);
    QCOMPARE(gathered.calibration_mode, uint8_t(0));
}

void HardwarePanelRecordTest::sliderAndSpinBoxMoveTogether()
{
    FullHardwareSettingsWidget panel;
    panel.setDeviceType(DeviceType::Joystick, false);
    HardwareSettingsTypeDef settings;
    settings.speed_sample_buffer_size = 20;
    panel.loadSettings(settings);

    auto *slider = control<QSlider>(&panel, "speed_sample_buffer_size_slider");
    auto *spin = control<QSpinBox>(&panel, "speed_sample_buffer_size");
    QCOMPARE(slider->value(), 20);
    QTest::keyClick(slider, Qt::Key_Home);
    QCOMPARE(spin->value(), 2);
    HardwareSettingsTypeDef gathered;
    panel.gatherSettings(gathered);
    QCOMPARE(gathered.speed_sample_buffer_size, uint8_t(2));

    auto *braking = control<QSpinBox>(&panel, "braking_limit");
    braking->selectAll();
    QTest::keyClicks(braking, QStringLiteral("64"));
    QCOMPARE(control<QSlider>(&panel, "braking_slider")->value(), 64);
}

void HardwarePanelRecordTest::encoderCprAboveFieldIsRefusedAndSaturated()
{
    FullHardwareSettingsWidget panel;
    panel.setDeviceType(DeviceType::Joystick, false);
    panel.loadSettings(editedRecord());
    QString message = QStringLiteral("stale");
    QVERIFY(!panel.hasInvalidValues(&message));
    QVERIFY(message.isEmpty());

    auto *cpr = control<QSpinBox>(&panel, "axis1_encoder_CPR");
    cpr->selectAll();
    QTest::keyClicks(cpr, QStringLiteral("70000"));
    QCOMPARE(cpr->value(), 70000);
    QVERIFY(panel.hasInvalidValues(&message));
    QVERIFY(message.contains(QStringLiteral("70000")));
    QVERIFY(message.contains(QStringLiteral("Axis 1")));
    QVERIFY(cpr->property("invalidValue").toBool());
    QVERIFY(cpr->toolTip().contains(QStringLiteral("70000")));
    QVERIFY(!control<QSpinBox>(&panel, "axis0_encoder_CPR")->property("invalidValue").toBool());

    HardwareSettingsTypeDef gathered;
    panel.gatherSettings(gathered);
    QCOMPARE(uint16_t(gathered.axis[1].encoder_cpr), uint16_t(65535));

    cpr->setValue(65535);
    QVERIFY(!panel.hasInvalidValues());
    QVERIFY(!cpr->property("invalidValue").toBool());
    QVERIFY(cpr->toolTip().isEmpty());
    panel.gatherSettings(gathered);
    QCOMPARE(uint16_t(gathered.axis[1].encoder_cpr), uint16_t(65535));
}

QTEST_MAIN(HardwarePanelRecordTest)
#include "tst_hardwarepanelrecord.moc"
