#include "app/Options.h"
#include "practice/SegmentLayout.h"
#include "practice/widgets/CharCellView.h"
#include "practice/widgets/FontCellMetrics.h"
#include "widgets/Twips.h"

#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QRegion>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

const QColor Untyped(0, 0, 0);
const QColor Correct(0, 0, 255);
const QColor Wrong(255, 0, 0);
const QColor Background(255, 255, 255);

bool near(QRgb pixel, const QColor& colour) {
    return qAbs(qRed(pixel) - colour.red()) < 80 && qAbs(qGreen(pixel) - colour.green()) < 80 &&
           qAbs(qBlue(pixel) - colour.blue()) < 80;
}

int countPixels(const QImage& image, const QRect& rect, const std::function<bool(QRgb)>& test) {
    int count = 0;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (test(image.pixel(x, y))) ++count;
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
        LayoutSegment(*display, line, {}, true, FontCellMetrics(16), TextPanelWidth, 3);
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

TEST_F(CharCellViewTest, EachStatePaintsItsColour) {
    layout(u"字字字"_qs);
    display->setCellState(1, CellState::Correct);
    display->setCellState(2, CellState::Wrong);
    const QImage image = grab();
    const QColor colours[] = {Untyped, Correct, Wrong};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        const QRect rect = view.cellRect(k);
        ASSERT_FALSE(rect.isEmpty());
        for (int other = 0; other < 3; ++other) {
            const int count = countPixels(image, rect, [&](QRgb p) { return near(p, colours[other]); });
            if (other == k)
                EXPECT_GT(count, 10);
            else
                EXPECT_EQ(count, 0);
        }
    }
}

TEST_F(CharCellViewTest, ACharacterTheCellFontLacksIsDrawnFromAnotherFont) {
    // IPAGothic has no Armenian; the fallback font draws it in the cell's colour all the same.
    layout(QStringLiteral("字\u0531字"));
    display->setCellState(1, CellState::Wrong);
    const QImage image = grab();
    EXPECT_GT(countPixels(image, view.cellRect(1), [](QRgb p) { return near(p, Wrong); }), 10);
    EXPECT_EQ(countPixels(image, view.cellRect(1), [](QRgb p) { return near(p, Untyped); }), 0);
    EXPECT_GT(countPixels(image, view.cellRect(2), [](QRgb p) { return near(p, Untyped); }), 10);
}

TEST_F(CharCellViewTest, AWrongCellIsUnderlined) {
    // A period has no stroke of its own across the cell, so a full-width red row is the underline.
    layout(u".."_qs);
    display->setCellState(0, CellState::Wrong);
    display->cells[1].state = CellState::Wrong; // red, but without the underline
    const QImage image = grab();
    const QRect underlined = view.cellRect(0);
    const QRect plain = view.cellRect(1);
    EXPECT_GT(countPixels(image, plain, [](QRgb p) { return near(p, Wrong); }), 0);
    EXPECT_GE(widestRun(image, underlined, Wrong), underlined.width() * 8 / 10);
    EXPECT_LT(widestRun(image, plain, Wrong), plain.width() / 2);
}

TEST_F(CharCellViewTest, HiddenCellsPaintNothing) {
    layout(u"漢字"_qs);
    display->cells[1].visible = false;
    const QImage image = grab();
    EXPECT_GT(countPixels(image, view.cellRect(0), [](QRgb p) { return near(p, Untyped); }), 10);
    auto notBackground = [](QRgb p) { return p != Background.rgb(); };
    EXPECT_EQ(countPixels(image, view.cellRect(1), notBackground), 0);
    // Nothing is painted after the text either.
    const QRect rest(view.cellRect(1).right() + 1, 0, view.width(), view.height());
    EXPECT_EQ(countPixels(image, rest, notBackground), 0);
}

TEST_F(CharCellViewTest, TheScrollOffsetMovesTheRowsUp) {
    // 29 full-width cells a row at 16 points: cell 29 opens the second row.
    layout(QStringLiteral("あ").repeated(40));
    display->setCellState(29, CellState::Wrong);
    const QRect firstRow(0, view.cellRect(0).top(), view.width(), view.cellRect(0).height());
    auto red = [](QRgb p) { return near(p, Wrong); };
    EXPECT_EQ(countPixels(grab(), firstRow, red), 0);

    view.setScrollOffsetTwips(scrollOffsetTwips(1, 16));
    EXPECT_EQ(view.cellRect(29).top(), firstRow.top());
    const QImage scrolled = grab();
    EXPECT_GT(countPixels(scrolled, firstRow, red), 10);
    EXPECT_GT(countPixels(scrolled, view.cellRect(29), red), 10);
}

TEST_F(CharCellViewTest, RefreshRepaintsOnlyTheChangedCells) {
    layout(QStringLiteral("あ").repeated(40));
    view.show();
    QApplication::processEvents();
    PaintRecorder recorder;
    view.installEventFilter(&recorder);

    struct Case {
        int first, last;
    };
    // One cell; and a run across the end of the first row, which is two strips, not a block.
    for (const Case c : {Case{5, 5}, Case{27, 31}}) {
        SCOPED_TRACE(testing::Message() << c.first << ".." << c.last);
        recorder.painted = QRegion();
        view.refreshCells(c.first, c.last);
        QApplication::processEvents();
        QRegion expected;
        for (int k = c.first; k <= c.last; ++k)
            expected += view.cellRect(k);
        EXPECT_EQ(recorder.painted.intersected(expected), expected);
        // Besides the cells, at most a pixel's overhang on either side and the gap below the row.
        for (int other : {3, 7, 25, 33})
            EXPECT_FALSE(recorder.painted.intersects(view.cellRect(other))) << other;
    }
    view.removeEventFilter(&recorder);
}

TEST(CharCellViewMetrics, FullWidthCellsHaveTheDesignAdvanceAtEverySize) {
    for (int pointSize : {16, 14, 12, 11, 10}) {
        SCOPED_TRACE(pointSize);
        const FontCellMetrics metrics(pointSize);
        ASSERT_TRUE(metrics.fullWidthRendered()) << "no Japanese cell font installed";
        const int full = designCellAdvance(pointSize);
        for (QChar c : QStringLiteral("あ漢＿Ａ、ｱ")) // ｱ is a half-width katakana
            EXPECT_EQ(metrics.cellWidth(c), c == u'ｱ' ? full / 2 : full) << QString(c).toStdString();
        for (QChar c : QStringLiteral("aW& .\t"))
            EXPECT_EQ(metrics.cellWidth(c), full / 2);
        EXPECT_EQ(metrics.cellHeight() + 30, Options::fontLayout(pointSize).rowPitch);
        // The real font gives the design rows: CharsPerLine full-width cells.
        TargetDisplay display;
        LayoutSegment(display, QStringLiteral("漢").repeated(100), {}, true, metrics, TextPanelWidth, 3);
        const int perRow = Options::fontLayout(pointSize).charsPerLine;
        EXPECT_EQ(display.cells[size_t(perRow)].left, 0);
        EXPECT_EQ(display.cells[size_t(perRow - 1)].top, display.cells[0].top);
    }
}
