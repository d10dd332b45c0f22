#include "app/BasicFunctions.h"
#include "app/Module1.h"
#include "app/Options.h"
#include "platform/Cp932.h"
#include "practice/TextLoading.h"
#include "records/RecordFiles.h"
#include "texts/SampleTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "fakes/TestFiles.h"

#include <unistd.h>

using namespace RecordFiles;
using ResultComputation::ResultFigures;
using ResultComputation::ResultInput;

namespace {

CharCounts counts(qint32 kanji, qint32 kana, qint32 fullOther, qint32 halfAlnum, qint32 halfOther) {
    CharCounts c;
    c.kanji = kanji;
    c.kana = kana;
    c.fullOther = fullOther;
    c.halfAlnum = halfAlnum;
    c.halfOther = halfOther;
    c.sumUp();
    return c;
}

ResultFigures figures(const CharCounts& c, qint32 elapsedMs, int standard, qint32 keystrokes,
                      std::array<qint32, 4> operations, qint32 exemption = 0) {
    ResultInput in;
    in.counts = c;
    in.elapsedMs = elapsedMs;
    in.standard = standard;
    in.keystrokes = keystrokes;
    in.operations = operations;
    in.paragraphExemption = exemption;
    return ResultComputation::computeResult(in);
}


// The lines of a record file as the windows read them back.
QStringList fileLines(const QString& path) {
    QStringList lines;
    for (const QByteArray& raw : splitRawLines(readAll(path)))
        lines.append(cp932::decode(raw));
    return lines;
}

const QDate January31(2024, 1, 31);
const CharCounts JapaneseText = counts(208, 226, 21, 0, 0);   // 455 characters
const CharCounts JapaneseParagraph = counts(20, 20, 0, 0, 0); // 40 characters
const CharCounts EnglishText = counts(0, 0, 0, 1144, 235);    // 1379 characters
const CharCounts EnglishParagraph = counts(0, 0, 0, 80, 20);  // 100 characters
const CharCounts MixedText = counts(70, 0, 0, 30, 0);         // 70 % full-width

struct Golden {
    const char* name;
    QString line;
    QString expected;
};

std::vector<Golden> goldenLines() {
    const ResultFigures jWhole = figures(JapaneseText, 182000, 0, 700, {30, 12, 3, 10}, 12);
    const ResultFigures jPara = figures(JapaneseParagraph, 20000, 0, 80, {3, 1, 0, 5});
    const ResultFigures eWhole = figures(EnglishText, 331000, 1, 1500, {40, 5, 20, 7}, 9);
    const ResultFigures ePara = figures(EnglishParagraph, 30000, 1, 110, {4, 2, 3, 1});
    return {
        {"japanese whole", practiceLogLine(u"240115093000", JapaneseText, January31, 0, jWhole),
         u"240115093000日 240131 通し 全体   455   700   150.0 S段   431.6 SS   6.6◎  2.6☆  0.7◎  2.2○"_qs},
        {"japanese paragraph", practiceLogLine(u"240115093000", JapaneseParagraph, January31, 3, jPara),
         u"240115093000日 240131 第  3段落    40    80   120.0 1級   360.0 SF   7.5◎  2.5☆  0.0☆ 12.5×"_qs},
        {"english whole", practiceLogLine(u"000000000002", EnglishText, January31, 0, eWhole),
         u"000000000002英 240131 通し 全体  1379  1500   250.0 B級   250.0  C     -　    -　  1.5◎    -"_qs},
        {"english paragraph", practiceLogLine(u"000000000002", EnglishParagraph, January31, 2, ePara),
         u"000000000002英 240131 第  2段落   100   110   200.0 B級   200.0  F     -　    -　  3.0○    -"_qs},
        {"japanese best", bestRecLine(u"240115093000", JapaneseText, January31, jWhole),
         u"j240115093000   240131    455   700   150.0 S段   431.6 SS    6.6◎  2.6☆  0.7◎  2.2○"_qs},
        {"english best", bestRecLine(u"000000000002", EnglishText, January31, eWhole),
         u"e000000000002   240131   1379  1500   250.0 B級   250.0  C      -　    -　  1.5◎    -"_qs},
    };
}

} // namespace

