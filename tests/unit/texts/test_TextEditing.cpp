#include "core/texts/SourceBook.h"
#include "core/texts/TextEditing.h"
#include "core/util/Cp932.h"

#include "unit/UnitTest.h"

using namespace TextEditing;

TEST(TextEditing, IssueDateRulesAndCompletion) {
    struct Case {
        const char16_t* part;
        bool year, month, day;
        const char16_t* completedYear; // and month/day when valid
    };
    const Case cases[] = {
        {u"1", true, true, true, u"2001"},      {u"09", true, true, true, u"2009"},
        {u"12", true, true, true, u"2012"},     {u"13", true, false, true, u"2013"},
        {u"32", true, false, false, u"2032"},   {u"0", false, false, false, u"2000"},
        {u"00", true, false, false, u"2000"},   {u"024", true, false, false, u"2024"},
        {u"2012", true, false, false, u"2012"}, {u"1a", false, false, false, u"201a"},
        {u"", false, false, false, u""},        {u"２", false, false, false, u"200２"},
    };
    for (const Case& c : cases) {
        const QString part = QString::fromUtf16(c.part);
        EXPECT_EQ(isValidYear(part), c.year) << part.toStdString();
        EXPECT_EQ(isValidMonth(part), c.month) << part.toStdString();
        EXPECT_EQ(isValidDay(part), c.day) << part.toStdString();
        Fields f;
        f.year = f.month = f.day = part;
        f = withCompletedDate(f);
        EXPECT_EQ(f.year, QString::fromUtf16(c.completedYear));
        EXPECT_EQ(f.day, part.size() == 1 ? u'0' + part : part);
    }
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
    const Fields typed{u" 表題\r\n"_s, u"　あい漢字 \n\n\nabc\r\n"_s, u" 出所\n"_s, u"鍵"_s, u"2024"_s, u"03"_s,
                       u"09"_s};
    const BodyStatistics stats = bodyStatistics(typed.body);
    ASSERT_EQ(stats.paragraphs, (QStringList{u"　あい漢字"_s, u"abc"_s}));
    EXPECT_EQ(stats.starts, (QList<qsizetype>{0, 9}));
    EXPECT_EQ(paragraphLines(stats).at(1), u"   2     3 (   0,   3)(   0,   0,   0)(   3,   0,   0)"_s);
    const QStringList lines = fileLines(typed, stats, QString::fromUtf16(NoRecordLine));
    EXPECT_EQ(lines.mid(0, 4).join(u'|'), u"出所|240309鍵|表題|   8 (   5,   3)(   2,   2,   1)(   3,   0,   0)"_s);
    const Fields back = fieldsFromLines(lines, 2024);
    EXPECT_EQ(back.year + back.keyword + back.body, u"2024鍵　あい漢字\n\nabc\n\n"_s);
    EXPECT_EQ(fieldsFromLines({u"s"_s, u"990101"_s}, 2024).year, u"1999"_s);
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
    for (const char16_t* a : {u"/usr/bin/xterm", u"file:///etc/passwd", u"javascript:x", u"http://", u"ftp://a.b"})
        EXPECT_FALSE(isWebAddress(QString::fromUtf16(a))) << QString::fromUtf16(a).toStdString();
    EXPECT_TRUE(isWebAddress(u"HTTPS://example.jp/a?b=c"_s));
}

TEST(SourceBook, ShownPageIsStoredCleanedAndUnreachableEntriesStay) {
    SettingsTable t;
    t[13].name = u"old"_s;
    t[70].name = u" far \n"_s;
    t[330].name = u"late keyword"_s;
    SourceBook book(t);
    SourceBook::Page p = book.page(1);
    EXPECT_EQ(p.sources[1], u"old"_s);
    p.sources[1].clear();
    p.sources[0] = u" 新聞\r\n"_s;
    p.addresses[0] = u" https://a.jp/ "_s;
    p.keywords[23] = u"kw "_s;
    book.setPage(1, p);
    book.storeInto(t);
    EXPECT_EQ(t[12].name + t[12].address + t[247].name, u"新聞https://a.jp/kw"_s);
    EXPECT_TRUE(t[13].name.isEmpty());
    EXPECT_EQ(t[70].name + t[330].name, u" far \nlate keyword"_s);
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
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"sjis.txt", u"日本語\r\n"}, {u"utf8.txt", u"日本語"}, {u"upper.TXT", nullptr},  {u"bad.txt", nullptr},
        {u"big.txt", nullptr},        {u"fifo.txt", nullptr},   {u"folder.txt", nullptr}, {u"gone.txt", nullptr}};
    for (const auto& [name, text] : cases) {
        const DroppedText r = readDroppedFile(d + QString::fromUtf16(name));
        EXPECT_EQ(r.text, text ? QString::fromUtf16(text) : QString()) << QString::fromUtf16(name).toStdString();
        EXPECT_EQ(r.refusal.isEmpty(), text != nullptr) << r.refusal.toStdString();
    }
}
