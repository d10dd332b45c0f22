#include "core/records/CsvExport.h"
#include "core/records/ExamLog.h"
#include "core/records/LogEntries.h"
#include "core/records/ProgressChart.h"
#include "core/records/TextTitles.h"
#include "core/settings/ExtraSettings.h"
#include "core/texts/TextStats.h"
#include "core/util/Cp932.h"
#include "unit/UnitTest.h"

#include "support/ProgramFolderTest.h"

#include <cmath>

namespace {

// Month-log lines as the recorder writes them: a full-width grade and the Japanese operation
// columns, a half-width grade (" - ", "10A") and the filler of other texts.
const QString JWhole = u"240115093000日 240131 通し 全体   455   700   150.0 S段   431.6 SS   6.6◎  2.6☆  0.7◎  2.2○"_s;
const QString EPara = u"000000000002英 240201 第  2段落   100   110    12.0  -     20.0  -     -　    -　  3.0○    -"_s;
const QString JTenA = u"240115093000日 240201 通し 全体   455   700    19.0 10A    71.6  A   6.6◎  2.6☆  0.7◎  2.2○"_s;
const QString Best = u"j240115093000   240131    455   700   150.0 S段   431.6 SS    6.6◎  2.6☆  0.7◎  2.2○"_s;

LogEntries::Entry parsed(const QString& line) {
    LogEntries::Entry e{};
    EXPECT_TRUE(LogEntries::parseLogLine(line, 2000, &e)) << line.toStdString();
    return e;
}

} // namespace

TEST(LogEntries, ReadsBothGradeWidthsBothOperationFormsAndRefusesDamage) {
    const LogEntries::Entry j = parsed(JWhole);
    EXPECT_EQ(std::tuple(j.id, j.japanese, j.date, j.paragraph, j.figures.characters, j.figures.keystrokes),
              std::tuple(u"240115093000"_s, true, QDate(2024, 1, 31), 0, 455, 700));
    EXPECT_EQ(QStringList({j.figures.cpm, j.figures.grade, j.figures.scr, j.figures.ownLevel}),
              QStringList({u"150.0"_s, u"S段"_s, u"431.6"_s, u"SS"_s}));
    EXPECT_EQ(QStringList(j.figures.rates.begin(), j.figures.rates.end()).join(u' ') +
                  QStringList(j.figures.marks.begin(), j.figures.marks.end()).join(QString()),
              u"6.6 2.6 0.7 2.2◎☆◎○"_s);
    EXPECT_EQ(j.ownLevelRank, LogEntries::ownLevelTop() - 23); // "SS" is the 24th label from the top

    const LogEntries::Entry e = parsed(EPara);
    EXPECT_EQ(std::tuple(e.japanese, e.paragraph, e.figures.grade, e.figures.scr, e.figures.ownLevel, e.ownLevelRank),
              std::tuple(false, 2, u"-"_s, u"20.0"_s, u"-"_s, 0));
    EXPECT_EQ(QStringList(e.figures.rates.begin(), e.figures.rates.end()),
              (QStringList{u"-"_s, u"-"_s, u"3.0"_s, u"-"_s}));
    const LogEntries::Entry a = parsed(JTenA);
    EXPECT_EQ(std::tuple(a.figures.grade, a.scr, a.figures.ownLevel, a.figures.rates[3]),
              std::tuple(u"10A"_s, 71.6, u"A"_s, u"2.2"_s));

    LogEntries::Entry best{};
    ASSERT_TRUE(LogEntries::parseBestRecLine(Best, 2000, &best));
    EXPECT_EQ(std::tuple(best.id, best.figures.characters, best.cpm, best.figures.marks[3]),
              std::tuple(u"240115093000"_s, 455, 150.0, u"○"_s));

    LogEntries::Entry ignored{};
    for (const QString& damaged : {JWhole.left(30), QString(JWhole).replace(15, 6, u"241331"_s),
                                   QString(JWhole).replace(12, 1, u"x"_s), u"第  2段落"_s, QString()})
        EXPECT_FALSE(LogEntries::parseLogLine(damaged, 2000, &ignored)) << damaged.toStdString();
}

