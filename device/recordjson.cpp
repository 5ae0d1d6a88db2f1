// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/recordjson.h"

#include <QByteArrayList>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QSet>

#include <charconv>
#include <cmath>
#include <cstring>

// The problems are English on purpose: only the command line reads JSON, and it speaks English.
namespace RecordJson {

namespace {

const QString RECORD_MEMBER = QStringLiteral("record");
const QString AXES_MEMBER = QStringLiteral("axes");

quint64 bitsAt(const QByteArray &record, int at, int width)
{
    quint64 bits = 0;
    for (int byte = width - 1; byte >= 0; --byte)
        bits = bits << 8 | quint8(record.at(at + byte));
    return bits;
}

void putBits(QByteArray &record, int at, int width, quint64 bits)
{
    for (int byte = 0; byte < width; ++byte, bits >>= 8)
        record[at + byte] = char(bits & 0xFF);
}

qint64 signExtended(quint64 bits, int width)
{
    const int unused = 64 - 8 * width;
    return qint64(bits << unused) >> unused;
}

float floatOfBits(quint32 bits)
{
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

QByteArray floatText(quint32 bits)
{
    const float value = floatOfBits(bits);
    if (!std::isfinite(value) || (value == 0.0f && std::signbit(value)))
        return "\"0x" + QByteArray::number(bits, 16).rightJustified(8, '0') + '"';
    // A reader takes the number as a double; the shortest text of the float is used when it
    // comes back from there as the same float, the double's own text otherwise.
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    double back = 0;
    std::from_chars(buffer, written.ptr, back);
    if (float(back) == value)
        return QByteArray(buffer, int(written.ptr - buffer));
    return QByteArray::number(double(value), 'g', QLocale::FloatingPointShortest);
}

QByteArray elementText(const RecordField &field, const QByteArray &record, int at)
{
    const quint64 bits = bitsAt(record, at, field.width);
    switch (field.kind) {
    case RecordField::Float:
        return floatText(quint32(bits));
    case RecordField::Signed:
        return QByteArray::number(signExtended(bits, field.width));
    default:
        return QByteArray::number(bits);
    }
}

QByteArray valueText(const RecordField &field, const QByteArray &record)
{
    if (field.kind == RecordField::Reserved)
        return '"' + record.mid(field.offset, field.size()).toHex() + '"';
    QByteArrayList elements;
    for (int index = 0; index < field.count; ++index)
        elements << elementText(field, record, field.offset + index * field.width);
    return field.count == 1 ? elements.first() : '[' + elements.join(", ") + ']';
}

int axisCount(const QList<RecordField> &fields)
{
    int axes = 0;
    for (const RecordField &field : fields)
        axes = qMax(axes, field.axis + 1);
    return axes;
}

QByteArray members(const QList<RecordField> &fields, int axis, const QByteArray &record, const QByteArray &indent)
{
    QByteArrayList lines;
    for (const RecordField &field : fields)
        if (field.axis == axis)
            lines << indent + '"' + field.name + "\": " + valueText(field, record);
    return lines.join(",\n");
}

bool fail(QString *problem, const QString &words)
{
    if (problem)
        *problem = words;
    return false;
}

bool isHex(const QString &text)
{
    for (QChar c : text)
        if (!c.isDigit() && !(c.toLower() >= u'a' && c.toLower() <= u'f'))
            return false;
    return true;
}

bool readFloat(const QJsonValue &value, const QString &where, quint32 &bits, QString *problem)
{
    if (value.isString()) {
        const QString text = value.toString();
        if (text.size() != 10 || !text.startsWith(QLatin1String("0x")) || !isHex(text.mid(2)))
            return fail(problem, QStringLiteral("%1 must be a number or the float's bits as \"0x\" and 8 hex digits, "
                                                "not \"%2\"").arg(where, text));
        bits = text.mid(2).toUInt(nullptr, 16);
        return true;
    }
    if (!value.isDouble())
        return fail(problem, QStringLiteral("%1 must be a number").arg(where));
    // Halfway between the largest float and the next power of two: anything from there on
    // would round to infinity.
    constexpr double FLOAT_OVERFLOW = 0x1.ffffffp127;
    const double number = value.toDouble();
    if (std::fabs(number) >= FLOAT_OVERFLOW)
        return fail(problem, QStringLiteral("%1 is %2, too large for the field").arg(where).arg(number));
    const float single = float(number);
    std::memcpy(&bits, &single, sizeof bits);
    return true;
}

bool readInteger(const RecordField &field, const QJsonValue &value, const QString &where, RecordJson::ValueRule rule,
                 quint64 &bits, QString *problem)
{
    const double number = value.toDouble();
    if (!value.isDouble() || std::floor(number) != number || std::fabs(number) > 9.0e15)
        return fail(problem, QStringLiteral("%1 must be a whole number").arg(where));
    const qint64 integer = qint64(number);
    if (rule) {
        if (const QString broken = rule(field, integer); !broken.isEmpty())
            return fail(problem, broken);
    }
    const int bitWidth = 8 * field.width;
    const qint64 lowest = field.kind == RecordField::Signed ? -(qint64(1) << (bitWidth - 1)) : 0;
    const qint64 highest = field.kind == RecordField::Signed ? (qint64(1) << (bitWidth - 1)) - 1
                                                             : (qint64(1) << bitWidth) - 1;
    if (integer < lowest || integer > highest)
        return fail(problem, QStringLiteral("%1 is %2, outside %3 to %4").arg(where).arg(integer).arg(lowest).arg(highest));
    bits = quint64(integer);
    return true;
}

bool readField(const RecordField &field, const QJsonValue &value, const QString &where, RecordJson::ValueRule rule,
               QByteArray &record, QString *problem)
{
    if (field.kind == RecordField::Reserved) {
        const QString text = value.toString();
        if (!value.isString() || text.size() != 2 * field.size() || !isHex(text))
            return fail(problem, QStringLiteral("%1 must be a string of %2 hex digits").arg(where).arg(2 * field.size()));
        record.replace(field.offset, field.size(), QByteArray::fromHex(text.toLatin1()));
        return true;
    }
    if (field.count > 1 && (!value.isArray() || value.toArray().size() != field.count))
        return fail(problem, QStringLiteral("%1 must be an array of %2 numbers").arg(where).arg(field.count));
    for (int index = 0; index < field.count; ++index) {
        const QJsonValue element = field.count > 1 ? value.toArray().at(index) : value;
        const QString at = field.count > 1 ? QStringLiteral("%1[%2]").arg(where).arg(index) : where;
        quint64 bits = 0;
        if (field.kind == RecordField::Float) {
            quint32 single = 0;
            if (!readFloat(element, at, single, problem))
                return false;
            bits = single;
        } else if (!readInteger(field, element, at, rule, bits, problem)) {
            return false;
        }
        putBits(record, field.offset + index * field.width, field.width, bits);
    }
    return true;
}

// Members that are no field: a misspelt name would otherwise go unnoticed.
bool refuseUnknown(const QJsonObject &object, const QSet<QString> &known, const QString &prefix, QString *problem)
{
    for (auto member = object.constBegin(); member != object.constEnd(); ++member)
        if (!known.contains(member.key()))
            return fail(problem, QStringLiteral("unknown member \"%1%2\"").arg(prefix, member.key()));
    return true;
}

} // namespace

QByteArray write(const Layout &layout, const QByteArray &record)
{
    QByteArray text = "{\n    \"" + RECORD_MEMBER.toLatin1() + "\": \"" + layout.name.toUtf8() + "\",\n";
    text += members(layout.fields, -1, record, "    ");
    const int axes = axisCount(layout.fields);
    if (axes > 0) {
        QByteArrayList objects;
        for (int axis = 0; axis < axes; ++axis)
            objects << "        {\n" + members(layout.fields, axis, record, "            ") + "\n        }";
        text += ",\n    \"" + AXES_MEMBER.toLatin1() + "\": [\n" + objects.join(",\n") + "\n    ]";
    }
    return text + "\n}\n";
}

QByteArray read(const Layout &layout, const QByteArray &json, QString *problem)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (document.isNull()) {
        fail(problem, QStringLiteral("not valid JSON: %1 at byte %2").arg(error.errorString()).arg(error.offset));
        return {};
    }
    const QJsonObject top = document.object();
    const QString name = top.value(RECORD_MEMBER).toString();
    if (name != layout.name) {
        fail(problem, name.isEmpty() ? QStringLiteral("no \"record\" member saying which settings it holds")
                                     : QStringLiteral("it holds %1 settings, not %2 settings").arg(name, layout.name));
        return {};
    }

