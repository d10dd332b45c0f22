#include "core/practice/AttemptControl.h"
#include "core/practice/Session.h"
#include "core/practice/TextLoading.h"
#include "core/scoring/ResultComputation.h"
#include "core/settings/Options.h"
#include "unit/UnitTest.h"

using namespace ResultComputation;

namespace {

CharCounts counts(qint32 kanji, qint32 kana, qint32 fullOther, qint32 halfAlnum, qint32 halfOther) {
    CharCounts c{0, 0, 0, kanji, kana, fullOther, halfAlnum, 0, halfOther};
    c.sumUp();
    return c;
}

const CharCounts Japanese = counts(208, 226, 21, 0, 0); // weighted count 1309.2
const CharCounts English = counts(0, 0, 0, 1144, 235);  // weighted count 1379
const CharCounts Mixed = counts(70, 0, 0, 30, 0);       // 70 % full-width: neither language
const QString B = QString::fromUtf16(MarkBest), X = QString::fromUtf16(MarkBad), D = u"-"_s;

} // namespace

TEST(ResultComputation, MarksAtEveryBoundOfEveryRow) {
    // Counts in 1000 characters on both sides of every bound, and the mark each one takes.
    const std::pair<Operation, std::array<qint32, 8>> bounds[] = {
        {Conversion, {50, 51, 100, 101, 200, 201, 300, 301}}, // 5 %, 10 %, 20 %, 30 %
        {Confirmation, {10, 11, 20, 21, 40, 41, 60, 61}},     // 1 %, 2 %, 4 %, 6 %
        {Correction, {0, 1, 20, 21, 50, 51, 100, 101}},       // 0, 2 %, 5 %, 10 %
        {Revision, {0, 1, 20, 21, 50, 51, 100, 101}}};
    const QString marks = u"☆◎◎○○△△×"_s;
    for (const auto& [row, bound] : bounds)
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(operationMark(row, bound[size_t(i)], 1000), marks.mid(i, 1)) << row << " " << bound[size_t(i)];
    // Count exemptions of 変換 and 確定 come before any ratio; the corrections have none.
    const std::tuple<Operation, qint32, qint32, qint32, QString> exemptions[] = {
        {Conversion, 1, 2, 0, B},  {Confirmation, 12, 100, 12, B}, {Confirmation, 13, 100, 12, X},
        {Correction, 1, 2, 12, X}, {Conversion, 2, 0, 0, X}, // no characters: anything typed is the worst
        {Correction, 0, 0, 0, B}};
    for (const auto& [row, count, characters, exemption, mark] : exemptions)
        EXPECT_EQ(operationMark(row, count, characters, exemption), mark)
            << row << " " << count << " of " << characters << " exemption " << exemption;
}

TEST(ResultComputation, RatesRoundAndOverflow) {
    const std::tuple<qint32, qint32, const char16_t*> cases[] = {
        {0, 455, u"0.0"},     {2, 3, u"66.7"},       {1, 16, u"6.3"}, // 6.25 rounds away from zero
        {999, 1000, u"99.9"}, {1000, 1000, u"Ovfl"}, {0, 0, u"0.0"},  {3, 0, u"Ovfl"}};
    for (const auto& [count, characters, rate] : cases)
        EXPECT_EQ(operationRate(count, characters), QString::fromUtf16(rate)) << count << " of " << characters;
}

TEST(ResultComputation, FiguresOfJapaneseEnglishMixedAndEmptyTexts) {
    // CPM, grade, SCR, own level, then rate and mark of 変換, 確定, 訂正, 修正.
    const std::tuple<const char*, CharCounts, qint32, int, std::array<qint32, 4>, const char16_t*> cases[] = {
        // 455 × 60000 ÷ 182000 = 150.0 CPM ("S段" on its bound), 1309.2 weighted → 431.6, 55.6 s → "SS".
        {"japanese", Japanese, 182000, 0, {30, 12, 3, 10}, u"150.0|S段|431.6|SS|6.6◎|2.6○|0.7◎|2.2○"},
        // 249.97 CPM shows as "250.0" but grades below the 250 bound of standard 1.
        {"english", English, 331000, 1, {40, 5, 20, 7}, u"250.0|B級|250.0|C|--|--|1.5◎|--"},
        {"mixed", Mixed, 60000, 0, {}, u"100.0| - |310.0| - |--|--|0.0☆|--"},
        // An attempt of 0 ms is taken as 10 ms.
        {"zero time", Japanese, 0, 1, {}, u"2730000.0|S級|7855200.0|ZS|0.0☆|0.0☆|0.0☆|0.0☆"},
        {"empty", CharCounts{}, 5000, 0, {0, 0, 2, 0}, u"0.0| - |0.0| - |--|--|Ovfl×|--"},
        // Damaged counts: Japanese by their ratio but nothing to weigh, so no own level.
        {"unweighted",
         CharCounts{100, 100, 0, 0, 0, 0, 0, 0, 0},
         60000,
         0,
         {},
         u"100.0|準1|0.0| - |0.0☆|0.0☆|0.0☆|0.0☆"}};
    for (const auto& [name, counts, elapsedMs, standard, operations, expected] : cases) {
        const ResultFigures f =
            computeResult({counts, elapsedMs, 700, operations, standard, 0, QString::fromUtf16(NoOwnLevel), {}});
        QStringList figures = {f.cpm, f.grade, f.scr, f.ownLevel};
        for (const auto& row : f.rows)
            figures.append(row.rate + row.mark);
        EXPECT_EQ(figures.join(u'|'), QString::fromUtf16(expected)) << name;
        EXPECT_EQ(f.keystrokes, u"700"_s) << name;
        EXPECT_EQ(f.japaneseOperations, f.rows[Conversion].count != D) << name;
    }
}

