#include "core/records/WeakDrill.h"

#include "core/practice/TextLoading.h"
#include "support/ProgramFolderTest.h"
#include "unit/UnitTest.h"

TEST(WeakDrill, PicksDenseParagraphsOfTheLanguageOnce) {
    const QStringList paragraphs = {
        u"ぬぬぬあいうえおかきく"_s,
        u"Knock knock, who is there?"_s,
        u"ぬかきくけこさしすせそたちつてとなにぬ"_s,
        u"ぬぬぬあいうえおかきく"_s,
        u"あいうえお"_s,
        QString(900, u'ぬ'), // too long for a text
    };
    EXPECT_EQ(WeakDrill::pickParagraphs(paragraphs, u"ぬ", true), (QStringList{paragraphs[0], paragraphs[2]}));
    EXPECT_EQ(WeakDrill::pickParagraphs(paragraphs, u"k", false), QStringList{paragraphs[1]});
}

class WeakDrillTest : public ProgramFolderTest {};

TEST_F(WeakDrillTest, SavesAnOrdinaryOwnTextAndMakesItCurrent) {
    EXPECT_FALSE(WeakDrill::makeDrill(m, {}, true, QDateTime::currentDateTime()).saved); // nothing recorded yet
    const OwnTexts::SaveResult r =
        WeakDrill::makeDrill(m, {{u'憲', 5, 3}, {u'章', 4, 1}}, true, QDateTime({2026, 12, 6}, {15, 30}));
    ASSERT_TRUE(r.saved) << r.error.toStdString();
    EXPECT_EQ(r.fileName, u"261206153000.txt"_s);
    QString error;
    const QStringList lines = TextLoading::readPracticeFile(m.fileBoxPath(), r.fileName, &error);
    ASSERT_GT(lines.size(), 5) << error.toStdString();
    EXPECT_EQ(lines.mid(0, 3), (QStringList{u"苦手文字練習"_s, u"261206"_s, u"苦手文字練習（憲・章）"_s}));
    EXPECT_TRUE(lines[5].contains(u'憲') || lines[5].contains(u'章')); // from the samples
    EXPECT_EQ(m.text.textLines, lines);                                // the text to practise now
}
