#include "core/practice/SegmentLayout.h"
#include "core/practice/TextLoading.h"
#include "core/settings/Options.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

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
