#include "core/practice/Session.h"
#include "core/practice/TextLoading.h"
#include "core/records/RecordDeletion.h"
#include "core/records/RecordFiles.h"
#include "core/settings/Options.h"
#include "core/util/AtomicFile.h"
#include "core/util/BasicFunctions.h"
#include "core/util/Cp932.h"
#include "unit/UnitTest.h"

#include "support/ProgramFolderTest.h"
#include <cerrno>
#include <unistd.h>

using namespace RecordFiles;
using ResultComputation::ResultFigures;

namespace {

CharCounts counts(qint32 kanji, qint32 kana, qint32 fullOther, qint32 halfAlnum, qint32 halfOther) {
    CharCounts c{0, 0, 0, kanji, kana, fullOther, halfAlnum, 0, halfOther};
    c.sumUp();
    return c;
}

ResultFigures figures(const CharCounts& c, qint32 elapsedMs, int standard, qint32 keystrokes,
                      std::array<qint32, 4> operations, qint32 exemption = 0) {
    return ResultComputation::computeResult(
        {c, elapsedMs, keystrokes, operations, standard, exemption, QString::fromUtf16(NoOwnLevel), {}});
}

QStringList fileLines(const QString& path) {
    QStringList lines;
    for (const QByteArray& raw : splitRawLines(readAll(path)))
        lines.append(cp932::decode(raw));
    return lines;
}

// The files an attempt wrote, in the order the recorder writes them.
std::string written(const RecordOutcome& o) {
    std::string s;
    for (const auto& [done, name] : {std::pair{o.practiceLog, "log "},
                                     {o.bestRec, "best "},
                                     {o.bestTimesLine, "times "},
                                     {o.detailFile, "d "},
                                     {o.bestDetailFile, "b "},
                                     {o.tempFile, "temp "}})
        s += done ? name : "";
    return s;
}

const QDate January31(2024, 1, 31);
const CharCounts MixedText = counts(70, 0, 0, 30, 0); // 70 % full-width: no grade table

} // namespace

// Japanese and English, whole text and paragraph, then the BestRec.log lines of both.
TEST(RecordLines, GoldenLinesWithTheirFieldsAtFixedPositions) {
    const CharCounts japanese = counts(208, 226, 21, 0, 0), english = counts(0, 0, 0, 1144, 235);
    const CharCounts jPara = counts(20, 20, 0, 0, 0), ePara = counts(0, 0, 0, 80, 20);
    const ResultFigures jWhole = figures(japanese, 182000, 0, 700, {30, 12, 3, 10}, 12);
    const ResultFigures eWhole = figures(english, 331000, 1, 1500, {40, 5, 20, 7}, 9);
    const QStringList
        g = {practiceLogLine(u"240115093000", japanese, January31, 0, jWhole),
             practiceLogLine(u"240115093000", jPara, January31, 3, figures(jPara, 20000, 0, 80, {3, 1, 0, 5})),
             practiceLogLine(u"000000000002", english, January31, 0, eWhole),
             practiceLogLine(u"000000000002", ePara, January31, 2, figures(ePara, 30000, 1, 110, {4, 2, 3, 1})),
             bestRecLine(u"240115093000", japanese, January31, jWhole),
             bestRecLine(u"000000000002", english, January31, eWhole)},
        expected = {u"240115093000日 240131 通し 全体   455   700   150.0 S段   431.6 SS   6.6◎  2.6☆  0.7◎  2.2○"_s,
                    u"240115093000日 240131 第  3段落    40    80   120.0 1級   360.0 SF   7.5◎  2.5☆  0.0☆ 12.5×"_s,
                    u"000000000002英 240131 通し 全体  1379  1500   250.0 B級   250.0  C     -　    -　  1.5◎    -"_s,
                    u"000000000002英 240131 第  2段落   100   110   200.0 B級   200.0  F     -　    -　  3.0○    -"_s,
                    u"j240115093000   240131    455   700   150.0 S段   431.6 SS    6.6◎  2.6☆  0.7◎  2.2○"_s,
                    u"e000000000002   240131   1379  1500   250.0 B級   250.0  C      -　    -　  1.5◎    -"_s};
    EXPECT_EQ(g, expected);
    // The English log line in code page 932 bytes: the filler's ideographic spaces are 81 40.
    EXPECT_EQ(cp932::encode(g[2]), QByteArray("000000000002\x89\x70 240131 \x92\xca\x82\xb5 \x91\x53\x91\xcc"
                                              "  1379  1500   250.0 B\x8b\x89   250.0  C     -\x81\x40    -\x81\x40"
                                              "  1.5\x81\x9d    -"));
    // The dates and counts stand at fixed positions; an ungraded text keeps " - " as grade and own level.
    for (const QString& line : g)
        EXPECT_EQ(basic::Mid(line, line.startsWith(u'0') || line.startsWith(u'2') ? 15 : 17, 6), u"240131"_s);
    const QString mixed =
        practiceLogLine(u"240115093000", MixedText, January31, 0, figures(MixedText, 60000, 0, 50, {0, 0, 0, 0}));
    EXPECT_EQ(basic::Mid(mixed, 27, 24) + u'|' + basic::Mid(mixed, 60, 2), u"   100    50   100.0  - | -"_s);
}

