#include "core/scoring/ExamResult.h"
#include "unit/UnitTest.h"

TEST(ExamResult, TallyCountsTypedErrorsLeftAndSurplus) {
    // doneChars, input, paragraph -> typed, errors left
    const std::tuple<qint32, QString, QString, qint32, qint32> cases[] = {
        {0, u""_s, u"あいう"_s, 0, 0},
        {0, u"あいう"_s, u"あいう"_s, 3, 0},
        {10, u"あXう"_s, u"あいう"_s, 13, 1},
        {10, u"XY"_s, u"あいう"_s, 12, 2},
        {5, u"あいうえお"_s, u"あいう"_s, 10, 2},
        {-3, u"a"_s, u""_s, 1, 1},
    };
    for (const auto& [done, input, paragraph, typed, errors] : cases) {
        SCOPED_TRACE(input.toStdString());
        const ExamResult::Tally t = ExamResult::tally(done, input, paragraph, 4);
        EXPECT_EQ(std::tuple(t.typed, t.errorsLeft, t.corrections), std::tuple(typed, errors, 4));
    }
}

TEST(ExamResult, NetSpeedAndTheGradeOfEveryStandard) {
    using G = std::array<QString, 4>; // standards 1..4; standard 0's table has too many bands to restate here
    const std::tuple<qint32, qint32, int, qint32, LanguageClass, qint32, QString, G> cases[] = {
        // typed, errors, minutes, elapsed -> net, "#0.0", grades
        {805, 5, 10, 600000, LanguageClass::Japanese, 800, u"80.0"_s, {u"A級"_s, u"2級"_s, u"1級"_s, u"S段"_s}},
        {799, 0, 10, 600000, LanguageClass::Japanese, 799, u"79.9"_s, {u"B級"_s, u"2級"_s, u"1級"_s, u"1級"_s}},
        // The text ran out after 30 seconds of a one-minute exam: the speed is over the time used.
        {40, 0, 1, 30000, LanguageClass::Japanese, 40, u"80.0"_s, {u"A級"_s, u"2級"_s, u"1級"_s, u"S段"_s}},
        // More errors than characters never make a negative count.
        {3, 9, 1, 60000, LanguageClass::Japanese, 0, u"0.0"_s, {u"D級"_s, u" - "_s, u" - "_s, u" - "_s}},
        {400, 0, 1, 60000, LanguageClass::Mixed, 400, u"400.0"_s, {u" - "_s, u" - "_s, u" - "_s, u" - "_s}},
    };
    for (const auto& [typed, errors, minutes, elapsed, language, net, cpm, grades] : cases) {
        SCOPED_TRACE(typed);
        const ExamResult::Figures f = ExamResult::figures({typed, errors, 2}, minutes, elapsed, true, language);
        EXPECT_EQ(std::tuple(f.net, f.netCpmText, G{f.grades[1], f.grades[2], f.grades[3], f.grades[4]}),
                  std::tuple(net, cpm, grades));
    }
}
