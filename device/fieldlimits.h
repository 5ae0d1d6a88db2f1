// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/recordfield.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <span>

// What the settings pages can show of a record field: the range of the spin box or the list
// of the combo box that shows it. The window clamps any other number and selects none of its
// items for any other code, so a record holding one is not what the pages show.
// Flags, directions, floats and reserved bytes have no limit here.
struct FieldLimit {
    enum Control { SpinBox, ComboBox };

    // "effects" or "hardware", and the field's name in that record's field table; the limit
    // holds for every axis and element of the field.
    const char *record;
    const char *field;
    Control control;
    int minimum;
    // For a combo box, the code of its last item: codes are item positions.
    int maximum;
};

namespace FieldLimits {

std::span<const FieldLimit> all();

// The limit of `field` in the record named `record`, or null when no page limits it.
const FieldLimit *of(const QString &record, const RecordField &field);

// Every element of `bytes` outside its limit, in the pages' words with the value and what the
// window allows: "Axis 1: Soft stop range (degrees): 90 is outside the window's range 1 to 45".
QStringList problems(const QString &record, const QList<RecordField> &fields, const QByteArray &bytes);

} // namespace FieldLimits
