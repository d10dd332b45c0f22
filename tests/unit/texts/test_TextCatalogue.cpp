#include "core/texts/TextCatalogue.h"

#include "unit/UnitTest.h"

#include "core/util/Cp932.h"

namespace {

QString fakeLevel(const CharCounts& counts, float best) {
    return best < 99999.0f && counts.total > 0 ? u"A"_s : u"-"_s;
}

QByteArray textFile(const QString& source, const QString& dateKeyword) {
    return cp932::encode(source + u"\r\n"_s + dateKeyword +
                         u"\r\nt\r\n   3 (   3,   0)(   0,   3,   0)\r\n\r\nあいう\r\n"_s);
}

} // namespace

TEST(TextCatalogue, RowColumnsAndBudgets) {
    int width = 0;
    EXPECT_EQ(TextCatalogue::cutToColumns(u"日本経済新聞社の記事です"_s, 16, &width), u"日本経済新聞‥"_s);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(TextCatalogue::cutToColumns(u"abcdefghijklmnopq"_s, 16, &width), u"abcdefghijklmno‥"_s);
    EXPECT_EQ(TextCatalogue::cutToColumns(u"abcdefghijklmno日本"_s, 16, &width), u"abcdefghijklmn‥"_s);
    EXPECT_EQ(TextCatalogue::cutToColumns(u"abcdefghijklmn日"_s, 16, &width), u"abcdefghijklmn日"_s);
    EXPECT_EQ(width, 16);

    QString marks;
    for (QStringView best : {u"99999.99,99999.99", u"00012.00,00013.00,99999.99,00014.00", u""})
        marks += TextCatalogue::recordCountMark(best);
    marks += TextCatalogue::recordCountMark(QStringList(10, u"00001.00"_s).join(u','));
    EXPECT_EQ(marks, u" 2 *"_s);

    TextCatalogue::Head head{u"出所"_s, u"240101鍵"_s, u"表題"_s, u"   3 (   3,   0)(   0,   3,   0)"_s, u"00012.00"_s};
    EXPECT_EQ(TextCatalogue::row(u"240101093000.txt"_s, head, fakeLevel), u"240101 [ A1] 表題〔出所〕"_s);
    head.dateAndKeyword = u"231231"_s;
    head.title = QString(40, u'題');
    EXPECT_EQ(TextCatalogue::row(u"240101093000.txt"_s, head, fakeLevel),
              u"240101 [ A1] "_s + QString(24, u'題') + u"‥〔出所/231231〕"_s);
}

TEST(TextCatalogue, PagesNewestFirstWithFilters) {
    QTemporaryDir dir;
    for (int i = 1; i <= 21; ++i) {
        const QString name = u"2401010000"_s + QString::number(i).rightJustified(2, u'0') + u".txt"_s;
        writeAll(dir.path() + u'/' + name,
                 textFile(i % 2 ? u"odd"_s : u"even"_s, i % 3 ? u"240101"_s : u"240101three"_s));
    }
    // A file that is no text at all is listed, harmlessly, and a folder is not.
    writeAll(dir.path() + u"/zz.bin"_s, QByteArray("\xff\xfe\x00\x81", 4));
    QDir(dir.path()).mkdir(u"folder.txt"_s);
    TextCatalogue c(dir.path(), 20, fakeLevel);
    EXPECT_EQ(c.fileCount(), 22);
    EXPECT_EQ(c.pageLabels().join(u'/') + c.fileCountLabel(), u"Page  1/Page  2File   22"_s);
    const auto first = c.rows(0, std::nullopt, std::nullopt);
    ASSERT_EQ(first.size(), 20);
    EXPECT_EQ(c.fileName(first[0].fileIndex), u"zz.bin"_s);
    EXPECT_EQ(c.fileName(first[1].fileIndex), u"240101000021.txt"_s);
    const auto second = c.rows(1, std::nullopt, std::nullopt);
    ASSERT_EQ(second.size(), 2);
    EXPECT_EQ(c.fileName(second[1].fileIndex), u"240101000001.txt"_s);
    const auto odd = c.rows(0, u"odd"_s, u"three"_s);
    ASSERT_EQ(odd.size(), 4);
    EXPECT_EQ(c.fileName(odd[3].fileIndex), u"240101000003.txt"_s);
    const TextCatalogue::CountLabels labels = c.countLabels(second[1].fileIndex);
    EXPECT_EQ(labels.characters + labels.paragraphs, u"文字数    3段落数    1"_s);
}
