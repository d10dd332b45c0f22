#include "core/practice/SegmentLayout.h"
#include "core/practice/TextLoading.h"
#include "core/settings/Options.h"
#include "unit/UnitTest.h"

#include <memory>
#include <optional>

namespace {

// The display is large (801 cells); tests keep it on the heap.
std::unique_ptr<TargetDisplay> layout(const QString& line, int pointSize = 12, const QString& next = {},
                                      bool paragraphMode = false) {
    auto display = std::make_unique<TargetDisplay>();
    layoutSegment(*display, line, next, paragraphMode, FixedCellMetrics::forPointSize(pointSize), TextPanelWidth,
                  Options::fontLayout(pointSize).visibleRows);
    return display;
}

QStringList captions(const TargetDisplay& d) {
    QStringList out;
    for (const CharCell& cell : d.cells)
        if (cell.visible) out << cell.caption;
    return out;
}

QList<int> rowStarts(const TargetDisplay& d) {
    QList<int> starts;
    for (int k = 0; k < d.cellsInUse(); ++k)
        if (k == 0 || d.cells[size_t(k)].top != d.cells[size_t(k - 1)].top) starts << k;
    return starts;
}

QString rep(int times, const QString& s = u"あ"_s) {
    return s.repeated(times);
}

// textPanel at (120, 600), 1320 high; textCanvas at 30 inside it; each reading character 150 twips.
RubyFrame frame(int textCanvasTop = 0) {
    return {120, 600, 1320, 30, textCanvasTop, 10200, [](const QString& s) { return 150 * int(s.size()); }};
}

} // namespace

TEST(SegmentLayout, CellsReadingsAndSegmentText) {
    const std::tuple<QString, QString, QStringList, QList<int>> cases[] = {
        {u"漢字《かんじ》です"_s, u"漢字です"_s, {u"かんじ"_s}, {2}},
        {u"A&B"_s, u"A&B"_s, {}, {}},
        {u"《よ》読む"_s, u"読む"_s, {u"よ"_s}, {0}},
        {u"日本《にほん》と英国《えいこく》"_s, u"日本と英国"_s, {u"にほん"_s, u"えいこく"_s}, {2, 5}},
        {u"あ》い"_s, u"あい"_s, {}, {}},
        {u"あ《いう"_s, u"あ"_s, {u"いう"_s}, {1}},
        {u"あ《》い"_s, u"あい"_s, {QString()}, {1}},
        {u"あ《い《う》え"_s, u"あえ"_s, {u"い"_s, u"う"_s}, {1, 1}},
        {QString(), QString(), {}, {}}};
    for (const auto& [line, cells, readings, positions] : cases) {
        SCOPED_TRACE(line.toStdString());
        const auto d = layout(line);
        EXPECT_EQ(captions(*d), cells.split(QString(), Qt::SkipEmptyParts));
        EXPECT_EQ(std::tuple(d->targetChars, d->segmentText), std::tuple(cells, cells));
        EXPECT_EQ(std::tuple(d->rubyTexts, d->rubyPositions), std::tuple(readings, positions));
        EXPECT_EQ(d->cellsInUse(), TextLoading::segmentCellCount(line));
    }
}

TEST(SegmentLayout, RowBreaksAndTheEnglishWordRule) {
    // At 12 points a half-width cell is 120 twips: cells 0..79 fit a row, cell 80 crosses the edge.
    const std::tuple<const char*, QString, QList<int>> cases[] = {
        {"a word crossing the edge moves whole", rep(75, u"a"_s) + u" bcdefghij"_s, {0, 76}},
        {"a space at the row end never breaks", rep(80, u"a"_s) + u" "_s + rep(10, u"b"_s), {0, 81}},
        {"several spaces stay at the row end", rep(80, u"a"_s) + u"   b"_s, {0, 83}},
        {"a word longer than a row breaks at the edge", rep(100, u"a"_s), {0, 80}},
        {"a long word moves once, then breaks at every edge", u"ab "_s + rep(170, u"c"_s), {0, 3, 83, 163}},
        {"a full-width character ends a word", rep(30) + rep(30, u"b"_s), {0, 30}},
        {"a full-width character at the edge breaks there", rep(75, u"a"_s) + u" bcde漢"_s, {0, 80}}};
    for (const auto& [what, line, starts] : cases) {
        SCOPED_TRACE(what);
        const auto d = layout(line);
        EXPECT_EQ(rowStarts(*d), starts);
        EXPECT_EQ(d->rowCount, starts.size());
        for (int k = 0; k < d->cellsInUse(); ++k) { // the 300-twip margin; row starts at the left edge
            const CharCell& cell = d->cells[size_t(k)];
            EXPECT_TRUE(cell.caption == u" " || cell.left + cell.width + 300 < TextPanelWidth) << k;
            EXPECT_TRUE(!starts.contains(k) || cell.left == 0) << k;
        }
    }
}

