#include "app/Module1.h"
#include "app/Options.h"
#include "practice/AttemptControl.h"
#include "scoring/ResultComputation.h"

#include <gtest/gtest.h>

using namespace ResultComputation;

namespace {

CharCounts counts(qint32 kanji, qint32 kana, qint32 fullOther, qint32 halfAlnum, qint32 halfKana, qint32 halfOther) {
    CharCounts c;
    c.kanji = kanji;
    c.kana = kana;
    c.fullOther = fullOther;
    c.halfAlnum = halfAlnum;
    c.halfKana = halfKana;
    c.halfOther = halfOther;
    c.sumUp();
    return c;
}

// 455 characters: the statistics of the first sample (weighted count 1309.2).
const CharCounts Japanese = counts(208, 226, 21, 0, 0, 0);
// 1379 half-width characters (weighted count 1379).
const CharCounts English = counts(0, 0, 0, 1144, 0, 235);
// 70 % full-width: neither language.
const CharCounts Mixed = counts(70, 0, 0, 30, 0, 0);

ResultInput input(const CharCounts& c, qint32 elapsedMs, int standard = 0) {
    ResultInput in;
    in.counts = c;
    in.elapsedMs = elapsedMs;
    in.standard = standard;
    return in;
}

const QString B = QString::fromUtf16(MarkBest), G = QString::fromUtf16(MarkGood), F = QString::fromUtf16(MarkFair),
              P = QString::fromUtf16(MarkPoor), X = QString::fromUtf16(MarkBad);

} // namespace

TEST(ResultComputation, MarksAtEveryBoundOfEveryRow) {
    // Counts in 1000 characters on both sides of every bound, and the mark each one takes.
    const struct {
        Operation row;
        std::array<qint32, 8> counts;
    } bounds[] = {
        {Conversion, {50, 51, 100, 101, 200, 201, 300, 301}}, // 5 %, 10 %, 20 %, 30 %
        {Confirmation, {10, 11, 20, 21, 40, 41, 60, 61}},     // 1 %, 2 %, 4 %, 6 %
        {Teisei, {0, 1, 20, 21, 50, 51, 100, 101}},           // 0, 2 %, 5 %, 10 %
        {Shusei, {0, 1, 20, 21, 50, 51, 100, 101}},
    };
    const QString marks = u"☆◎◎○○△△×"_qs;
    for (const auto& b : bounds)
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(operationMark(b.row, b.counts[size_t(i)], 1000), marks.mid(i, 1))
                << "row " << b.row << " count " << b.counts[size_t(i)];

    // Count exemptions of 変換 and 確定 come before any ratio; the corrections have none.
    const struct {
        Operation row;
        qint32 count, characters, exemption;
        QString mark;
    } exemptions[] = {
        {Conversion, 1, 2, 0, B},
        {Confirmation, 1, 2, 0, B},
        {Conversion, 0, 5, 0, B},
        {Confirmation, 12, 100, 12, B},
        {Confirmation, 13, 100, 12, X},
        {Confirmation, 12, 100, 0, X},
        {Teisei, 1, 2, 12, X},
        {Shusei, 1, 2, 12, X},
        // A text without characters: nothing typed is best, anything else the worst.
        {Conversion, 2, 0, 0, X},
        {Teisei, 0, 0, 0, B},
        {Teisei, 1, 0, 0, X},
    };
    for (const auto& c : exemptions)
        EXPECT_EQ(operationMark(c.row, c.count, c.characters, c.exemption), c.mark)
            << "row " << c.row << " count " << c.count << " of " << c.characters << " exemption " << c.exemption;
}