TEST(RecordLines, BestTimesLineInBothForms) {
    BestTimes times = BestTimesLine::empty();
    times[0] = 12.345f;
    times[9] = 99999.0f;
    EXPECT_EQ(BestTimesLine::format(times),
              u"00012.35,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.00,"_s);
    EXPECT_TRUE(BestTimesLine::emptyLine().size() == 89 && BestTimesLine::isEmptyLine(BestTimesLine::emptyLine()));
    EXPECT_FALSE(BestTimesLine::isEmptyLine(BestTimesLine::format(BestTimesLine::empty()))); // 90 characters
    // A place that would not fit eight characters is written empty rather than shifting the rest.
    times[1] = 123456.0f;
    times[2] = -1.0f;
    EXPECT_EQ(BestTimesLine::format(times).left(27), u"00012.35,99999.99,99999.99,"_s);
}

TEST(RecordLines, DetailFileOf200Paragraphs) {
    QStringList paragraphs;
    std::array<ParagraphResult, 201> rows;
    for (int p = 0; p < 200; ++p) {
        paragraphs.append(p % 2 ? u"Typing practice."_s : u"漢字とかなの段落です。"_s);
        rows[size_t(p)] = {30 + p, 5000, 1, p % 3, 0, 0, p == 5 ? QString() : u"≪≪かな≪"_s};
    }
    const ResultFigures whole = figures(counts(1000, 1000, 200, 0, 0), 900000, 0, 9000, {100, 200, 1, 0}, 200);
    const QStringList lines = detailLines(whole, 2200, paragraphs, rows, 0);
    ASSERT_EQ(lines.size(), 2 * 200 + 2);
    EXPECT_EQ(basic::Mid(lines[0], 1, 17), u"通し 全体  2200  9000"_s);
    EXPECT_TRUE(lines[201].isEmpty());
    for (int p = 0; p < 200; ++p) {
        const QString& line = lines[p + 1];
        SCOPED_TRACE(line.toStdString());
        // The paragraph's own characters and counters, graded in its own language without exemption.
        EXPECT_EQ(basic::Mid(line, 1, 18), u"第%1段落%2%3"_s.arg(p + 1, 3).arg(p % 2 ? 16 : 11, 6).arg(30 + p, 6));
        EXPECT_TRUE(p % 6 != 2 || line.contains(u" 18.2×"_s)); // 2 confirmations in 11 characters
        EXPECT_TRUE(p % 2 == 0 || line.contains(u"     -　    -　"_s));
    }
    EXPECT_TRUE(lines[202 + 5].isEmpty()); // an empty string keeps its line
    EXPECT_EQ(lines[202 + 7], u"かな≪"_s); // leading corrections dropped
}

