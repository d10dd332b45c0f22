#include "core/texts/SampleTexts.h"
#include "core/texts/TextStats.h"
#include "unit/UnitTest.h"

using namespace SampleTexts;

// Fourteen samples between separators; each one's statistics line agrees with its paragraphs.
TEST(SampleTexts, LinesFormAPracticeTextWithComputedStatistics) {
    const QString firstStatistics = u" 455 ( 455,   0)( 208, 226,  21)(   0,   0,   0)"_s; // the published figures
    int number = 0;
    for (int i = -1; i <= MenuItemCount; ++i) {
        SCOPED_TRACE(i);
        const QStringList lines = sampleLines(i);
        EXPECT_EQ(isSample(i), i >= 0 && i < MenuItemCount && i % 3 != 2);
        if (!isSample(i)) {
            EXPECT_TRUE(lines.isEmpty() && menuCaption(i).isEmpty());
            continue;
        }
        EXPECT_EQ(sampleNumber(i), ++number);
        ASSERT_GT(lines.size(), 5);
        EXPECT_EQ(lines[4], QString::fromUtf16(NoRecordLine));
        CharCounts whole;
        for (qsizetype p = 5; p < lines.size(); ++p) {
            EXPECT_FALSE(lines[p].isEmpty() || lines[p].endsWith(u' ')) << p;
            whole += classifyChars(lines[p]);
        }
        EXPECT_EQ(parseStatisticsLine(lines[3]), whole);
        EXPECT_EQ(isJapaneseText(whole), number % 2 == 1); // odd numbers are the Japanese versions
        EXPECT_TRUE(number > 1 || lines[3] == firstStatistics);
    }
    EXPECT_EQ(number, 14);
}
