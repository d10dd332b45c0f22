#include "core/texts/SampleTexts.h"

#include "core/texts/TextStats.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace SampleTexts;

namespace {

// In sample-number order. The statistics lines are the published figures; sampleLines computes its own.
const struct {
    int menuIndex;
    const char16_t *caption, *title, *statistics;
    int paragraphs;
} Samples[] = {
    {0, u"1 国際連合憲章 前文(&A)", u"腕試し１　国際連合憲章 前文", u" 455 ( 455,   0)( 208, 226,  21)(   0,   0,   0)",
     12},
    {1, u"2 UN Charter Preamble(&B)", u"腕試し２　Charter of the United Nations Preamble",
     u"1379 (   0,1379)(   0,   0,   0)(1144,   0, 235)", 12},
    {3, u"3 世界人権宣言 前文(&C)", u"腕試し３　世界人権宣言（仮訳文） 前文",
     u" 660 ( 660,   0)( 310, 315,  35)(   0,   0,   0)", 10},
    {4, u"4 UDHR Preamble(&D)", u"腕試し４　Universal Declaration of Human Rights Preamble",
     u"1983 (   0,1983)(   0,   0,   0)(1647,   0, 336)", 10},
    {6, u"5 国際人権Ｂ規約 前文(&E)", u"腕試し５　国際人権Ｂ規約 前文",
     u" 402 ( 402,   0)( 186, 203,  13)(   0,   0,   0)", 7},
    {7, u"6 ICCPR Preamble(&F)", u"腕試し６　ICCPR Preamble", u"1152 (   0,1152)(   0,   0,   0)( 957,   0, 195)", 7},
    {9, u"7 人種差別撤廃条約 前文(&G)", u"腕試し７　人種差別撤廃条約 前文",
     u"1338 (1302,  36)( 611, 643,  48)(  36,   0,   0)", 14},
    {10, u"8 ICERD Preamble(&H)", u"腕試し８　ICERD Preamble", u"3577 (   0,3577)(   0,   0,   0)(3002,   0, 575)", 14},
    {12, u"9 拷問等禁止条約 前文(&I)", u"腕試し９　拷問等禁止条約 前文",
     u" 445 ( 445,   0)( 231, 199,  15)(   0,   0,   0)", 8},
    {13, u"10 CAT Preamble(&J)", u"腕試し10　CAT Preamble", u"1192 (   0,1192)(   0,   0,   0)( 991,   0, 201)", 8},
    {15, u"11 女子差別撤廃条約 前文(&K)", u"腕試し11　女子差別撤廃条約 前文",
     u"1429 (1429,   0)( 705, 658,  66)(   0,   0,   0)", 17},
    {16, u"12 CEDAW Preamble(&L)", u"腕試し12　CEDAW Preamble", u"4186 (   0,4186)(   0,   0,   0)(3494,   0, 692)",
     17},
    {18, u"13 児童の権利条約 前文(&M)", u"腕試し13　児童の権利条約 前文",
     u"1303 (1285,  18)( 640, 576,  69)(  18,   0,   0)", 15},
    {19, u"14 CRC Preamble(&N)", u"腕試し14　CRC Preamble", u"3722 (   0,3722)(   0,   0,   0)(3080,   0, 642)", 15},
};

} // namespace

TEST(SampleTexts, MenuHoldsFourteenSamplesBetweenSeparators) {
    int samples = 0;
    for (int i = -1; i <= MenuItemCount; ++i) {
        const bool separator = i == 2 || i == 5 || i == 8 || i == 11 || i == 14 || i == 17;
        EXPECT_EQ(isSeparator(i), separator) << i;
        EXPECT_EQ(isSample(i), i >= 0 && i < MenuItemCount && !separator) << i;
        if (!isSample(i)) {
            EXPECT_EQ(sampleNumber(i), 0) << i;
            EXPECT_TRUE(menuCaption(i).isEmpty()) << i;
            EXPECT_TRUE(sampleLines(i).isEmpty()) << i;
        }
        samples += isSample(i);
    }
    EXPECT_EQ(samples, 14);
    EXPECT_TRUE(sampleLines(1000).isEmpty());
}

TEST(SampleTexts, LinesFormAPracticeTextWithComputedStatistics) {
    for (int number = 1; number <= 14; ++number) {
        const auto& s = Samples[number - 1];
        SCOPED_TRACE(s.menuIndex);
        EXPECT_EQ(sampleNumber(s.menuIndex), number);
        EXPECT_EQ(menuCaption(s.menuIndex), QString::fromUtf16(s.caption));
        const QStringList lines = sampleLines(s.menuIndex);
        ASSERT_EQ(lines.size(), 5 + s.paragraphs);
        EXPECT_EQ(lines[0], QString::fromUtf16(s.title).section(u'　', 0, 0));
        EXPECT_EQ(lines.mid(1, 4), QStringList({u"000000"_s, QString::fromUtf16(s.title),
                                                QString::fromUtf16(s.statistics), QString::fromUtf16(NoRecordLine)}));
        CharCounts whole;
        for (qsizetype p = 5; p < lines.size(); ++p) {
            EXPECT_FALSE(lines[p].isEmpty() || lines[p].endsWith(u' ')) << p;
            whole += classifyChars(lines[p]);
        }
        EXPECT_EQ(parseStatisticsLine(lines[3]), whole);
        EXPECT_EQ(isJapaneseText(whole), number % 2 == 1); // odd numbers are the Japanese versions
        EXPECT_EQ(sampleLines(s.menuIndex), lines);
    }
}