class RecordFilesTest : public ProgramFolderTest {
protected:
    // A three-paragraph text file as the creation window writes it, made the current text.
    void loadText() {
        const QStringList paragraphs = {u"国際連合の人民は、"_s, u"われらの一生のうちに二度まで"_s,
                                        u"言語に絶する悲哀を人類に与えた"_s};
        const QStringList lines =
            QStringList{u"出所"_s, u"240101"_s, u"表題"_s, countsLine(classifyChars(paragraphs.join(QString()))),
                        BestTimesLine::emptyLine()} +
            paragraphs;
        writeAll(textPath(), cp932::encode(lines.join(u"\r\n"_s) + u"\r\n"_s));
        m.settings[Options::CurrentFile].address = TextName;
        QString error;
        ASSERT_TRUE(TextLoading::loadOwnText(m, &error)) << error.toStdString();
    }
    // Every paragraph takes `perParagraphMs` and one confirmation.
    RecordOutcome finishWhole(qint32 perParagraphMs, const QDateTime& now = Jan31, qint32 keystrokes = 20) {
        const int count = m.text.paragraphCount();
        for (int p = 0; p < count; ++p)
            m_rows[size_t(p)] = {keystrokes, perParagraphMs, 1, 1, 0, 0, u"≪かな■"_s};
        return finish(
            {perParagraphMs * count, {keystrokes * count, count, count}, 0, m.text.lineCount - 1, 0, count - 1}, now);
    }
    RecordOutcome finish(const AttemptSummary& s, const QDateTime& now = Jan31) {
        m_last = ResultComputation::computeAttempt(m.text, m.settings, s);
        return writeAttemptRecords(m, s, m_rows, m_last, now);
    }
    QString log(const char16_t* name) const { return m.logBoxPath() + u'/' + QString::fromUtf16(name); }
    QString textPath() const { return m.fileBoxPath() + u'/' + TextName; }
    static inline const QString TextName = u"240115093000.txt"_s;
    static inline const QDateTime Jan31{QDate(2024, 1, 31), QTime(21, 0)};
    std::array<ParagraphResult, 201> m_rows;
    ResultComputation::AttemptResult m_last;
};

TEST_F(RecordFilesTest, WholeTextAttemptsWriteEveryRecordAndOnlyAStrictlyFasterOneIsANewBest) {
    loadText();
    writeAll(log(u"BestRec.log"), "j111111111111   240101 first\r\ne240115093000   240101 english\r\n");
    m.detailMode = ParagraphDetails;
    RecordOutcome out = finishWhole(10000);
    EXPECT_EQ(written(out), "log best times d b ") << out.errorMessage().toStdString();
    EXPECT_EQ(m.detailMode, LastAttemptDetails);
    EXPECT_EQ(fileLines(log(u"202401Practice.log")),
              QStringList{practiceLogLine(u"240115093000", m.text.counts, Jan31.date(), 0, m_last.figures)});
    // Three confirmations at the ends of three paragraphs are not held against the attempt.
    EXPECT_EQ(m_last.figures.rows[ResultComputation::Confirmation].mark, u"☆"_s);
    EXPECT_EQ(fileLines(log(u"BestRec.log")).value(2),
              bestRecLine(u"240115093000", m.text.counts, Jan31.date(), m_last.figures));
    const QStringList text = fileLines(textPath());
    ASSERT_EQ(text.size(), 8);
    EXPECT_EQ(text[4], u"00030.00,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,"_s);
    const QStringList detail = fileLines(log(u"d240115093000.txt"));
    ASSERT_EQ(detail.size(), 2 * 3 + 2);
    EXPECT_EQ(basic::Val(basic::Mid(detail[2], 7, 6)), 14);
    EXPECT_EQ(detail[5], u"かな■"_s);
    EXPECT_EQ(readAll(log(u"b240115093000.txt")), readAll(log(u"d240115093000.txt")));
    writeAll(log(u"BestRec.log"), readAll(log(u"BestRec.log")) + "j999999999999   240101 last\r\n");
    const QByteArray bestBefore = readAll(log(u"BestRec.log")), bestDetail = readAll(log(u"b240115093000.txt"));
    // The same time on the next month: a second place, but BestRec.log and the "b" file stay.
    const QDateTime feb1(QDate(2024, 2, 1), QTime(8, 0));
    out = finishWhole(10000, feb1, 25);
    EXPECT_FALSE(m_last.best.newBest);
    EXPECT_EQ(written(out), "log times d ") << out.errorMessage().toStdString();
    EXPECT_EQ(readAll(log(u"BestRec.log")), bestBefore);
    EXPECT_EQ(readAll(log(u"b240115093000.txt")), bestDetail);
    EXPECT_NE(readAll(log(u"d240115093000.txt")), bestDetail);
    EXPECT_EQ(fileLines(textPath())[4].left(18), u"00030.00,00030.00,"_s);
    EXPECT_EQ(fileLines(log(u"202402Practice.log")).size(), 1); // a new month starts its own file
    // Faster: the line of this text is replaced where it stood; the English key is another line.
    EXPECT_EQ(written(finishWhole(9000, feb1)), "log best times d b ");
    QStringList best = fileLines(log(u"BestRec.log"));
    ASSERT_EQ(best.size(), 4);
    best[2].truncate(22);
    EXPECT_EQ(best, QStringList({u"j111111111111   240101 first"_s, u"e240115093000   240101 english"_s,
                                 u"j240115093000   240201"_s, u"j999999999999   240101 last"_s}));
    EXPECT_EQ(fileLines(textPath())[4].left(27), u"00027.00,00030.00,00030.00,"_s);
    EXPECT_EQ(readAll(log(u"b240115093000.txt")), readAll(log(u"d240115093000.txt")));
}

