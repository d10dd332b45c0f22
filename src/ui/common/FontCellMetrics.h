#pragma once

#include "core/practice/SegmentLayout.h"

#include <QFont>
#include <QFontMetricsF>

#include <vector>

/**
 * Cell sizes from the cell font: a character takes a half-width or a full-width cell as the
 * font draws it, and a full-width cell measures the design advance of the font size, so a row
 * holds exactly CharsPerLine full-width cells whatever the font's own advance is.
 */
class FontCellMetrics : public CellMetrics {
public:
    /** The cell font at `pointSize` with the design advance and height of that size. */
    explicit FontCellMetrics(int pointSize);
    /** `font` scaled so that a full-width character is `fullWidth` twips; every cell `height` twips high. */
    FontCellMetrics(const QFont& font, int fullWidth, int height);

    int cellWidth(QChar c) const override;
    int cellHeight() const override { return m_height; }

    /** True when the font draws full-width characters at twice the half-width advance. */
    bool fullWidthRendered() const { return m_fullWidthRendered; }

    /** The fixed-pitch Japanese font of the cells (IPAGothic, else Noto Sans Mono CJK JP) at a size. */
    static QFont cellFont(int pointSize);

private:
    int measure(QChar c) const;

    QFontMetricsF m_metrics;
    qreal m_fullAdvance = 0;
    bool m_fullWidthRendered = false;
    int m_fullWidth;
    int m_height;
    // Measured widths by UTF-16 code unit, 0 = not measured yet; filled as characters appear.
    mutable std::vector<quint16> m_widths;
};