TEST(RecordLines, GoldenLines) {
    for (const Golden& g : goldenLines()) {
        EXPECT_EQ(g.line, g.expected) << g.name;
        EXPECT_EQ(cp932::encode(g.line), cp932::encode(g.expected)) << g.name;
    }
    // The English log line spelled out byte by byte: the filler's ideographic spaces are 81 40.
    const QByteArray english = QByteArray("000000000002") + "\x89\x70" + " 240131 " + "\x92\xca\x82\xb5" + " " +
                               "\x91\x53\x91\xcc" + "  1379  1500   250.0 B" + "\x8b\x89" + "   250.0  C     -" +
                               "\x81\x40" + "    -" + "\x81\x40" + "  1.5" + "\x81\x9d" + "    -";
    EXPECT_EQ(cp932::encode(goldenLines()[2].line), english);
}

TEST(RecordLines, FixedPositions) {
    const ResultFigures mixed = figures(MixedText, 60000, 0, 50, {0, 0, 0, 0});
    struct Case {
        const char* name;
        QString line;
        int charactersAt, keystrokesAt, cpmAt, gradeAt;
        const char16_t* grade;
    } cases[] = {
        {"japanese whole", goldenLines()[0].line, 27, 33, 39, 48, u"S段"},
        {"japanese paragraph", goldenLines()[1].line, 28, 34, 40, 49, u"1級"},
        {"english whole", goldenLines()[2].line, 27, 33, 39, 48, u"B級"},
        {"english paragraph", goldenLines()[3].line, 28, 34, 40, 49, u"B級"},
        {"mixed whole", practiceLogLine(u"240115093000", MixedText, January31, 0, mixed), 27, 33, 39, 48, u" - "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(basic::Mid(c.line, 1, 12).size(), 12) << c.name;
        EXPECT_TRUE(basic::Mid(c.line, 13, 1) == u"日" || basic::Mid(c.line, 13, 1) == u"英") << c.name;
        EXPECT_EQ(basic::Mid(c.line, 14, 1), u" "_qs) << c.name;
        EXPECT_EQ(basic::Mid(c.line, 15, 6), u"240131"_qs) << c.name;
        EXPECT_GT(basic::Val(basic::Mid(c.line, c.charactersAt, 6)), 0) << c.name;
        EXPECT_EQ(basic::Mid(c.line, c.charactersAt - 1, 1), c.charactersAt == 27 ? u"体"_qs : u"落"_qs) << c.name;
        EXPECT_GT(basic::Val(basic::Mid(c.line, c.keystrokesAt, 6)), 0) << c.name;
        EXPECT_GT(basic::Val(basic::Mid(c.line, c.cpmAt, 8)), 0) << c.name;
        EXPECT_EQ(basic::Mid(c.line, c.gradeAt - 1, 1), u" "_qs) << c.name;
        EXPECT_EQ(basic::Mid(c.line, c.gradeAt, 3).left(QStringView(c.grade).size()), QString::fromUtf16(c.grade))
            << c.name;
    }
    const QString mixedLine = cases[4].line;
    EXPECT_EQ(basic::Mid(mixedLine, 48, 3), u" - "_qs);
    EXPECT_EQ(basic::Mid(mixedLine, 60, 2), u" -"_qs); // RV2 of an ungraded text

    for (int i : {4, 5}) {
        const QString& best = goldenLines()[size_t(i)].line;
        EXPECT_EQ(basic::Mid(best, 2, 12), basic::Mid(goldenLines()[size_t(i - 4) * 2].line, 1, 12));
        EXPECT_EQ(basic::Mid(best, 14, 3), u"   "_qs);
        EXPECT_EQ(basic::Mid(best, 17, 6), u"240131"_qs);
        EXPECT_EQ(basic::Val(basic::Mid(best, 23, 7)), i == 4 ? 455 : 1379);
        EXPECT_EQ(basic::Val(basic::Mid(best, 30, 6)), i == 4 ? 700 : 1500);
        EXPECT_EQ(basic::Mid(best, 36, 8), i == 4 ? u"   150.0"_qs : u"   250.0"_qs);
        EXPECT_EQ(basic::Mid(best, 44, 1), u" "_qs);
        EXPECT_EQ(basic::Mid(best, 45, 2), i == 4 ? u"S段"_qs : u"B級"_qs);
    }
}

TEST(RecordLines, IdentifiersAndNames) {
    // The fourteen samples in menu order are "000000000001" .. "000000000014"; separators have none.
    const int sampleIndices[] = {0, 1, 3, 4, 6, 7, 9, 10, 12, 13, 15, 16, 18, 19};
    for (int n = 0; n < 14; ++n)
        EXPECT_EQ(sampleTextId(sampleIndices[n]), u"0000000000%1"_qs.arg(n + 1, 2, 10, QChar(u'0')));
    for (int other : {2, 5, 8, 11, 14, 17, 20, -1})
        EXPECT_TRUE(sampleTextId(other).isEmpty()) << other;

    EXPECT_EQ(textIdForFileName(u"120715203344.txt"), u"120715203344"_qs);
    EXPECT_EQ(textIdForFileName(u"a.txt"), u"a.txt       "_qs); // padded, so the line positions hold
    EXPECT_EQ(practiceLogName(QDate(2012, 7, 15)), u"201207Practice.log"_qs);
    EXPECT_EQ(practiceLogName(QDate(2023, 12, 31)), u"202312Practice.log"_qs);
    EXPECT_EQ(withoutLeadingTeisei(u"≪≪あ≪い"), u"あ≪い"_qs);
    EXPECT_EQ(withoutLeadingTeisei(u"≪≪"), QString());

    Module1 m;
    m.programFolder = u"/p"_qs;
    m.settings.setNumber(Options::ChosenSample, 13);
    EXPECT_EQ(detailFilePath(m, LastAttemptDetails), u"/p/LogBox/d000000000010.txt"_qs);
    EXPECT_EQ(detailFilePath(m, BestAttemptDetails), u"/p/LogBox/b000000000010.txt"_qs);
    EXPECT_EQ(detailFilePath(m, ParagraphDetails), u"/p/LogBox/Temp.txt"_qs);
    m.settings[Options::CurrentFile].address = u"120715203344.txt"_qs;
    EXPECT_EQ(detailFilePath(m, LastAttemptDetails), u"/p/LogBox/d120715203344.txt"_qs);
    EXPECT_EQ(currentTextKey(m).id, u"120715203344"_qs);
}

TEST(RecordLines, LanguageMarkUsesHalfOfTheCharacters) {
    struct Case {
        CharCounts c;
        bool japanese;
    } cases[] = {
        {counts(0, 50, 0, 50, 0), true}, // exactly half: still 日
        {counts(0, 49, 0, 51, 0), false},
        {MixedText, true}, // 30 % half-width: 日 although not graded as Japanese
        {EnglishText, false},
        {CharCounts{}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isJapaneseMark(c.c), c.japanese) << c.c.total;
        const QString line = practiceLogLine(u"240115093000", c.c, January31, 0, figures(c.c, 1000, 0, 1, {}));
        EXPECT_EQ(basic::Mid(line, 13, 1), c.japanese ? u"日"_qs : u"英"_qs);
        EXPECT_EQ(bestRecLine(u"240115093000", c.c, January31, figures(c.c, 1000, 0, 1, {})).left(1),
                  c.japanese ? u"j"_qs : u"e"_qs);
    }
}

TEST(RecordLines, BestTimesLineInBothForms) {
    BestTimes times = BestTimesLine::empty();
    times[0] = 12.345f;
    times[1] = 13.5f;
    times[9] = 99999.0f;
    const QString written = BestTimesLine::format(times);
    EXPECT_EQ(written.size(), 90);
    EXPECT_EQ(written,
              u"00012.35,00013.50,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.00,"_qs);
    EXPECT_FLOAT_EQ(BestTimesLine::parse(written)[0], 12.35f);
    EXPECT_FLOAT_EQ(BestTimesLine::parse(written)[9], 99999.0f);

    const QString empty = BestTimesLine::emptyLine();
    EXPECT_EQ(empty.size(), 89);
    EXPECT_TRUE(BestTimesLine::isEmptyLine(empty));
    EXPECT_FALSE(BestTimesLine::isEmptyLine(written));
    EXPECT_FALSE(BestTimesLine::isEmptyLine(BestTimesLine::format(BestTimesLine::empty()))); // 90 characters
    EXPECT_EQ(BestTimesLine::parse(empty), BestTimesLine::empty());

    // A place that would not fit eight characters is written empty rather than shifting the rest.
    times[2] = 123456.0f;
    times[3] = -1.0f;
    const QString guarded = BestTimesLine::format(times);
    EXPECT_EQ(guarded.size(), 90);
    EXPECT_EQ(basic::Mid(guarded, 19, 18), u"99999.99,99999.99,"_qs);
}

TEST(RecordLines, DetailFileOf200Paragraphs) {
    QStringList paragraphs;
    std::array<ParagraphResult, 201> rows;
    for (int p = 0; p < 200; ++p) {
        paragraphs.append(p % 2 ? u"Typing practice."_qs : u"漢字とかなの段落です。"_qs);
        ParagraphResult& r = rows[size_t(p)];
        r.keystrokes = 30 + p;
        r.timeMs = 5000 + 10 * p;
        r.confirmations = p % 3; // 0, 1 or 2
        r.conversions = 1;
        r.teisei = p == 7 ? 1 : 0;
        r.operations = p == 5 ? QString() : (p == 7 ? u"≪≪かな≪"_qs : u"かな■"_qs);
    }
    const ResultFigures whole = figures(counts(1000, 1000, 200, 0, 0), 900000, 0, 9000, {100, 200, 1, 0}, 200);
    const QStringList lines = detailLines(whole, 2200, paragraphs, rows, 0);
    ASSERT_EQ(lines.size(), 2 * 200 + 2);
    EXPECT_EQ(basic::Mid(lines[0], 1, 5), u"通し 全体"_qs);
    EXPECT_EQ(basic::Mid(lines[0], 6, 6), u"  2200"_qs);
    EXPECT_EQ(basic::Mid(lines[0], 12, 6), u"  9000"_qs);
    EXPECT_EQ(basic::Mid(lines[0], 18, 8), basic::FormatAt(whole.cpm, u"@@@@@@@@"));
    EXPECT_EQ(basic::Mid(lines[0], 26, 1), u" "_qs);
    EXPECT_EQ(basic::Mid(lines[0], 27, whole.grade.size()), whole.grade);
    EXPECT_TRUE(lines[201].isEmpty());
    for (int p = 0; p < 200; ++p) {
        const QString& line = lines[p + 1];
        const bool japanese = p % 2 == 0;
        EXPECT_EQ(basic::Mid(line, 1, 1), u"第"_qs);
        EXPECT_EQ(basic::Val(basic::Mid(line, 2, 3)), p + 1);
        EXPECT_EQ(basic::Mid(line, 5, 2), u"段落"_qs);
        EXPECT_EQ(basic::Val(basic::Mid(line, 7, 6)), japanese ? 11 : 16);
        EXPECT_EQ(basic::Val(basic::Mid(line, 13, 6)), 30 + p);
        EXPECT_GT(basic::Val(basic::Mid(line, 19, 8)), 90) << p;
        EXPECT_EQ(basic::Mid(line, 27, 1), u" "_qs);
        EXPECT_NE(basic::Mid(line, 28, 1), u" "_qs) << p; // every paragraph is graded in its own language
        // Own counts, no paragraph exemption: 2 confirmations in 11 characters is ×.
        if (japanese && p % 3 == 2) {
            EXPECT_TRUE(line.contains(u" 18.2×"_qs)) << line.toStdString();
        }
        if (!japanese) {
            EXPECT_TRUE(line.contains(u"     -　    -　"_qs)) << line.toStdString();
        }
    }
    EXPECT_TRUE(lines[202 + 5].isEmpty());  // an empty string keeps its line
    EXPECT_EQ(lines[202 + 7], u"かな≪"_qs); // leading corrections dropped
    EXPECT_EQ(lines[202 + 199], u"かな■"_qs);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"d240115093000.txt"_qs);
    ASSERT_TRUE(writeLinesAtomically(path, lines, nullptr));
    EXPECT_EQ(readAll(path).count("\r\n"), 402);
    EXPECT_EQ(fileLines(path), lines);
}