TEST_F(RecordFilesTest, ParagraphAttemptWritesTheLogAndTempOnly) {
    loadText();
    const QByteArray textBefore = readAll(textPath());
    m.settings.setNumber(Options::PracticeMode, 1);
    TextLoading::paragraphPractice(m, 2);
    m_rows[2] = {12, 6000, 0, 0, 1, 0, u"≪≪ab≪c"_s};
    EXPECT_EQ(written(finish({6000, {12}, 1, 2 + CurrentText::FirstParagraphLine, 2, 2})), "log temp ");
    EXPECT_EQ(basic::Mid(fileLines(log(u"202401Practice.log")).value(0), 21, 13), u" 第  3段落    15"_s);
    EXPECT_EQ(readAll(log(u"Temp.txt")), QByteArray("ab\x81\xe1"
                                                    "c\r\n"));
    EXPECT_FALSE(QFile::exists(log(u"BestRec.log")) || QFile::exists(log(u"d240115093000.txt")));
    EXPECT_EQ(readAll(textPath()), textBefore);
    EXPECT_EQ(m.detailMode, ParagraphDetails);
}

// Damaged lines are kept byte for byte (BestRecKeysMatchAsTheyReadBackWhateverTheBytes); a new key goes at the
// end, and an appended line first ends an open last line.
TEST_F(RecordFilesTest, UpdatesAndAppendsEndEveryLineWithCrLf) {
    const QString best = log(u"BestRec.log"), month = log(u"202401Practice.log");
    writeAll(best, "j111111111111 a\nj222222222222 b\n");
    ASSERT_TRUE(updateBestRec(best, u"j333333333333 c"_s, nullptr));
    EXPECT_EQ(readAll(best), QByteArray("j111111111111 a\r\nj222222222222 b\r\nj333333333333 c\r\n"));
    writeAll(month, "older line");
    ASSERT_TRUE(appendLine(month, u"新しい行"_s, nullptr));
    EXPECT_EQ(readAll(month), QByteArray("older line\r\n") + cp932::encode(u"新しい行") + "\r\n");
}

TEST_F(RecordFilesTest, BestTimesLineRewritesTheTextFileAtomically) {
    const QString path = textPath();
    writeAll(path, "src  \r\n240101\r\ntitle\r\n  12 (stats)\r\n99999.99\r\n\x88\x9f\xff  \r\nsecond\nthird \r\n   \r\n"
                   "not part of the text\r\n");
    QString error;
    const QString line =
        u"00012.34,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,"_s;
    ASSERT_TRUE(rewriteBestTimesLineOfFile(path, line, &error)) << error.toStdString();
    EXPECT_EQ(readAll(path), "src\r\n240101\r\ntitle\r\n  12 (stats)\r\n" + line.toLatin1() +
                                 "\r\n\x88\x9f\xff\r\nsecond\r\nthird\r\n");
    EXPECT_EQ(QDir(m.fileBoxPath()).entryList(QDir::Files), QStringList{TextName}); // no temporary left
    writeAll(path, "only\r\nthree\r\nlines\r\n");
    EXPECT_FALSE(rewriteBestTimesLineOfFile(path, line, &error));
    EXPECT_EQ(readAll(path), QByteArray("only\r\nthree\r\nlines\r\n"));
}

TEST_F(RecordFilesTest, TextDeletedWhileLoadedIsReportedAndNotRecreated) {
    loadText();
    ASSERT_TRUE(QFile::remove(textPath()));
    const RecordOutcome out = finishWhole(10000);
    EXPECT_FALSE(QFile::exists(textPath()));
    EXPECT_TRUE(out.errorMessage().contains(TextName) && out.errorMessage().contains(u"見つからない"_s));
    // Everything in LogBox is still written, and the table in memory keeps the time.
    EXPECT_EQ(written(out), "log best d b ");
    EXPECT_FLOAT_EQ(m.text.bestTimes[0], 30.0f);
}

