#include "core/scoring/BestTimes.h"
#include "core/texts/TextStats.h"
#include "unit/UnitTest.h"

TEST(BestTimes, ReadsBothFormsAndDamagedLinesSafely) {
    const float E = BestTimesLine::EmptyTime;
    const std::tuple<QString, float, float, float> cases[] = {
        {QString::fromUtf16(NoRecordLine), E, E, E},
        {u"00012.34,00013.50,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,00100.00,"_s, 12.34f, 13.5f,
         100.0f},
        {u"00012.34"_s, 12.34f, E, E}, // short line: the missing places are empty
        {u""_s, E, E, E},
        {u"abcdefgh,00013.50"_s, E, 13.5f, E},  // a place that is not a number
        {u"00000.00,-0001.00"_s, E, E, E},      // zero or negative could never be beaten
        {u"0012.3x4,    15.5,"_s, E, 15.5f, E}, // digits mixed with letters; padded number
    };
    for (const auto& [line, first, second, last] : cases) {
        const BestTimes t = BestTimesLine::parse(line);
        EXPECT_FLOAT_EQ(t[0], first) << line.toStdString();
        EXPECT_FLOAT_EQ(t[1], second) << line.toStdString();
        EXPECT_FLOAT_EQ(t[9], last) << line.toStdString();
    }
}
