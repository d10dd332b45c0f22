#include "core/util/Clock.h"
#include "core/util/Cp932.h"
#include "unit/UnitTest.h"

TEST(Cp932, CodesFollowMicrosoftsTable) {
    // NEC and IBM extensions, the wave dash and full-width tilde, and characters the code page lacks.
    const std::pair<char16_t, quint16> cases[] = {
        {u'A', 0x41},    {u'ｱ', 0xB1},    {u'ﾞ', 0xDE},      {u'\u3000', 0x8140},     {u'ー', 0x815B}, {u'あ', 0x82A0},
        {u'亜', 0x889F}, {u'々', 0x8158}, {u'≒', 0x81E0},    {u'￢', 0x81CA},         {u'ⅰ', 0xFA40},  {u'纊', 0xFA5C},
        {u'～', 0x8160}, {u'é', 0x3F},    {u'\u4E02', 0x3F}, {char16_t(0xD83D), 0x3F}};
    for (const auto& [c, code] : cases)
        EXPECT_EQ(cp932::code(c), code) << int(c);
    EXPECT_EQ(cp932::byteLength(u"あA"), 3);
}

TEST(Cp932, InvalidBytesAreReplacedAndReported) {
    const std::pair<QByteArray, QString> cases[] = {
        {QByteArray("\x82", 1), u"\uFFFD"_s}, // lead byte at the end
        {QByteArray("\x82\x20"
                    "A",
                    3),
         u"\uFFFD A"_s}, // lead byte with an invalid trail
        {QByteArray("\xA0", 1), u"\uFFFD"_s},
        {QByteArray("a\0b", 3), QString::fromUtf16(u"a\0b", 3)}, // NUL is a valid byte
        {QByteArray("\x8d\x91\x8d\xdb", 4), u"国際"_s}};
    for (const auto& [bytes, text] : cases) {
        bool ok = false;
        EXPECT_EQ(cp932::decode(bytes, &ok), text);
        EXPECT_EQ(ok, !text.contains(QChar(0xFFFD)));
    }
    EXPECT_EQ(cp932::encode(u"é国"), QByteArray("?\x8d\x91"));
}

TEST(Clock, ElapsedTimeSurvivesTheWrap) {
    EXPECT_EQ(elapsedMs(0xFFFFFFF0u, 0x00000010u), 0x20);
    EXPECT_EQ(elapsedMs(350u, 100u), -250);
}
