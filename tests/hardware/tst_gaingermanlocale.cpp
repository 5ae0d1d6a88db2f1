// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/deviceinfo.h"
#include "hardware/fieldencoding.h"
#include "hardware/fullhardwaresettingswidget.h"
#include "panelcontrols.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QTest>

#include <bit>
#include <clocale>

namespace {
quint32 bits(float value)
{
    return std::bit_cast<quint32>(value);
}
} // namespace

// Gains under a German locale, whose decimal point is ',' and group separator '.': the
// panel shows them with ',' and reads either, but no grouped number.
class GainGermanLocaleTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void helpersFollowTheLocale_data();
    void helpersFollowTheLocale();
    void panelRoundTripsGains();
    void typedGainsTakeCommaOrDot();
};

void GainGermanLocaleTest::initTestCase()
{
    // Both the process locale (from the environment, set in main) and Qt's default.
    QCOMPARE(QLocale::system().language(), QLocale::German);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
    QCOMPARE(QLocale().groupSeparator(), QStringLiteral("."));
}

void GainGermanLocaleTest::helpersFollowTheLocale_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("gain");
    QTest::newRow("dot decimal") << QStringLiteral("0.5") << 0.5f;
    QTest::newRow("German decimal") << QStringLiteral("0,5") << 0.5f;
    QTest::newRow("German grouping") << QStringLiteral("1.000,5") << 0.0f;
    QTest::newRow("exponent") << QStringLiteral("1e-05") << 1e-5f;
}

void GainGermanLocaleTest::helpersFollowTheLocale()
{
    QFETCH(QString, text);
    QFETCH(float, gain);
    QCOMPARE(bits(FieldEncoding::parseGain(text)), bits(gain));
    QCOMPARE(FieldEncoding::formatGain(1234.5f), QStringLiteral("1234,5"));
    QCOMPARE(FieldEncoding::formatGain(0.123456789f), QStringLiteral("0,123457"));
}

void GainGermanLocaleTest::panelRoundTripsGains()
{
    FullHardwareSettingsWidget panel;
    panel.setDeviceType(DeviceType::Joystick, false);
    HardwareSettingsTypeDef settings;
    settings.axis[0].p_gain = 1234.5f;
    settings.axis[0].i_gain = 0.123456789f;
    settings.axis[1].p_gain = 1e-5f;
    panel.loadSettings(settings);

    QCOMPARE(control<QLineEdit>(&panel, "axis0_p_gain")->text(), QStringLiteral("1234,5"));
    QCOMPARE(control<QLineEdit>(&panel, "axis0_i_gain")->text(), QStringLiteral("0,123457"));
    QVERIFY(FieldEncoding::readGain(control<QLineEdit>(&panel, "axis1_p_gain")->text()) == 1e-5f);

    HardwareSettingsTypeDef gathered;
    panel.gatherSettings(gathered);
    QCOMPARE(bits(gathered.axis[0].p_gain), bits(1234.5f));
    QCOMPARE(bits(gathered.axis[0].i_gain), bits(0.123457f));
    QCOMPARE(bits(gathered.axis[1].p_gain), bits(1e-5f));
}

void GainGermanLocaleTest::typedGainsTakeCommaOrDot()
{
    FullHardwareSettingsWidget panel;
    panel.setDeviceType(DeviceType::Joystick, false);
    auto *pGain = control<QLineEdit>(&panel, "axis1_p_gain");
    auto *iGain = control<QLineEdit>(&panel, "axis1_i_gain");
    QTest::keyClicks(pGain, QStringLiteral("2.75"));
    QTest::keyClicks(iGain, QStringLiteral("2,75"));

    HardwareSettingsTypeDef gathered;
    panel.gatherSettings(gathered);
    QCOMPARE(bits(gathered.axis[1].p_gain), bits(2.75f));
    QCOMPARE(bits(gathered.axis[1].i_gain), bits(2.75f));
}

int main(int argc, char **argv)
{
    // Qt takes the system locale from the environment once, so it is set before the
    // application exists; the C library follows if the locale is installed.
    qputenv("LC_ALL", "de_DE.UTF-8");
    qputenv("LANG", "de_DE.UTF-8");
    std::setlocale(LC_ALL, "");
    QApplication app(argc, argv);
    GainGermanLocaleTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_gaingermanlocale.moc"
