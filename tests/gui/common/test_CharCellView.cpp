#include "core/practice/SegmentLayout.h"
#include "core/settings/Options.h"
#include "ui/common/CharCellView.h"
#include "ui/common/FontCellMetrics.h"
#include "ui/common/Twips.h"

#include <QApplication>
#include <QImage>
#include <QPaintEvent>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QColor Untyped(0, 0, 0), Correct(0, 0, 255), Wrong(255, 0, 0), Background(255, 255, 255);

// How many pixels of the rectangle are near the colour, and the longest run of them on one row.
std::pair<int, int> pixelsOf(const QImage& image, const QRect& rect, const QColor& colour) {
    int count = 0, widest = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(), run = 0; x <= rect.right(); ++x) {
            const QColor p = image.pixelColor(x, y);
            const bool near = qAbs(p.red() - colour.red()) < 80 && qAbs(p.green() - colour.green()) < 80 &&
                              qAbs(p.blue() - colour.blue()) < 80;
            count += near;
            widest = qMax(widest, run = near ? run + 1 : 0);
        }
    return {count, widest};
}

struct CharCellViewTest : ::testing::Test, QObject {
    void SetUp() override {
        view.setPointSize(16);
        view.setStateColours(Untyped, Correct, Wrong);
        view.setBackgroundColour(Background);
        view.setDisplay(display.get());
        view.resize(twips::toPixels(TextPanelWidth), 120);
    }
    void layout(const QString& line) {
        layoutSegment(*display, line, {}, true, FontCellMetrics(16), TextPanelWidth, 3);
        view.refreshAll();
    }
    QImage grab() { return view.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // Records the regions the view is asked to repaint.
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }

    std::unique_ptr<TargetDisplay> display = std::make_unique<TargetDisplay>();
    CharCellView view;
    QRegion painted;
};

} // namespace

TEST_F(CharCellViewTest, StatesPaintTheirColoursWrongCellsUnderlinedHiddenCellsNothing) {
    // Cell 2 is Armenian, which IPAGothic lacks: the fallback font draws it in the cell's colour all the same.
    // A period has no stroke across the cell, so a full-width red row in cell 1 is the underline.
    layout(QStringLiteral("字.\u0531..字"));
    display->setCellState(1, CellState::Wrong);
    display->setCellState(2, CellState::Correct);
    display->cells[3].state = CellState::Wrong; // red, but without the underline
    display->cells[5].visible = false;
    const QImage image = grab();
    const QColor colours[] = {Untyped, Wrong, Correct, Wrong, Untyped};
    for (int k = 0; k < 5; ++k)
        for (const QColor& colour : {Untyped, Correct, Wrong})
            EXPECT_EQ(pixelsOf(image, view.cellRect(k), colour).first > 0, colour == colours[k])
                << k << " " << colour.name().toStdString();
    EXPECT_GE(pixelsOf(image, view.cellRect(1), Wrong).second, view.cellRect(1).width() * 8 / 10);
    EXPECT_LT(pixelsOf(image, view.cellRect(3), Wrong).second, view.cellRect(3).width() / 2);
    // Nothing is painted from the hidden cell on.
    const QRect rest = QRect(view.cellRect(5).left(), 0, view.width(), view.height()).intersected(image.rect());
    QImage blank(rest.size(), image.format());
    blank.fill(Background);
    EXPECT_EQ(image.copy(rest), blank);
}

TEST_F(CharCellViewTest, TheScrollOffsetMovesTheRowsUp) {
    // 29 full-width cells a row at 16 points: cell 29 opens the second row.
    layout(QStringLiteral("あ").repeated(40));
    display->setCellState(29, CellState::Wrong);
    const QRect firstRow(0, view.cellRect(0).top(), view.width(), view.cellRect(0).height());
    EXPECT_EQ(pixelsOf(grab(), firstRow, Wrong).first, 0);
    view.setScrollOffsetTwips(scrollOffsetTwips(1, 16));
    EXPECT_EQ(view.cellRect(29).top(), firstRow.top());
    EXPECT_GT(pixelsOf(grab(), firstRow, Wrong).first, 10);
}

TEST_F(CharCellViewTest, RefreshRepaintsOnlyTheChangedCells) {
    layout(QStringLiteral("あ").repeated(40));
    view.show();
    QApplication::processEvents();
    view.installEventFilter(this);
    // One cell; and a run across the end of the first row, which is two strips, not a block.
    for (const auto& [first, last] : {std::pair{5, 5}, {27, 31}}) {
        SCOPED_TRACE(testing::Message() << first << ".." << last);
        painted = QRegion();
        view.refreshCells(first, last);
        QApplication::processEvents();
        QRegion expected;
        for (int k = first; k <= last; ++k)
            expected += view.cellRect(k);
        EXPECT_EQ(painted.intersected(expected), expected);
        for (int other : {3, 7, 25, 33})
            EXPECT_FALSE(painted.intersects(view.cellRect(other))) << other;
    }
}

TEST(CharCellViewMetrics, FullWidthCellsHaveTheDesignAdvanceAtEverySize) {
    for (int pointSize : {16, 14, 12, 11, 10}) {
        SCOPED_TRACE(pointSize);
        const FontCellMetrics metrics(pointSize);
        ASSERT_TRUE(metrics.fullWidthRendered()) << "no Japanese cell font installed";
        const int full = designCellAdvance(pointSize);
        for (QChar c : QStringLiteral("あ漢＿Ａ、ｱaW& .\t"))
            EXPECT_EQ(metrics.cellWidth(c), c.unicode() >= 0x3000 && c.unicode() < 0xFF61 ? full : full / 2)
                << QString(c).toStdString();
        EXPECT_EQ(metrics.cellHeight() + 30, Options::fontLayout(pointSize).rowPitch);
        // The real font gives the design rows.
        TargetDisplay display;
        layoutSegment(display, QStringLiteral("漢").repeated(100), {}, true, metrics, TextPanelWidth, 3);
        const size_t perRow = Options::fontLayout(pointSize).charsPerLine;
        EXPECT_EQ(std::pair(display.cells[perRow].left, display.cells[perRow - 1].top),
                  std::pair(0, display.cells[0].top));
    }
}
