// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/recordfield.h"

#include <QByteArray>
#include <QList>
#include <QString>

// A settings record as a JSON document with one member per field of its table, so that it
// can be read and edited by hand:
//
//   { "record": "hardware", "force_enable": 1, "gpio_mode": [0, 0, ...],
//     "reserved_85": "0000...", "axes": [ { "encoder_cpr": 4096, "p_gain": 0.05, ... }, {...} ] }
//
// Fields of the whole record are members of the top object, a field that belongs to an axis
// is a member of that axis's object in "axes". Integers are JSON numbers, arrays of them JSON
// arrays, reserved bytes a hex string. A float is a number that reads back as the very same
// float; one that no number can carry (NaN, infinities, negative zero) is a string of its
// IEEE 754 bits, "0x7fc00000". So record -> JSON -> record gives the same bytes.
namespace RecordJson {

// A rule beyond the field's width: why `value` cannot go into `field`, or empty. The words
// reach the user as they are.
using ValueRule = QString (*)(const RecordField &field, qint64 value);

struct Layout {
    // "effects" or "hardware": the document's "record" member.
    QString name;
    QList<RecordField> fields;
    int size = 0;
    ValueRule rule = nullptr;
};

QByteArray write(const Layout &layout, const QByteArray &record);

// The record, or empty and `problem` saying what is wrong with the document. Every field
// must be there and nothing else.
QByteArray read(const Layout &layout, const QByteArray &json, QString *problem);

} // namespace RecordJson
