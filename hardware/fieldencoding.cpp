#include "hardware/fieldencoding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>

#include <cmath>
#include <limits>

namespace FieldEncoding {

namespace {
constexpr quint8 FLAG_SET = 1;
constexpr quint8 FLAG_CLEAR = 0;
constexpr qint8 DIRECTION_INVERTED = 1;
constexpr qint8 DIRECTION_NORMAL = -1;
constexpr int GAIN_SIGNIFICANT_DIGITS = 6;
} // namespace

void loadFlag(QCheckBox *box, quint8 value)
{
    box->setChecked(value != 0);
}

quint8 gatherFlag(const QCheckBox *box)
{
    return box->isChecked() ? FLAG_SET : FLAG_CLEAR;
}

void loadDirection(QCheckBox *box, qint8 value)
{
    box->setChecked(value == DIRECTION_INVERTED);
}

qint8 gatherDirection(const QCheckBox *box)
{
    return box->isChecked() ? DIRECTION_INVERTED : DIRECTION_NORMAL;
}

void loadEnumeration(QComboBox *combo, quint8 value)
{
    // An index past the end selects nothing, which is what an unknown code should show.
    combo->setCurrentIndex(value);
}

quint8 gatherEnumeration(const QComboBox *combo)
{
    return static_cast<quint8>(combo->currentIndex());
}

void loadNumber(QSpinBox *spin, qint64 value)
{
    // A value the box already shows is left alone: setting it again re-formats and re-lays
    // out the box for nothing, which adds up over a page of controls on every read.
    const int shown = int(std::clamp<qint64>(value, spin->minimum(), spin->maximum()));
    if (spin->value() != shown || !spin->hasAcceptableInput())
        spin->setValue(shown);
}

QString formatGain(float value)
{
    return QString::number(double(value), 'g', GAIN_SIGNIFICANT_DIGITS);
}

std::optional<float> readGain(const QString &text)
{
    // The C locale fixes '.' as the decimal point; rejecting group separators keeps a
    // comma typed as a decimal point from turning "0,5" or "1,000" into another number.
    QLocale cLocale = QLocale::c();
    cLocale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const float value = cLocale.toFloat(text, &ok);
    // Infinity and NaN parse, but are no gain a motor controller should be given.
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

float parseGain(const QString &text)
{
    return readGain(text).value_or(0.0f);
}

void loadGain(QLineEdit *edit, float value)
{
    const QString text = formatGain(value);
    if (edit->text() != text)
        edit->setText(text);
}

float gatherGain(const QLineEdit *edit)
{
    return parseGain(edit->text());
}

} // namespace FieldEncoding
