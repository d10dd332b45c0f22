#include "core/practice/MissCounter.h"

#include "unit/UnitTest.h"

// Each case feeds the successive inputs of one segment and expects the tallies of some characters.
TEST(MissCounter, FirstInputAtEachPositionDecides) {
    struct Expected {
        char16_t c;
        CharTally tally;
    };
    struct Case {
        const char* name;
        QString segment;
        QStringList inputs;
        QList<Expected> expected;
    };
    const Case cases[] = {
        {"wrong then corrected counts once",
         u"abc"_s,
         {u"a"_s, u"ax"_s, u"a"_s, u"ab"_s, u"abc"_s},
         {{u'a', {1, 0}}, {u'b', {1, 1}}, {u'c', {1, 0}}}},
        {"right first, a later wrong input elsewhere",
         u"aab"_s,
         {u"a"_s, u"aa"_s, u"a"_s, u"ax"_s, u"aab"_s},
         {{u'a', {2, 0}}, {u'b', {1, 0}}}},
        {"a committed conversion decides all its positions",
         u"今日は晴れ"_s,
         {u"京は"_s, u"今日は晴れ"_s},
         {{u'今', {1, 1}}, {u'日', {1, 1}}, {u'は', {1, 0}}, {u'晴', {1, 0}}}},
        {"input past the segment's end counts nothing more", u"ab"_s, {u"abzzzz"_s}, {{u'a', {1, 0}}, {u'z', {0, 0}}}},
        {"a retyped part after deleting everything is not counted again",
         u"aa"_s,
         {u"x"_s, u""_s, u"a"_s, u"aa"_s},
         {{u'a', {2, 1}}}},
    };
    for (const Case& c : cases) {
        MissCounter counter;
        for (const QString& input : c.inputs)
            counter.observe(c.segment, input);
        for (const Expected& e : c.expected)
            EXPECT_EQ(counter.tallies().value(e.c), e.tally) << c.name << " " << QString(QChar(e.c)).toStdString();
    }
}

TEST(MissCounter, SegmentsAndAttempts) {
    MissCounter counter;
    counter.observe(u"ab"_s, u"xb"_s);
    counter.startSegment(); // the next paragraph begins at its first position again
    counter.observe(u"a\tb"_s, u"a\tb"_s);
    EXPECT_EQ(counter.tallies().value(u'a'), (CharTally{2, 1}));
    EXPECT_EQ(counter.tallies().value(u'b'), (CharTally{2, 0}));
    EXPECT_FALSE(counter.tallies().contains(u'\t'));
    counter.clear();
    EXPECT_TRUE(counter.tallies().isEmpty());
    counter.observe(u"ab"_s, u"a"_s); // positions are undecided again after clear()
    EXPECT_EQ(counter.tallies().value(u'a'), (CharTally{1, 0}));
}
