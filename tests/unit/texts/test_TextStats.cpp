#include "core/texts/TextStats.h"
#include "core/util/Cp932.h"
#include "unit/UnitTest.h"

namespace {

using enum CharClass;

CharCounts counts(qint32 kanji, qint32 kana, qint32 fullOther, qint32 halfAlnum, qint32 halfKana, qint32 halfOther) {
    CharCounts c{0, 0, 0, kanji, kana, fullOther, halfAlnum, halfKana, halfOther};
    c.sumUp();
    return c;
}

std::string str(QStringView s) {
    return s.toString().toStdString();
}

} // namespace

TEST(TextStats, CodeRangeBoundariesGiveTheirClasses) {
    const std::tuple<quint16, CharClass> cases[] = {
        {0x00, HalfOther},   {0x2F, HalfOther},   {0x30, HalfAlnum},   {0x39, HalfAlnum},   {0x3A, HalfOther},
        {0x40, HalfOther},   {0x41, HalfAlnum},   {0x5A, HalfAlnum},   {0x5B, HalfOther},   {0x60, HalfOther},
        {0x61, HalfAlnum},   {0x7A, HalfAlnum},   {0x7B, HalfOther},   {0xA5, HalfOther},   {0xA6, HalfKana},
        {0xDD, HalfKana},    {0xDE, HalfOther},   {0xFF, HalfOther},   {0x8140, FullOther}, {0x815A, FullOther},
        {0x815B, Kana},      {0x815C, FullOther}, {0x829E, FullOther}, {0x829F, Kana},      {0x839E, Kana},
        {0x839F, FullOther}, {0x889E, FullOther}, {0x889F, Kanji},     {0xFA3F, Kanji},     {0xFA40, FullOther},
        {0xFA5B, FullOther}, {0xFA5C, Kanji},     {0xFFFF, Kanji}};
    for (const auto& [code, cls] : cases)
        EXPECT_EQ(classifyCode(code), cls) << std::hex << code;
}

TEST(TextStats, ClassifyCharsSkipsReadingsAndTrailingSpaces) {
    const std::tuple<const char16_t*, CharCounts> cases[] = {
        {u"漢字《かんじ》かな", counts(2, 2, 0, 0, 0, 0)},
        {u"《アイウ", counts(0, 3, 1, 0, 0, 0)},           // unclosed: 《 itself counts
        {u"漢《かん》《じ》字", counts(2, 1, 2, 0, 0, 0)}, // 《 right after a skipped 》 counts
        {u"《《よみ》字", counts(1, 0, 0, 0, 0, 0)},       // the first 》 closes the reading
        {u"漢字《かんじ》  ", counts(2, 0, 0, 0, 0, 0)},   // reading at the end
        {u"《》あ", counts(0, 1, 0, 0, 0, 0)},
        {u"あ》い", counts(0, 2, 1, 0, 0, 0)},
        {u"　字を", counts(1, 1, 1, 0, 0, 0)},
        {u"a b　", counts(0, 0, 1, 2, 0, 1)}, // a trailing ideographic space stays
        {u"Ab 1.   ", counts(0, 0, 0, 3, 0, 2)},
        {u"\U0001F600", counts(0, 0, 0, 0, 0, 2)}, // each half of the pair is saved as "?"
        {u"   ", counts(0, 0, 0, 0, 0, 0)}};
    for (const auto& [paragraph, expected] : cases)
        EXPECT_EQ(classifyChars(paragraph), expected) << str(paragraph);
}

TEST(TextStats, SplitKeepsNonEmptyLinesWithTheirOffsetsInTheBody) {
    const std::tuple<const char16_t*, QStringList, QList<qsizetype>> cases[] = {
        {u"", {}, {}},
        {u"\r\n  \r\n", {}, {}},
        {u"a\r\nb", {u"a"_s, u"b"_s}, {0, 3}},
        {u"\r\n\r\nあいう\r\n\r\nえお  \r\nか", {u"あいう"_s, u"えお"_s, u"か"_s}, {4, 11, 17}},
        {u"a\rb\r\rc", {u"a"_s, u"b"_s, u"c"_s}, {0, 2, 5}},
        {u"a\r\r\nb", {u"a"_s, u"b"_s}, {0, 4}},
        {u"   \r\n　字 ", {u"　字"_s}, {5}}};
    for (const auto& [body, paragraphs, offsets] : cases) {
        const ParagraphSplit split = splitParagraphs(body);
        EXPECT_EQ(split.paragraphs, paragraphs) << str(body);
        EXPECT_EQ(split.startOffsets, offsets) << str(body);
        EXPECT_FALSE(split.truncated) << str(body);
    }
}

TEST(TextStats, SplitStopsAtTheThousandthParagraph) {
    QString thousand;
    for (int i = 1; i <= 1000; ++i)
        thousand += (i > 1 ? u"\r\n"_s : QString()) + QString::number(i);
    const std::pair<QString, bool> cases[] = {
        {u""_s, false}, {u"\r\n"_s, false}, {u"\r\n\r\n"_s, true}, {u"\r\n   "_s, true}, {u"\r\n1001"_s, true}};
    for (const auto& [after, truncated] : cases) {
        const ParagraphSplit split = splitParagraphs(thousand + after);
        EXPECT_EQ(split.truncated, truncated) << str(after);
        ASSERT_EQ(split.paragraphs.size(), MaxSplitParagraphs);
        EXPECT_EQ(split.paragraphs.last(), u"1000"_s);
        EXPECT_EQ(split.startOffsets.last(), thousand.size() - 4);
    }
}