TEST(ProgressChart, FiltersAverageGuidesAndDateAxis) {
    using namespace ProgressChart;
    std::vector<LogEntries::Entry> entries;
    for (int i = 0; i < 12; ++i) {
        LogEntries::Entry e = parsed(JWhole);
        e.date = QDate(2024, 3, 1).addDays(i / 2); // two attempts a day
        e.cpm = 50 + i;
        entries.push_back(e);
    }
    entries.push_back(parsed(EPara));
    entries.back().date = QDate(2024, 3, 6);
    entries[3].paragraph = 1;
    entries[4].cpm = std::nan("");
    const std::vector<qint64> times = attemptTimes(entries);
    EXPECT_LT(times[0], times[1]);
    EXPECT_EQ(QDateTime::fromMSecsSinceEpoch(times[1]).date(), QDate(2024, 3, 1));

    Model all = build(entries, times, {Cpm, true, AnyKind, {}, 1});
    ASSERT_EQ(all.points.size(), 11u);                // the English attempt and the one without a figure are left out
    EXPECT_DOUBLE_EQ(all.average.back().value, 56.2); // 51 to 61 without the 54 that has no figure
    // 50 to 61 CPM under standard 1: the C級 bound at 40 is below the range; B級 at 60 and the next, A級 at 80.
    ASSERT_EQ(all.guides.size(), 2u);
    EXPECT_EQ(std::tuple(all.guides[0].value, all.guides[0].label, all.guides[1].label),
              std::tuple(60.0, u"B級"_s, u"A級"_s));
    EXPECT_EQ(build(entries, times, {Cpm, true, Paragraphs, {}, 1}).points.size(), 1u);
    EXPECT_EQ(build(entries, times, {Score, false, WholeText, {}, 0}).points.size(), 0u);
    EXPECT_EQ(build(entries, times, {OwnLevel, false, AnyKind, u"000000000002"_s, 0}).points.front().value, 0.0);
    // The own level in SCR: 400 weighted keystrokes in 80 seconds (300 a minute) earn "A".
    EXPECT_EQ(guides(Score, true, 0)[9].label, u"A"_s);
    EXPECT_DOUBLE_EQ(guides(Score, true, 0)[9].value, 300.0);

    const qint64 day = 24 * 3600 * 1000LL;
    EXPECT_EQ(QStringList({dateFormat(7 * day), dateFormat(365 * day), dateFormat(5 * 365 * day)}),
              QStringList({u"MM/dd"_s, u"yyyy/MM"_s, u"yyyy"_s}));
    EXPECT_TRUE(describe(entries[0], u"表題"_s).startsWith(u"2024/03/01  表題\n通し 全体"_s));
}

