// SPDX-License-Identifier: GPL-3.0-or-later
#include "inputs/liveinputline.h"

#include <QResizeEvent>

LiveInputLine::LiveInputLine(QWidget *parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setFixedHeight(fontMetrics().height() + 2);
    // The text asks for no width: the page's layout decides it.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    setMinimumWidth(0);
}

void LiveInputLine::setMessage(const QString &message)
{
    if (m_message == message)
        return;
    m_message = message;
    setToolTip(message);
    showElided();
}

void LiveInputLine::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    showElided();
}

void LiveInputLine::showElided()
{
    QLabel::setText(fontMetrics().elidedText(m_message, Qt::ElideRight, qMax(0, contentsRect().width())));
}