// ---- Files ----------------------------------------------------------------------------------

namespace {

class RecordFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m.programFolder = m_dir.path();
        QDir().mkpath(m.fileBoxPath());
        QDir().mkpath(m.logBoxPath());
        Options::applyStartupDefaults(m.settings);
    }

    // A practice-text file as the creation window writes it, made the current text.
    void loadText(const QString& name, const QStringList& paragraphs) {
        CharCounts total;
        for (const QString& p : paragraphs)
            total += ClassifyChars(p);
        const QStringList lines =
            QStringList{u"出所"_qs, u"240101"_qs, u"表題"_qs, countsLine(total), BestTimesLine::emptyLine()} +
            paragraphs;
        writeAll(m.fileBoxPath() + u'/' + name, cp932::encode(lines.join(u"\r\n"_qs) + u"\r\n"_qs));
        m.settings[Options::CurrentFile].address = name;
        QString error;
        ASSERT_TRUE(TextLoading::LoadOwnText(m, &error)) << error.toStdString();
    }

    // A whole-text attempt: every paragraph takes `perParagraphMs` and one confirmation.
    AttemptSummary wholeAttempt(qint32 perParagraphMs, qint32 keystrokesPerParagraph = 20) {
        AttemptSummary s;
        const int count = m.text.paragraphCount();
        s.practiceMode = 0;
        s.elapsedMs = perParagraphMs * count;
        s.firstRow = 0;
        s.lastRow = count - 1;
        s.currentLine = m.text.LineCount - 1;
        for (int p = 0; p < count; ++p) {
            ParagraphResult& r = m_rows[size_t(p)];
            r = {keystrokesPerParagraph, perParagraphMs, 1, 1, 0, 0, u"≪かな■"_qs};
            s.counters.Keystrokes += r.keystrokes;
            s.counters.Conversions += 1;
            s.counters.Confirmations += 1;
        }
        return s;
    }

    AttemptSummary paragraphAttempt(int paragraph, qint32 elapsedMs) {
        m.settings.setNumber(Options::PracticeMode, 1);
        TextLoading::paragraphPractice(m, paragraph);
        AttemptSummary s;
        s.practiceMode = 1;
        s.elapsedMs = elapsedMs;
        s.firstRow = s.lastRow = paragraph;
        s.currentLine = paragraph + CurrentText::FirstParagraphLine;
        s.counters.Keystrokes = 12;
        m_rows[size_t(paragraph)] = {12, elapsedMs, 0, 0, 1, 0, u"≪≪ab≪c"_qs};
        return s;
    }

    RecordOutcome finish(const AttemptSummary& s, const QDateTime& now) {
        m_last = ResultComputation::computeAttempt(m, s);
        return writeAttemptRecords(m, s, m_rows, m_last, now);
    }

    QString log(const QString& name) const { return m.logBoxPath() + u'/' + name; }
    QString textPath(const QString& name) const { return m.fileBoxPath() + u'/' + name; }

    QTemporaryDir m_dir;
    Module1 m;
    std::array<ParagraphResult, 201> m_rows;
    ResultComputation::AttemptResult m_last;
};