TEST_F(RecordFilesTest, MissingLogBoxIsCreatedAgainButAFileInItsPlaceIsReported) {
    loadText();
    ASSERT_TRUE(QDir(m.logBoxPath()).removeRecursively());
    EXPECT_TRUE(finishWhole(10000).ok());
    EXPECT_TRUE(QFile::exists(log(u"202401Practice.log")) && QFile::exists(log(u"d240115093000.txt")));
    ASSERT_TRUE(QDir(m.logBoxPath()).removeRecursively());
    writeAll(m.logBoxPath(), "not a folder");
    m.detailMode = ParagraphDetails;
    const RecordOutcome out = finishWhole(9000);
    EXPECT_TRUE(out.errorMessage().contains(u"LogBox"_s));
    EXPECT_EQ(written(out), "times "); // the text's own file is elsewhere
    EXPECT_EQ(readAll(m.logBoxPath()), QByteArray("not a folder"));
    EXPECT_EQ(m.detailMode, ParagraphDetails); // no details file of this attempt to show
}

TEST_F(RecordFilesTest, ReadOnlyLogBoxLeavesEveryFileWhole) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders (ctest runs this as nobody)";
    loadText();
    ASSERT_TRUE(finishWhole(10000).ok());
    const QByteArray logBefore = readAll(log(u"202401Practice.log")), bestBefore = readAll(log(u"BestRec.log"));
    const QStringList filesBefore = QDir(m.logBoxPath()).entryList(QDir::Files);
    QFile::setPermissions(log(u"202401Practice.log"), QFile::ReadOwner);
    QFile::setPermissions(m.logBoxPath(), QFile::ReadOwner | QFile::ExeOwner);
    const RecordOutcome out = finishWhole(9000);
    QFile::setPermissions(m.logBoxPath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(written(out), "times ");
    // Each file named, with the reason a refused write gives (not a guess).
    EXPECT_TRUE(out.errorMessage().contains(u"202401Practice.log"_s) && out.errorMessage().contains(u"BestRec.log"_s));
    EXPECT_EQ(out.errorMessage().count(fileErrorReason(EACCES)), out.errors.size()) << out.errorMessage().toStdString();
    EXPECT_EQ(readAll(log(u"202401Practice.log")), logBefore);
    EXPECT_EQ(readAll(log(u"BestRec.log")), bestBefore);
    EXPECT_EQ(QDir(m.logBoxPath()).entryList(QDir::Files), filesBefore);
}

TEST_F(RecordFilesTest, LinksAndFifosAmongTheRecordsAreReportedAndNeverFollowed) {
    QTemporaryDir outside;
    const QString target = outside.filePath(u"target"_s);
    for (const char16_t* name : {u"202401Practice.log", u"BestRec.log", u"d240115093000.txt", u"b240115093000.txt"}) {
        for (Hostile kind : {Hostile::LinkToOutsideFile, Hostile::DanglingLink, Hostile::Fifo}) {
            SCOPED_TRACE(testing::Message() << QString::fromUtf16(name).toStdString() << " " << int(kind));
            ASSERT_TRUE(QDir(m.logBoxPath()).removeRecursively() && QDir().mkpath(m.logBoxPath()));
            loadText(); // empty best times: the attempt is a new best and writes every file
            makeHostile(kind, log(name), target);
            const RecordOutcome out = finishWhole(10000); // a blocking open of the FIFO would hang here
            EXPECT_TRUE(out.errorMessage().contains(QString::fromUtf16(name))) << out.errorMessage().toStdString();
            EXPECT_TRUE(out.errorMessage().contains(kind == Hostile::Fifo ? u"通常のファイルではありません"_s
                                                                          : u"シンボリックリンク"_s));
            EXPECT_EQ(out.errors.size(), 1) << "the other files are still written";
            EXPECT_EQ(readAll(target), kind == Hostile::LinkToOutsideFile ? "outside" : "");
            EXPECT_EQ(QFile::exists(target), kind == Hostile::LinkToOutsideFile);
            EXPECT_EQ(QFileInfo(log(name)).isSymLink(), kind != Hostile::Fifo) << "the link itself stays";
            EXPECT_FLOAT_EQ(m.text.bestTimes[0], 30.0f);
        }
    }
}

