// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QStaticText>

#include <array>

class QPainter;
class QRectF;

// Writes whole numbers from digit glyphs laid out once per font. A live value changes every
// frame while its axis moves, and laying its text out anew each time (itemising and shaping
// it) cost more than everything else the bar paints.
class NumberGlyphs
{
public:
    // Centred in `area`, in the painter's font and pen; text other than digits and a minus
    // sign is laid out as usual.
    void draw(QPainter &painter, const QRectF &area, const QString &text);

private:
    static constexpr int GLYPHS = 11; // 0 to 9, then the minus sign
    static int glyphIndex(QChar character);
    void prepare(const QFont &font);

    QFont m_font;
    bool m_prepared = false;
    std::array<QStaticText, GLYPHS> m_glyphs;
    std::array<qreal, GLYPHS> m_advances{};
    qreal m_height = 0;
};