const QStringList ThreeParagraphs = {u"国際連合の人民は、"_qs, u"われらの一生のうちに二度まで"_qs,
                                     u"言語に絶する悲哀を人類に与えた"_qs};
const QString TextName = u"240115093000.txt"_qs;
const QDateTime Jan31(QDate(2024, 1, 31), QTime(21, 0));
const QDateTime Feb1(QDate(2024, 2, 1), QTime(8, 0));

} // namespace

TEST_F(RecordFilesTest, WholeTextAttemptWritesEveryRecord) {
    loadText(TextName, ThreeParagraphs);
    m.DetailMode = ParagraphDetails;
    const RecordOutcome out = finish(wholeAttempt(10000), Jan31);
    EXPECT_TRUE(out.ok()) << out.errorMessage().toStdString();
    EXPECT_TRUE(out.practiceLog && out.bestRec && out.bestTimesLine && out.detailFile && out.bestDetailFile);
    EXPECT_FALSE(out.tempFile);

    const QStringList logLines = fileLines(log(u"202401Practice.log"_qs));
    ASSERT_EQ(logLines.size(), 1);
    EXPECT_EQ(logLines[0], practiceLogLine(u"240115093000", m.text.counts, Jan31.date(), 0, m_last.figures));
    EXPECT_EQ(basic::Mid(logLines[0], 21, 6), u" 通し 全体"_qs);
    EXPECT_TRUE(readAll(log(u"202401Practice.log"_qs)).endsWith("\r\n"));
    // Three confirmations at the ends of three paragraphs are not held against the attempt.
    EXPECT_EQ(m_last.figures.rows[ResultComputation::Confirmation].mark, u"☆"_qs);

    const QStringList best = fileLines(log(u"BestRec.log"_qs));
    ASSERT_EQ(best.size(), 1);
    EXPECT_EQ(best[0].left(13), u"j240115093000"_qs);

    const QStringList text = fileLines(textPath(TextName));
    ASSERT_EQ(text.size(), 8);
    EXPECT_EQ(text[4],
              u"00030.00,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,"_qs);
    EXPECT_EQ(text[5], ThreeParagraphs[0]);
    EXPECT_EQ(m.text.line(4), text[4]);
    EXPECT_FLOAT_EQ(m.text.bestTimes[0], 30.0f);

    const QStringList detail = fileLines(log(u"d240115093000.txt"_qs));
    ASSERT_EQ(detail.size(), 2 * 3 + 2);
    EXPECT_EQ(detail[0], u"通し 全体"_qs + resultFields(m_last.figures, m.text.counts.total, FieldLayout::Log));
    EXPECT_EQ(basic::Val(basic::Mid(detail[2], 7, 6)), 14);
    EXPECT_EQ(detail[5], u"かな■"_qs);
    EXPECT_EQ(readAll(log(u"b240115093000.txt"_qs)), readAll(log(u"d240115093000.txt"_qs)));
    EXPECT_EQ(m.DetailMode, LastAttemptDetails);
}

