// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/fixedlineslabel.h"

#include <QEvent>
#include <QFontMetrics>

FixedLinesLabel::FixedLinesLabel(int lines, QWidget *parent)
    : QLabel(parent)
    , m_lines(lines)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setMinimumWidth(1);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    reserveLines();
}

void FixedLinesLabel::setMessage(const QString &message)
{
    m_message = message;
    fitMessage();
}

void FixedLinesLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    fitMessage();
}

void FixedLinesLabel::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        reserveLines();
        fitMessage();
    }
}

void FixedLinesLabel::reserveLines()
{
    setFixedHeight(fontMetrics().lineSpacing() * m_lines + contentsMargins().top() + contentsMargins().bottom());
}

bool FixedLinesLabel::fits(const QString &text) const
{
    const QRect room(0, 0, qMax(1, contentsRect().width()), 1 << 20);
    // A laid-out line may be a pixel taller than the line spacing; a line more is a whole one.
    const int spacing = fontMetrics().lineSpacing();
    return fontMetrics().boundingRect(room, Qt::TextWordWrap, text).height() <= spacing * m_lines + spacing / 2;
}

void FixedLinesLabel::fitMessage()
{
    QString shown = m_message;
    if (!fits(shown)) {
        // Words off the end until the rest and the ellipsis fit.
        QStringList words = m_message.split(QLatin1Char(' '));
        do {
            words.removeLast();
            shown = words.join(QLatin1Char(' ')) + QStringLiteral("…");
        } while (words.size() > 1 && !fits(shown));
    }
    setText(shown);
    setToolTip(shown == m_message ? QString() : m_message);
}
