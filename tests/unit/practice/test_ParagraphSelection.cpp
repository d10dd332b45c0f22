#include "core/practice/ParagraphSelection.h"
#include "unit/UnitTest.h"

TEST(ParagraphSelection, RowsFitFortyTwoColumns) {
    struct Case {
        QString line;
        QString row;
    } cases[] = {
        {QString(21, u'あ'), u"  1 "_s + QString(21, u'あ')},
        {QString(22, u'あ'), u"  1 "_s + QString(21, u'あ') + u".."_s},
        {QString(43, u'a'), u"  1 "_s + QString(42, u'a') + u".."_s},
        {QString(42, u'a'), u"  1 "_s + QString(42, u'a')},
        {u"a"_s + QString(21, u'あ'), u"  1 a"_s + QString(20, u'あ') + u".."_s}, // 41 columns, the next would be 43
        {u"漢《かん》字"_s, u"  1 漢字"_s},
        {u"あ《いう"_s, u"  1 あ"_s}};
    for (const Case& c : cases)
        EXPECT_EQ(ParagraphSelection::row(1, c.line), c.row) << c.line.toStdString();
    EXPECT_EQ(ParagraphSelection::row(12, u"x"), u" 12 x"_s);
}

TEST(ParagraphSelection, ListsParagraphsUpToTheFirstEmptyLine) {
    CurrentText t;
    t.textLines = {u"s"_s, u"d"_s, u"t"_s, u"c"_s, u"b"_s, u"一"_s, u"二"_s};
    t.lineCount = 7;
    EXPECT_EQ(ParagraphSelection::rows(t), (QStringList{u"  1 一"_s, u"  2 二"_s}));
}