TEST_F(RecordFilesTest, EqualTimeIsNoNewBestAndFasterReplacesTheLineInPlace) {
    loadText(TextName, ThreeParagraphs);
    writeAll(log(u"BestRec.log"_qs), cp932::encode(u"j111111111111   240101 first\r\ne240115093000   240101 english\r\n"
                                                   u"j999999999999   240101 last\r\n"_qs));
    ASSERT_TRUE(finish(wholeAttempt(10000), Jan31).ok());
    const QByteArray bestAfterFirst = readAll(log(u"BestRec.log"_qs));
    const QByteArray bestDetail = readAll(log(u"b240115093000.txt"_qs));
    const QByteArray januaryLog = readAll(log(u"202401Practice.log"_qs));

    // The same time on the next day: a second place, but BestRec.log and the "b" file stay.
    RecordOutcome out = finish(wholeAttempt(10000, 25), Feb1);
    EXPECT_TRUE(out.ok());
    EXPECT_FALSE(m_last.best.newBest);
    EXPECT_FALSE(out.bestRec || out.bestDetailFile);
    EXPECT_TRUE(out.bestTimesLine && out.detailFile);
    EXPECT_EQ(readAll(log(u"BestRec.log"_qs)), bestAfterFirst);
    EXPECT_EQ(readAll(log(u"b240115093000.txt"_qs)), bestDetail);
    EXPECT_NE(readAll(log(u"d240115093000.txt"_qs)), bestDetail);
    EXPECT_EQ(fileLines(textPath(TextName))[4].left(18), u"00030.00,00030.00,"_qs);
    EXPECT_EQ(readAll(log(u"202401Practice.log"_qs)), januaryLog); // a new month starts its own file
    EXPECT_EQ(fileLines(log(u"202402Practice.log"_qs)).size(), 1);

    // Faster: the line of this text is replaced where it stood.
    out = finish(wholeAttempt(9000), Feb1);
    EXPECT_TRUE(out.bestRec && out.bestDetailFile);
    const QStringList best = fileLines(log(u"BestRec.log"_qs));
    ASSERT_EQ(best.size(), 4);
    EXPECT_EQ(best[0], u"j111111111111   240101 first"_qs);
    EXPECT_EQ(best[1], u"e240115093000   240101 english"_qs); // the English key is another line
    EXPECT_EQ(best[2], u"j999999999999   240101 last"_qs);
    EXPECT_EQ(best[3].left(22), u"j240115093000   240201"_qs);
    EXPECT_EQ(fileLines(textPath(TextName))[4].left(27), u"00027.00,00030.00,00030.00,"_qs);
    EXPECT_EQ(readAll(log(u"b240115093000.txt"_qs)), readAll(log(u"d240115093000.txt"_qs)));

    finish(wholeAttempt(8000), Feb1);
    const QStringList again = fileLines(log(u"BestRec.log"_qs));
    ASSERT_EQ(again.size(), 4);
    EXPECT_EQ(again[3].left(22), u"j240115093000   240201"_qs);
    EXPECT_EQ(basic::Mid(again[3], 36, 8), u"    95.0"_qs); // 38 characters in 24 s
}

