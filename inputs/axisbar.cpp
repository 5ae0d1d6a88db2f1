// SPDX-License-Identifier: GPL-3.0-or-later
#include "inputs/axisbar.h"

#include "inputs/axisbaraccessible.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {

constexpr int MARKER_WIDTH = 3;

} // namespace

AxisBar::AxisBar(QWidget *parent)
    : QWidget(parent)
{
    setFixedHeight(fontMetrics().height() + 6);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // Every pixel is painted, so a new value repaints the bar alone, not the page behind it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    AxisBarAccessible::install();
}

QSize AxisBar::sizeHint() const
{
    return {fontMetrics().horizontalAdvance(QLatin1Char('0')) * 24, fontMetrics().height() + 6};
}

QSize AxisBar::minimumSizeHint() const
{
    return {fontMetrics().horizontalAdvance(QLatin1Char('0')) * 12, fontMetrics().height() + 6};
}

void AxisBar::setValue(int value, int minimum, int maximum)
{
    if (m_hasValue && value == m_value && minimum == m_minimum && maximum == m_maximum)
        return;
    m_hasValue = true;
    m_value = value;
    m_minimum = minimum;
    m_maximum = maximum;
    update();
}

void AxisBar::clearValue()
{
    if (!m_hasValue)
        return;
    m_hasValue = false;
    update();
}

QString AxisBar::valueText() const
{
    return m_hasValue ? QString::number(m_value) : QString();
}

void AxisBar::setDeadZones(double lower, double upper)
{
    lower = std::clamp(lower, 0.0, 1.0);
    upper = std::clamp(upper, 0.0, 1.0);
    if (lower == m_lowerDeadZone && upper == m_upperDeadZone)
        return;
    m_lowerDeadZone = lower;
    m_upperDeadZone = upper;
    update();
}

QRect AxisBar::groove() const
{
    return rect().adjusted(1, 1, -1, -1);
}

QRect AxisBar::lowerDeadZoneRect() const
{
    const QRect area = groove();
    const int width = int(std::lround(area.width() * m_lowerDeadZone));
    return width > 0 ? QRect(area.left(), area.top(), width, area.height()) : QRect();
}

QRect AxisBar::upperDeadZoneRect() const
{
    const QRect area = groove();
    const int width = int(std::lround(area.width() * m_upperDeadZone));
    return width > 0 ? QRect(area.right() + 1 - width, area.top(), width, area.height()) : QRect();
}

QRect AxisBar::markerRect() const
{
    if (!m_hasValue)
        return {};
    const QRect area = groove();
    // A range of one value, or none, puts the value at the lower end.
    const double span = double(m_maximum) - double(m_minimum);
    const double part = span > 0 ? std::clamp((double(m_value) - m_minimum) / span, 0.0, 1.0) : 0.0;
    const int x = area.left() + int(std::lround(part * (area.width() - MARKER_WIDTH)));
    return {x, area.top(), MARKER_WIDTH, area.height()};
}

QString AxisBar::description() const
{
    return m_hasValue ? tr("%1 (from %2 to %3)").arg(m_value).arg(m_minimum).arg(m_maximum) : tr("No reading");
}

bool AxisBar::event(QEvent *event)
{
    // The tooltip is written when asked for, not at every reading.
    if (event->type() == QEvent::ToolTip) {
        QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), description(), this);
        return true;
    }
    return QWidget::event(event);
}

void AxisBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette &colours = palette();
    painter.fillRect(rect(), colours.color(QPalette::Mid));
    painter.fillRect(groove(), colours.color(QPalette::Base));
    QColor deadZone = colours.color(QPalette::Mid);
    deadZone.setAlpha(140);
    painter.fillRect(lowerDeadZoneRect(), deadZone);
    painter.fillRect(upperDeadZoneRect(), deadZone);
    if (m_hasValue)
        painter.fillRect(markerRect(), colours.color(QPalette::Highlight));
    painter.setPen(colours.color(QPalette::Text));
    m_numberGlyphs.draw(painter, groove(), valueText());
}
