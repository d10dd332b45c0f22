#include "core/records/DetailAnalysis.h"
#include "unit/UnitTest.h"

#include <memory>

using namespace DetailAnalysis;

namespace {

// The details window's cells: 180 twips for a full-width character, 90 for a half-width one.
const FixedCellMetrics Metrics(180, CellHeight);

std::unique_ptr<DetailGrid> grid(const QString& operations) {
    auto g = std::make_unique<DetailGrid>();
    buildGrid(*g, operations, Metrics);
    return g;
}

// The cells' captions (or tooltips) joined by "|".
QString joined(const DetailGrid& g, bool tooltips) {
    QStringList out;
    for (int k = 0; k < g.cellsInUse; ++k)
        out << (tooltips ? tipText(g.cells[size_t(k)].tip) : g.cells[size_t(k)].caption);
    return out.join(u'|');
}

// Indices of the cells that start a row after the first.
QList<int> rowStarts(const DetailGrid& g) {
    QList<int> starts;
    for (int k = 1; k < g.cellsInUse; ++k)
        if (g.cells[size_t(k)].top != g.cells[size_t(k - 1)].top) starts << k;
    return starts;
}

} // namespace

TEST(DetailAnalysis, CellsConfirmationsAndAdvice) {
    const struct {
        const char16_t* operations;
        const char16_t* captions;
        const char16_t* tips;
    } cases[] = {
        {u"あ□い", u"あ|1|い", u"|変換|"},
        // A single conversion then a confirmation: needless, and を should have been typed before it.
        {u"か□■を", u"か|1|X|を", u"|変換|この確定は必要？|確定の位置に注意"},
        {u"か□□■か", u"か|2|?|か", u"|変換|この確定は必要？|"},
        // Before digits, at the end, before a full-width space and before a correction it stays "E".
        {u"か□■１", u"か|1|E|１", u"|変換|確定|"},
        {u"か□■5", u"か|1|E|5", u"|変換|確定|"},
        {u"か□■", u"か|1|E", u"|変換|確定"},
        {u"か□■　", u"か|1|E|　", u"|変換|確定|"},
        {u"か□■≪あ", u"か|1|E|1|あ", u"|変換|確定|訂正|"},
        {u"か□□□□い", u"か|4|い", u"|変換が少なくなるよう工夫しましょう|"},
        {u"か□□□い", u"か|3|い", u"|変換|"},
        {u"あ□□＜□い", u"あ|2|1|1|い", u"|変換|変換前修正|変換|"},
        {u"あ＜＜＜＜い≪≪≪≪う", u"あ|4|い|4|う", u"|修正が多めです||訂正が多めです|"},
        {u"か□、", u"か|1|、", u"|変換|変換の位置に注意"},
        {u"", u"", u""},
    };
    for (const auto& c : cases) {
        const auto g = grid(QString::fromUtf16(c.operations));
        EXPECT_EQ(joined(*g, false), QString::fromUtf16(c.captions)) << QString::fromUtf16(c.operations).toStdString();
        EXPECT_EQ(joined(*g, true), QString::fromUtf16(c.tips)) << QString::fromUtf16(c.operations).toStdString();
    }
    EXPECT_TRUE(grid(u"あ≪い"_s)->hasCorrection);
    EXPECT_FALSE(grid(u"あ＜い"_s)->hasCorrection);
}

TEST(DetailAnalysis, ConversionGroupsAndAverages) {
    const struct {
        const char16_t* operations;
        int characters, groups;
        const char16_t* average;
    } cases[] = {
        {u"あ□□＜□い", 2, 1, u"2.0"}, // runs are counted per run, however mixed
        {u"あ≪≪い＜う", 3, 0, u""},   // corrections alone convert nothing
        {u"≪■あいう□■え", 4, 2, u"2.0"}, {u"abc", 3, 0, u""}, {u"", 0, 0, u""},
    };
    for (const auto& c : cases) {
        const ConversionStats s = conversionStats(QString::fromUtf16(c.operations));
        EXPECT_EQ(s.characters, c.characters) << QString::fromUtf16(c.operations).toStdString();
        EXPECT_EQ(s.groups, c.groups) << QString::fromUtf16(c.operations).toStdString();
        EXPECT_EQ(averageCharacters(s), QString::fromUtf16(c.average));
    }
    // A run of marks far longer than any real one is still one group.
    EXPECT_EQ(conversionStats(u"あ"_s + QString(300, ConvertMark) + u"い"_s).groups, 1);
}

TEST(DetailAnalysis, RowsWrapWordsAndScroll) {
    // Half-width cells of 90 twips: 85 fit a row before the margin.
    const auto english = grid(QString(u"The quick brown fox jumps over a lazy dog. "_s).repeated(6));
    const QList<int> starts = rowStarts(*english);
    ASSERT_GE(starts.size(), 2);
    for (int k : starts) {
        EXPECT_EQ(english->cells[size_t(k - 1)].caption, u" "_s) << "a word was split at cell " << k;
        EXPECT_EQ(english->cells[size_t(k)].left, FirstLeft);
    }
    EXPECT_EQ(rowStarts(*grid(QString(200, u'x'))).first(), 85);  // a word longer than a row breaks at the margin
    EXPECT_EQ(rowStarts(*grid(QString(100, u'あ'))).first(), 42); // full-width characters break anywhere

    EXPECT_FALSE(grid(QString(42 * 6, u'あ'))->scrollEnabled); // six full rows
    const auto seven = grid(QString(42 * 6 + 1, u'あ'));
    EXPECT_EQ(seven->rowCount, 7);
    EXPECT_TRUE(seven->scrollEnabled);
    EXPECT_EQ(seven->scrollMaximum, RowPitch);
    EXPECT_EQ(seven->cells[size_t(42 * 6)].top, FirstTop + 6 * RowPitch);

    const auto huge = grid(QString(10000, u'あ'));
    EXPECT_TRUE(huge->truncated);
    EXPECT_EQ(huge->cellsInUse, DetailGrid::DrawableCells);
    EXPECT_FALSE(grid(QString(1600, u'あ'))->truncated);
}

TEST(DetailAnalysis, BlinkSwapsOnlyFlaggedAndMisplacedCells) {
    auto g = grid(u"か□□□□を□を。あ□い"_s);
    // Cells: か 4 を 1 を 。 あ 1 い: a run of four before を, a single conversion before を.
    std::vector<int> changed;
    blinkTick(*g, changed);
    EXPECT_EQ(changed, (std::vector<int>{1, 2, 4, 3}));
    EXPECT_EQ(g->cells[1].background, Paint::LightGrey);
    EXPECT_EQ(g->cells[1].text, Paint::Black);
    EXPECT_EQ(g->cells[2].background, Paint::PaleGrey);
    EXPECT_EQ(g->cells[3].background, Paint::LightGrey);
    EXPECT_EQ(g->cells[7].background, Paint::Grey); // a plain conversion before い does not blink
    changed.clear();
    blinkTick(*g, changed);
    EXPECT_EQ(changed.size(), 4u);
    EXPECT_EQ(g->cells[1].background, Paint::Grey);
    EXPECT_EQ(g->cells[2].background, Paint::WindowBackground);
}
