#include "core/scoring/GradeScales.h"
#include "unit/UnitTest.h"

#include <cmath>
#include <limits>

namespace {

using enum LanguageClass;
constexpr int Own = -1; // the own-level table in a case list of standards
constexpr float Infinity = std::numeric_limits<float>::infinity();

QString grade(int standard, LanguageClass language, float value) {
    return standard == Own ? ownLevel(language, value) : gradeForStandard(standard, language, value);
}

float justBelow(float bound) {
    return std::nextafter(bound, -Infinity);
}

std::string str(QStringView s) {
    return s.toString().toStdString();
}

} // namespace

TEST(GradeScales, HandPickedBoundsTakeTheNextBand) {
    // The band just below each bound, and the band on it.
    const std::tuple<int, LanguageClass, float, const char16_t*, const char16_t*> cases[] = {
        {0, Japanese, 8, u"10E", u"10D"},  {0, Japanese, 20, u"10A", u"9級"},  {0, Japanese, 41, u"3級", u"準2"},
        {0, Japanese, 66, u"2級", u"準1"}, {0, Japanese, 150, u"1級", u"S段"}, {0, Japanese, 300, u"9段", u"Z段"},
        {0, English, 17, u"10E", u"10D"},  {0, English, 38, u"10A", u"9級"},   {0, English, 63, u"3級", u"準2"},
        {0, English, 165, u"準1", u"1級"}, {0, English, 300, u"S段", u"2段"},  {0, English, 833, u"9段", u"Z段"},
        {1, Japanese, 40, u"D級", u"C級"}, {1, Japanese, 90, u"A級", u"S級"},  {1, English, 150, u"D級", u"C級"},
        {1, English, 300, u"A級", u"S級"}, {2, Japanese, 10, u" - ", u"5級"},  {2, Japanese, 150, u"1級", u"S段"},
        {2, English, 20, u" - ", u"5級"},  {2, English, 140, u"3級", u"2級"},  {2, English, 300, u"1級", u"S段"},
        {3, Japanese, 20, u" - ", u"4級"}, {3, Japanese, 45, u"3級", u"2級"},  {3, Japanese, 70, u"2級", u"1級"},
        {4, Japanese, 20, u" - ", u"4級"}, {4, Japanese, 40, u"3級", u"準2"},  {4, Japanese, 70, u"準1", u"1級"},
        {4, Japanese, 80, u"1級", u"S段"}, {Own, Japanese, 10, u"ZS", u"ZA"},  {Own, Japanese, 206, u"J", u"-"},
        {Own, English, 14, u"ZS", u"ZA"},  {Own, English, 210, u"J", u"-"}};
    for (const auto& [standard, language, bound, below, on] : cases) {
        SCOPED_TRACE(testing::Message() << "table " << standard << (language == English ? "-E" : "-J") << " bound "
                                        << bound);
        EXPECT_EQ(str(grade(standard, language, justBelow(bound))), str(below));
        EXPECT_EQ(str(grade(standard, language, bound)), str(on));
    }
    // A figure that rounds to 90.0 on screen but is below 90 as a float keeps the lower grade.
    EXPECT_EQ(str(gradeForStandard(1, Japanese, 89.99f)), str(u"A級"));
}

TEST(GradeScales, OwnLevelBoundsRiseByTwoThenByGrowingSteps) {
    // The ladder and the spacing rule stated with the table: 2 s a label up to "SJ", then 4, 6, 8 ... 22.
    const QStringList ladder = u"ZS ZA ZB ZC ZD ZE ZF ZG ZH ZI ZJ XX XS XA XB XC XD XE XF XG XH XI XJ "
                               u"SS SA SB SC SD SE SF SG SH SI SJ A B C D E F G H I J -"_s.split(u' ');
    ASSERT_EQ(ladder.size(), 45);
    for (const auto& [language, lowest] : {std::pair{Japanese, 10.0f}, std::pair{English, 14.0f}}) {
        float bound = lowest;
        for (int i = 0; i + 1 < ladder.size(); ++i) {
            EXPECT_EQ(str(ownLevel(language, justBelow(bound))), str(ladder[i])) << bound;
            EXPECT_EQ(str(ownLevel(language, bound)), str(ladder[i + 1])) << bound;
            bound += i < 33 ? 2.0f : 4.0f + 2.0f * float(i - 33);
        }
    }
}

