// SPDX-License-Identifier: GPL-3.0-or-later
#include "hardware/fieldencoding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPalette>

#include <cmath>
#include <limits>

namespace FieldEncoding {

namespace {
constexpr quint8 FLAG_SET = 1;
constexpr quint8 FLAG_CLEAR = 0;
constexpr qint8 DIRECTION_INVERTED = 1;
constexpr qint8 DIRECTION_NORMAL = -1;
constexpr int GAIN_SIGNIFICANT_DIGITS = 6;
constexpr quint8 NO_ITEM = 0xFF;
// The code a combo box was loaded with, which goes back while no item is picked.
constexpr const char *LOADED_CODE = "kestrovLoadedCode";
// A spin box that shows another value than the controller holds: the tooltip it had before.
constexpr const char *PLAIN_TOOL_TIP = "kestrovPlainToolTip";
constexpr const char *HELD_OTHERWISE = "kestrovHeldOtherwise";

QString localized(const char *text)
{
    return QCoreApplication::translate("FieldEncoding", text);
}

void unmarkHeldValue(QSpinBox *spin)
{
    if (!spin->property(HELD_OTHERWISE).toBool())
        return;
    spin->setProperty(HELD_OTHERWISE, false);
    spin->setToolTip(spin->property(PLAIN_TOOL_TIP).toString());
    spin->setPalette(QPalette());
}

// Says on the field that the controller holds `held`, which the box cannot show, until the
// field is edited or loaded again.
void markHeldValue(QSpinBox *spin, qint64 held)
{
    if (!spin->property(HELD_OTHERWISE).toBool()) {
        spin->setProperty(PLAIN_TOOL_TIP, spin->toolTip());
        spin->setProperty(HELD_OTHERWISE, true);
        QObject::connect(spin, &QSpinBox::valueChanged, spin, [spin] { unmarkHeldValue(spin); }, Qt::SingleShotConnection);
    }
    const QString words = held > spin->maximum()
        ? localized(QT_TRANSLATE_NOOP("FieldEncoding", "The controller holds %1; this page sends at most %2.")).arg(held).arg(spin->maximum())
        : localized(QT_TRANSLATE_NOOP("FieldEncoding", "The controller holds %1; this page sends at least %2.")).arg(held).arg(spin->minimum());
    spin->setToolTip(words);
    QPalette palette = spin->palette();
    palette.setColor(QPalette::Base, QColor(0xff, 0xf0, 0xb3));
    palette.setColor(QPalette::Text, Qt::black);
    spin->setPalette(palette);
}
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
    combo->setProperty(LOADED_CODE, int(value));
    const bool known = value < combo->count();
    combo->setPlaceholderText(known ? QString() : localized(QT_TRANSLATE_NOOP("FieldEncoding", "Unknown (%1)")).arg(value));
    combo->setCurrentIndex(known ? int(value) : -1);
}

quint8 gatherEnumeration(const QComboBox *combo)
{
    if (combo->currentIndex() >= 0)
        return static_cast<quint8>(combo->currentIndex());
    const QVariant loaded = combo->property(LOADED_CODE);
    return loaded.isValid() ? static_cast<quint8>(loaded.toInt()) : NO_ITEM;
}

void loadNumber(QSpinBox *spin, qint64 value)
{
    // A value the box already shows is left alone: setting it again re-formats and re-lays
    // out the box for nothing, which adds up over a page of controls on every read.
    const int shown = int(std::clamp<qint64>(value, spin->minimum(), spin->maximum()));
    if (spin->value() != shown || !spin->hasAcceptableInput())
        spin->setValue(shown);
    if (shown != value)
        markHeldValue(spin, value);
    else
        unmarkHeldValue(spin);
}

QString formatGain(float value)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(double(value), 'g', GAIN_SIGNIFICANT_DIGITS);
}

std::optional<float> readGain(const QString &text)
{
    // The locale's decimal separator or '.'; rejecting group separators keeps "1,000" in
    // English, or "1.000" in German, from being read as another number than was meant.
    for (QLocale locale : {QLocale(), QLocale::c()}) {
        locale.setNumberOptions(QLocale::RejectGroupSeparator);
        bool ok = false;
        const float value = locale.toFloat(text, &ok);
        // Infinity and NaN parse, but are no gain a motor controller should be given.
        if (ok)
            return std::isfinite(value) ? std::optional<float>(value) : std::nullopt;
    }
    return std::nullopt;
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
