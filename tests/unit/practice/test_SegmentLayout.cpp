#include "app/Options.h"
#include "practice/SegmentLayout.h"
#include "practice/TextLoading.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// The display is large (801 cells); tests keep it on the heap.
std::unique_ptr<TargetDisplay> layout(const QString& line, int pointSize = 12, const QString& next = {},
                                      bool paragraphMode = false) {
    auto display = std::make_unique<TargetDisplay>();
    LayoutSegment(*display, line, next, paragraphMode, FixedCellMetrics::forPointSize(pointSize), TextPanelWidth,
                  Options::fontLayout(pointSize).visibleRows);
    return display;
}

QStringList captions(const TargetDisplay& d) {
    QStringList out;
    for (const CharCell& cell : d.cells)
        if (cell.visible) out << cell.caption;
    return out;
}

// The cells that open a row (cell 0 and every cell placed back at the left edge).
QList<int> rowStarts(const TargetDisplay& d) {
    QList<int> starts;
    for (int k = 0; k < d.cellsInUse(); ++k)
        if (k == 0 || d.cells[size_t(k)].top != d.cells[size_t(k - 1)].top) starts << k;
    return starts;
}

QString repeated(const QString& s, int times) {
    return s.repeated(times);
}

} // namespace

TEST(SegmentLayout, CellsReadingsAndSegmentText) {
    struct Case {
        QString line;
        QStringList cells;
        QStringList readings;
        QList<int> positions;
    };
    const Case cases[] = {
        {u"漢字《かんじ》です"_qs, {u"漢"_qs, u"字"_qs, u"で"_qs, u"す"_qs}, {u"かんじ"_qs}, {2}},
        // "&" is one character everywhere: in the cell, the target and the segment text.
        {u"A&B"_qs, {u"A"_qs, u"&"_qs, u"B"_qs}, {}, {}},
        {u"《よ》読む"_qs, {u"読"_qs, u"む"_qs}, {u"よ"_qs}, {0}},
        {u"漢字《かんじ》"_qs, {u"漢"_qs, u"字"_qs}, {u"かんじ"_qs}, {2}},
        {u"日本《にほん》と英国《えいこく》"_qs,
         {u"日"_qs, u"本"_qs, u"と"_qs, u"英"_qs, u"国"_qs},
         {u"にほん"_qs, u"えいこく"_qs},
         {2, 5}},
        // Stray and unclosed brackets, and an empty reading.
        {u"あ》い"_qs, {u"あ"_qs, u"い"_qs}, {}, {}},
        {u"あ《いう"_qs, {u"あ"_qs}, {u"いう"_qs}, {1}},
        {u"あ《》い"_qs, {u"あ"_qs, u"い"_qs}, {QString()}, {1}},
        {u"あ《い《う》え"_qs, {u"あ"_qs, u"え"_qs}, {u"い"_qs, u"う"_qs}, {1, 1}},
        {QString(), {}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        const auto d = layout(c.line);
        EXPECT_EQ(captions(*d), c.cells);
        EXPECT_EQ(d->TargetChars, c.cells.join(QString()));
        EXPECT_EQ(d->SegmentText, c.cells.join(QString()));
        EXPECT_EQ(d->RubyTexts, c.readings);
        EXPECT_EQ(d->RubyPositions, c.positions);
        // What the paragraph-length check counts is what is laid out.
        EXPECT_EQ(d->cellsInUse(), TextLoading::segmentCellCount(c.line));
    }
}

TEST(SegmentLayout, RowBreaksAndTheEnglishWordRule) {
    // At 12 points a half-width cell is 120 twips: cells 0..79 fit a row, cell 80 crosses the edge.
    struct Case {
        const char* what;
        QString line;
        QList<int> starts;
    };
    const QString a = u"a"_qs;
    const Case cases[] = {
        {"a word crossing the edge moves whole", repeated(a, 75) + u" bcdefghij"_qs, {0, 76}},
        {"a space at the row end never breaks", repeated(a, 80) + u" "_qs + repeated(u"b"_qs, 10), {0, 81}},
        {"several spaces stay at the row end", repeated(a, 80) + u"   b"_qs, {0, 83}},
        {"a word longer than a row breaks at the edge", repeated(a, 100), {0, 80}},
        {"a long word moves once, then breaks at every edge", u"ab "_qs + repeated(u"c"_qs, 170), {0, 3, 83, 163}},
        {"a full-width character ends a word", repeated(u"あ"_qs, 30) + repeated(u"b"_qs, 30), {0, 30}},
        {"full-width rows break at the edge", repeated(u"あ"_qs, 41), {0, 40}},
        {"a full-width character at the edge breaks there", repeated(a, 75) + u" bcde漢"_qs, {0, 80}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto d = layout(c.line);
        EXPECT_EQ(rowStarts(*d), c.starts);
        EXPECT_EQ(d->rowCount, c.starts.size());
        for (int k = 0; k < d->cellsInUse(); ++k) {
            const CharCell& cell = d->cells[size_t(k)];
            // Every non-blank cell keeps the 300-twip margin; a row start is at the left edge.
            if (cell.caption != u" ") {
                EXPECT_LT(cell.left + cell.width + 300, TextPanelWidth) << k;
            }
            if (c.starts.contains(k)) {
                EXPECT_EQ(cell.left, 0) << k;
            }
        }
        EXPECT_EQ(d->SegmentText, c.line);
    }
}

TEST(SegmentLayout, ARowHoldsCharsPerLineFullWidthCellsAtEverySize) {
    struct Case {
        int pointSize;
        int charsPerLine;
    };
    for (const Case c : {Case{16, 29}, Case{14, 32}, Case{12, 40}, Case{11, 40}, Case{10, 45}}) {
        SCOPED_TRACE(c.pointSize);
        const Options::FontLayout& font = Options::fontLayout(c.pointSize);
        EXPECT_EQ(font.charsPerLine, c.charsPerLine);
        const auto d = layout(repeated(u"あ"_qs, 3 * c.charsPerLine), c.pointSize);
        EXPECT_EQ(rowStarts(*d), (QList<int>{0, c.charsPerLine, 2 * c.charsPerLine}));
        EXPECT_EQ(d->cells[0].top, 15);
        // Scrolling by one value moves the inner panel by exactly one laid-out row.
        const int pitch = d->cells[size_t(c.charsPerLine)].top - d->cells[0].top;
        EXPECT_EQ(pitch, font.rowPitch);
        EXPECT_EQ(scrollOffsetTwips(1, c.pointSize), -pitch);
        EXPECT_EQ(scrollOffsetTwips(3, c.pointSize), -3 * pitch);
    }
    // A cell whose right edge reaches exactly 300 twips before the panel's edge already breaks.
    TargetDisplay exact;
    LayoutSegment(exact, u"あいうえ"_qs, {}, true, FixedCellMetrics(240, 240), 300 + 3 * 240, 3);
    EXPECT_EQ(rowStarts(exact), (QList<int>{0, 2}));
}

TEST(SegmentLayout, TooManyCharactersAndReadingsAreClamped) {
    // A hand-made file can hold a paragraph longer than the cells; the rest is not shown.
    const auto d = layout(repeated(u"あ"_qs, 800) + u"《よ》いう《う》"_qs + repeated(u"え"_qs, 99));
    EXPECT_EQ(d->cellsInUse(), TargetDisplay::CellCount);
    EXPECT_EQ(d->SegmentText, repeated(u"あ"_qs, 800) + u"い"_qs);
    EXPECT_TRUE(d->cells[800].visible);
    EXPECT_EQ(d->cells[800].caption, u"い"_qs);
    // The reading over cell 800 stays; the one after the last cell has nowhere to stand.
    EXPECT_EQ(d->RubyTexts, QStringList{u"よ"_qs});
    EXPECT_EQ(d->RubyPositions, QList<int>{800});

    const auto readings = layout(repeated(u"字《じ》"_qs, 900));
    EXPECT_EQ(readings->cellsInUse(), TargetDisplay::CellCount);
    EXPECT_EQ(readings->RubyTexts.size(), 800);
    EXPECT_EQ(readings->RubyPositions.last(), 800);

    const auto crowded = layout(repeated(u"《じ》"_qs, 900) + u"字"_qs);
    EXPECT_EQ(crowded->SegmentText, u"字"_qs);
    EXPECT_EQ(crowded->RubyTexts.size(), TargetDisplay::CellCount);
    EXPECT_EQ(crowded->RubyPositions.size(), TargetDisplay::CellCount);
}

TEST(SegmentLayout, ALayoutForgetsThePreviousSegment) {
    auto d = layout(repeated(u"字《じ》"_qs, 100));
    for (int k = 0; k < 100; ++k)
        d->setCellState(k, CellState::Wrong);
    LayoutSegment(*d, u"あい"_qs, {}, true, FixedCellMetrics::forPointSize(12), TextPanelWidth, 4);
    EXPECT_EQ(captions(*d), (QStringList{u"あ"_qs, u"い"_qs}));
    EXPECT_TRUE(d->RubyTexts.isEmpty());
    EXPECT_TRUE(d->RubyPositions.isEmpty());
    for (int k = 0; k < TargetDisplay::CellCount; ++k) {
        const CharCell& cell = d->cells[size_t(k)];
        EXPECT_EQ(cell.state, CellState::Untyped) << k;
        EXPECT_FALSE(cell.underline) << k;
        if (k >= 2) {
            EXPECT_FALSE(cell.visible) << k;
        }
    }
}

TEST(SegmentLayout, PreviewOfTheNextParagraph) {
    struct Case {
        QString next;
        bool paragraphMode;
        QString preview;
    };
    const Case cases[] = {
        {u"次の漢字《かんじ》とA&B"_qs, false, u"次の漢字とA&B"_qs},
        {u"次の漢字《かんじ》"_qs, true, QString()},
        {QString(), false, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.next.toStdString());
        EXPECT_EQ(layout(u"あ"_qs, 12, c.next, c.paragraphMode)->previewText, c.preview);
    }
    // The same reading rule as the rest of the program.
    const QString next = u"あ《い》う》え《お"_qs;
    EXPECT_EQ(layout(u"あ"_qs, 12, next)->previewText, TextLoading::withoutReadings(next));
}

TEST(SegmentLayout, ScrollRangeFollowsTheRowCount) {
    struct Case {
        int pointSize;
        int rows;
        bool enabled;
        int maximum;
    };
    // 14 points shows 3 rows of 32, 10 points 5 rows of 45.
    for (const Case c : {Case{14, 4, true, 1}, Case{14, 3, false, 0}, Case{14, 9, true, 6}, Case{10, 5, false, 0},
                         Case{10, 6, true, 1}}) {
        SCOPED_TRACE(testing::Message() << c.pointSize << " pt, " << c.rows << " rows");
        const int perRow = Options::fontLayout(c.pointSize).charsPerLine;
        const auto d = layout(repeated(u"あ"_qs, perRow * (c.rows - 1) + 1), c.pointSize);
        EXPECT_EQ(d->rowCount, c.rows);
        EXPECT_EQ(d->scrollEnabled, c.enabled);
        EXPECT_EQ(d->scrollMaximum, c.maximum);
    }
    const auto empty = layout(QString());
    EXPECT_EQ(empty->rowCount, 0);
    EXPECT_FALSE(empty->scrollEnabled);
}

TEST(SegmentLayoutScroll, WhileTypingKeepsTheNextCharacterOnTheChosenRow) {
    // 14 points: 32 cells a row, 3 visible rows; 6 rows give a maximum of 3.
    const auto d = layout(repeated(u"あ"_qs, 32 * 6), 14);
    ASSERT_EQ(d->scrollMaximum, 3);
    constexpr std::nullopt_t None = std::nullopt; // the scroll bar is left alone
    struct Case {
        int inputLength;
        int scrollPosition;
        std::optional<int> value;
    };
    const Case cases[] = {
        // The next character's row: 0 for n 0..31, 1 for 32..63 ... 5 for 160..191 and the place after.
        {0, 0, None}, {0, 2, 0},      {63, 0, None}, {63, 1, 0},      {64, 0, 0},     {64, 1, 1},
        {64, 2, 2},   {96, 0, 1},     {96, 2, 3},    {160, 0, 3},     {160, 1, None}, {191, 0, 3},
        {192, 0, 3},  {193, 0, None}, {-1, 0, None}, {5000, 0, None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "n=" << c.inputLength << " entry 70=" << c.scrollPosition);
        EXPECT_EQ(scrollWhileTyping(*d, c.inputLength, c.scrollPosition, 3), c.value);
    }
    // A segment that fits the panel never scrolls.
    const auto small = layout(repeated(u"あ"_qs, 60), 14);
    EXPECT_EQ(scrollWhileTyping(*small, 59, 2, 3), std::nullopt);
}

TEST(SegmentLayout, CellStateChangesAreReported) {
    auto d = layout(u"あい"_qs);
    EXPECT_TRUE(d->setCellState(0, CellState::Wrong));
    EXPECT_TRUE(d->cells[0].underline);
    EXPECT_FALSE(d->setCellState(0, CellState::Wrong));
    EXPECT_TRUE(d->setCellState(0, CellState::Correct));
    EXPECT_FALSE(d->cells[0].underline);
    EXPECT_FALSE(d->setCellState(1, CellState::Untyped));
    // Input longer than the segment judges cells that show nothing, or none at all.
    EXPECT_FALSE(d->setCellState(5, CellState::Wrong));
    EXPECT_EQ(d->cells[5].state, CellState::Wrong);
    EXPECT_FALSE(d->setCellState(801, CellState::Wrong));
    EXPECT_FALSE(d->setCellState(-1, CellState::Wrong));
}

namespace {

// Picture1 at (120, 600), 1320 high; Picture2 at 30 inside it; each reading character 150 twips.
RubyFrame frame(int picture2Top = 0) {
    RubyFrame f;
    f.picture1Left = 120;
    f.picture1Top = 600;
    f.picture1Height = 1320;
    f.picture2Left = 30;
    f.picture2Top = picture2Top;
    f.windowInnerWidth = 10200;
    f.labelWidth = [](const QString& s) { return 150 * int(s.size()); };
    return f;
}

} // namespace

TEST(SegmentLayoutRuby, PlacementOverTheCellAfterTheWord) {
    // 14 points: full-width cells of 300 twips, rows 315 apart.
    const auto d = layout(u"漢字《かんじ》です"_qs + repeated(u"あ"_qs, 40) + u"字《じ》"_qs, 14);
    const RubyBox first = placeRuby(*d, 0, frame());
    EXPECT_EQ(first.reading, 0);
    EXPECT_EQ(first.left, 120 + 30 + 600);
    EXPECT_EQ(first.top, 600 + 15 - 210);
    EXPECT_EQ(first.width, 3 * 150 + 30);
    // Reading 1 stands over cell 45, on the second row; scrolled up by a row it follows.
    const RubyBox second = placeRuby(*d, 1, frame(-315));
    EXPECT_EQ(second.left, 120 + 30 + 13 * 300);
    EXPECT_EQ(second.top, 600 - 315 + 15 + 315 - 210);
    EXPECT_EQ(placeRuby(*d, 2, frame()).reading, -1);

    // A box that would pass the window's right edge is pulled back inside.
    const auto edge = layout(repeated(u"あ"_qs, 31) + u"《ながいよみがなです》"_qs, 14);
    const RubyBox pulled = placeRuby(*edge, 0, frame());
    EXPECT_EQ(pulled.width, 9 * 150 + 30);
    EXPECT_EQ(pulled.left, 10200 - pulled.width - 90);
}

TEST(SegmentLayoutRuby, StartOfTyping) {
    struct Case {
        QString line;
        int charsPerLine;
        int rubyDisplay;
        bool visible;
        int reading;
    };
    const Case cases[] = {
        {u"あいう"_qs, 32, 0, false, -1},
        {u"漢字《かんじ》です"_qs, 32, 0, true, 0},
        {u"漢字《かんじ》です"_qs, 32, 1, false, 0}, // placed, shown only by F5
        {repeated(u"あ"_qs, 15) + u"《よ》"_qs, 32, 0, true, 0},
        {repeated(u"あ"_qs, 16) + u"《よ》"_qs, 32, 0, false, -1}, // half a row away or more
        {repeated(u"あ"_qs, 14) + u"《よ》"_qs, 29, 0, true, 0},   // 14 is less than 29 / 2
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        const RubyBox box = rubyAtStart(*layout(c.line, 14), c.charsPerLine, c.rubyDisplay, frame());
        EXPECT_EQ(box.visible, c.visible);
        EXPECT_EQ(box.reading, c.reading);
    }
}

TEST(SegmentLayoutRuby, InputChangesF5AndScrolling) {
    // Readings over cells 2 and 40 of a 14-point segment (32 cells a row).
    const auto d = layout(u"漢字《かんじ》"_qs + repeated(u"あ"_qs, 36) + u"漢字《かんじ》です"_qs, 14);
    ASSERT_EQ(d->RubyPositions, (QList<int>{2, 40}));
    struct Case {
        int inputLength;
        int rubyDisplay;
        int reading;    // placed by the input change
        bool shown;     // by the input change
        bool shownByF5; // F5 with the same input
    };
    const Case cases[] = {
        {0, 0, 0, true, false},   {2, 0, 0, true, false},  {3, 0, 1, false, false},   {25, 0, 1, false, false},
        {26, 0, 1, true, false},  {40, 0, 1, true, false}, {41, 0, -1, false, false}, {0, 1, 0, false, true},
        {25, 1, 1, false, false}, {26, 1, 1, false, true}, {41, 1, -1, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "n=" << c.inputLength << " entry 8=" << c.rubyDisplay);
        const RubyBox box = rubyOnInput(*d, c.inputLength, 32, c.rubyDisplay, frame());
        EXPECT_EQ(box.reading, c.reading);
        EXPECT_EQ(box.visible, c.shown);
        const std::optional<RubyBox> f5 = rubyOnF5(*d, c.inputLength, 32, c.rubyDisplay, frame());
        EXPECT_EQ(f5.has_value(), c.shownByF5);
        if (f5) {
            EXPECT_TRUE(f5->visible);
            EXPECT_EQ(f5->reading, c.reading);
            EXPECT_EQ(f5->left, box.left);
            EXPECT_EQ(f5->top, box.top);
        }
    }
}

TEST(SegmentLayoutRuby, ScrollingHidesTheBoxOutsideThePanel) {
    // The reading over cell 40 is on the second row (top 15 + 315 = 330 inside Picture2).
    const auto d = layout(repeated(u"あ"_qs, 40) + u"《よ》い"_qs, 14);
    struct Case {
        int picture2Top;
        int inputLength;
        bool placed;
        bool visible;
    };
    const Case cases[] = {
        {0, 30, true, true},     // top 600 + 330 - 210 = 720
        {-315, 30, true, true},  // 405
        {-945, 30, true, false}, // -225: above the window's top limit of 90
        {-630, 30, true, true},  // 90: on the limit
        {900, 30, true, true},   // 1620: panel top + height - 300, on the limit
        {901, 30, true, false},  // 1621: below the panel
        {0, 10, false, false},   // the reading is still more than half a row away
        {0, 41, false, false},   // every reading is behind the input
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "Picture2 top " << c.picture2Top << " n=" << c.inputLength);
        const std::optional<RubyBox> box = rubyOnScroll(*d, c.inputLength, 32, frame(c.picture2Top));
        ASSERT_EQ(box.has_value(), c.placed);
        if (box) {
            EXPECT_EQ(box->top, 600 + c.picture2Top + 330 - 210);
            EXPECT_EQ(box->visible, c.visible);
        }
    }
}