TEST(TextStats, DamagedStatisticsLinesParseWhatTheyCan) {
    const std::tuple<const char16_t*, CharCounts> cases[] = {
        {u" 455 ( 45", {455, 45, 0, 0, 0, 0, 0, 0, 0}},
        {u"abcd (xyz!,....)", {}},
        {u"１２３４ (  -7,12.5)(13.5,1e99", {0, 0, 12, 14, 2147483647, 0, 0, 0, 0}}};
    for (const auto& [line, expected] : cases)
        EXPECT_EQ(parseStatisticsLine(line), expected) << str(line);
}

TEST(TextStats, KindAndJudgementFollowTheRatiosInOrder) {
    const QString impossible = u"実務能力判定不可"_s, provisional = u"実務能力(仮)判定"_s,
                  possible = u"実務能力判定　可"_s;
    const std::tuple<CharCounts, bool, QString> cases[] = {
        {CharCounts{}, false, impossible},
        {counts(0, 50, 0, 50, 0, 0), true, impossible},
        {counts(0, 49, 0, 51, 0, 0), false, impossible},
        {counts(50, 109, 0, 41, 0, 0), true, impossible},  // full 0.795
        {counts(50, 110, 0, 40, 0, 0), true, possible},    // full 0.8, kanji 0.25, 200 characters
        {counts(49, 111, 0, 40, 0, 0), true, provisional}, // kanji below 0.25
        {counts(199, 0, 0, 0, 0, 0), true, provisional},   // under 200 characters
        {counts(0, 0, 0, 199, 0, 0), false, provisional},
        {counts(0, 40, 0, 150, 5, 5), false, possible}, // half 0.8
        {counts(0, 0, 0, 1144, 0, 235), false, possible}};
    for (const auto& [counts, japanese, availability] : cases) {
        EXPECT_EQ(isJapaneseText(counts), japanese) << str(countsLine(counts));
        EXPECT_EQ(judgementAvailability(counts), availability) << str(countsLine(counts));
    }
}

TEST(TextStats, LimitsAcceptTheBoundAndReportEachViolation) {
    const QString tooLong = u"全体の文字数が9999文字を超えています"_s, tooMany = u"段落数が200段落を超えています"_s;
    const auto paragraphs = [](int n, QList<int> longOnes, qint32 length) {
        QList<CharCounts> list(n, counts(0, 10, 0, 0, 0, 0));
        for (int p : longOnes)
            list[p - 1] = counts(0, length, 0, 0, 0, 0);
        return list;
    };
    const std::tuple<CharCounts, QList<CharCounts>, QStringList> cases[] = {
        {counts(9999, 0, 0, 0, 0, 0), paragraphs(200, {5}, 800), {}},
        {counts(10000, 0, 0, 0, 0, 0), paragraphs(1, {}, 0), {tooLong}},
        {counts(10, 0, 0, 0, 0, 0), paragraphs(201, {}, 0), {tooMany}},
        {counts(801, 0, 0, 0, 0, 0), paragraphs(5, {5}, 801), {u"第  5段落が800文字を超えています"_s}},
        {counts(10000, 0, 0, 0, 0, 0),
         paragraphs(1000, {120, 1000}, 900),
         {tooLong, tooMany, u"第120段落が800文字を超えています"_s, u"第1000段落が800文字を超えています"_s}}};
    for (const auto& [whole, paragraphs, messages] : cases)
        EXPECT_EQ(limitViolations(whole, paragraphs), messages);
}

// Ordinary statistics lines are pinned by the samples' published figures.
TEST(TextStats, CountFieldsWidenBeyondFourDigits) {
    const CharCounts japanese = counts(208, 226, 21, 0, 0, 0);
    EXPECT_EQ(countsLine(counts(9999, 0, 0, 0, 0, 1)), u"10000 (9999,   1)(9999,   0,   0)(   0,   0,   1)"_s);
    EXPECT_EQ(paragraphListLine(10000, japanese), u"10000  "_s + countsLine(japanese));
    // Header, list lines and the whole-text line share one column layout in a fixed-pitch font.
    for (const QString& line : {listHeader(true), listHeader(false), wholeTextLine(japanese, true),
                                wholeTextLine(japanese, false), paragraphListLine(1, japanese)})
        EXPECT_EQ(cp932::byteLength(line), 54) << line.toStdString();
}

TEST(TextStats, RatioCaptionsRoundToTwoPlacesInSixColumns) {
    const std::tuple<CharCounts, const char16_t*, const char16_t*, const char16_t*> cases[] = {
        {counts(208, 226, 21, 0, 0, 0), u"総文字数 455文字", u"漢字含有率  45.71％", u"半角含有率   0.00％"},
        {counts(0, 0, 0, 1144, 0, 235), u"総文字数 1379文字", u"漢字含有率   0.00％", u"半角含有率 100.00％"},
        {counts(2, 0, 0, 0, 0, 1), u"総文字数 3文字", u"漢字含有率  66.67％", u"半角含有率  33.33％"},
        {CharCounts{}, u"総文字数 0文字", u"漢字含有率   0.00％", u"半角含有率   0.00％"}};
    for (const auto& [counts, total, kanji, half] : cases) {
        EXPECT_EQ(characterCountCaption(counts), QString::fromUtf16(total));
        EXPECT_EQ(kanjiRatioCaption(counts), QString::fromUtf16(kanji));
        EXPECT_EQ(halfRatioCaption(counts), QString::fromUtf16(half));
    }
}