TEST_F(RecordFilesTest, FullDiskAndOversizedBestRecAreExplainedAndLeaveFilesWhole) {
    loadText();
    writeAll(log(u"202401Practice.log"), "earlier line\r\n");
    RecordOutcome out;
    withFileSizeLimit(20, [&] { out = finishWhole(10000); });
    for (const QString& file : {u"練習ログ 202401Practice.log"_s, u"BestRec.log"_s, u"d240115093000.txt"_s})
        EXPECT_TRUE(out.errorMessage().contains(file)) << file.toStdString();
    EXPECT_EQ(out.errorMessage().count(u"（ファイルの大きさの上限を超えます）"_s), out.errors.size())
        << out.errorMessage().toStdString();
    EXPECT_EQ(readAll(log(u"202401Practice.log")), "earlier line\r\n");
    EXPECT_FALSE(QFile::exists(log(u"BestRec.log")) || QFile::exists(log(u"d240115093000.txt")));
    // BestRec.log beyond its limit is left alone; just within it, it is updated.
    const QString path = log(u"BestRec.log");
    const QByteArray other = "j111111111111   240101 other\r\n";
    for (const auto& [size, updated] : {std::pair{MaxBestRecBytes + 1, false}, {MaxBestRecBytes - 200, true}}) {
        const QByteArray before = other + QByteArray(size - other.size() - 2, ' ') + "\r\n";
        writeAll(path, before);
        QString error;
        EXPECT_EQ(updateBestRec(path, u"j240115093000   240131 new"_s, &error), updated);
        EXPECT_EQ(readAll(path), updated ? before + "j240115093000   240131 new\r\n" : before);
        EXPECT_TRUE(updated || error.contains(u"大きすぎます（8.0 MB、上限 8.0 MB）"_s)) << error.toStdString();
    }
}

TEST_F(RecordFilesTest, BestRecKeysMatchAsTheyReadBackWhateverTheBytes) {
    // line, replaced by the new line of key "j240115093000", removed by deleting ID "240115093000"
    // a short key, invalid bytes inside the ID, a double-byte or invalid first character before the ID
    const std::tuple<QByteArray, bool, bool> cases[] = {{"j240115093000   231231 old", true, true},
                                                        {"e240115093000   231231 english", false, true},
                                                        {"j24011509300", false, false},
                                                        {"", false, false},
                                                        {"j2401150930\xff\xfe broken \x82", false, false},
                                                        {"\x93\xfa"
                                                         "240115093000 kanji mark",
                                                         false, true},
                                                        {"\xff"
                                                         "240115093000 invalid mark",
                                                         false, true},
                                                        {"j240115093001   231231 next", false, false}};
    const QString path = log(u"BestRec.log");
    QByteArray before;
    QList<QByteArray> updated, kept;
    for (const auto& [line, replaced, removed] : cases) {
        before += line + "\r\n";
        updated.append(replaced ? QByteArray("j240115093000   240131 new") : line);
        if (!removed) kept.append(line);
    }
    writeAll(path, before);
    ASSERT_TRUE(updateBestRec(path, u"j240115093000   240131 new"_s, nullptr));
    EXPECT_EQ(splitRawLines(readAll(path)), updated);
    writeAll(path, before);
    ASSERT_TRUE(RecordDeletion::removeTextRecords(m.logBoxPath(), u"240115093000"_s));
    EXPECT_EQ(splitRawLines(readAll(path)), kept);
}

TEST(RecordLines, LanguageMarkIdentifiersAndNames) {
    for (const auto& [c, japanese] :
         {std::pair{counts(0, 50, 0, 50, 0), true}, {counts(0, 49, 0, 51, 0), false}, {MixedText, true}}) {
        const ResultFigures f = figures(c, 1000, 0, 1, {});
        EXPECT_EQ(basic::Mid(practiceLogLine(u"240115093000", c, January31, 0, f), 13, 1), japanese ? u"日" : u"英");
        EXPECT_EQ(bestRecLine(u"240115093000", c, January31, f).left(1), japanese ? u"j" : u"e");
    }
    const int sampleIndices[] = {0, 1, 3, 4, 6, 7, 9, 10, 12, 13, 15, 16, 18, 19};
    for (int n = 0; n < 14; ++n)
        EXPECT_EQ(sampleTextId(sampleIndices[n]), u"0000000000%1"_s.arg(n + 1, 2, 10, QChar(u'0')));
    for (int other : {2, 5, 20, -1})
        EXPECT_TRUE(sampleTextId(other).isEmpty()) << other;
    EXPECT_EQ(textIdForFileName(u"a.txt"), u"a.txt       "_s); // padded, so the line positions hold
    EXPECT_EQ(practiceLogName(QDate(2023, 12, 31)), u"202312Practice.log"_s);
}
