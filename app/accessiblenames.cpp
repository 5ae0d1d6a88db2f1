// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/accessiblenames.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QBoxLayout>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTextDocumentFragment>

namespace {

bool isControl(const QWidget *widget)
{
    if (qobject_cast<const QScrollBar *>(widget))
        return false;
    const QWidget *parent = widget->parentWidget();
    if (qobject_cast<const QLineEdit *>(widget))
        return !qobject_cast<const QAbstractSpinBox *>(parent) && !qobject_cast<const QComboBox *>(parent);
    return qobject_cast<const QAbstractButton *>(widget) || qobject_cast<const QComboBox *>(widget)
        || qobject_cast<const QAbstractSpinBox *>(widget) || qobject_cast<const QAbstractSlider *>(widget);
}

bool hasName(QWidget *widget)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible && !accessible->text(QAccessible::Name).trimmed().isEmpty();
}

QString words(const QLabel *label)
{
    QString text = Qt::mightBeRichText(label->text()) ? QTextDocumentFragment::fromHtml(label->text()).toPlainText()
                                                     : label->text();
    text.remove(QLatin1Char('&'));
    text = text.simplified();
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text;
}

const QLabel *labelAt(QLayoutItem *item)
{
    auto *label = item ? qobject_cast<const QLabel *>(item->widget()) : nullptr;
    return label && !words(label).isEmpty() ? label : nullptr;
}

// The nearest label before `widget` in its row of the layout that holds it.
const QLabel *labelBeside(QLayout *layout, QWidget *widget)
{
    const int index = layout->indexOf(widget);
    if (index < 0) {
        for (int i = 0; i < layout->count(); ++i)
            if (QLayout *inner = layout->itemAt(i)->layout())
                if (const QLabel *label = labelBeside(inner, widget))
                    return label;
        return nullptr;
    }
    if (auto *form = qobject_cast<QFormLayout *>(layout))
        return qobject_cast<const QLabel *>(form->labelForField(widget));
    if (auto *grid = qobject_cast<QGridLayout *>(layout)) {
        int row = 0, column = 0, rows = 0, columns = 0;
        grid->getItemPosition(index, &row, &column, &rows, &columns);
        for (int before = column - 1; before >= 0; --before)
            if (const QLabel *label = labelAt(grid->itemAtPosition(row, before)))
                return label;
        return nullptr;
    }
    for (int before = index - 1; before >= 0; --before)
        if (const QLabel *label = labelAt(layout->itemAt(before)))
            return label;
    return nullptr;
}

} // namespace

void AccessibleNames::fillIn(QWidget *window)
{
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        QWidget *parent = widget->parentWidget();
        if (!isControl(widget) || !parent || !parent->layout() || hasName(widget))
            continue;
        if (const QLabel *label = labelBeside(parent->layout(), widget))
            widget->setAccessibleName(words(label));
    }
}