TEST(ResultComputation, BestTimesTakeStrictlySmallerTimesAndShiftDown) {
    const float E = BestTimesLine::EmptyTime;
    const BestTimes two = {12.34f, 13.5f, E, E, E, E, E, E, E, E};
    const BestTimes full = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    const std::tuple<const char*, BestTimes, qint32, bool, int, BestTimes> cases[] = {
        {"empty table", BestTimesLine::empty(), 61000, true, 0, {61.0f, E, E, E, E, E, E, E, E, E}},
        {"faster", two, 12000, true, 0, {12.0f, 12.34f, 13.5f, E, E, E, E, E, E, E}},
        {"equal to best", two, 12340, false, 1, {12.34f, 12.34f, 13.5f, E, E, E, E, E, E, E}},
        {"slower than a full table", full, 10000, false, -1, full},
        {"last place of a full table", full, 9500, false, 9, {1, 2, 3, 4, 5, 6, 7, 8, 9, 9.5f}},
        {"zero time", two, 0, true, 0, {0.01f, 12.34f, 13.5f, E, E, E, E, E, E, E}}};
    for (const auto& [name, before, elapsedMs, newBest, row, after] : cases) {
        SCOPED_TRACE(name);
        const BestTimesUpdate u = updateBestTimes(before, elapsedMs);
        EXPECT_EQ(u.newBest, newBest);
        EXPECT_EQ(u.row, row);
        for (size_t i = 0; i < 10; ++i)
            EXPECT_FLOAT_EQ(u.times[i], after[i]) << "place " << i;
    }
}

TEST(ResultComputation, AttemptFromTheLoadedText) {
    Session m;
    m.text.textLines = {u"src"_s, u"000000"_s, u"title"_s, u""_s, QString::fromUtf16(NoRecordLine)};
    for (int p = 0; p < 12; ++p)
        m.text.textLines.append(u"漢字かな"_s);
    m.text.lineCount = int(m.text.textLines.size());
    m.text.counts = counts(24, 24, 0, 0, 0);
    m.settings.setNumber(Options::Standard, 1);
    AttemptSummary s{30000, {150, 0, 12}}; // one confirmation per paragraph end: 25 %
    AttemptResult r = computeAttempt(m.text, m.settings, s);
    EXPECT_TRUE(r.wholeText && r.best.newBest && r.figures.greyGrades); // 48 characters: provisional judgement
    EXPECT_EQ(std::tuple(r.figures.rows[Confirmation].mark, r.figures.grade, r.best.row), std::tuple(B, u"S級"_s, 0));
    s.practiceMode = 1;
    r = computeAttempt(m.text, m.settings, s);
    EXPECT_FALSE(r.wholeText || r.best.newBest);
    EXPECT_EQ(std::pair(r.figures.rows[Confirmation].mark, r.best.row), std::pair(X, -1));
    // The list counts the whole text even when the statistics line is unreadable.
    EXPECT_EQ(TextLoading::wholeTextCounts(m.text).total, 48);
    m.text.textLines[3] = u" 455 ( 455,   0)( 208, 226,  21)(   0,   0,   0)"_s;
    EXPECT_EQ(TextLoading::wholeTextCounts(m.text), Japanese);
}

TEST(ResultComputation, BestListRows) {
    const float E = BestTimesLine::EmptyTime;
    BestListInput in;
    in.times = {182.0f, 200.0f, 99999.0f, E, E, E, E, E, E, E};
    in.counts = Japanese;
    in.standard = 1;
    in.redRow = 1;
    const BestList rows = bestList(in);
    // 455 × 60 ÷ 182 = 150 CPM, 1309.2 × 60 ÷ 182 = 431.6, 182 × 400 ÷ 1309.2 = 55.6 s.
    EXPECT_EQ(QStringList({rows[0].cpm, rows[0].cpmTip, rows[0].grade, rows[0].scr, rows[0].scrTip, rows[0].ownLevel}),
              QStringList({u"150"_s, u"150.00"_s, u"S級"_s, u"432"_s, u"431.60"_s, u"SS"_s}));
    EXPECT_EQ(std::tuple(rows[0].red, rows[1].red, rows[1].cpm), std::tuple(false, true, u"137"_s)); // 136.5 rounds up
    EXPECT_EQ(std::pair(rows[2].filled, rows[3].filled), std::pair(true, false)); // 99999 is still shown
    EXPECT_TRUE(rows[3].cpm.isEmpty() && rows[3].grade.isEmpty() && rows[3].scr.isEmpty() &&
                rows[3].ownLevel.isEmpty());
}
