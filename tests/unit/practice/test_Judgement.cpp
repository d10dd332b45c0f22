#include "core/practice/Judgement.h"
#include "unit/UnitTest.h"

namespace {

class JudgementTest : public ::testing::Test {
protected:
    void layout(const QString& line) {
        layoutSegment(display, line, QStringView(), true, FixedCellMetrics::forPointSize(12), TextPanelWidth, 4);
    }
    JudgementResult change(const QString& input, int window = 800, bool sound = true) {
        return judgeInput(display, input, window, true, sound, {correctPrefix, mismatches, previousMismatches});
    }
    QString states(int count) const {
        QString s;
        for (int k = 0; k < count; ++k) {
            const CharCell& c = display.cells[size_t(k)];
            s += c.state == CellState::Correct ? u'o'
                 : c.state == CellState::Wrong ? (c.underline ? u'X' : u'x')
                                               : u'.';
        }
        return s;
    }
    TargetDisplay display;
    qint32 correctPrefix = 0, mismatches = 0, previousMismatches = 0;
};

} // namespace

TEST_F(JudgementTest, WindowLimitsTheWorkAndTheRecolourTimerDoesTheRest) {
    QString target;
    for (int i = 0; i < 150; ++i)
        target += QChar(u'a' + i % 26);
    layout(target);
    QString input = target;
    input[10] = u'#'; // an error before the window
    EXPECT_TRUE(change(input, 100).startRecolour);
    // Positions 50..150 are judged now; 1..49 wait for the timer.
    EXPECT_EQ(states(50), QString(49, u'.') + u'o');
    EXPECT_EQ(correctPrefix, 150);
    EXPECT_EQ(recolourBeforeWindow(display, input, 100, mismatches).firstChanged, 0);
    EXPECT_EQ(states(50), QString(10, u'o') + u'X' + QString(39, u'o'));
    EXPECT_EQ(mismatches, 1);
}

TEST_F(JudgementTest, HugeInputStopsAtTheLastCell) {
    layout(QString(800, u'あ'));
    const QString pasted(100000, u'あ');
    change(QString(799, u'あ'));
    EXPECT_EQ(correctPrefix, 799);
    // Nothing of a huge paste falls inside the cells, and it is not taken as typed correctly.
    EXPECT_EQ(change(pasted).lastChanged, -1);
    EXPECT_EQ(correctPrefix, 800);
    change(QString(800, u'あ') + u"x"_s);
    EXPECT_EQ(correctPrefix, 800);
}

TEST_F(JudgementTest, WindowStartMismatchKeepsThePrefix) {
    layout(u"abcdefghij"_s);
    change(u"abcde"_s, 800);
    EXPECT_EQ(correctPrefix, 5);
    // With a window of 3 the pass starts at position 4; a mismatch there leaves the prefix alone.
    change(u"abcXefgh"_s, 4);
    EXPECT_EQ(correctPrefix, 5);
    change(u"abcdefXh"_s, 4);
    EXPECT_EQ(correctPrefix, 6);
}

TEST_F(JudgementTest, NotRunningOnlyChecksTheWindow) {
    layout(u"abc"_s);
    const JudgementResult r =
        judgeInput(display, u"aXcdefgh", 4, false, true, {correctPrefix, mismatches, previousMismatches});
    EXPECT_EQ(std::pair(r.startRecolour, r.firstChanged), std::pair(true, -1));
    EXPECT_EQ(states(3), u"..."_s);
}

TEST_F(JudgementTest, MissSoundOnlyForANewMissAndOnlyWhenSwitchedOn) {
    layout(u"abcdef"_s);
    // input, miss sound on, sound due
    const std::tuple<QString, bool, bool> cases[] = {
        {u"a"_s, true, false},     {u"aX"_s, true, true},     {u"aXc"_s, true, false}, // the same miss sounds once
        {u"aXcY"_s, false, false}, {u"aXcYeZ"_s, true, true}, {u"aXc"_s, true, false}, // fewer misses: silence
        {u"abc"_s, true, false},   {u"abX"_s, true, true}};
    for (const auto& [input, soundOn, sound] : cases)
        EXPECT_EQ(change(input, 800, soundOn).missSound, sound) << input.toStdString();
}
