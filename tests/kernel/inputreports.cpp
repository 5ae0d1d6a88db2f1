// SPDX-License-Identifier: GPL-3.0-or-later
#include "inputreports.h"

#include <QMap>

namespace InputReports {

namespace {

struct Field {
    int size = 0;
    int count = 0;
    qint64 minimum = 0;
    qint64 maximum = 0;
    bool constant = false;
};

// Item tags (type in bits 2-3, tag in bits 4-7) the layout depends on.
constexpr int MAIN_INPUT = 0x80;
constexpr int GLOBAL_LOGICAL_MINIMUM = 0x14;
constexpr int GLOBAL_LOGICAL_MAXIMUM = 0x24;
constexpr int GLOBAL_REPORT_SIZE = 0x74;
constexpr int GLOBAL_REPORT_ID = 0x84;
constexpr int GLOBAL_REPORT_COUNT = 0x94;
constexpr int GLOBAL_PUSH = 0xA4;
constexpr int GLOBAL_POP = 0xB4;
constexpr int LONG_ITEM = 0xFE;

qint64 signedValue(quint32 raw, int bytes)
{
    if (bytes == 1)
        return qint8(raw);
    if (bytes == 2)
        return qint16(raw);
    return qint32(raw);
}

void putBits(QByteArray &report, int bitOffset, int size, qint64 value)
{
    for (int bit = 0; bit < size; ++bit)
        if (value >> bit & 1)
            report[1 + (bitOffset + bit) / 8] = char(report[1 + (bitOffset + bit) / 8] | 1 << ((bitOffset + bit) % 8));
}

} // namespace

QList<Extremes> fromDescriptor(const QByteArray &descriptor)
{
    struct Globals {
        int size = 0;
        int count = 0;
        int reportId = 0;
        qint64 minimum = 0;
        qint64 maximum = 0;
    } globals;
    QList<Globals> stack;
    QMap<int, QList<Field>> reports;
    for (int at = 0; at < descriptor.size();) {
        const int prefix = quint8(descriptor[at]);
        if (prefix == LONG_ITEM) {
            at += 3 + (at + 1 < descriptor.size() ? quint8(descriptor[at + 1]) : 0);
            continue;
        }
        const int bytes = (prefix & 3) == 3 ? 4 : prefix & 3;
        quint32 raw = 0;
        for (int i = 0; i < bytes && at + 1 + i < descriptor.size(); ++i)
            raw |= quint32(quint8(descriptor[at + 1 + i])) << (8 * i);
        at += 1 + bytes;
        switch (prefix & 0xFC) {
        case MAIN_INPUT:
            reports[globals.reportId].append({globals.size, globals.count, globals.minimum, globals.maximum, (raw & 1) != 0});
            break;
        case GLOBAL_LOGICAL_MINIMUM: globals.minimum = signedValue(raw, bytes); break;
        case GLOBAL_LOGICAL_MAXIMUM: globals.maximum = signedValue(raw, bytes); break;
        case GLOBAL_REPORT_SIZE: globals.size = int(raw); break;
        case GLOBAL_REPORT_ID: globals.reportId = int(raw); break;
        case GLOBAL_REPORT_COUNT: globals.count = int(raw); break;
        case GLOBAL_PUSH: stack.append(globals); break;
        case GLOBAL_POP:
            if (!stack.isEmpty())
                globals = stack.takeLast();
            break;
        default: break;
        }
    }

    QList<Extremes> result;
    for (auto it = reports.cbegin(); it != reports.cend(); ++it) {
        int bits = 0;
        for (const Field &field : it.value())
            bits += field.size * field.count;
        Extremes extremes;
        extremes.reportId = it.key();
        extremes.low = QByteArray(1 + (bits + 7) / 8, '\0');
        extremes.low[0] = char(it.key());
        extremes.high = extremes.low;
        int offset = 0;
        for (const Field &field : it.value()) {
            for (int i = 0; i < field.count && !field.constant; ++i) {
                putBits(extremes.low, offset + i * field.size, field.size, field.minimum);
                putBits(extremes.high, offset + i * field.size, field.size, field.maximum);
                ++extremes.fields;
            }
            if (!field.constant && field.size > 1 && field.maximum - field.minimum > extremes.axisMaximum - extremes.axisMinimum) {
                extremes.axisMinimum = field.minimum;
                extremes.axisMaximum = field.maximum;
            }
            offset += field.size * field.count;
        }
        // Without report ids the report has no id byte in front.
        if (it.key() == 0) {
            extremes.low.remove(0, 1);
            extremes.high.remove(0, 1);
        }
        result.append(extremes);
    }
    return result;
}

} // namespace InputReports