TEST(SegmentLayout, TooManyCharactersAndReadingsAreClamped) {
    // The reading over cell 800 stays; the one after the last cell has nowhere to stand.
    const auto d = layout(rep(800) + u"《よ》いう《う》"_s + rep(99, u"え"_s));
    EXPECT_EQ(std::tuple(d->cellsInUse(), d->segmentText, d->cells[800].visible, d->cells[800].caption),
              std::tuple(TargetDisplay::CellCount, rep(800) + u"い"_s, true, u"い"_s));
    EXPECT_EQ(std::tuple(d->rubyTexts, d->rubyPositions), std::tuple(QStringList{u"よ"_s}, QList<int>{800}));
    const auto crowded = layout(rep(900, u"《じ》"_s) + u"字"_s);
    EXPECT_EQ(std::tuple(crowded->segmentText, crowded->rubyTexts.size(), crowded->rubyPositions.size()),
              std::tuple(u"字"_s, TargetDisplay::CellCount, TargetDisplay::CellCount));
}

TEST(SegmentLayoutScroll, WhileTypingKeepsTheNextCharacterOnTheChosenRow) {
    // 14 points: 32 cells a row, 3 visible rows; 6 rows give a maximum of 3.
    const auto d = layout(rep(32 * 6), 14);
    ASSERT_EQ(d->scrollMaximum, 3);
    constexpr std::nullopt_t None = std::nullopt; // the scroll bar is left alone
    const std::tuple<int, int, std::optional<int>> cases[] = {
        // input length, entry 70, new scroll value
        {0, 0, None}, {0, 2, 0},      {63, 0, None}, {63, 1, 0},     {64, 0, 0},     {64, 1, 1},
        {64, 2, 2},   {96, 0, 1},     {96, 2, 3},    {160, 0, 3},    {160, 1, None}, {191, 0, 3},
        {192, 0, 3},  {193, 0, None}, {-1, 0, None}, {5000, 0, None}};
    for (const auto& [n, position, value] : cases)
        EXPECT_EQ(scrollWhileTyping(*d, n, position, 3), value) << "n=" << n << " entry 70=" << position;
    EXPECT_EQ(scrollWhileTyping(*layout(rep(60), 14), 59, 2, 3), std::nullopt); // fits the panel
}

TEST(SegmentLayout, ALayoutForgetsThePreviousSegment) {
    auto d = layout(rep(100, u"字《じ》"_s));
    for (int k = 0; k < 100; ++k)
        d->setCellState(k, CellState::Wrong);
    layoutSegment(*d, u"あい"_s, {}, true, FixedCellMetrics::forPointSize(12), TextPanelWidth, 4);
    EXPECT_EQ(captions(*d), (QStringList{u"あ"_s, u"い"_s}));
    EXPECT_TRUE(d->rubyTexts.isEmpty() && d->rubyPositions.isEmpty());
    for (int k = 0; k < TargetDisplay::CellCount; ++k) {
        const CharCell& cell = d->cells[size_t(k)];
        ASSERT_TRUE(cell.state == CellState::Untyped && !cell.underline && (k < 2 || !cell.visible)) << k;
    }
}

TEST(SegmentLayout, ScrollRangeFollowsTheRowCount) {
    // 14 points shows 3 rows of 32, 10 points 5 rows of 45; the scroll maximum is rows beyond those.
    for (const auto& [pointSize, rows, maximum] :
         {std::tuple{14, 4, 1}, {14, 3, 0}, {14, 9, 6}, {10, 5, 0}, {10, 6, 1}, {12, 0, 0}}) {
        SCOPED_TRACE(testing::Message() << pointSize << " pt, " << rows << " rows");
        const int perRow = Options::fontLayout(pointSize).charsPerLine;
        const auto d = layout(rows ? rep(perRow * (rows - 1) + 1) : QString(), pointSize);
        EXPECT_EQ(std::tuple(d->rowCount, d->scrollEnabled, d->scrollMaximum), std::tuple(rows, maximum > 0, maximum));
    }
}

TEST(SegmentLayout, CellStateChangesAreReported) {
    auto d = layout(u"あい"_s);
    EXPECT_TRUE(d->setCellState(0, CellState::Wrong) && d->cells[0].underline);
    EXPECT_FALSE(d->setCellState(0, CellState::Wrong));
    EXPECT_TRUE(d->setCellState(0, CellState::Correct) && !d->cells[0].underline);
    // Input longer than the segment judges cells that show nothing, or none at all.
    EXPECT_FALSE(d->setCellState(5, CellState::Wrong));
    EXPECT_EQ(d->cells[5].state, CellState::Wrong);
    EXPECT_FALSE(d->setCellState(801, CellState::Wrong) || d->setCellState(-1, CellState::Wrong));
}

