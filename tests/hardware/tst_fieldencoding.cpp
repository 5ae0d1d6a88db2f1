// SPDX-License-Identifier: GPL-3.0-or-later
#include "hardware/fieldencoding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include <bit>
#include <cstring>

// Gains are compared bit for bit: QCOMPARE on floats would forgive a lost digit.
static quint32 bits(float value)
{
    return std::bit_cast<quint32>(value);
}

// The control-to-record encodings shared by the hardware panel and the input pages.
class FieldEncodingTest : public QObject
{
    Q_OBJECT

private slots:
    void flagLoadsNonZeroAsChecked_data();
    void flagLoadsNonZeroAsChecked();
    void directionIsCheckedOnlyForOne_data();
    void directionIsCheckedOnlyForOne();
    void unknownEnumerationGoesBackUntilPicked();
    void numberClampsOnLoadAndTruncatesOnGather();
    void clampedNumberIsMarkedUntilEditedOrReloaded();
    void saturatedNumberNeverWraps();
    void gainFormatsWithSixSignificantDigits_data();
    void gainFormatsWithSixSignificantDigits();
    void gainParsesOnlyDotDecimalFiniteNumbers_data();
    void gainParsesOnlyDotDecimalFiniteNumbers();
    void gainRoundTripsThroughLineEdit();
};

void FieldEncodingTest::flagLoadsNonZeroAsChecked_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<int>("gathered");
    QTest::newRow("0") << 0 << false << 0;
    QTest::newRow("1") << 1 << true << 1;
    QTest::newRow("2") << 2 << true << 1;
    QTest::newRow("0xFF") << 0xFF << true << 1;
}

void FieldEncodingTest::flagLoadsNonZeroAsChecked()
{
    QFETCH(int, byte);
    QFETCH(bool, checked);
    QFETCH(int, gathered);
    QCheckBox box;
    box.setChecked(!checked);
    FieldEncoding::loadFlag(&box, quint8(byte));
    QCOMPARE(box.isChecked(), checked);
    QCOMPARE(int(FieldEncoding::gatherFlag(&box)), gathered);
}

void FieldEncodingTest::directionIsCheckedOnlyForOne_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<int>("gathered");
    QTest::newRow("0") << 0 << false << -1;
    QTest::newRow("1") << 1 << true << 1;
    QTest::newRow("0xFF") << -1 << false << -1;
    QTest::newRow("2") << 2 << false << -1;
}

void FieldEncodingTest::directionIsCheckedOnlyForOne()
{
    QFETCH(int, byte);
    QFETCH(bool, checked);
    QFETCH(int, gathered);
    QCheckBox box;
    box.setChecked(!checked);
    FieldEncoding::loadDirection(&box, qint8(byte));
    QCOMPARE(box.isChecked(), checked);
    const qint8 direction = FieldEncoding::gatherDirection(&box);
    QCOMPARE(int(direction), gathered);
    quint8 raw = 0;
    std::memcpy(&raw, &direction, 1);
    QCOMPARE(raw, quint8(checked ? 0x01 : 0xFF));
}

void FieldEncodingTest::unknownEnumerationGoesBackUntilPicked()
{
    QComboBox combo;
    combo.addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});

    FieldEncoding::loadEnumeration(&combo, 2);
    QCOMPARE(combo.currentIndex(), 2);
    QCOMPARE(FieldEncoding::gatherEnumeration(&combo), quint8(2));

    FieldEncoding::loadEnumeration(&combo, 9);
    QCOMPARE(combo.currentIndex(), -1);
    QVERIFY(combo.placeholderText().contains(QLatin1String("9")));
    QCOMPARE(FieldEncoding::gatherEnumeration(&combo), quint8(9));
    combo.setCurrentIndex(1);
    QCOMPARE(FieldEncoding::gatherEnumeration(&combo), quint8(1));

    QComboBox neverLoaded;
    neverLoaded.addItems({QStringLiteral("a")});
    neverLoaded.setCurrentIndex(-1);
    QCOMPARE(FieldEncoding::gatherEnumeration(&neverLoaded), quint8(0xFF));

    FieldEncoding::loadEnumeration(&combo, 0);
    QCOMPARE(combo.currentText(), QStringLiteral("a"));
    QCOMPARE(FieldEncoding::gatherEnumeration(&combo), quint8(0));
}

void FieldEncodingTest::numberClampsOnLoadAndTruncatesOnGather()
{
    QSpinBox percent;
    percent.setRange(0, 100);
    FieldEncoding::loadNumber(&percent, 150);
    QCOMPARE(percent.value(), 100);
    QCOMPARE(FieldEncoding::gatherNumber<uint8_t>(&percent), uint8_t(100));

    QSpinBox samples;
    samples.setRange(2, 32);
    FieldEncoding::loadNumber(&samples, 0);
    QCOMPARE(samples.value(), 2);

    QSpinBox wide;
    wide.setRange(0, 99999);
    FieldEncoding::loadNumber(&wide, 0xFFFFFFFFu);
    QCOMPARE(wide.value(), 99999);
    wide.setValue(0x1234);
    QCOMPARE(FieldEncoding::gatherNumber<uint16_t>(&wide), uint16_t(0x1234));
    QCOMPARE(FieldEncoding::gatherNumber<uint8_t>(&wide), uint8_t(0x34));

    // A negative value (a float field truncated, say) shows the minimum, not the maximum.
    FieldEncoding::loadNumber(&percent, -5);
    QCOMPARE(percent.value(), 0);

    // Loading the value already shown still repairs text the user left unfinished.
    percent.setValue(40);
    percent.findChild<QLineEdit *>()->setText(QString());
    QVERIFY(!percent.hasAcceptableInput());
    FieldEncoding::loadNumber(&percent, 40);
    QCOMPARE(percent.text(), QStringLiteral("40"));
}

