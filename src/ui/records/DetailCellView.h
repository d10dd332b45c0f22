#pragma once

#include "core/records/DetailAnalysis.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QWidget>

#include <array>
#include <memory>
#include <vector>

class FontCellMetrics;

/**
 * The cells `cellGrid` of the attempt details window, all painted by this one widget from the
 * records of a DetailGrid at a vertical scroll offset. It shows each cell's tooltip and only
 * repaints the cells it is told have changed.
 */
class DetailCellView : public QWidget {
    Q_OBJECT

public:
    explicit DetailCellView(QWidget* parent = nullptr);
    ~DetailCellView() override;

    /** The grid painted; it must outlive the widget or be replaced first. */
    void setGrid(const DetailAnalysis::DetailGrid* grid);
    /** Widths of the cell font's characters in twips, for building the grid. */
    const CellMetrics& metrics() const;
    /** Top of the cells in twips (zero or less while scrolled). */
    void setScrollOffsetTwips(int offset);

    void refreshCells(const std::vector<int>& cells);
    void refreshAll();

    /** Cell k's rectangle in the widget's pixels, the scroll offset included; empty for a hidden cell. */
    QRect cellRect(int k) const;
    /** The cell under a point, -1 for none. */
    int cellAt(const QPoint& point) const;
    QColor colourOf(DetailAnalysis::Paint paint) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    quint32 glyphFor(QChar c);

    const DetailAnalysis::DetailGrid* m_grid = nullptr;
    std::unique_ptr<FontCellMetrics> m_metrics;
    QFont m_font;
    QRawFont m_rawFont;
    int m_ascent = 0;
    int m_textHeight = 0;
    int m_scrollOffset = 0;
    static constexpr quint32 UnknownGlyph = 0xFFFFFFFF;
    std::vector<quint32> m_glyphs; ///< by UTF-16 code unit, filled as characters appear

    /** The glyphs of one text colour gathered during a paint; kept to reuse their storage. */
    struct Run {
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };
    std::array<Run, 9> m_runs;
};
