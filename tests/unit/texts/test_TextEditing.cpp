#include "core/texts/SourceBook.h"
#include "core/texts/TextEditing.h"
#include "core/util/Cp932.h"

#include "unit/UnitTest.h"

using namespace TextEditing;

namespace {

Fields dated(const QString& year, const QString& month = {}, const QString& day = {}) {
    Fields f;
    f.year = year;
    f.month = month;
    f.day = day;
    return f;
}

} // namespace

TEST(TextEditing, IssueDateRulesAndCompletion) {
    struct Case {
        const char16_t* part;
        bool year, month, day;
    };
    const Case cases[] = {
        {u"1", true, true, true},     {u"01", true, true, true},     {u"09", true, true, true},
        {u"12", true, true, true},    {u"13", true, false, true},    {u"31", true, false, true},
        {u"32", true, false, false},  {u"0", false, false, false},   {u"00", true, false, false},
        {u"001", true, false, false}, {u"2012", true, false, false}, {u"2000", true, false, false},
        {u"1a", false, false, false}, {u"", false, false, false},    {u"２", false, false, false},
        {u"199", true, false, false},
    };
    for (const Case& c : cases) {
        const QString part = QString::fromUtf16(c.part);
        EXPECT_EQ(isValidYear(part), c.year) << part.toStdString();
        EXPECT_EQ(isValidMonth(part), c.month) << part.toStdString();
        EXPECT_EQ(isValidDay(part), c.day) << part.toStdString();
    }
    const Fields completed = withCompletedDate(dated(u"12"_s, u"3"_s, u"31"_s));
    EXPECT_EQ(completed.year + completed.month + completed.day, u"20120331"_s);
    EXPECT_EQ(withCompletedDate(dated(u"5"_s)).year, u"2005"_s);
    EXPECT_EQ(withCompletedDate(dated(u"024"_s)).year, u"2024"_s);
}

TEST(TextEditing, SameSecondTakesTheNextFreeName) {
    QTemporaryDir dir;
    const QDateTime now(QDate(2024, 3, 9), QTime(23, 59, 58));
    EXPECT_EQ(newFileName(dir.path(), now), u"240309235958.txt"_s);
    writeAll(dir.path() + u"/240309235958.txt"_s, "a");
    writeAll(dir.path() + u"/240309235959.txt"_s, "b");
    EXPECT_EQ(newFileName(dir.path(), now), u"240310000000.txt"_s);
}

TEST(TextEditing, FileBytesAndEditingRoundTrip) {
    const Fields typed{.title = u"  表題\r\n "_s,
                       .body = u"　あい漢字 \n\n\nabc\r\n"_s,
                       .source = u" 出所\n"_s,
                       .keyword = u"鍵"_s,
                       .year = u"2024"_s,
                       .month = u"03"_s,
                       .day = u"09"_s};
    const BodyStatistics stats = bodyStatistics(typed.body);
    ASSERT_EQ(stats.paragraphs, (QStringList{u"　あい漢字"_s, u"abc"_s}));
    EXPECT_EQ(stats.starts, (QList<qsizetype>{0, 9}));
    EXPECT_EQ(paragraphLines(stats).at(1), u"   2     3 (   0,   3)(   0,   0,   0)(   3,   0,   0)"_s);
    const QStringList lines = fileLines(typed, stats, QString::fromUtf16(NoRecordLine));
    EXPECT_EQ(fileBytes(lines), cp932::encode(u"出所\r\n240309鍵\r\n表題\r\n"
                                              u"   8 (   5,   3)(   2,   2,   1)(   3,   0,   0)\r\n"
                                              u"99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,"
                                              u"99999.99,99999.99,99999.99\r\n　あい漢字\r\nabc\r\n"_s));
    const Fields back = fieldsFromLines(lines, 2024);
    EXPECT_EQ(back.year, u"2024"_s);
    EXPECT_EQ(back.keyword, u"鍵"_s);
    EXPECT_EQ(back.body, u"　あい漢字\n\nabc\n\n"_s);
    EXPECT_EQ(fieldsFromLines({u"s"_s, u"990101"_s}, 2024).year, u"1999"_s);
    EXPECT_EQ(fieldsFromLines({u"s"_s, u"240101"_s}, 2024).year, u"2024"_s);
    EXPECT_FALSE(compare(back, back).any());
    Fields changed = back;
    changed.day = u"10"_s;
    const Changes c = compare(back, changed);
    EXPECT_TRUE(c.date && !c.body && !c.title && c.any());
}

TEST(TextEditing, ThousandParagraphsAtMost) {
    QString body;
    for (int i = 0; i < 1001; ++i)
        body += u"a\n"_s;
    const BodyStatistics stats = bodyStatistics(body);
    EXPECT_EQ(stats.paragraphs.size(), 1000);
    EXPECT_TRUE(stats.truncated);
    EXPECT_EQ(stats.whole.total, 1000);
    EXPECT_FALSE(bodyStatistics(body.left(2000)).truncated);
}

