// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pagescrollarea.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QLayout>
#include <QScrollBar>
#include <QWheelEvent>

PageScrollArea::PageScrollArea(QWidget *parent)
    : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The page's own background shows through, as it did before the page could scroll.
    viewport()->setAutoFillBackground(false);
}

QSize PageScrollArea::minimumSizeHint() const
{
    const QSize scrolling = QScrollArea::minimumSizeHint();
    if (!widget())
        return scrolling;
    // The vertical scroll bar may come up at any height; the contents keep their width beside it.
    const int width = widget()->minimumSizeHint().width() + 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    return {width, scrolling.height()};
}

QSize PageScrollArea::sizeHint() const
{
    // QScrollArea bounds its hint to a few dozen lines of text; a page wants all of its rows.
    if (!widget())
        return QScrollArea::sizeHint();
    const QSize whole = widget()->sizeHint() + QSize(2 * frameWidth(), 2 * frameWidth());
    return {qMax(whole.width(), minimumSizeHint().width()), whole.height()};
}

bool PageScrollArea::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Polish:
        // Once before the window first shows: the contents were taken in and measured before
        // they had their texts, and their nested layouts keep those measures until laid out anew.
        if (widget()) {
            widget()->setAutoFillBackground(false);
            if (QLayout *layout = widget()->layout())
                layout->activate();
            leaveWheelToPageUnlessFocused();
        }
        break;
    case QEvent::LayoutRequest:
        // Rows of the contents were shown or hidden: the window asks for this area's size anew.
        updateGeometry();
        break;
    default:
        break;
    }
    return QScrollArea::event(event);
}

void PageScrollArea::leaveWheelToPageUnlessFocused()
{
    for (QWidget *child : widget()->findChildren<QWidget *>()) {
        // Scroll bars (of a list on the page, say) scroll as they always do.
        const bool value = (qobject_cast<QAbstractSlider *>(child) && !qobject_cast<QScrollBar *>(child))
                           || qobject_cast<QAbstractSpinBox *>(child) || qobject_cast<QComboBox *>(child);
        if (!value)
            continue;
        // A turn of the wheel would otherwise hand the control the focus before it gets here.
        if (child->focusPolicy() == Qt::WheelFocus)
            child->setFocusPolicy(Qt::StrongFocus);
        child->installEventFilter(this);
    }
}

bool PageScrollArea::eventFilter(QObject *watched, QEvent *event)
{
    // The area watches its own scroll bars too, which take the wheel it hands on.
    const bool control = watched->isWidgetType() && !qobject_cast<QScrollBar *>(watched);
    if (event->type() == QEvent::Wheel && control && !static_cast<QWidget *>(watched)->hasFocus()) {
        wheelEvent(static_cast<QWheelEvent *>(event));
        return true;
    }
    return QScrollArea::eventFilter(watched, event);
}
