#include "ui/common/FontCellMetrics.h"

#include "core/util/Cp932.h"

#include <QtMath>

using namespace Qt::StringLiterals;

FontCellMetrics::FontCellMetrics(int pointSize)
    : FontCellMetrics(cellFont(pointSize), designCellAdvance(pointSize), designCellHeight(pointSize)) {}

FontCellMetrics::FontCellMetrics(const QFont& font, int fullWidth, int height)
    : m_metrics(font), m_fullWidth(fullWidth), m_height(height), m_widths(0x10000, 0) {
    const qreal half = m_metrics.horizontalAdvance(QChar(u'_'));
    m_fullAdvance = m_metrics.horizontalAdvance(QChar(u'＿'));
    m_fullWidthRendered = half > 0 && m_fullAdvance >= 2 * half - 1 && m_metrics.inFont(QChar(u'＿'));
}

QFont FontCellMetrics::cellFont(int pointSize) {
    QFont font(u"IPAGothic"_s);
    font.setFamilies({u"IPAGothic"_s, u"Noto Sans Mono CJK JP"_s});
    font.setStyleHint(QFont::Monospace);
    // Sized in pixels (a point is 4/3 of a logical pixel at 96 dpi), like the cell geometry, so a
    // desktop with another font resolution cannot draw glyphs larger than their cells.
    font.setPixelSize(qMax(1, qRound(pointSize * 4.0 / 3.0)));
    return font;
}

int FontCellMetrics::cellWidth(QChar c) const {
    quint16& width = m_widths[c.unicode()];
    if (width == 0) width = quint16(measure(c));
    return width;
}

int FontCellMetrics::measure(QChar c) const {
    const int half = m_fullWidth / 2;
    if (!m_fullWidthRendered) {
        // Without a Japanese font the advances say nothing about the grid; the character code does.
        return cp932::isDoubleByte(c.unicode()) ? m_fullWidth : half;
    }
    // A fixed-pitch font gives exactly half or the whole full-width advance. A glyph borrowed from
    // a proportional fallback font (or a control character without one) is put on the nearest of
    // the two, so that every row keeps the design grid and the half-width test of the word rule.
    const qreal scaled = m_metrics.horizontalAdvance(c) * m_fullWidth / m_fullAdvance;
    return scaled < (half + m_fullWidth) / 2.0 ? half : m_fullWidth;
}
