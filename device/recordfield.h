// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// One field of a settings record as the controller lays it out: where it lies, what it holds
// and the words the settings pages use for it. Axis fields appear once per axis.
struct RecordField {
    enum Kind { Unsigned, Signed, Float, Reserved };

    // The firmware's name for the field (snake_case), without axis or index.
    const char *name;
    // The pages' words, to be translated in the "RecordField" context; "%1" stands for the
    // element's number (counted from 1) in an array.
    const char *label;
    int offset;
    // Bytes of one element, and the number of elements (1 for a plain field).
    int width;
    int count;
    Kind kind;
    // The axis the field belongs to, or -1 for a field of the whole record.
    int axis = -1;

    int size() const { return width * count; }
};

namespace RecordFields {

// The fields whose bytes differ between two records of the same layout, in the pages' words
// ("Axis 0: Max force available (kg)", "Button 3"), translated. Reserved bytes count too.
QStringList differences(const QList<RecordField> &fields, const QByteArray &a, const QByteArray &b);

// The elements whose bytes differ between the record sent and the record kept, each in the
// pages' words with both values: "Axis 0: Motion range (degrees): sent 60, the controller
// kept 40", translated. Reserved bytes are only named, once.
QStringList keptValues(const QList<RecordField> &fields, const QByteArray &sent, const QByteArray &kept);

// The element of `field` at `index` in the pages' words, translated.
QString describe(const RecordField &field, int index);

// The element's value as its kind reads it, in the user's locale: integers whole, floats to
// 6 significant digits. Empty for reserved bytes and for a record too short to hold it.
QString value(const RecordField &field, const QByteArray &record, int index);

} // namespace RecordFields
