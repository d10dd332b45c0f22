#include "core/util/BasicFunctions.h"
#include "unit/UnitTest.h"
#include <QStringList>

using namespace basic;

TEST(BasicFunctions, SubstringsClipAndTrimsTakeHalfWidthSpacesOnly) {
    const QString s = u"ABCDEF"_s;
    EXPECT_EQ(
        QStringList({Mid(s, 2, 3), Mid(s, 5, 10), Mid(s, 7, 2), Mid(s, 0, 2), Mid(s, 3), Left(s, -1), Right(s, 10)}),
        QStringList({u"BCD"_s, u"EF"_s, u""_s, u"AB"_s, u"CDEF"_s, u""_s, s}));
    EXPECT_EQ(RTrim(u"ab\u3000 "), u"ab\u3000"_s);
    EXPECT_EQ(Trim(u"  \u3000ab "), u"\u3000ab"_s);
}

TEST(BasicFunctions, ValReadsTheLeadingNumber) {
    const std::pair<const char16_t*, double> cases[] = {
        {u" 455 ( 45", 455}, {u"00012.34,", 12.34}, {u"abc", 0}, {u"", 0},   {u"-3.5x", -3.5},
        {u"  12e2 ", 1200},  {u"1.2.3", 1.2},       {u"+7", 7},  {u"9e", 9}, {u"99999.99", 99999.99}};
    for (const auto& [text, value] : cases)
        EXPECT_DOUBLE_EQ(Val(text), value) << QString::fromUtf16(text).toStdString();
}

TEST(BasicFunctions, FormatRoundsHalfAwayFromZeroOnDecimalDigits) {
    const std::tuple<double, const char16_t*, const char16_t*> cases[] = {{0.005, u"#0.00", u"0.01"},
                                                                          {2.675, u"#0.00", u"2.68"},
                                                                          {12.34, u"00000.00", u"00012.34"},
                                                                          {2.5, u"#0", u"3"},
                                                                          {0.4, u"#", u""},
                                                                          {7, u"00", u"07"},
                                                                          {-1.25, u"#0.0", u"-1.3"},
                                                                          {-0.04, u"#0.0", u"0.0"},
                                                                          {999.95, u"#0.0", u"1000.0"},
                                                                          {123456, u"00", u"123456"},
                                                                          {99999.99, u"00000.00", u"99999.99"}};
    for (const auto& [value, picture, expected] : cases)
        EXPECT_EQ(Format(value, picture), QString::fromUtf16(expected)) << value;
    // 12.345f is 12.3450002... as a float and 12.345 with seven digits.
    EXPECT_EQ(FormatSingle(12.345f, u"00000.00"), u"00012.35"_s);
}

TEST(BasicFunctions, AtPictureRightAlignsWithoutTruncating) {
    EXPECT_EQ(FormatAt(u"5", u"@@@"), u"  5"_s);
    EXPECT_EQ(FormatAt(u"1234", u"@@@"), u"1234"_s);
    EXPECT_EQ(RightAligned(455, 4), u" 455"_s);
    EXPECT_EQ(RightAligned(10000, 4), u"10000"_s);
}
