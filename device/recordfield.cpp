#include "device/recordfield.h"

#include <QCoreApplication>

namespace RecordFields {

QString describe(const RecordField &field, int index)
{
    QString words = QCoreApplication::translate("RecordField", field.label);
    if (words.contains(QLatin1String("%1")))
        words = words.arg(index + 1);
    if (field.axis >= 0)
        words = QCoreApplication::translate("RecordField", "Axis %1: %2").arg(field.axis).arg(words);
    return words;
}

QStringList differences(const QList<RecordField> &fields, const QByteArray &a, const QByteArray &b)
{
    QStringList differing;
    for (const RecordField &field : fields) {
        for (int index = 0; index < field.count; ++index) {
            const int at = field.offset + index * field.width;
            if (at + field.width > a.size() || at + field.width > b.size())
                continue;
            if (a.mid(at, field.width) == b.mid(at, field.width))
                continue;
            const QString words = describe(field, index);
            // A reserved block is named once, however many of its bytes differ.
            if (!differing.contains(words))
                differing.append(words);
        }
    }
    return differing;
}

} // namespace RecordFields
