// SPDX-License-Identifier: GPL-3.0-or-later
#include "inputs/pressedindicator.h"

#include <QPainter>

PressedIndicator::PressedIndicator(QWidget *parent)
    : QWidget(parent)
{
    // As tall as a line of text, whatever the font.
    const int side = fontMetrics().height();
    setFixedSize(side, side);
    describe();
}

void PressedIndicator::setPressed(bool pressed)
{
    if (m_pressed == pressed)
        return;
    m_pressed = pressed;
    describe();
    update();
}

void PressedIndicator::setRowName(const QString &name)
{
    m_rowName = name;
    describe();
}

void PressedIndicator::describe()
{
    const QString state = m_pressed ? tr("pressed") : tr("released");
    const QString text = m_rowName.isEmpty() ? state : tr("%1: %2").arg(m_rowName, state);
    setToolTip(text);
    setAccessibleName(text);
}

void PressedIndicator::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF lamp = QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.setBrush(m_pressed ? palette().color(QPalette::Highlight) : palette().color(QPalette::Base));
    painter.drawEllipse(lamp);
}