TEST(ResultComputation, RatesRoundAndOverflow) {
    struct Case {
        qint32 count, characters;
        const char16_t* rate;
    } cases[] = {
        {0, 455, u"0.0"},
        {1, 3, u"33.3"},
        {2, 3, u"66.7"},
        {1, 16, u"6.3"}, // 6.25 rounds away from
                         // zero
        {999, 1000, u"99.9"},
        {1000, 1000, u"Ovfl"},
        {1500, 1000, u"Ovfl"},
        {30, 455, u"6.6"},
        {0, 0, u"0.0"},
        {3, 0, u"Ovfl"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(operationRate(c.count, c.characters), QString::fromUtf16(c.rate)) << c.count;
}

TEST(ResultComputation, FiguresOfJapaneseEnglishMixedAndEmptyTexts) {
    struct Case {
        const char* name;
        CharCounts counts;
        qint32 elapsedMs;
        int standard;
        std::array<qint32, 4> operations;
        QString cpm, grade, scr, ownLevel;
        std::array<QString, 4> rates, marks;
    } cases[] = {
        // 455 × 60000 ÷ 182000 = 150.0 CPM ("S段" on its bound), 1309.2 weighted → 431.6, 55.6 s → "SS".
        {"japanese",
         Japanese,
         182000,
         0,
         {30, 12, 3, 10},
         u"150.0"_qs,
         u"S段"_qs,
         u"431.6"_qs,
         u"SS"_qs,
         {u"6.6"_qs, u"2.6"_qs, u"0.7"_qs, u"2.2"_qs},
         {G, F, G, F}},
        // 249.97 CPM shows as "250.0" but grades below the 250 bound of standard 1.
        {"english",
         English,
         331000,
         1,
         {40, 5, 20, 7},
         u"250.0"_qs,
         u"B級"_qs,
         u"250.0"_qs,
         u"C"_qs,
         {u"-"_qs, u"-"_qs, u"1.5"_qs, u"-"_qs},
         {u"-"_qs, u"-"_qs, G, u"-"_qs}},
        // No standard table and no own level for a mixed text.
        {"mixed",
         Mixed,
         60000,
         0,
         {0, 0, 0, 0},
         u"100.0"_qs,
         u" - "_qs,
         u"310.0"_qs,
         u" - "_qs,
         {u"-"_qs, u"-"_qs, u"0.0"_qs, u"-"_qs},
         {u"-"_qs, u"-"_qs, B, u"-"_qs}},
        // An attempt of 0 ms is taken as 10 ms.
        {"zero time",
         Japanese,
         0,
         1,
         {0, 0, 0, 0},
         u"2730000.0"_qs,
         u"S級"_qs,
         u"7855200.0"_qs,
         u"ZS"_qs,
         {u"0.0"_qs, u"0.0"_qs, u"0.0"_qs, u"0.0"_qs},
         {B, B, B, B}},
        // An empty text divides by nothing: zeros and no grades.
        {"empty",
         CharCounts{},
         5000,
         0,
         {0, 0, 2, 0},
         u"0.0"_qs,
         u" - "_qs,
         u"0.0"_qs,
         u" - "_qs,
         {u"-"_qs, u"-"_qs, u"Ovfl"_qs, u"-"_qs},
         {u"-"_qs, u"-"_qs, X, u"-"_qs}},
        // Damaged counts: Japanese by their ratio but nothing to weigh, so no own level.
        {"unweighted",
         CharCounts{100, 100, 0, 0, 0, 0, 0, 0, 0},
         60000,
         0,
         {0, 0, 0, 0},
         u"100.0"_qs,
         u"準1"_qs,
         u"0.0"_qs,
         u" - "_qs,
         {u"0.0"_qs, u"0.0"_qs, u"0.0"_qs, u"0.0"_qs},
         {B, B, B, B}},
    };
    for (const Case& c : cases) {
        ResultInput in = input(c.counts, c.elapsedMs, c.standard);
        in.keystrokes = 700;
        in.operations = c.operations;
        in.paragraphExemption = 0;
        const ResultFigures f = computeResult(in);
        EXPECT_EQ(f.keystrokes, u"700"_qs) << c.name;
        EXPECT_EQ(f.cpm, c.cpm) << c.name;
        EXPECT_EQ(f.grade, c.grade) << c.name;
        EXPECT_EQ(f.scr, c.scr) << c.name;
        EXPECT_EQ(f.ownLevel, c.ownLevel) << c.name;
        EXPECT_GE(f.elapsedMs, MinimumElapsedMs) << c.name;
        for (int r = 0; r < OperationCount; ++r) {
            EXPECT_EQ(f.rows[size_t(r)].rate, c.rates[size_t(r)]) << c.name << " row " << r;
            EXPECT_EQ(f.rows[size_t(r)].mark, c.marks[size_t(r)]) << c.name << " row " << r;
        }
        const bool dashed = f.rows[Conversion].count == u"-";
        EXPECT_EQ(f.japaneseOperations, !dashed) << c.name;
    }
}

TEST(ResultComputation, GreyGradesFollowTheEligibilityCaption) {
    const std::pair<const char16_t*, bool> cases[] = {
        {u"実務能力(仮)判定", true}, {u"実務能力判定不可", true}, {u"実務能力判定　可", false}, {u"", false}};
    for (const auto& [caption, grey] : cases) {
        ResultInput in = input(Japanese, 60000);
        in.eligibility = QString::fromUtf16(caption);
        EXPECT_EQ(computeResult(in).greyGrades, grey) << QString::fromUtf16(caption).toStdString();
        BestListInput list;
        list.eligibility = in.eligibility;
        EXPECT_EQ(bestList(list)[0].greyGrades, grey);
    }
}

TEST(ResultComputation, BestTimesTakeStrictlySmallerTimesAndShiftDown) {
    const float E = BestTimesLine::EmptyTime;
    const BestTimes two = {12.34f, 13.5f, E, E, E, E, E, E, E, E};
    const BestTimes full = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    struct Case {
        const char* name;
        BestTimes before;
        qint32 elapsedMs;
        bool newBest;
        int row;
        BestTimes after;
    } cases[] = {
        {"empty table", BestTimesLine::empty(), 61000, true, 0, {61.0f, E, E, E, E, E, E, E, E, E}},
        {"faster", two, 12000, true, 0, {12.0f, 12.34f, 13.5f, E, E, E, E, E, E, E}},
        {"equal to best", two, 12340, false, 1, {12.34f, 12.34f, 13.5f, E, E, E, E, E, E, E}},
        {"between", two, 13000, false, 1, {12.34f, 13.0f, 13.5f, E, E, E, E, E, E, E}},
        {"equal to second", two, 13500, false, 2, {12.34f, 13.5f, 13.5f, E, E, E, E, E, E, E}},
        {"slower than a full table", full, 10000, false, -1, full},
        {"last place of a full table", full, 9500, false, 9, {1, 2, 3, 4, 5, 6, 7, 8, 9, 9.5f}},
        {"best of a full table", full, 500, true, 0, {0.5f, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"zero time", two, 0, true, 0, {0.01f, 12.34f, 13.5f, E, E, E, E, E, E, E}},
    };
    for (const Case& c : cases) {
        const BestTimesUpdate u = updateBestTimes(c.before, c.elapsedMs);
        EXPECT_EQ(u.newBest, c.newBest) << c.name;
        EXPECT_EQ(u.row, c.row) << c.name;
        for (size_t i = 0; i < 10; ++i)
            EXPECT_FLOAT_EQ(u.times[i], c.after[i]) << c.name << " place " << i;
    }
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
    EXPECT_TRUE(rows[0].filled);
    EXPECT_EQ(rows[0].cpm, u"150"_qs);
    EXPECT_EQ(rows[0].cpmTip, u"150.00"_qs);
    EXPECT_EQ(rows[0].grade, u"S級"_qs);
    EXPECT_EQ(rows[0].scr, u"432"_qs);
    EXPECT_EQ(rows[0].scrTip, u"431.60"_qs);
    EXPECT_EQ(rows[0].ownLevel, u"SS"_qs);
    EXPECT_FALSE(rows[0].red);
    // 136.5 CPM rounds away from zero.
    EXPECT_EQ(rows[1].cpm, u"137"_qs);
    EXPECT_EQ(rows[1].cpmTip, u"136.50"_qs);
    EXPECT_TRUE(rows[1].red);
    EXPECT_TRUE(rows[2].filled); // 99999 is still shown
    for (size_t i = 3; i < 10; ++i) {
        EXPECT_FALSE(rows[i].filled);
        EXPECT_TRUE(rows[i].cpm.isEmpty() && rows[i].cpmTip.isEmpty() && rows[i].grade.isEmpty() &&
                    rows[i].scr.isEmpty() && rows[i].scrTip.isEmpty() && rows[i].ownLevel.isEmpty());
    }
}

TEST(ResultComputation, BestListOwnLevelStartsDifferentlyAfterAChangeOfStandard) {
    BestListInput in;
    in.times = BestTimesLine::empty();
    in.times[0] = 60.0f;
    in.counts = Mixed;
    EXPECT_EQ(bestList(in)[0].ownLevel, u"-"_qs);
    EXPECT_EQ(bestList(in)[0].grade, u" - "_qs);
    in.ownLevelStart = QString::fromUtf16(NoOwnLevelAfterStandardChange);
    EXPECT_EQ(bestList(in)[0].ownLevel, u" -"_qs);
    in.counts = English;                           // a graded text is not affected by the start value
    EXPECT_EQ(bestList(in)[0].ownLevel, u"ZB"_qs); // 60 × 400 ÷ 1379 = 17.4 s
}

TEST(ResultComputation, RegradeUsesTheKeptTimeAndTheNewStandard) {
    const CharCounts ninety = counts(45, 45, 0, 0, 0, 0);
    EXPECT_EQ(regrade(ninety, 60000, 1), u"S級"_qs); // exactly 90 CPM
    EXPECT_EQ(regrade(ninety, 60001, 1), u"A級"_qs);
    EXPECT_EQ(regrade(ninety, 60000, 2), u"2級"_qs);
    EXPECT_EQ(regrade(English, 60000, 3), u" - "_qs); // no English table under standard 3
    EXPECT_EQ(regrade(ninety, 0, 1), u"S級"_qs);      // floored at 10 ms
}

TEST(ResultComputation, AttemptFromTheLoadedText) {
    Module1 m;
    m.text.TextLines = {u"src"_qs, u"000000"_qs, u"title"_qs, u""_qs, QString::fromUtf16(NoRecordLine)};
    for (int p = 0; p < 12; ++p)
        m.text.TextLines.append(u"漢字かな"_qs);
    m.text.LineCount = int(m.text.TextLines.size());
    m.text.counts = counts(24, 24, 0, 0, 0, 0);
    m.settings.setNumber(Options::Standard, 1);
    AttemptSummary s;
    s.elapsedMs = 30000;
    s.counters.Keystrokes = 150;
    s.counters.Confirmations = 12; // one per paragraph end: 25 %

    s.practiceMode = 0;
    AttemptResult r = computeAttempt(m, s);
    EXPECT_TRUE(r.wholeText);
    EXPECT_EQ(r.figures.rows[Confirmation].mark, B);
    EXPECT_EQ(r.figures.cpm, u"96.0"_qs);
    EXPECT_EQ(r.figures.grade, u"S級"_qs);
    EXPECT_TRUE(r.figures.greyGrades); // 48 characters: provisional judgement
    EXPECT_TRUE(r.best.newBest);
    EXPECT_EQ(r.best.row, 0);

    s.practiceMode = 1;
    r = computeAttempt(m, s);
    EXPECT_FALSE(r.wholeText);
    EXPECT_EQ(r.figures.rows[Confirmation].mark, X);
    EXPECT_EQ(r.best.row, -1);
    EXPECT_FALSE(r.best.newBest);

    // The list counts the whole text even when the statistics line is unreadable.
    EXPECT_EQ(wholeTextCounts(m).total, 48);
    m.text.TextLines[3] = u" 455 ( 455,   0)( 208, 226,  21)(   0,   0,   0)"_qs;
    EXPECT_EQ(wholeTextCounts(m), Japanese);
}
