#include "core/records/WeakDrill.h"

#include "core/practice/TextLoading.h"
#include "core/settings/Options.h"
#include "support/ProgramFolderTest.h"
#include "unit/UnitTest.h"

TEST(WeakDrill, PicksDenseParagraphsOfTheLanguageOnce) {
    const QString longOne = QString(900, u'ぬ');
    const QStringList paragraphs = {
        u"ぬぬぬあいうえおかきく"_s,                 // 3 of 11
        u"Knock knock, who is there?"_s,             // English
        u"ぬかきくけこさしすせそたちつてとなにぬ"_s, // 2 of 19
        u"ぬぬぬあいうえおかきく"_s,                 // the same again
        u"あいうえお"_s,                             // none
        longOne,                                     // longer than a paragraph may be
    };
    EXPECT_EQ(WeakDrill::pickParagraphs(paragraphs, u"ぬ", true), (QStringList{paragraphs[0], paragraphs[2]}));
    EXPECT_EQ(WeakDrill::pickParagraphs(paragraphs, u"k", false), QStringList{paragraphs[1]});
    QStringList many;
    for (int i = 0; i < 30; ++i)
        many.append(u"ぬ"_s + QString::number(i) + u"番目の段落です"_s);
    EXPECT_EQ(WeakDrill::pickParagraphs(many, u"ぬ", true).size(), WeakDrill::MaxParagraphs);
}

class WeakDrillTest : public ProgramFolderTest {};

TEST_F(WeakDrillTest, SavesAnOrdinaryOwnTextAndMakesItCurrent) {
    const QList<WeaknessLog::WeakChar> ranking = {{u'憲', 5, 3}, {u'章', 4, 1}};
    const OwnTexts::SaveResult r = WeakDrill::makeDrill(m, ranking, true, QDateTime({2026, 12, 6}, {15, 30}));
    ASSERT_TRUE(r.saved) << r.error.toStdString();
    EXPECT_EQ(r.fileName, u"261206153000.txt"_s);
    EXPECT_EQ(m.settings[Options::CurrentFile].address, r.fileName);
    QString error;
    const QStringList lines = TextLoading::readPracticeFile(m.fileBoxPath(), r.fileName, &error);
    ASSERT_FALSE(lines.isEmpty()) << error.toStdString();
    EXPECT_EQ(lines[0], u"苦手文字練習"_s);
    EXPECT_EQ(lines[2], u"苦手文字練習（憲・章）"_s);
    EXPECT_TRUE(lines[5].contains(u'憲') || lines[5].contains(u'章')); // from the samples
    EXPECT_EQ(m.text.textLines, lines);

    const OwnTexts::SaveResult none = WeakDrill::makeDrill(m, {}, true, QDateTime::currentDateTime());
    EXPECT_FALSE(none.saved);
    EXPECT_FALSE(none.error.isEmpty());
}