TEST_F(ProgramFolderTest, ExamsAreTheirOwnSeriesOfTheirTextsLanguage) {
    using namespace ProgressChart;
    // An English text only ever examined: its statistics line gives the language.
    const CharCounts english{.total = 300, .half = 300, .halfAlnum = 300};
    writeAll(m.fileBoxPath() + u"/250101120000.txt"_s,
             cp932::encode(u"src\r\n250101\r\nT\r\n"_s + countsLine(english)));
    const QByteArray grades = QByteArray("\t-").repeated(StandardCount);
    const QByteArray log = QByteArray(ExamLog::FormatLine) + '\n' + ExamLog::columnLine() + '\n' +
                           "2024-03-02T10:00:00\t10\t600.00\t1\t1500\t12\t3\t1488\t148.8" + grades +
                           "\t240115093000.txt\t表題\n2024-03-01T09:00:00\t5\t300\tx\n" + // cut short: skipped
                           "2024-03-01T09:00:00\t5\t250.00\t0\t400\t0\t0\t400\t96.0" + grades +
                           "\t240115093000.txt\t表題\n2024-03-03T08:00:00\t10\t600.00\t1\t900\t0\t0\t900\t90.0" +
                           grades + "\t250101120000.txt\tT\n";
    const QList<ExamLog::Entry> parsedLog = ExamLog::parse(log);
    ASSERT_EQ(parsedLog.size(), 3);
    const std::vector<LogEntries::Entry> entries{parsed(JWhole), parsed(EPara)};
    const std::vector<Exam> all = exams(parsedLog, entries, m.fileBoxPath());
    EXPECT_EQ(std::tuple(all[0].textId, all[0].japanese, all[2].japanese), std::tuple(u"240115093000"_s, true, false));
    // A line that carries its language mark is taken at its word, over the text's attempts.
    QList<ExamLog::Entry> marked = parsedLog;
    marked[0].japanese = false;
    EXPECT_FALSE(exams(marked, entries, m.fileBoxPath())[0].japanese);
    const struct {
        Choice choice;
        std::vector<double> values;
    } cases[] = {{{Cpm, true, AnyKind, {}, 0}, {96.0, 148.8}}, // oldest first, though written later
                 {{Cpm, true, WholeText, u"240115093000"_s, 0}, {96.0, 148.8}},
                 {{Cpm, true, AnyKind, u"000000000002"_s, 0}, {}},
                 {{Cpm, true, Paragraphs, {}, 0}, {}},
                 {{Score, true, AnyKind, {}, 0}, {}},
                 {{Cpm, false, AnyKind, {}, 0}, {90.0}}};
    for (const auto& c : cases) {
        const Model model = build(entries, attemptTimes(entries), c.choice, all);
        std::vector<double> values;
        for (const Point& p : model.exams)
            values.push_back(p.value);
        EXPECT_EQ(values, c.values) << c.choice.measure << c.choice.japanese << c.choice.kind;
        EXPECT_GE(model.high, values.empty() ? 0.0 : values.back()); // within the axis
    }
    EXPECT_EQ(describeExam(parsedLog[0], u"表題"_s),
              u"2024/03/02 10:00  表題\n試験 10分  純字数/分 148.8  入力 1500  誤り残り 12"_s);
}

TEST_F(ProgramFolderTest, CsvQuotesTitlesAndKeepsTheColumns) {
    EXPECT_EQ(QStringList({CsvExport::quoted(u"a,b"), CsvExport::quoted(u"say \"hi\""),
                           CsvExport::quoted(u"two\nlines"), CsvExport::quoted(u"平文 1.5")}),
              QStringList({u"\"a,b\""_s, u"\"say \"\"hi\"\"\""_s, u"\"two\nlines\""_s, u"平文 1.5"_s}));

    writeAll(m.fileBoxPath() + u"/240115093000.txt"_s, cp932::encode(u"出所\r\n240115\r\n=\"表題\",その1\r\n"_s));
    const std::vector<LogEntries::Entry> entries{parsed(JWhole), parsed(EPara)};
    const QByteArray csv = CsvExport::document(entries, TextTitles(m.fileBoxPath()));
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = QString::fromUtf8(csv.mid(3)).split(u"\r\n"_s);
    ASSERT_EQ(lines.size(), 4); // header, two rows, the empty rest after the last line end
    EXPECT_EQ(lines[0], u"練習日,テキストID,表題,言語,種類,段落,字数,打数,CPM,LVL,SCR,RV,変換,確定,訂正,修正"_s);
    // A title that looks like a formula stays text in a spreadsheet.
    EXPECT_EQ(
        lines[1],
        u"2024-01-31,240115093000,\"'=\"\"表題\"\",その1\",和文,通し,,455,700,150.0,S段,431.6,SS,6.6,2.6,0.7,2.2"_s);
    EXPECT_EQ(lines[2].section(u',', 3), u"英文,段落別,2,100,110,12.0,-,20.0,-,,,3.0,"_s);

    ExtraSettings(m.programFolder).setValue(u"csv/lastFolder"_s, u"/tmp/x"_s);
    EXPECT_EQ(ExtraSettings(m.programFolder).value(u"csv/lastFolder"_s).toString(), u"/tmp/x"_s);
    EXPECT_FALSE(QFile::exists(m.settingsPath())); // the settings table is not where these go
}
