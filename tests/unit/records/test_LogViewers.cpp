#include "core/records/BestRecordList.h"
#include "core/records/LogQueries.h"
#include "core/records/TextTitles.h"
#include "core/util/BasicFunctions.h"
#include "core/util/Cp932.h"
#include "unit/UnitTest.h"

#include "support/ProgramFolderTest.h"

namespace {

// Month-log lines as the recorder writes them: whole text and paragraph, Japanese and English.
const QString JWhole = u"240115093000日 240131 通し 全体   455   700   150.0 S段   431.6 SS   6.6◎  2.6☆  0.7◎  2.2○"_s;
const QString JPara = u"230115093000日 240131 第  3段落    40    80   120.0 1級   360.0 SF   7.5◎  2.5☆  0.0☆ 12.5×"_s;
const QString EWhole =
    u"000000000002英 240131 通し 全体  1379  1500   250.0 B級   250.0  C     -　    -　  1.5◎    -"_s;
const QString EPara = u"000000000002英 240131 第  2段落   100   110   200.0 B級   200.0  F     -　    -　  3.0○    -"_s;

// A BestRec.log line with the figures the order reads; the rest as in a Japanese text's line.
QString bestLine(QChar mark, const QString& id, const QString& date, const QString& cpm, const QString& grade,
                 const QString& scr) {
    return mark + id + u"   "_s + date + u"    455   700"_s + basic::FormatAt(cpm, u"@@@@@@@@") + u' ' + grade +
           basic::FormatAt(scr, u"@@@@@@@@") + u" SS    6.6◎  2.6☆  0.7◎  2.2○"_s;
}

// What the filters look at: the language mark and the kind ("通" or "第") of each row.
QStringList marks(const QStringList& rows) {
    QStringList out;
    for (const QString& row : rows)
        out.append(row.mid(8, 1) + row.mid(17, 1));
    return out;
}

} // namespace

TEST(LogQueries, MonthsNewestFirstAcrossTheYear) {
    EXPECT_EQ(LogQueries::months({u"202312Practice.log"_s, u"BestRec.log"_s, u"202401Practice.log"_s,
                                  u"2024xxPractice.log"_s, u"202402Practice.log.bak"_s, u"d240115093000.txt"_s}),
              (QStringList{u"2024.01"_s, u"2023.12"_s}));
    EXPECT_EQ(LogQueries::monthFileName(u"2023.12"), u"202312Practice.log"_s);
}

TEST(LogQueries, OrderLanguageAndKindFilters) {
    using namespace LogQueries;
    const QStringList lines = {JWhole, JPara, EWhole, EPara, u"abc"_s};
    const struct {
        Filter filter;
        QStringList expected;
    } cases[] = {
        {{NewestFirst, AnyLanguage, AnyKind}, {u"英第"_s, u"英通"_s, u"日第"_s, u"日通"_s}},
        {{OldestFirst, Japanese, AnyKind}, {u"日通"_s, u"日第"_s}},
        {{OldestFirst, English, Paragraphs}, {u"英第"_s}},
        {{NewestFirst, AnyLanguage, WholeText}, {u"英通"_s, u"日通"_s}},
        {{NewestFirst, English, WholeText}, {u"英通"_s}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(marks(rows(lines, c.filter, true)), c.expected) << c.expected.join(u',').toStdString();
    EXPECT_EQ(rows(lines, {OldestFirst, AnyLanguage, AnyKind}, true).first(), JWhole.mid(4));
    // The half-width form keeps every column where the header stands.
    EXPECT_EQ(
        rows({JWhole, EPara}, {OldestFirst, AnyLanguage, AnyKind}, false),
        (QStringList{u"15093000Ｊ 240131 Through     455   700   150.0 Sda   431.6 SS   6.6◎  2.6☆  0.7◎  2.2○"_s,
                     u"00000002Ｅ 240131 Paragr  2   100   110   200.0 Bky   200.0  F     -　    -　  3.0○    -"_s}));
    EXPECT_EQ(halfWidthRow(u"15093000日 2401"), u"15093000Ｊ 2401"_s);
    SettingsTable settings; // values no button has count as the first button
    storeFilter(settings, {3, -1, Paragraphs});
    EXPECT_EQ(storedFilter(settings).order + storedFilter(settings).language, 0);
    EXPECT_EQ(storedFilter(settings).kind, Paragraphs);
}

TEST(LogQueries, DamagedAndHugeFilesShowWhatTheyCan) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"202401Practice.log"_s);
    QByteArray garbage("\x00\xff\x81\r\n\x82", 6);
    for (int i = 0; i < 5000; ++i)
        garbage += char(i * 7919 % 256);
    writeAll(path, garbage + "\n" + cp932::encode(JWhole) + "\r\n");
    LogQueries::RecordLines read = LogQueries::readRecordLines(path, LogQueries::MaxMonthLogBytes);
    EXPECT_TRUE(read.problem.isEmpty());
    EXPECT_EQ(read.lines.last(), JWhole);
    for (const QString& line : read.lines)
        EXPECT_TRUE(line.size() <= LogQueries::MaxShownLength && !line.contains(QChar(0)));
    // Beyond the limit: the whole lines within it, and why the rest is missing.
    read = LogQueries::readRecordLines(path, garbage.size() + 20);
    EXPECT_FALSE(read.problem.isEmpty());
    EXPECT_NE(read.lines.last(), JWhole);

    writeAll(path, (cp932::encode(JWhole) + "\r\n").repeated(100000));
    EXPECT_EQ(LogQueries::rows(LogQueries::readMonth(dir.path(), u"2024.01").lines, {}, false).size(), 100000);
}

