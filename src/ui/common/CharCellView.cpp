#include "ui/common/CharCellView.h"

#include "ui/common/FontCellMetrics.h"
#include "ui/common/Twips.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPaintEvent>
#include <QPainter>

using namespace Qt::StringLiterals;

CharCellView::CharCellView(QWidget* parent) : QWidget(parent) {
    setObjectName(u"cellView"_s);
    // Every pixel is painted here, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setPointSize(12);
}

void CharCellView::setDisplay(const TargetDisplay* display) {
    m_display = display;
    update();
}

void CharCellView::setPointSize(int pointSize) {
    m_pointSize = pointSize;
    // The layout is measured at the design size; the cells and their font grow with the zoom.
    m_zoom = twips::zoomOf(this);
    m_font = twips::zoomed(FontCellMetrics::cellFont(pointSize), m_zoom);
    const QFontMetrics metrics(m_font);
    m_ascent = metrics.ascent();
    m_textHeight = metrics.ascent() + metrics.descent();
    m_underlineBelow = qMax(1, metrics.underlinePos());
    m_lineWidth = qMax(1, metrics.lineWidth());
    m_rawFont = QRawFont::fromFont(m_font);
    m_glyphs.assign(0x10000, UnknownGlyph);
    update();
}

void CharCellView::setStateColours(const QColor& untyped, const QColor& correct, const QColor& wrong) {
    m_untyped = untyped;
    m_correct = correct;
    m_wrong = wrong;
    update();
}

void CharCellView::setBackgroundColour(const QColor& background) {
    m_background = background;
    update();
}

void CharCellView::setScrollOffsetTwips(int offset) {
    if (offset == m_scrollOffset) return;
    m_scrollOffset = offset;
    update();
}

void CharCellView::refreshCell(int k) {
    refreshCells(k, k);
}

void CharCellView::refreshCells(int first, int last) {
    first = qMax(first, 0);
    last = qMin(last, TargetDisplay::CellCount - 1);
    if (!m_display || first > last) return;
    // Cells of one row are contiguous, so a run of cells is repainted as one rectangle per row.
    QRect rowRect;
    for (int k = first; k <= last; ++k) {
        const QRect r = repaintRect(k);
        if (r.isEmpty()) continue;
        if (!rowRect.isNull() && r.top() != rowRect.top()) {
            update(rowRect);
            rowRect = QRect();
        }
        rowRect = rowRect.isNull() ? r : rowRect.united(r);
    }
    if (!rowRect.isNull()) update(rowRect);
}

void CharCellView::refreshAll() {
    update();
}

QRect CharCellView::cellRect(int k) const {
    if (!m_display || k < 0 || k >= TargetDisplay::CellCount) return {};
    const CharCell& cell = m_display->cells[size_t(k)];
    return twips::rect(cell.left, cell.top + m_scrollOffset, cell.width, cell.height, m_zoom);
}

QRect CharCellView::repaintRect(int k) const {
    const QRect cell = cellRect(k);
    // A glyph may reach a pixel past its cell, and a descender into the gap below the row.
    return cell.isEmpty() ? cell : cell.adjusted(-1, 0, 1, RowGapPixels);
}

QColor CharCellView::colourOf(CellState state) const {
    switch (state) {
    case CellState::Correct:
        return m_correct;
    case CellState::Wrong:
        return m_wrong;
    case CellState::Untyped:
        break;
    }
    return m_untyped;
}

quint32 CharCellView::glyphFor(const QString& caption) {
    if (caption.size() != 1 || !m_rawFont.isValid()) return 0;
    quint32& glyph = m_glyphs[caption[0].unicode()];
    if (glyph == UnknownGlyph) glyph = m_rawFont.glyphIndexesForString(caption).value(0);
    return glyph;
}

void CharCellView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.fillRect(dirty, m_background);
    if (!m_display) return;

    // Drawing 800 characters one by one costs more than a repaint may take, so the glyphs of each
    // state are gathered into one run. A character the cell font lacks is drawn on its own, which
    // lets Qt take it from another font.
    for (Run& run : m_runs) {
        run.glyphs.clear();
        run.positions.clear();
    }
    painter.setFont(m_font);
    for (int k = 0; k < TargetDisplay::CellCount; ++k) {
        const CharCell& cell = m_display->cells[size_t(k)];
        if (!cell.visible || cell.caption.isEmpty()) continue;
        const QRect rect = cellRect(k);
        // A neighbour's overhang was cleared with the dirty area, so the neighbour is drawn again
        // (Qt clips it to that area).
        if (!rect.adjusted(-1, -RowGapPixels, 1, RowGapPixels).intersects(dirty)) continue;
        const QColor colour = colourOf(cell.state);
        // Like a label, the character starts at the cell's left and is centred in its height.
        const int baseline = rect.top() + (rect.height() - m_textHeight) / 2 + m_ascent;
        if (const quint32 glyph = glyphFor(cell.caption)) {
            Run& run = m_runs[size_t(cell.state)];
            run.glyphs.append(glyph);
            run.positions.append(QPointF(rect.left(), baseline));
        } else {
            painter.setPen(colour);
            painter.drawText(QPoint(rect.left(), baseline), cell.caption);
        }
        // The underline spans the whole cell and stays inside it, where a repaint of the cell reaches.
        if (cell.underline)
            painter.fillRect(rect.left(), qMin(baseline + m_underlineBelow, rect.bottom() + 1 - m_lineWidth),
                             rect.width(), m_lineWidth, colour);
    }
    for (size_t state = 0; state < m_runs.size(); ++state) {
        const Run& run = m_runs[state];
        if (run.glyphs.isEmpty()) continue;
        QGlyphRun glyphRun;
        glyphRun.setRawFont(m_rawFont);
        glyphRun.setGlyphIndexes(run.glyphs);
        glyphRun.setPositions(run.positions);
        painter.setPen(colourOf(CellState(state)));
        painter.drawGlyphRun(QPointF(), glyphRun);
    }
}
