#include "core/practice/MissCounter.h"

#include "unit/UnitTest.h"

// Each case feeds successive inputs (a "|" starts the next segment) and expects some characters' tallies.
TEST(MissCounter, FirstInputAtEachPositionDecides) {
    struct Case {
        const char* name;
        QString segment;
        QStringList inputs;
        QList<std::pair<char16_t, CharTally>> expected;
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
        {"a wrong conversion misses each position it covers",
         u"今日は"_s,
         {u"京は"_s, u"今日は"_s},
         {{u'今', {1, 1}}, {u'日', {1, 1}}, {u'は', {1, 0}}}},
        {"input past the end, control characters", u"a\t"_s, {u"azzz"_s}, {{u'a', {1, 0}}, {u'z', {}}, {u'\t', {}}}},
        {"retyped after deleting all", u"aa"_s, {u"x"_s, u""_s, u"a"_s, u"aa"_s}, {{u'a', {2, 1}}}},
        {"the next segment starts afresh", u"ab"_s, {u"xb"_s, u"|"_s, u"ab"_s}, {{u'a', {2, 1}}, {u'b', {2, 0}}}},
    };
    for (const Case& c : cases) {
        MissCounter counter;
        for (const QString& input : c.inputs)
            input == u"|"_s ? counter.startSegment() : counter.observe(c.segment, input);
        for (const auto& [character, tally] : c.expected)
            EXPECT_EQ(counter.tallies().value(character), tally) << c.name << " " << char(character);
    }
}