    const int axes = axisCount(layout.fields);
    const QJsonArray axisObjects = top.value(AXES_MEMBER).toArray();
    QSet<QString> topNames{RECORD_MEMBER};
    QList<QSet<QString>> axisNames(axes);
    for (const RecordField &field : layout.fields)
        (field.axis < 0 ? topNames : axisNames[field.axis]).insert(QString::fromLatin1(field.name));
    if (axes > 0) {
        topNames.insert(AXES_MEMBER);
        if (axisObjects.size() != axes) {
            fail(problem, QStringLiteral("\"axes\" must be an array of %1 objects").arg(axes));
            return {};
        }
    }
    if (!refuseUnknown(top, topNames, QString(), problem))
        return {};
    for (int axis = 0; axis < axes; ++axis)
        if (!refuseUnknown(axisObjects.at(axis).toObject(), axisNames.at(axis), QStringLiteral("axes[%1].").arg(axis), problem))
            return {};

    QByteArray record(layout.size, '\0');
    for (const RecordField &field : layout.fields) {
        const QJsonObject object = field.axis < 0 ? top : axisObjects.at(field.axis).toObject();
        const QString member = QString::fromLatin1(field.name);
        const QString where = field.axis < 0 ? member : QStringLiteral("axes[%1].%2").arg(field.axis).arg(member);
        if (!object.contains(member)) {
            fail(problem, QStringLiteral("\"%1\" is missing").arg(where));
            return {};
        }
        if (!readField(field, object.value(member), where, layout.rule, record, problem))
            return {};
    }
    return record;
}

} // namespace RecordJson