TEST(BestRecordList, OrdersKeysAndMarks) {
    using namespace BestRecordList;
    const QStringList lines = {bestLine(u'j', u"000000000010"_s, u"240101"_s, u"99.5"_s, u"S段"_s, u"431.6"_s),
                               bestLine(u'j', u"000000000011"_s, u"231231"_s, u"250.0"_s, u"10A"_s, u"99.9"_s),
                               bestLine(u'j', u"000000000009"_s, u"231130"_s, u"99.5"_s, u"3級"_s, u"1000.0"_s),
                               bestLine(u'j', u"000000000012"_s, u"240102"_s, u"Ovfl"_s, u" - "_s, u"-"_s),
                               bestLine(u'e', u"000000000013"_s, u"240103"_s, u"300.0"_s, u"B級"_s, u"300.0"_s),
                               u"jab"_s};
    // 250.0 CPM before 99.5, equal figures by ID, an unreadable figure last; January 2024 before December 2023.
    const struct {
        Choice choice;
        QStringList expected;
    } cases[] = {
        {{Japanese, ByCpm}, {u"11"_s, u"09"_s, u"10"_s, u"12"_s}},
        {{Japanese, ByScore}, {u"09"_s, u"10"_s, u"11"_s, u"12"_s}},
        {{Japanese, NewestFirst}, {u"12"_s, u"10"_s, u"11"_s, u"09"_s}},
        {{Japanese, OldestFirst}, {u"09"_s, u"11"_s, u"10"_s, u"12"_s}},
    };
    for (const auto& c : cases) {
        QStringList got;
        for (const QString& row : rows(lines, c.choice, true))
            got.append(row.mid(10, 2));
        EXPECT_EQ(got, c.expected) << c.choice.order;
    }
    EXPECT_EQ(rows(lines, {English, ByCpm}, true), QStringList{lines[4].mid(1)});
    EXPECT_EQ(rows(lines, {English, ByCpm}, false).first().mid(43, 4), u"Bky "_s);
}

TEST_F(ProgramFolderTest, TextTitlesFromFileBoxAndSamples) {
    writeAll(m.fileBoxPath() + u"/240115093000.txt"_s, cp932::encode(u"出所\r\n240115\r\n新しい表題\r\n"_s));
    writeAll(m.fileBoxPath() + u"/230115093000.txt"_s, cp932::encode(u"出所\r\n230115\r\n古い表題  \r\n"_s));
    makeHostile(Hostile::Fifo, m.fileBoxPath() + u"/240201000000.txt"_s, m_dir.filePath(u"unused"_s));
    const TextTitles titles(m.fileBoxPath());
    EXPECT_EQ(titles.forId(u"240115093000   240131"), u"新しい表題"_s);
    // Two texts of different months at the same day and time: the first by name.
    EXPECT_EQ(titles.forShortId(u"15093000日"), u"古い表題"_s);
    EXPECT_TRUE(titles.forShortId(u"00000002英").contains(u"Charter of the United Nations"_s));
    // Deleted, no sample, a FIFO in the text's place (read without waiting), too short.
    for (const char16_t* gone : {u"99999999", u"000000000099", u"01000000", u"0000000", u""})
        EXPECT_EQ(titles.forShortId(gone), QString::fromUtf16(TextTitles::NotFound))
            << QString::fromUtf16(gone).toStdString();
}
