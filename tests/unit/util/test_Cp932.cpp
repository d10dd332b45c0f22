#include "core/util/Clock.h"
#include "core/util/Cp932.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(Cp932, CodesFollowMicrosoftsTable) {
    struct Case {
        char16_t c;
        quint16 code;
    } cases[] = {
        {u'A', 0x41},
        {u' ', 0x20},
        {u'ｱ', 0xB1},
        {u'ﾞ', 0xDE},
        {u'\u3000', 0x8140},
        {u'ー', 0x815B},
        {u'あ', 0x82A0},
        {u'ア', 0x8341},
        {u'亜', 0x889F},
        {u'々', 0x8158},
        {u'≒', 0x81E0},
        {u'￢', 0x81CA},
        {u'ⅰ', 0xFA40},
        {u'纊', 0xFA5C},
        {u'～', 0x8160},
        {u'\u00E9', 0x3F},
        {char16_t(0xD83D), 0x3F},
        {u'\u4E02', 0x3F},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cp932::code(c.c), c.code) << int(c.c);
}

TEST(Cp932, RoundTripsText) {
    const QString text = u"腕試し１　国際連合憲章 前文 ABC ｱｲｳ ①Ⅱ"_s;
    bool ok = false;
    EXPECT_EQ(cp932::decode(cp932::encode(text), &ok), text);
    EXPECT_TRUE(ok);
    EXPECT_EQ(cp932::byteLength(u"あA"), 3);
}

TEST(Cp932, InvalidBytesAreReplacedAndReported) {
    struct Case {
        QByteArray bytes;
        QString text;
    } cases[] = {
        {QByteArray("\x82", 1), u"\uFFFD"_s}, // lead byte at the end
        {QByteArray("\x82\x20"
                    "A",
                    3),
         u"\uFFFD A"_s}, // lead byte with an invalid trail
        {QByteArray("\xA0", 1), u"\uFFFD"_s},
        {QByteArray("a\x00"
                    "b",
                    3),
         QString::fromUtf16(u"a\0b", 3)}, // NUL is a valid byte
    };
    for (const auto& c : cases) {
        bool ok = true;
        const QString decoded = cp932::decode(c.bytes, &ok);
        EXPECT_EQ(decoded, c.text);
        EXPECT_EQ(ok, !c.text.contains(QChar(0xFFFD)));
    }
    EXPECT_EQ(cp932::encode(u"é"), QByteArray("?"));
}

TEST(Clock, ElapsedTimeSurvivesTheWrap) {
    EXPECT_EQ(elapsedMs(0xFFFFFFF0u, 0x00000010u), 0x20);
    EXPECT_EQ(elapsedMs(100u, 350u), 250);
    EXPECT_EQ(elapsedMs(350u, 100u), -250);
}