TEST(GradeScales, TextsWithoutATableKeepTheirStartingStrings) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    // Standards 3 and 4 grade Japanese only; 5 and -1 come from damaged settings.
    const std::pair<int, LanguageClass> noTable[] = {
        {3, English}, {4, English}, {0, Mixed}, {5, Japanese}, {-1, Japanese}};
    for (const auto& [standard, language] : noTable)
        EXPECT_EQ(str(gradeForStandard(standard, language, 500)), " - ") << standard;
    EXPECT_EQ(str(gradeForStandard(0, Japanese, nan)), " - ");
    EXPECT_EQ(str(ownLevel(Mixed, 20)), " - ");
    EXPECT_EQ(str(ownLevel(Mixed, 20, NoOwnLevelInBestList)), "-");
    EXPECT_EQ(str(ownLevel(Mixed, 20, NoOwnLevelAfterStandardChange)), " -");
    EXPECT_EQ(str(ownLevel(Japanese, nan, NoOwnLevelInBestList)), "-");
}

TEST(GradeScales, ShortAndLogFormsOfEveryLabel) {
    // Fields as cut from a record line, including ones no table gives.
    const std::tuple<const char16_t*, const char16_t*, const char16_t*> cases[] = {
        {u" - ", u" - ", u" - "},  {u"10E", u"10E", u"10E"},  {u"9級 ", u"9ky", u"9ky "}, {u"準2", u"2k*", u"2k* "},
        {u"S段", u"Sda", u"Sda "}, {u"S級", u"Sky", u"Sky "}, {u"", u"Sky", u"Sky "},     {u"ZS", u"Sky", u"Sky "}};
    for (const auto& [field, shortForm, logForm] : cases) {
        EXPECT_EQ(str(shortGrade(field)), str(shortForm)) << str(field);
        EXPECT_EQ(str(shortGradeForLog(field)), str(logForm)) << str(field);
    }
}

TEST(GradeScales, BestListLineGetsTheShortFormInPlace) {
    // ID, three blanks, date, characters, keystrokes, CPM and a blank: the grade starts at position 44.
    const QString head = u"120715203344   120716    455   600   152.3 "_s;
    const QString tail = u"   250.0 SA   2.2◎  0.4☆  1.1◎  0.0☆"_s;
    const std::pair<QString, QString> cases[] = {
        {u"3級"_s, u"3ky"_s}, {u"準1"_s, u"1k*"_s}, {u"S級"_s, u"Sky"_s}, {u" - "_s, u" - "_s}, {u"10A"_s, u"10A"_s}};
    for (const auto& [grade, shortForm] : cases)
        EXPECT_EQ(str(shortGradeForBestList(head + grade + tail)), str(head + shortForm + tail));
    // A damaged line too short to hold a grade is shown as it is.
    EXPECT_EQ(str(shortGradeForBestList(u"120715203344   120716"_s)), "120715203344   120716");
}

TEST(GradeScales, LanguageClassNeedsEightyPercentOfOneWidth) {
    const std::tuple<qint32, qint32, qint32, LanguageClass> cases[] = {
        {5, 4, 1, Japanese},       {5, 1, 4, English},          {9999, 8000, 1999, Japanese},
        {9999, 7999, 2000, Mixed}, {9999, 1999, 8000, English}, {100, 21, 79, Mixed},
        {0, 0, 0, Mixed},          {10, 9, 9, English}, // damaged counts: English first
    };
    for (const auto& [total, full, half, expected] : cases) {
        CharCounts counts;
        counts.total = total;
        counts.full = full;
        counts.half = half;
        EXPECT_EQ(languageClass(counts), expected) << total << " " << full << " " << half;
    }
}
