#include "practice/ParagraphSelection.h"

#include <gtest/gtest.h>

TEST(ParagraphSelection, RowsFitFortyTwoColumns) {
    struct Case {
        QString line;
        QString row;
    } cases[] = {
        {QString(21, u'あ'), u"  1 "_qs + QString(21, u'あ')},
        {QString(22, u'あ'), u"  1 "_qs + QString(21, u'あ') + u".."_qs},
        {QString(43, u'a'), u"  1 "_qs + QString(42, u'a') + u".."_qs},
        {QString(42, u'a'), u"  1 "_qs + QString(42, u'a')},
        {u"a"_qs + QString(21, u'あ'), u"  1 a"_qs + QString(20, u'あ') + u".."_qs}, // 41 columns, the next would be 43
        {u"漢《かん》字"_qs, u"  1 漢字"_qs},
        {u"あ《いう"_qs, u"  1 あ"_qs},
    };
    for (const Case& c : cases) EXPECT_EQ(ParagraphSelection::row(1, c.line), c.row) << c.line.toStdString();
    EXPECT_EQ(ParagraphSelection::row(12, u"x"), u" 12 x"_qs);
}

TEST(ParagraphSelection, ListsParagraphsUpToTheFirstEmptyLine) {
    CurrentText t;
    t.TextLines = {u"s"_qs, u"d"_qs, u"t"_qs, u"c"_qs, u"b"_qs, u"一"_qs, u"二"_qs};
    t.LineCount = 7;
    EXPECT_EQ(ParagraphSelection::rows(t), (QStringList{u"  1 一"_qs, u"  2 二"_qs}));
}
