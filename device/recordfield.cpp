// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/recordfield.h"

#include <QCoreApplication>
#include <QLocale>
#include <QtEndian>

#include <cstring>
#include <functional>

namespace RecordFields {

namespace {

// Calls `differing` for each element whose bytes differ between the two records.
void forEachDifference(const QList<RecordField> &fields, const QByteArray &a, const QByteArray &b,
                       const std::function<void(const RecordField &, int)> &differing)
{
    for (const RecordField &field : fields) {
        for (int index = 0; index < field.count; ++index) {
            const int at = field.offset + index * field.width;
            if (at + field.width > a.size() || at + field.width > b.size())
                continue;
            if (a.mid(at, field.width) != b.mid(at, field.width))
                differing(field, index);
        }
    }
}

// The element's bytes as an unsigned number; records are little-endian, as the controller's.
quint32 rawValue(const RecordField &field, const QByteArray &record, int index)
{
    const auto *bytes = reinterpret_cast<const uchar *>(record.constData()) + field.offset + index * field.width;
    switch (field.width) {
    case 1:
        return *bytes;
    case 2:
        return qFromLittleEndian<quint16>(bytes);
    default:
        return qFromLittleEndian<quint32>(bytes);
    }
}

} // namespace

QString describe(const RecordField &field, int index)
{
    QString words = QCoreApplication::translate("RecordField", field.label);
    if (words.contains(QLatin1String("%1")))
        words = words.arg(index + 1);
    if (field.axis >= 0)
        words = QCoreApplication::translate("RecordField", "Axis %1: %2").arg(field.axis).arg(words);
    return words;
}

QString value(const RecordField &field, const QByteArray &record, int index)
{
    if (field.kind == RecordField::Reserved || field.offset + (index + 1) * field.width > record.size())
        return {};
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    const quint32 raw = rawValue(field, record, index);
    switch (field.kind) {
    case RecordField::Unsigned:
        return locale.toString(raw);
    case RecordField::Signed: {
        // Sign-extended from the field's own width.
        const int unused = 32 - 8 * field.width;
        return locale.toString(qint32(raw << unused) >> unused);
    }
    case RecordField::Float: {
        float number = 0;
        std::memcpy(&number, &raw, sizeof number);
        return locale.toString(double(number), 'g', 6);
    }
    case RecordField::Reserved:
        break;
    }
    return {};
}

QStringList differences(const QList<RecordField> &fields, const QByteArray &a, const QByteArray &b)
{
    QStringList differing;
    forEachDifference(fields, a, b, [&differing](const RecordField &field, int index) {
        const QString words = describe(field, index);
        // A reserved block is named once, however many of its bytes differ.
        if (!differing.contains(words))
            differing.append(words);
    });
    return differing;
}

QStringList keptValues(const QList<RecordField> &fields, const QByteArray &sent, const QByteArray &kept)
{
    QStringList lines;
    forEachDifference(fields, sent, kept, [&](const RecordField &field, int index) {
        QString line = describe(field, index);
        if (field.kind != RecordField::Reserved)
            line = QCoreApplication::translate("RecordField", "%1: sent %2, the controller kept %3")
                       .arg(line, value(field, sent, index), value(field, kept, index));
        if (!lines.contains(line))
            lines.append(line);
    });
    return lines;
}

} // namespace RecordFields