TEST_F(RecordFilesTest, ParagraphAttemptWritesTheLogAndTempOnly) {
    loadText(TextName, ThreeParagraphs);
    const QByteArray textBefore = readAll(textPath(TextName));
    const RecordOutcome out = finish(paragraphAttempt(2, 6000), Jan31);
    EXPECT_TRUE(out.ok());
    EXPECT_TRUE(out.practiceLog && out.tempFile);
    EXPECT_FALSE(out.bestRec || out.bestTimesLine || out.detailFile || out.bestDetailFile);

    const QStringList logLines = fileLines(log(u"202401Practice.log"_qs));
    ASSERT_EQ(logLines.size(), 1);
    EXPECT_EQ(basic::Mid(logLines[0], 21, 7), u" 第  3段落"_qs);
    EXPECT_EQ(basic::Val(basic::Mid(logLines[0], 28, 6)), 15); // the paragraph's own characters
    EXPECT_EQ(readAll(log(u"Temp.txt"_qs)), QByteArray("ab\x81\xe1"
                                                       "c\r\n"));
    EXPECT_FALSE(QFile::exists(log(u"BestRec.log"_qs)));
    EXPECT_FALSE(QFile::exists(log(u"d240115093000.txt"_qs)));
    EXPECT_EQ(readAll(textPath(TextName)), textBefore);
    EXPECT_EQ(m.DetailMode, ParagraphDetails);
    EXPECT_FLOAT_EQ(m.text.bestTimes[0], BestTimesLine::EmptyTime);
}

