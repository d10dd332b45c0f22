#include "core/util/BasicFunctions.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

using namespace basic;

TEST(BasicFunctions, SubstringsClipInsteadOfFailing) {
    const QString s = u"ABCDEF"_s;
    EXPECT_EQ(Mid(s, 2, 3), u"BCD"_s);
    EXPECT_EQ(Mid(s, 5, 10), u"EF"_s);
    EXPECT_EQ(Mid(s, 7, 2), QString());
    EXPECT_EQ(Mid(s, 100), QString());
    EXPECT_EQ(Mid(s, 0, 2), u"AB"_s);
    EXPECT_EQ(Mid(s, 3), u"CDEF"_s);
    EXPECT_EQ(Left(s, 10), s);
    EXPECT_EQ(Left(s, -1), QString());
    EXPECT_EQ(Right(s, 2), u"EF"_s);
    EXPECT_EQ(Right(s, 10), s);
}

TEST(BasicFunctions, TrimsOnlyHalfWidthSpaces) {
    EXPECT_EQ(RTrim(u"ab  "), u"ab"_s);
    EXPECT_EQ(RTrim(u"ab\u3000"), u"ab\u3000"_s);
    EXPECT_EQ(Trim(u"  \u3000ab "), u"\u3000ab"_s);
    EXPECT_EQ(RTrim(u"    "), QString());
}

TEST(BasicFunctions, ValReadsTheLeadingNumber) {
    struct Case {
        const char16_t* text;
        double value;
    } cases[] = {
        {u" 455 ( 45", 455},     {u"   0", 0},       {u"00012.34,", 12.34}, {u"abc", 0}, {u"", 0},
        {u"-3.5x", -3.5},        {u"  12e2 ", 1200}, {u"1.2.3", 1.2},       {u"+7", 7},  {u"9e", 9},
        {u"99999.99", 99999.99},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(Val(c.text), c.value) << QString::fromUtf16(c.text).toStdString();
}

TEST(BasicFunctions, FormatRoundsHalfAwayFromZeroOnDecimalDigits) {
    struct Case {
        double value;
        const char16_t* picture;
        const char16_t* expected;
    } cases[] = {
        {45.714285, u"#0.00", u"45.71"},
        {0.0, u"#0.00", u"0.00"},
        {0.005, u"#0.00", u"0.01"},
        {2.675, u"#0.00", u"2.68"},
        {12.34, u"00000.00", u"00012.34"},
        {99999.99, u"00000.00", u"99999.99"},
        {2.5, u"#0", u"3"},
        {3.5, u"0", u"4"},
        {0.4, u"#0", u"0"},
        {0.4, u"#", u""},
        {7, u"00", u"07"},
        {123.45, u"#0.0", u"123.5"},
        {-1.25, u"#0.0", u"-1.3"},
        {-0.04, u"#0.0", u"0.0"},
        {9.96, u"#0.0", u"10.0"},
        {999.95, u"#0.0", u"1000.0"},
        {123456, u"00", u"123456"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.value, c.picture), QString::fromUtf16(c.expected)) << c.value;
}

TEST(BasicFunctions, SingleFormatUsesSevenDigits) {
    // 12.345f is 12.3450002... as a float and 12.345 with seven digits.
    EXPECT_EQ(FormatSingle(12.345f, u"00000.00"), u"00012.35"_s);
    EXPECT_EQ(FormatSingle(99999.99f, u"00000.00"), u"99999.99"_s);
}

TEST(BasicFunctions, AtPictureRightAlignsWithoutTruncating) {
    EXPECT_EQ(FormatAt(u"5", u"@@@"), u"  5"_s);
    EXPECT_EQ(FormatAt(u"1234", u"@@@"), u"1234"_s);
    EXPECT_EQ(RightAligned(455, 4), u" 455"_s);
    EXPECT_EQ(RightAligned(10000, 4), u"10000"_s);
}
