#include "core/practice/SegmentLayout.h"
#include "core/settings/Options.h"
#include "ui/common/CharCellView.h"
#include "ui/common/FontCellMetrics.h"
#include "ui/common/Twips.h"

#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QRegion>

#include <gtest/gtest.h>

#include <memory>
#include <utility>

namespace {

const QColor Untyped(0, 0, 0), Correct(0, 0, 255), Wrong(255, 0, 0), Background(255, 255, 255);

bool near(QRgb pixel, const QColor& colour) {
    return qAbs(qRed(pixel) - colour.red()) < 80 && qAbs(qGreen(pixel) - colour.green()) < 80 &&
           qAbs(qBlue(pixel) - colour.blue()) < 80;
}

int countPixels(const QImage& image, const QRect& rect, const QColor& colour) {
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            count += near(image.pixel(x, y), colour);
    return count;
}

// The longest run of pixels of a colour on one row of the rectangle.
int widestRun(const QImage& image, const QRect& rect, const QColor& colour) {
    int widest = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        int run = 0;
        for (int x = rect.left(); x <= rect.right(); ++x) {
            run = near(image.pixel(x, y), colour) ? run + 1 : 0;
            widest = qMax(widest, run);
        }
    }
    return widest;
}

struct CharCellViewTest : ::testing::Test {
    void SetUp() override {
        display = std::make_unique<TargetDisplay>();
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

    std::unique_ptr<TargetDisplay> display;
    CharCellView view;
};

// Records the regions the widget is asked to repaint.
struct PaintRecorder : QObject {
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
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
        for (const QColor& colour : {Untyped, Correct, Wrong}) {
            const int count = countPixels(image, view.cellRect(k), colour);
            EXPECT_TRUE(colour == colours[k] ? count > 0 : count == 0) << k << " " << colour.name().toStdString();
        }
    EXPECT_GE(widestRun(image, view.cellRect(1), Wrong), view.cellRect(1).width() * 8 / 10);
    EXPECT_LT(widestRun(image, view.cellRect(3), Wrong), view.cellRect(3).width() / 2);
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
    EXPECT_EQ(countPixels(grab(), firstRow, Wrong), 0);
    view.setScrollOffsetTwips(scrollOffsetTwips(1, 16));
    EXPECT_EQ(view.cellRect(29).top(), firstRow.top());
    EXPECT_GT(countPixels(grab(), firstRow, Wrong), 10);
}

TEST_F(CharCellViewTest, RefreshRepaintsOnlyTheChangedCells) {
    layout(QStringLiteral("あ").repeated(40));
    view.show();
    QApplication::processEvents();
    PaintRecorder recorder;
    view.installEventFilter(&recorder);
    // One cell; and a run across the end of the first row, which is two strips, not a block.
    for (const auto& [first, last] : {std::pair{5, 5}, {27, 31}}) {
        SCOPED_TRACE(testing::Message() << first << ".." << last);
        recorder.painted = QRegion();
        view.refreshCells(first, last);
        QApplication::processEvents();
        QRegion expected;
        for (int k = first; k <= last; ++k)
            expected += view.cellRect(k);
        EXPECT_EQ(recorder.painted.intersected(expected), expected);
        for (int other : {3, 7, 25, 33})
            EXPECT_FALSE(recorder.painted.intersects(view.cellRect(other))) << other;
    }
}

TEST(CharCellViewMetrics, FullWidthCellsHaveTheDesignAdvanceAtEverySize) {
    for (int pointSize : {16, 14, 12, 11, 10}) {
        SCOPED_TRACE(pointSize);
        const FontCellMetrics metrics(pointSize);
        ASSERT_TRUE(metrics.fullWidthRendered()) << "no Japanese cell font installed";
        const int full = designCellAdvance(pointSize);
        for (QChar c : QStringLiteral("あ漢＿Ａ、"))
            EXPECT_EQ(metrics.cellWidth(c), full) << QString(c).toStdString();
        for (QChar c : QStringLiteral("ｱaW& .\t"))
            EXPECT_EQ(metrics.cellWidth(c), full / 2) << QString(c).toStdString();
        EXPECT_EQ(metrics.cellHeight() + 30, Options::fontLayout(pointSize).rowPitch);
        // The real font gives the design rows.
        TargetDisplay display;
        layoutSegment(display, QStringLiteral("漢").repeated(100), {}, true, metrics, TextPanelWidth, 3);
        const int perRow = Options::fontLayout(pointSize).charsPerLine;
        EXPECT_EQ(display.cells[size_t(perRow)].left, 0);
        EXPECT_EQ(display.cells[size_t(perRow - 1)].top, display.cells[0].top);
    }
}
