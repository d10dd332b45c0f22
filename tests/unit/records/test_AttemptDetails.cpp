#include "core/records/AttemptDetails.h"
#include "core/util/Cp932.h"
#include "unit/UnitTest.h"

using namespace AttemptDetails;

namespace {

// Record lines as the details file has them: label, characters, keystrokes, CPM, a blank, the
// grade, SCR, a blank, RV and the operation columns.
const QString Paragraph1 = u"第  1段落    10    25    50.0 3級   123.4 ZS   10.0☆  0.0☆  0.0☆  0.0☆"_s;
const QString Whole = u"通し 全体    20    50   300.0 10A  1200.0 XX   10.0☆  0.0☆  0.0☆  0.0☆"_s;

QByteArray file(const QStringList& lines) {
    return cp932::encode(lines.join(u"\r\n"_s) + u"\r\n"_s);
}

const CharCounts Japanese{20, 20, 0, 10, 10, 0, 0, 0, 0};

} // namespace

TEST(AttemptDetails, HalfWidthFormOfRecordLines) {
    EXPECT_EQ(listedParagraphLine(Paragraph1, 1, false),
              u"Paragr  1    10    25    50.0 3ky   123.4 ZS   10.0☆  0.0☆  0.0☆  0.0☆"_s);
    EXPECT_EQ(listedWholeLine(Whole, false),
              u"Through      20    50   300.0 10A  1200.0 XX   10.0☆  0.0☆  0.0☆  0.0☆"_s);
    EXPECT_EQ(listedParagraphLine(u"第"_s, 2, false), u"Paragr  2Sky"_s); // a cut line shortens, never reads past
}

TEST(AttemptDetails, DamagedFilesPairRecordLinesWithTheirOperations) {
    const QString P2 = u"第  2段落"_s;
    const struct {
        const char* name;
        QStringList lines;
        QStringList expectedLines, expectedOperations;
    } cases[] = {
        {"well formed", {Whole, Paragraph1, P2, u""_s, u"あ□い"_s, u"う"_s}, {Paragraph1, P2}, {u"あ□い"_s, u"う"_s}},
        {"last line lost", {Whole, Paragraph1, P2, u""_s, u"あ□い"_s}, {Paragraph1}, {u"あ□い"_s}},
        {"a line added", {Whole, Paragraph1, u""_s, u"あ"_s, u"x"_s}, {Paragraph1}, {u"あ"_s}},
        {"no separator", {Whole, Paragraph1, u"x"_s}, {}, {}},
        {"whole line only", {Whole}, {}, {}},
        {"empty", {}, {}, {}},
    };
    for (const auto& c : cases) {
        const DetailRecords r = parseDetailFile(c.lines.isEmpty() ? QByteArray() : file(c.lines));
        EXPECT_EQ(r.paragraphLines, c.expectedLines) << c.name;
        EXPECT_EQ(r.operations, c.expectedOperations) << c.name;
    }
    // More paragraphs than a text may have are cut at 200; garbage bytes decode without a crash.
    const QStringList many = QStringList{Whole} + QStringList(500, P2) + QStringList{u""_s} + QStringList(500, u"あ"_s);
    EXPECT_EQ(parseDetailFile(file(many)).paragraphLines.size(), MaxParagraphs);
    EXPECT_EQ(parseDetailFile(QByteArray("\x81\xff\r\n\x82\r\n\r\n\xfd\xfe")).operations.size(), 1);
    EXPECT_EQ(parseParagraphFile(cp932::encode(u"あ□い\r\nう"_s)), u"あ□い"_s);
}

TEST(AttemptDetails, AveragesShownOnlyForJudgeableJapaneseTextsWithConversions) {
    const QByteArray bytes = file({Whole, Paragraph1, u""_s, u"あ□□＜□い"_s});
    DetailsRequest request{0, true, true, Japanese};
    DetailsContent c = presentDetails(request, true, bytes);
    EXPECT_TRUE(c.averagesShown);
    EXPECT_EQ(c.wholeAverage, u"2.0"_s);
    EXPECT_EQ(c.paragraphRows, QStringList{Paragraph1});
    request.judgementPossible = false;
    EXPECT_FALSE(presentDetails(request, true, bytes).averagesShown);
    request = {0, true, true, {10, 0, 10, 0, 0, 0, 10, 0, 0}};
    EXPECT_FALSE(presentDetails(request, true, bytes).averagesShown); // English text
    EXPECT_EQ(presentDetails(request, false, {}).paragraphRows, QStringList{QString::fromUtf16(NoDataText)});
    EXPECT_EQ(presentDetails(request, true, file({Whole})).paragraphRows, QStringList{QString::fromUtf16(NoDataText)});

    // The last paragraph attempt: its average, or room for "No Correction !" without one.
    request = {2, true, true, Japanese};
    c = presentDetails(request, true, cp932::encode(u"あ□い\r\n"_s));
    EXPECT_TRUE(c.paragraphAverageShown);
    EXPECT_EQ(c.paragraphAverage, u"2.0"_s);
    EXPECT_FALSE(c.noCorrectionPossible);
    EXPECT_TRUE(presentDetails(request, true, cp932::encode(u"abc"_s)).noCorrectionPossible);
    EXPECT_TRUE(presentDetails(request, false, {}).operations.isEmpty());
}
