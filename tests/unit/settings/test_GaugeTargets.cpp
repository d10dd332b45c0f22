#include "core/scoring/GradeScales.h"
#include "core/settings/GaugeTargets.h"
#include "unit/UnitTest.h"

using namespace GaugeTargets;

// Each grade's target is the lowest speed that earns it on the grade tables: one speed less
// earns a lower grade. Catches a mistyped speed in either table.
TEST(GaugeTargets, EveryTargetIsTheLowestSpeedOfItsGrade) {
    for (int standard = 0; standard < StandardCount; ++standard)
        for (const auto& [row, language] :
             {std::pair{Row::Japanese, LanguageClass::Japanese}, std::pair{Row::English, LanguageClass::English}}) {
            SCOPED_TRACE(standard);
            const auto list = grades(standard, row);
            EXPECT_EQ(list.empty(), row == Row::English && !hasEnglishRow(standard));
            for (const Grade& grade : list) {
                const QString label = grade.label.trimmed().toString();
                EXPECT_EQ(gradeForStandard(standard, language, float(grade.cpm)).trimmed(), label);
                if (grade.cpm > 0) {
                    EXPECT_NE(gradeForStandard(standard, language, grade.cpm - 1.0f).trimmed(), label);
                }
            }
        }
    EXPECT_TRUE(grades(5, Row::Japanese).empty());
}

TEST(GaugeTargets, GradeOfASpeedAndSpeedOfAGrade) {
    // standard, row, speed, grade reached
    const std::tuple<int, Row, int, const char16_t*> cases[] = {
        {2, Row::Japanese, 69, u" 3級"}, {2, Row::Japanese, 70, u" 2級"},  {2, Row::Japanese, 9, u"  - "},
        {0, Row::English, 170, u" 1級"}, {0, Row::Japanese, 400, u" Z段"}, {1, Row::English, 0, u" D級"}};
    for (const auto& [standard, row, cpm, grade] : cases)
        EXPECT_EQ(gradeReached(grades(standard, row), cpm), QString::fromUtf16(grade)) << standard << " " << cpm;
    EXPECT_EQ(targetOf(grades(2, Row::Japanese), u" 3級"), 50);
    EXPECT_EQ(targetOf(grades(2, Row::Japanese), u"3級"), std::nullopt);
    EXPECT_EQ(gradeReached(grades(3, Row::English), 100), QString());
    for (const auto& [stored, row, clamped] :
         {std::tuple{5000, Row::Japanese, 400}, std::tuple{-3, Row::English, 0}, std::tuple{1000, Row::English, 1000}})
        EXPECT_EQ(clampedTarget(stored, row), clamped);
}