TEST(SegmentLayoutRuby, PlacementOverTheCellAfterTheWord) {
    // 14 points: full-width cells of 300 twips, rows 315 apart.
    const auto d = layout(u"漢字《かんじ》です"_s + rep(40) + u"字《じ》"_s, 14);
    const RubyBox first = placeRuby(*d, 0, frame());
    EXPECT_EQ(std::tuple(first.reading, first.left, first.top, first.width),
              std::tuple(0, 120 + 30 + 600, 600 + 15 - 210, 3 * 150 + 30));
    // Reading 1 stands over cell 45, on the second row; scrolled up by a row it follows.
    const RubyBox second = placeRuby(*d, 1, frame(-315));
    EXPECT_EQ(std::pair(second.left, second.top), std::pair(120 + 30 + 13 * 300, 600 - 315 + 15 + 315 - 210));
    EXPECT_EQ(placeRuby(*d, 2, frame()).reading, -1);
    // A box that would pass the window's right edge is pulled back inside.
    const RubyBox pulled = placeRuby(*layout(rep(31) + u"《ながいよみがなです》"_s, 14), 0, frame());
    EXPECT_EQ(std::pair(pulled.left, pulled.width), std::pair(10200 - (9 * 150 + 30) - 90, 9 * 150 + 30));
}

TEST(SegmentLayoutRuby, StartOfTyping) {
    const std::tuple<QString, int, int, bool, int> cases[] = {
        // line, CharsPerLine, entry 8, shown, reading
        {u"あいう"_s, 32, 0, false, -1},
        {u"漢字《かんじ》です"_s, 32, 0, true, 0},
        {u"漢字《かんじ》です"_s, 32, 1, false, 0}, // placed, shown only by F5
        {rep(15) + u"《よ》"_s, 32, 0, true, 0},
        {rep(16) + u"《よ》"_s, 32, 0, false, -1}, // half a row away or more
        {rep(14) + u"《よ》"_s, 29, 0, true, 0},   // 14 is less than 29 / 2
    };
    for (const auto& [line, perRow, rubyDisplay, visible, reading] : cases) {
        const RubyBox box = rubyAtStart(*layout(line, 14), perRow, rubyDisplay, frame());
        EXPECT_EQ(std::pair(box.visible, box.reading), std::pair(visible, reading)) << line.toStdString();
    }
}

TEST(SegmentLayoutRuby, InputChangesF5AndScrolling) {
    // Readings over cells 2 and 40 of a 14-point segment (32 cells a row).
    const auto d = layout(u"漢字《かんじ》"_s + rep(36) + u"漢字《かんじ》です"_s, 14);
    ASSERT_EQ(d->rubyPositions, (QList<int>{2, 40}));
    // input length, entry 8, reading placed by the input change, shown by it, shown by F5 with the same input
    const std::tuple<int, int, int, bool, bool> cases[] = {
        {0, 0, 0, true, false},   {2, 0, 0, true, false},  {3, 0, 1, false, false},   {25, 0, 1, false, false},
        {26, 0, 1, true, false},  {40, 0, 1, true, false}, {41, 0, -1, false, false}, {0, 1, 0, false, true},
        {25, 1, 1, false, false}, {26, 1, 1, false, true}, {41, 1, -1, false, false}};
    for (const auto& [n, rubyDisplay, reading, shown, shownByF5] : cases) {
        SCOPED_TRACE(testing::Message() << "n=" << n << " entry 8=" << rubyDisplay);
        const RubyBox box = rubyOnInput(*d, n, 32, rubyDisplay, frame());
        EXPECT_EQ(std::pair(box.reading, box.visible), std::pair(reading, shown));
        const std::optional<RubyBox> f5 = rubyOnF5(*d, n, 32, rubyDisplay, frame());
        ASSERT_EQ(f5.has_value(), shownByF5);
        EXPECT_TRUE(!f5 || (f5->visible && f5->reading == reading && f5->left == box.left && f5->top == box.top));
    }
}

TEST(SegmentLayoutRuby, ScrollingHidesTheBoxOutsideThePanel) {
    // The reading over cell 40 is on the second row (top 15 + 315 = 330 inside textCanvas).
    const auto d = layout(rep(40) + u"《よ》い"_s, 14);
    const std::tuple<int, int, bool, bool> cases[] = {
        // textCanvas top, input length, placed, visible
        // Box tops: 720; -225 and 90 against the window's top limit of 90; 1620 and 1621 against the panel's
        // bottom less 300. Then a reading still more than half a row away, and every reading behind the input.
        {0, 30, true, true},    {-945, 30, true, false}, {-630, 30, true, true}, {900, 30, true, true},
        {901, 30, true, false}, {0, 10, false, false},   {0, 41, false, false}};
    for (const auto& [top, n, placed, visible] : cases) {
        SCOPED_TRACE(testing::Message() << "textCanvas top " << top << " n=" << n);
        const std::optional<RubyBox> box = rubyOnScroll(*d, n, 32, frame(top));
        ASSERT_EQ(box.has_value(), placed);
        if (!box) continue;
        EXPECT_EQ(std::pair(box->top, box->visible), std::pair(600 + top + 330 - 210, visible));
    }
}
