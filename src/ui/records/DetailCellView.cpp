#include "ui/records/DetailCellView.h"

#include "ui/common/FontCellMetrics.h"
#include "ui/common/PlainText.h"
#include "ui/common/Twips.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QHelpEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

using namespace Qt::StringLiterals;
using namespace DetailAnalysis;

namespace {

// The cells are 180 twips (12 pixels) for a full-width character: the 9-point cell font.
constexpr int CellFontPoints = 9;
constexpr int FullWidth = NarrowWidth;

} // namespace

DetailCellView::DetailCellView(QWidget* parent) : QWidget(parent) {
    setObjectName(u"cellGrid"_s);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_font = FontCellMetrics::cellFont(CellFontPoints);
    m_metrics = std::make_unique<FontCellMetrics>(m_font, FullWidth, CellHeight);
    const QFontMetrics metrics(m_font);
    m_ascent = metrics.ascent();
    m_textHeight = metrics.ascent() + metrics.descent();
    m_rawFont = QRawFont::fromFont(m_font);
    m_glyphs.assign(0x10000, UnknownGlyph);
}

DetailCellView::~DetailCellView() = default;

void DetailCellView::setGrid(const DetailGrid* grid) {
    m_grid = grid;
    update();
}

const CellMetrics& DetailCellView::metrics() const {
    return *m_metrics;
}

void DetailCellView::setScrollOffsetTwips(int offset) {
    if (offset == m_scrollOffset) return;
    m_scrollOffset = offset;
    update();
}

void DetailCellView::refreshCells(const std::vector<int>& cells) {
    for (const int k : cells)
        update(cellRect(k));
}

void DetailCellView::refreshAll() {
    update();
}

QRect DetailCellView::cellRect(int k) const {
    if (!m_grid || k < 0 || k >= m_grid->cellsInUse) return {};
    const DetailCell& cell = m_grid->cells[size_t(k)];
    if (!cell.visible) return {};
    return twips::rect(cell.left, cell.top + m_scrollOffset, cell.width, CellHeight);
}

int DetailCellView::cellAt(const QPoint& point) const {
    if (!m_grid) return -1;
    for (int k = 0; k < m_grid->cellsInUse; ++k)
        if (cellRect(k).contains(point)) return k;
    return -1;
}

QColor DetailCellView::colourOf(Paint paint) const {
    switch (paint) {
    case Paint::WindowBackground:
        return palette().color(QPalette::Base);
    case Paint::WindowText:
        return palette().color(QPalette::Text);
    case Paint::Black:
        return QColor(0, 0, 0);
    case Paint::White:
        return QColor(255, 255, 255);
    case Paint::Grey:
        return QColor(128, 128, 128);
    case Paint::Blue:
        return QColor(0, 0, 255);
    case Paint::Red:
        return QColor(255, 0, 0);
    case Paint::LightGrey:
        return QColor(238, 238, 238);
    case Paint::PaleGrey:
        return QColor(170, 170, 170);
    }
    return {};
}

quint32 DetailCellView::glyphFor(QChar c) {
    if (!m_rawFont.isValid()) return 0;
    quint32& glyph = m_glyphs[c.unicode()];
    if (glyph == UnknownGlyph) glyph = m_rawFont.glyphIndexesForString(QString(c)).value(0);
    return glyph;
}

bool DetailCellView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int k = cellAt(help->pos());
        const QString tip = k >= 0 ? tipText(m_grid->cells[size_t(k)].tip) : QString();
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), plaintext::toolTip(tip), this, cellRect(k));
        }
        return true;
    }
    return QWidget::event(event);
}

void DetailCellView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.fillRect(dirty, colourOf(Paint::WindowBackground));
    if (!m_grid) return;

    // Drawing 1600 captions one by one costs more than a repaint may take, so the glyphs of each
    // text colour are gathered into one run; a character the font lacks is drawn on its own.
    for (Run& run : m_runs) {
        run.glyphs.clear();
        run.positions.clear();
    }
    painter.setFont(m_font);
    for (int k = 0; k < m_grid->cellsInUse; ++k) {
        const QRect rect = cellRect(k);
        if (!rect.intersects(dirty)) continue;
        const DetailCell& cell = m_grid->cells[size_t(k)];
        if (cell.background != Paint::WindowBackground) painter.fillRect(rect, colourOf(cell.background));
        const int baseline = rect.top() + (rect.height() - m_textHeight) / 2 + m_ascent;
        int x = rect.left();
        for (const QChar c : cell.caption) {
            if (const quint32 glyph = glyphFor(c)) {
                Run& run = m_runs[size_t(cell.text)];
                run.glyphs.append(glyph);
                run.positions.append(QPointF(x, baseline));
            } else {
                painter.setPen(colourOf(cell.text));
                painter.drawText(QPoint(x, baseline), QString(c));
            }
            x += twips::toPixels(m_metrics->cellWidth(c));
        }
    }
    for (size_t paint = 0; paint < m_runs.size(); ++paint) {
        const Run& run = m_runs[paint];
        if (run.glyphs.isEmpty()) continue;
        QGlyphRun glyphRun;
        glyphRun.setRawFont(m_rawFont);
        glyphRun.setGlyphIndexes(run.glyphs);
        glyphRun.setPositions(run.positions);
        painter.setPen(colourOf(Paint(paint)));
        painter.drawGlyphRun(QPointF(), glyphRun);
    }
}
