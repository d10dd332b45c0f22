#include "core/practice/Judgement.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

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

TEST_F(JudgementTest, MarksEveryPositionAgainstItsOwnTarget) {
    layout(u"あいうえお"_s);
    struct Case {
        QString input;
        QString states;
        qint32 prefix;
    } cases[] = {
        {u"あいXえ"_s, u"ooXo."_s, 2},
        {u"あいう"_s, u"ooo.."_s, 3},       // deleting back clears the error and the cells after the input
        {u"あいうえおか"_s, u"ooooo"_s, 5}, // a surplus character mismatches; its cell is not shown
        {u""_s, u"....."_s, 0},
        {u"いあ"_s, u"XX..."_s, 0}, // a wrong first character leaves the prefix as it was
    };
    for (const Case& c : cases) {
        change(c.input);
        EXPECT_EQ(states(5), c.states) << c.input.toStdString();
        if (c.input != u"あいうえおか") {
            EXPECT_EQ(correctPrefix, c.prefix) << c.input.toStdString();
        }
    }
}

TEST_F(JudgementTest, MissSoundOnlyForNewMismatches) {
    layout(u"abcdef"_s);
    EXPECT_FALSE(change(u"a"_s).missSound);
    EXPECT_TRUE(change(u"aX"_s).missSound);
    EXPECT_FALSE(change(u"aXc"_s).missSound); // one mismatch as before
    EXPECT_TRUE(change(u"aXcY"_s).missSound);
    EXPECT_FALSE(change(u"aXc"_s).missSound);
    // With the sound off the counts are left as they are.
    EXPECT_FALSE(change(u"aXcYZ"_s, 800, false).missSound);
    EXPECT_EQ(mismatches, 3);
}

TEST_F(JudgementTest, WindowLimitsTheWorkAndTheRecolourTimerDoesTheRest) {
    QString target;
    for (int i = 0; i < 150; ++i)
        target += QChar(u'a' + i % 26);
    layout(target);
    QString input = target;
    input[10] = u'#'; // an error before the window
    JudgementResult r = change(input, 100);
    EXPECT_TRUE(r.startRecolour);
    // Positions 50..150 are judged now; 1..49 wait for the timer.
    EXPECT_EQ(display.cells[10].state, CellState::Untyped);
    EXPECT_EQ(display.cells[48].state, CellState::Untyped);
    EXPECT_EQ(display.cells[49].state, CellState::Correct);
    EXPECT_EQ(correctPrefix, 150);
    r = recolourBeforeWindow(display, input, 100, mismatches);
    EXPECT_EQ(display.cells[10].state, CellState::Wrong);
    EXPECT_TRUE(display.cells[10].underline);
    EXPECT_EQ(display.cells[48].state, CellState::Correct);
    EXPECT_EQ(r.firstChanged, 0);
    EXPECT_EQ(mismatches, 1);
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
    EXPECT_TRUE(r.startRecolour);
    EXPECT_EQ(r.firstChanged, -1);
    EXPECT_EQ(states(3), u"..."_s);
}

TEST_F(JudgementTest, HugeInputStopsAtTheLastCell) {
    layout(QString(800, u'あ'));
    const QString pasted(100000, u'あ');
    change(QString(799, u'あ'));
    EXPECT_EQ(correctPrefix, 799);
    // Nothing of a huge paste falls inside the cells, and it is not taken as typed correctly.
    const JudgementResult r = change(pasted);
    EXPECT_EQ(r.lastChanged, -1);
    EXPECT_EQ(correctPrefix, 800);
    change(QString(800, u'あ') + u"x"_s);
    EXPECT_EQ(correctPrefix, 800);
}