TEST_F(RecordFilesTest, SampleTextKeepsItsBestTimesInTheSettings) {
    TextLoading::chooseSample(m, 1);
    const RecordOutcome out = finish(wholeAttempt(20000), Jan31);
    EXPECT_TRUE(out.ok()) << out.errorMessage().toStdString();
    const QString stored = m.settings[Options::SampleBestLines + 1].address;
    EXPECT_EQ(stored.size(), 90);
    EXPECT_FLOAT_EQ(BestTimesLine::parse(stored)[0], m_last.best.seconds);
    EXPECT_TRUE(QDir(m.fileBoxPath()).isEmpty());
    EXPECT_TRUE(QFile::exists(log(u"d000000000002.txt"_qs)));
    EXPECT_TRUE(QFile::exists(log(u"b000000000002.txt"_qs)));
    const QStringList best = fileLines(log(u"BestRec.log"_qs));
    ASSERT_EQ(best.size(), 1);
    EXPECT_EQ(best[0].left(13), u"e000000000002"_qs);
    EXPECT_EQ(basic::Mid(fileLines(log(u"202401Practice.log"_qs))[0], 1, 13), u"000000000002英"_qs);
}

TEST_F(RecordFilesTest, BestRecKeepsDamagedLinesByteForByte) {
    const QString path = log(u"BestRec.log"_qs);
    const QByteArray invalid = QByteArray("j2401150930") + "\xff\xfe" + " broken " + "\x82";
    const QByteArray before = QByteArray("j111111111111   240101 a\r\n") + "\r\n" + "short\r\n" + invalid + "\r\n" +
                              "j240115093000   231231 old\r\n" + "e240115093000   231231 english";
    writeAll(path, before);
    QString error;
    ASSERT_TRUE(updateBestRec(path, u"j240115093000   240131 new"_qs, &error)) << error.toStdString();
    EXPECT_EQ(readAll(path), QByteArray("j111111111111   240101 a\r\n") + "\r\n" + "short\r\n" + invalid + "\r\n" +
                                 "j240115093000   240131 new\r\n" + "e240115093000   231231 english\r\n");

    // A key not in the file goes at the end; lone LF line ends come back as CR LF.
    writeAll(path, "j111111111111 a\nj222222222222 b\n");
    ASSERT_TRUE(updateBestRec(path, u"j333333333333 c"_qs, &error));
    EXPECT_EQ(readAll(path), QByteArray("j111111111111 a\r\nj222222222222 b\r\nj333333333333 c\r\n"));

    // A missing file is created with the line alone.
    QFile::remove(path);
    ASSERT_TRUE(updateBestRec(path, u"j333333333333 c"_qs, &error));
    EXPECT_EQ(readAll(path), QByteArray("j333333333333 c\r\n"));
}

TEST_F(RecordFilesTest, AppendingToALogWithoutItsFinalLineEnd) {
    const QString path = log(u"202401Practice.log"_qs);
    writeAll(path, "older line");
    QString error;
    ASSERT_TRUE(appendLine(path, u"新しい行"_qs, &error));
    EXPECT_EQ(readAll(path), QByteArray("older line\r\n") + cp932::encode(u"新しい行") + "\r\n");
    ASSERT_TRUE(appendLine(path, u"x"_qs, &error));
    EXPECT_TRUE(readAll(path).endsWith("\r\nx\r\n"));
    EXPECT_EQ(splitRawLines(readAll(path)).size(), 3);
}

TEST_F(RecordFilesTest, BestTimesLineRewritesTheTextFileAtomically) {
    const QString path = textPath(TextName);
    const QByteArray invalidParagraph("\x88\x9f\xff", 3);
    writeAll(path, QByteArray("src  \r\n240101\r\ntitle\r\n  12 (stats)\r\n99999.99\r\n") + invalidParagraph +
                       "  \r\nsecond\nthird \r\n   \r\nnot part of the text\r\n");
    QString error;
    const QString line =
        u"00012.34,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,"_qs;
    ASSERT_TRUE(rewriteBestTimesLineOfFile(path, line, &error)) << error.toStdString();
    EXPECT_EQ(readAll(path), QByteArray("src\r\n240101\r\ntitle\r\n  12 (stats)\r\n") + line.toLatin1() + "\r\n" +
                                 invalidParagraph + "\r\nsecond\r\nthird\r\n");
    EXPECT_TRUE(QDir(m.fileBoxPath()).entryList(QDir::Files) == QStringList{TextName}); // no temporary left

    writeAll(path, "only\r\nthree\r\nlines\r\n");
    EXPECT_FALSE(rewriteBestTimesLineOfFile(path, line, &error));
    EXPECT_EQ(readAll(path), QByteArray("only\r\nthree\r\nlines\r\n"));
}

