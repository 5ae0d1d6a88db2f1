// SPDX-License-Identifier: GPL-3.0-or-later
#include "inputs/numberglyphs.h"

#include <QFontMetricsF>
#include <QPainter>

namespace {

const QString CHARACTERS = QStringLiteral("0123456789-");

} // namespace

int NumberGlyphs::glyphIndex(QChar character)
{
    return int(CHARACTERS.indexOf(character));
}

void NumberGlyphs::prepare(const QFont &font)
{
    const QFontMetricsF metrics(font);
    for (int index = 0; index < GLYPHS; ++index) {
        const QString character(CHARACTERS.at(index));
        m_glyphs[index] = QStaticText(character);
        m_glyphs[index].setTextFormat(Qt::PlainText);
        m_glyphs[index].prepare(QTransform(), font);
        m_advances[index] = metrics.horizontalAdvance(character);
    }
    m_height = metrics.height();
    m_font = font;
    m_prepared = true;
}

void NumberGlyphs::draw(QPainter &painter, const QRectF &area, const QString &text)
{
    // A live value is a few characters; anything longer or other is laid out as usual.
    std::array<int, 16> indices;
    qsizetype count = 0;
    for (QChar character : text) {
        const int index = count < qsizetype(indices.size()) ? glyphIndex(character) : -1;
        if (index < 0) {
            painter.drawText(area, Qt::AlignCenter, text);
            return;
        }
        indices[count++] = index;
    }
    if (!m_prepared || painter.font() != m_font)
        prepare(painter.font());
    qreal width = 0;
    for (qsizetype i = 0; i < count; ++i)
        width += m_advances[indices[i]];
    QPointF position(area.center().x() - width / 2, area.center().y() - m_height / 2);
    for (qsizetype i = 0; i < count; ++i) {
        painter.drawStaticText(position, m_glyphs[indices[i]]);
        position.rx() += m_advances[indices[i]];
    }
}
