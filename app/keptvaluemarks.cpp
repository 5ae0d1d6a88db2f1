// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/keptvaluemarks.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

namespace {

struct Element {
    int offset;
    int size;
    QString words;
};

// Shows another value in `control` while `measure` runs, then the one it had. False for a
// control that cannot show another value or writes nothing into the record.
bool withOtherValue(QWidget *control, const std::function<void()> &measure)
{
    const QSignalBlocker blocker(control);
    if (auto *spin = qobject_cast<QSpinBox *>(control)) {
        if (spin->minimum() == spin->maximum())
            return false;
        const int shown = spin->value();
        spin->setValue(shown == spin->minimum() ? spin->maximum() : spin->minimum());
        measure();
        spin->setValue(shown);
        return true;
    }
    if (auto *combo = qobject_cast<QComboBox *>(control)) {
        // An editable box (the profile name) is no record field, and its typed text stays.
        if (combo->isEditable() || combo->count() < 2)
            return false;
        const int shown = combo->currentIndex();
        combo->setCurrentIndex(shown == 0 ? 1 : 0);
        measure();
        combo->setCurrentIndex(shown);
        return true;
    }
    if (auto *button = qobject_cast<QAbstractButton *>(control)) {
        if (!button->isCheckable())
            return false;
        button->toggle();
        measure();
        button->toggle();
        return true;
    }
    auto *edit = qobject_cast<QLineEdit *>(control);
    if (!edit || qobject_cast<QAbstractSpinBox *>(edit->parentWidget()) || qobject_cast<QComboBox *>(edit->parentWidget()))
        return false;
    const QString shown = edit->text();
    edit->setText(shown == QLatin1String("1") ? QStringLiteral("2") : QStringLiteral("1"));
    measure();
    edit->setText(shown);
    return true;
}

QList<Element> keptElements(const QList<RecordField> &fields, const QByteArray &sent, const QByteArray &kept)
{
    QList<Element> elements;
    for (const RecordField &field : fields) {
        if (field.kind == RecordField::Reserved)
            continue;
        for (int index = 0; index < field.count; ++index) {
            const int offset = field.offset + index * field.width;
            if (offset + field.width > sent.size() || offset + field.width > kept.size()
                || sent.mid(offset, field.width) == kept.mid(offset, field.width))
                continue;
            elements.append({offset, field.width,
                             KeptValueMarks::tr("The controller kept %1; %2 was sent.")
                                 .arg(RecordFields::value(field, kept, index), RecordFields::value(field, sent, index))});
        }
    }
    return elements;
}

} // namespace

KeptValueMarks::KeptValueMarks(QObject *parent)
    : QObject(parent)
{
}

void KeptValueMarks::show(const QList<QWidget *> &pages, const Builder &build, const QList<RecordField> &fields,
                          const QByteArray &sent, const QByteArray &kept)
{
    clear();
    const QList<Element> elements = keptElements(fields, sent, kept);
    if (elements.isEmpty())
        return;
    const QByteArray shown = build();
    for (QWidget *page : pages) {
        for (QWidget *control : page->findChildren<QWidget *>()) {
            QByteArray other;
            if (!withOtherValue(control, [&] { other = build(); }) || other.size() != shown.size())
                continue;
            for (const Element &element : elements) {
                if (other.mid(element.offset, element.size) != shown.mid(element.offset, element.size)) {
                    mark(control, element.words);
                    break;
                }
            }
        }
    }
}

void KeptValueMarks::mark(QWidget *control, const QString &words)
{
    m_marks.append({control, control->toolTip(), control->palette()});
    control->setToolTip(words);
    QPalette palette = control->palette();
    palette.setColor(QPalette::Base, QColor(0xff, 0xe0, 0xb3));
    palette.setColor(QPalette::Text, Qt::black);
    control->setPalette(palette);
}

void KeptValueMarks::clear()
{
    for (const Mark &mark : std::as_const(m_marks)) {
        if (!mark.control)
            continue;
        mark.control->setToolTip(mark.toolTip);
        mark.control->setPalette(mark.palette);
    }
    m_marks.clear();
}