// A clamped value is said on its field until the field is edited or shows a value it holds.
void FieldEncodingTest::clampedNumberIsMarkedUntilEditedOrReloaded()
{
    QSpinBox percent;
    percent.setRange(0, 100);
    percent.setToolTip(QStringLiteral("Power limit"));
    const QColor plain = percent.palette().color(QPalette::Base);

    FieldEncoding::loadNumber(&percent, 200);
    QVERIFY2(percent.toolTip().contains(QLatin1String("200")) && percent.toolTip().contains(QLatin1String("100")),
             qPrintable(percent.toolTip()));
    QVERIFY(percent.palette().color(QPalette::Base) != plain);
    FieldEncoding::loadNumber(&percent, 250);
    QVERIFY(percent.toolTip().contains(QLatin1String("250")));
    percent.setValue(90);
    QCOMPARE(percent.toolTip(), QStringLiteral("Power limit"));
    QCOMPARE(percent.palette().color(QPalette::Base), plain);

    FieldEncoding::loadNumber(&percent, 300);
    FieldEncoding::loadNumber(&percent, 100);
    QCOMPARE(percent.toolTip(), QStringLiteral("Power limit"));
    QCOMPARE(percent.palette().color(QPalette::Base), plain);
}

void FieldEncodingTest::saturatedNumberNeverWraps()
{
    QSpinBox cpr;
    cpr.setRange(0, 99999);
    cpr.setValue(70000);
    QCOMPARE(FieldEncoding::gatherSaturatedNumber<uint16_t>(&cpr), uint16_t(65535));
    cpr.setValue(65535);
    QCOMPARE(FieldEncoding::gatherSaturatedNumber<uint16_t>(&cpr), uint16_t(65535));
    cpr.setValue(4096);
    QCOMPARE(FieldEncoding::gatherSaturatedNumber<uint16_t>(&cpr), uint16_t(4096));
    cpr.setValue(300);
    QCOMPARE(FieldEncoding::gatherSaturatedNumber<uint8_t>(&cpr), uint8_t(255));
}

void FieldEncodingTest::gainFormatsWithSixSignificantDigits_data()
{
    QTest::addColumn<float>("gain");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0.0f << QStringLiteral("0");
    QTest::newRow("tenth") << 0.1f << QStringLiteral("0.1");
    QTest::newRow("rounded") << 0.123456789f << QStringLiteral("0.123457");
    QTest::newRow("small exponent") << 1e-5f << QStringLiteral("1e-05");
    QTest::newRow("plain small") << 0.0001f << QStringLiteral("0.0001");
    QTest::newRow("large exponent") << 1234567.0f << QStringLiteral("1.23457e+06");
    QTest::newRow("negative") << -2.5f << QStringLiteral("-2.5");
    QTest::newRow("no group separator") << 12345.5f << QStringLiteral("12345.5");
}

void FieldEncodingTest::gainFormatsWithSixSignificantDigits()
{
    QFETCH(float, gain);
    QFETCH(QString, text);
    QCOMPARE(FieldEncoding::formatGain(gain), text);
}

void FieldEncodingTest::gainParsesOnlyDotDecimalFiniteNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("gain");
    QTest::newRow("decimal") << QStringLiteral("0.5") << 0.5f;
    QTest::newRow("surrounding blanks") << QStringLiteral(" 2.25 ") << 2.25f;
    QTest::newRow("exponent") << QStringLiteral("1e-05") << 1e-5f;
    QTest::newRow("negative") << QStringLiteral("-3.75") << -3.75f;
    QTest::newRow("letters") << QStringLiteral("abc") << 0.0f;
    QTest::newRow("empty") << QString() << 0.0f;
    QTest::newRow("comma decimal") << QStringLiteral("0,5") << 0.0f;
    QTest::newRow("comma grouping") << QStringLiteral("1,000") << 0.0f;
    QTest::newRow("trailing garbage") << QStringLiteral("1.5x") << 0.0f;
    QTest::newRow("infinity") << QStringLiteral("inf") << 0.0f;
    QTest::newRow("not a number") << QStringLiteral("nan") << 0.0f;
    QTest::newRow("float overflow") << QStringLiteral("1e40") << 0.0f;
}

void FieldEncodingTest::gainParsesOnlyDotDecimalFiniteNumbers()
{
    QFETCH(QString, text);
    QFETCH(float, gain);
    QCOMPARE(bits(FieldEncoding::parseGain(text)), bits(gain));
}

void FieldEncodingTest::gainRoundTripsThroughLineEdit()
{
    QLineEdit edit;
    FieldEncoding::loadGain(&edit, 0.123456789f);
    QCOMPARE(edit.text(), QStringLiteral("0.123457"));
    QCOMPARE(bits(FieldEncoding::gatherGain(&edit)), bits(0.123457f));

    edit.clear();
    QTest::keyClicks(&edit, QStringLiteral("12.5"));
    QCOMPARE(bits(FieldEncoding::gatherGain(&edit)), bits(12.5f));
}

QTEST_MAIN(FieldEncodingTest)
#include "tst_fieldencoding.moc"
