#pragma once

#include "core/practice/SegmentLayout.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QWidget>

#include <array>
#include <vector>

/**
 * The character cells `cellView` of the target display, all painted by this one widget from the
 * records of a TargetDisplay. It paints at its own origin (the inner panel textCanvas) and only
 * repaints the cells it is told have changed.
 */
class CharCellView : public QWidget {
    Q_OBJECT

public:
    explicit CharCellView(QWidget* parent = nullptr);

    /** The display whose cells are painted; it must outlive the widget or be replaced first. */
    void setDisplay(const TargetDisplay* display);
    /** The cell font at a font size (16, 14, 12, 11 or 10 points). */
    void setPointSize(int pointSize);
    int pointSize() const { return m_pointSize; }
    /** Text colours of untyped, correctly typed and wrongly typed characters. */
    void setStateColours(const QColor& untyped, const QColor& correct, const QColor& wrong);
    void setBackgroundColour(const QColor& background);
    /** Vertical offset of the cells in twips (textCanvas's top while scrolled, zero or less). */
    void setScrollOffsetTwips(int offset);
    int scrollOffsetTwips() const { return m_scrollOffset; }

    /** Repaints cell k only. */
    void refreshCell(int k);
    /** Repaints cells first..last only. */
    void refreshCells(int first, int last);
    /** Repaints everything, after a layout. */
    void refreshAll();

    /** Cell k's rectangle in the widget's pixels, the scroll offset included; empty when k is out of range. */
    QRect cellRect(int k) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colourOf(CellState state) const;
    QRect repaintRect(int k) const;
    /** The cell font's glyph for a one-character caption, 0 when the font has none. */
    quint32 glyphFor(const QString& caption);

    /** The 30 twips between rows. */
    static constexpr int RowGapPixels = 2;

    const TargetDisplay* m_display = nullptr;
    int m_pointSize = 12;
    double m_zoom = 1.0; ///< of the window, taken when the font is set
    QFont m_font;
    int m_ascent = 0;         ///< pixels
    int m_textHeight = 0;     ///< ascent + descent, pixels
    int m_underlineBelow = 1; ///< underline's distance below the baseline, pixels
    int m_lineWidth = 1;
    QRawFont m_rawFont;
    static constexpr quint32 UnknownGlyph = 0xFFFFFFFF;
    std::vector<quint32> m_glyphs; ///< by UTF-16 code unit, filled as characters appear

    /** The glyphs of one cell state gathered during a paint; kept to reuse their storage. */
    struct Run {
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };
    std::array<Run, 3> m_runs;
    QColor m_untyped = Qt::black;
    QColor m_correct = Qt::gray;
    QColor m_wrong = Qt::red;
    QColor m_background = Qt::white;
    int m_scrollOffset = 0;
};