TEST_F(RecordFilesTest, TextDeletedWhileLoadedIsReportedAndNotRecreated) {
    loadText(TextName, ThreeParagraphs);
    ASSERT_TRUE(QFile::remove(textPath(TextName)));
    const RecordOutcome out = finish(wholeAttempt(10000), Jan31);
    EXPECT_FALSE(out.ok());
    EXPECT_FALSE(out.bestTimesLine);
    EXPECT_TRUE(out.errorMessage().contains(u"240115093000.txt"_qs));
    EXPECT_TRUE(out.errorMessage().contains(u"見つからない"_qs));
    EXPECT_FALSE(QFile::exists(textPath(TextName)));
    // Everything in LogBox is still written, and the table in memory keeps the time.
    EXPECT_TRUE(out.practiceLog && out.bestRec && out.detailFile && out.bestDetailFile);
    EXPECT_FLOAT_EQ(m.text.bestTimes[0], 30.0f);
}

TEST_F(RecordFilesTest, MissingLogBoxIsCreatedAgain) {
    loadText(TextName, ThreeParagraphs);
    ASSERT_TRUE(QDir(m.logBoxPath()).removeRecursively());
    const RecordOutcome out = finish(wholeAttempt(10000), Jan31);
    EXPECT_TRUE(out.ok()) << out.errorMessage().toStdString();
    EXPECT_TRUE(QFile::exists(log(u"202401Practice.log"_qs)));
    EXPECT_TRUE(QFile::exists(log(u"d240115093000.txt"_qs)));
}

TEST_F(RecordFilesTest, LogBoxThatCannotBeAFolderIsReported) {
    loadText(TextName, ThreeParagraphs);
    ASSERT_TRUE(QDir(m.logBoxPath()).removeRecursively());
    writeAll(m.logBoxPath(), "a file where the folder should be");
    m.DetailMode = ParagraphDetails;
    const RecordOutcome out = finish(wholeAttempt(10000), Jan31);
    EXPECT_FALSE(out.ok());
    EXPECT_TRUE(out.errorMessage().contains(u"LogBox"_qs));
    EXPECT_FALSE(out.practiceLog || out.bestRec || out.detailFile);
    EXPECT_TRUE(out.bestTimesLine); // the text's own file is elsewhere
    EXPECT_EQ(readAll(m.logBoxPath()), QByteArray("a file where the folder should be"));
    EXPECT_EQ(m.DetailMode, ParagraphDetails); // no details file of this attempt to show
}

TEST_F(RecordFilesTest, ReadOnlyLogBoxLeavesEveryFileWhole) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    loadText(TextName, ThreeParagraphs);
    ASSERT_TRUE(finish(wholeAttempt(10000), Jan31).ok());
    const QByteArray logBefore = readAll(log(u"202401Practice.log"_qs));
    const QByteArray bestBefore = readAll(log(u"BestRec.log"_qs));
    const QStringList filesBefore = QDir(m.logBoxPath()).entryList(QDir::Files);
    QFile::setPermissions(log(u"202401Practice.log"_qs), QFile::ReadOwner);
    QFile::setPermissions(m.logBoxPath(), QFile::ReadOwner | QFile::ExeOwner);
    const RecordOutcome out = finish(wholeAttempt(9000), Jan31);
    QFile::setPermissions(m.logBoxPath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(out.ok());
    EXPECT_FALSE(out.practiceLog || out.bestRec || out.detailFile || out.bestDetailFile);
    EXPECT_TRUE(out.errorMessage().contains(u"202401Practice.log"_qs));
    EXPECT_TRUE(out.errorMessage().contains(u"BestRec.log"_qs));
    EXPECT_EQ(readAll(log(u"202401Practice.log"_qs)), logBefore);
    EXPECT_EQ(readAll(log(u"BestRec.log"_qs)), bestBefore);
    EXPECT_EQ(QDir(m.logBoxPath()).entryList(QDir::Files), filesBefore);
}

TEST_F(RecordFilesTest, FullDiskAppendIsReported) {
    if (!QFileInfo::exists(u"/dev/full"_qs)) GTEST_SKIP() << "no /dev/full";
    QString error;
    EXPECT_FALSE(appendLine(u"/dev/full"_qs, u"a line"_qs, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(writeLinesAtomically(m.logBoxPath() + u"/no/such/folder/Temp.txt"_qs, {u"x"_qs}, &error));
}
