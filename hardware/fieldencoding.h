// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSpinBox>
#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <concepts>
#include <limits>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;

// How a settings control maps to its record field and back. Record fields are packed, so
// every value goes in and out by copy; callers assign the result to the field.
namespace FieldEncoding {

// Flag byte: checked <-> 1, any non-zero byte loads as checked.
void loadFlag(QCheckBox *box, quint8 value);
quint8 gatherFlag(const QCheckBox *box);

// Direction byte: 1 is inverted, anything else loads as not inverted and goes back as -1.
void loadDirection(QCheckBox *box, qint8 value);
qint8 gatherDirection(const QCheckBox *box);

// Enumeration byte: the position of the combo box's current item. A code beyond the list
// leaves no current item and shows "Unknown (code)"; until an item is picked, that code goes
// back as it was loaded. A box never loaded with a code goes back as 0xFF without an item.
void loadEnumeration(QComboBox *combo, quint8 value);
quint8 gatherEnumeration(const QComboBox *combo);

// Number field: what the box cannot show is clamped to its range, and the field says so
// (tooltip and colour) until it is edited or loaded with a value it can show.
void loadNumber(QSpinBox *spin, qint64 value);

// The spin box's value truncated to the width of T, as the controller's fields are filled.
template<std::unsigned_integral T>
T gatherNumber(const QSpinBox *spin)
{
    return static_cast<T>(spin->value());
}

// For a spin box whose range is wider than its field: the value saturated to T's range,
// so an oversized entry never reaches the controller with its high bits cut off.
template<std::unsigned_integral T>
T gatherSaturatedNumber(const QSpinBox *spin)
{
    const int value = std::max(spin->value(), 0);
    return static_cast<T>(std::min<unsigned>(unsigned(value), std::numeric_limits<T>::max()));
}

// Gain: shown in 'g' format with 6 significant digits and the locale's decimal separator;
// parsed with the locale's separator or '.', never with group separators. readGain gives nothing for text that is not a finite number, where
// parseGain and gatherGain give 0; a panel refuses such text before it gathers.
void loadGain(QLineEdit *edit, float value);
float gatherGain(const QLineEdit *edit);
QString formatGain(float value);
std::optional<float> readGain(const QString &text);
float parseGain(const QString &text);

} // namespace FieldEncoding