TEST(TextEditing, SourcesAndKeywordsAreStoredOnceInTheFirstFreeEntry) {
    SettingsTable t;
    t[0].name = u"A"_s;
    t[2].name = u"C"_s;
    EXPECT_FALSE(storeSource(t, u"A"_s));
    EXPECT_TRUE(storeSource(t, u"B"_s));
    EXPECT_EQ(t[1].name, u"B"_s);
    EXPECT_FALSE(storeKeyword(t, QString()));
    EXPECT_TRUE(storeKeyword(t, u"K"_s));
    EXPECT_EQ(t[200].name, u"K"_s);
    for (int i = 0; i <= LastSource; ++i)
        t[i].name = u"s"_s + QString::number(i);
    EXPECT_FALSE(storeSource(t, u"new"_s));
    EXPECT_EQ(namesOf(t, 0, 2), (QStringList{u"s0"_s, u"s1"_s, u"s2"_s}));
    t[120].address = u"https://late.example/"_s;
    EXPECT_TRUE(sourceAddress(t, u"s120"_s).isEmpty());
    t[5].address = u"https://a.example/"_s;
    EXPECT_EQ(sourceAddress(t, u"s5"_s), u"https://a.example/"_s);
    for (const char16_t* a : {u"/usr/bin/xterm", u"file:///etc/passwd", u"javascript:x", u"http://", u"ftp://a.b"})
        EXPECT_FALSE(isWebAddress(QString::fromUtf16(a))) << QString::fromUtf16(a).toStdString();
    EXPECT_TRUE(isWebAddress(u"HTTPS://example.jp/a?b=c"_s));
}

TEST(SourceBook, ShownPageIsStoredCleanedAndUnreachableEntriesStay) {
    SettingsTable t;
    t[13].name = u"old"_s;
    t[70].name = u" far \n"_s;
    t[330].name = u"late keyword"_s;
    t[300].address = u"best line"_s;
    SourceBook book(t);
    SourceBook::Page p = book.page(1);
    EXPECT_EQ(p.sources[1], u"old"_s);
    p.sources[1].clear();
    p.sources[0] = u" 新聞\r\n"_s;
    p.addresses[0] = u" https://a.jp/ "_s;
    p.keywords[23] = u"kw "_s;
    book.setPage(1, p);
    EXPECT_EQ(book.page(1), p);
    book.storeInto(t);
    EXPECT_EQ(t[12].name, u"新聞"_s);
    EXPECT_EQ(t[12].address, u"https://a.jp/"_s);
    EXPECT_TRUE(t[13].name.isEmpty());
    EXPECT_EQ(t[247].name, u"kw"_s);
    EXPECT_EQ(t[70].name, u" far \n"_s);
    EXPECT_EQ(t[330].name, u"late keyword"_s);
    EXPECT_EQ(t[300].address, u"best line"_s);
}

TEST(TextEditing, DroppedFilesAreReadOrRefusedWithAReason) {
    QTemporaryDir dir;
    const QString d = dir.path() + u'/';
    writeAll(d + u"sjis.txt"_s, cp932::encode(u"日本語\r\n"_s));
    writeAll(d + u"utf8.txt"_s, u"日本語"_s.toUtf8());
    writeAll(d + u"upper.TXT"_s, "abc");
    writeAll(d + u"bad.txt"_s, QByteArray("\x81\x20\xff", 3));
    writeAll(d + u"big.txt"_s, QByteArray(MaxDroppedBytes + 1, 'a'));
    makeHostile(Hostile::Fifo, d + u"fifo.txt"_s, d + u"unused"_s);
    makeHostile(Hostile::Folder, d + u"folder.txt"_s, d + u"unused"_s);
    struct Case {
        const char16_t* name;
        const char16_t* text; // nullptr: refused
    };
    const Case cases[] = {{u"sjis.txt", u"日本語\r\n"}, {u"utf8.txt", u"日本語"}, {u"upper.TXT", nullptr},
                          {u"bad.txt", nullptr},        {u"big.txt", nullptr},    {u"fifo.txt", nullptr},
                          {u"folder.txt", nullptr},     {u"gone.txt", nullptr}};
    for (const Case& c : cases) {
        const DroppedText r = readDroppedFile(d + QString::fromUtf16(c.name));
        EXPECT_EQ(r.text, c.text ? QString::fromUtf16(c.text) : QString()) << QString::fromUtf16(c.name).toStdString();
        EXPECT_EQ(r.refusal.isEmpty(), c.text != nullptr) << r.refusal.toStdString();
    }
    EXPECT_EQ(readDroppedFile(d + u"upper.TXT"_s).refusal, u"拡張子が[txt]のファイルのみ読込み可能"_s);
}
