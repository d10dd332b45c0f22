#include "core/practice/AttemptControl.h"
#include "core/settings/Options.h"
#include "support/FakePlatform.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class AttemptTest : public ::testing::Test {
protected:
    void SetUp() override {
        Options::applyStartupDefaults(m.settings);
        m.text.textLines = {u"s"_s, u"000000"_s, u"t"_s, u"x"_s, u"x"_s, u"あい"_s, u"うえ"_s, u"お"_s};
        m.text.lineCount = 8;
        m.text.currentLine = 5;
    }
    // Runs the countdown to its end, one 10 ms tick at a time.
    void startTyping() {
        a.startAttempt();
        for (int i = 0; i < 1000 && a.state() == AttemptState::Countdown; ++i) {
            clock.advance(10);
            a.countdownTick();
        }
        ASSERT_EQ(a.state(), AttemptState::Running);
    }
    // One runTimer tick as the window runs it.
    AttemptControl::SegmentOutcome tick(const QString& input) {
        clock.advance(10);
        auto outcome = AttemptControl::SegmentOutcome::Incomplete;
        if (a.checksOnTick()) outcome = a.checkSegment(input, m.text.line(m.text.currentLine));
        if (outcome != AttemptControl::SegmentOutcome::Ended) a.clockTick();
        return outcome;
    }

    Session m;
    FakeClock clock;
    AttemptControl a{m, clock};
};

} // namespace

TEST(AttemptStates, ControlsFollowTheStateTable) {
    struct Row {
        AttemptState state;
        bool runTimerOn, countdownTimerOn, inputMethodGuardOn, text1, startPanel, hints, pausePanel, start, pause,
            retry;
        const char16_t* caption;
    } rows[] = {
        {AttemptState::Ready, false, false, true, false, true, true, false, true, false, false, u"中断(&P)"},
        {AttemptState::Countdown, false, true, true, false, true, false, false, false, false, true, u"中断(&P)"},
        {AttemptState::Running, true, false, false, true, false, false, false, false, true, true, u"中断(&P)"},
        {AttemptState::Paused, false, false, false, false, false, false, true, false, true, true, u"再開(&P)"},
    };
    for (const Row& r : rows) {
        const StateControls c = controlsFor(r.state);
        SCOPED_TRACE(int(r.state));
        EXPECT_EQ(c.runTimerOn, r.runTimerOn);
        EXPECT_EQ(c.countdownTimerOn, r.countdownTimerOn);
        EXPECT_EQ(c.inputMethodGuardOn, r.inputMethodGuardOn);
        EXPECT_EQ(c.inputEnabled, r.text1);
        EXPECT_EQ(c.startPanel, r.startPanel);
        EXPECT_EQ(c.hints, r.hints);
        EXPECT_EQ(c.pausePanel, r.pausePanel);
        EXPECT_EQ(c.startEnabled, r.start);
        EXPECT_EQ(c.pauseEnabled, r.pause);
        EXPECT_EQ(c.retryEnabled, r.retry);
        EXPECT_EQ(QString::fromUtf16(c.pauseCaption), QString::fromUtf16(r.caption));
        EXPECT_EQ(c.otherMenus, r.state == AttemptState::Ready);
    }
}

TEST(AttemptStates, KeysDoWhatTheStateAllows) {
    using S = AttemptState;
    using K = KeyAction;
    struct Case {
        S state;
        int key, shift, retrySetting;
        K expected;
    } downs[] = {
        {S::Ready, KeyCode::Esc, 0, 0, K::None},       {S::Countdown, KeyCode::Esc, 0, 0, K::Retry},
        {S::Running, KeyCode::Esc, 0, 0, K::Retry},    {S::Paused, KeyCode::Esc, 1, 0, K::Retry},
        {S::Running, KeyCode::Esc, 0, 1, K::Counting}, {S::Running, KeyCode::Esc, 1, 1, K::Retry},
        {S::Running, KeyCode::Esc, 3, 1, K::Counting}, {S::Countdown, KeyCode::Esc, 0, 1, K::None},
        {S::Running, KeyCode::Enter, 0, 0, K::None},   {S::Running, KeyCode::Ctrl, 2, 0, K::None},
        {S::Running, KeyCode::P, 2, 0, K::None},       {S::Running, KeyCode::Pause, 0, 0, K::TogglePause},
        {S::Running, KeyCode::F5, 0, 0, K::ShowRuby},  {S::Ready, 65, 0, 0, K::None},
        {S::Running, 65, 0, 0, K::Counting},
    };
    for (const Case& c : downs)
        EXPECT_EQ(keyDownAction(c.state, c.key, c.shift, c.retrySetting, c.state != S::Ready), c.expected)
            << int(c.state) << " key " << c.key << " shift " << c.shift;
    EXPECT_EQ(keyDownAction(S::Ready, KeyCode::Pause, 0, 0, false), K::None);

    EXPECT_EQ(keyPressAction(S::Ready, u' '), K::Start);
    EXPECT_EQ(keyPressAction(S::Ready, 13), K::Start);
    EXPECT_EQ(keyPressAction(S::Paused, u' '), K::None);
    EXPECT_EQ(keyPressAction(S::Countdown, 13), K::None);
    EXPECT_EQ(keyPressAction(S::Running, 13), K::CheckSegment);
    EXPECT_EQ(keyPressAction(S::Running, u'a'), K::Counting);
}

TEST_F(AttemptTest, CountdownShowsDigitsForEveryCode) {
    struct Case {
        int code;
        int typingAfterMs;
        QString firstDigit;
    } cases[] = {{4, 3000, u"３"_s}, {3, 2000, u"２"_s}, {2, 1000, u"１"_s}, {1, 10, QString()}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        m.settings.setNumber(Options::Countdown, c.code);
        a.returnToReady();
        a.startAttempt();
        clock.advance(10);
        auto step = a.countdownTick();
        EXPECT_EQ(step.digit, c.firstDigit);
        EXPECT_EQ(step.beginTyping, c.code == 1);
        if (c.code == 1) continue;
        // The digits change on whole seconds, and typing begins after the last one.
        quint32 elapsed = 10;
        QStringList shown = {step.digit};
        while (!step.beginTyping) {
            clock.advance(10);
            elapsed += 10;
            step = a.countdownTick();
            if (!step.beginTyping && step.digit != shown.last()) shown.append(step.digit);
        }
        // The first 10 ms tick after the last whole second.
        EXPECT_EQ(elapsed, quint32(c.typingAfterMs + 10));
        EXPECT_EQ(shown.size(), c.code - 1);
        EXPECT_EQ(a.attemptStart, clock.now);
        EXPECT_EQ(a.segmentStart, clock.now);
    }
}

TEST_F(AttemptTest, LateTickStillBeginsTyping) {
    a.startAttempt();
    clock.advance(1500);
    EXPECT_EQ(a.countdownTick().digit, u"２"_s);
    clock.advance(5000); // the machine stalled past zero
    EXPECT_TRUE(a.countdownTick().beginTyping);
    EXPECT_EQ(a.state(), AttemptState::Running);
}

TEST_F(AttemptTest, PauseIsTakenOutOfBothTimesAcrossTheClockWrap) {
    clock.now = 0xFFFFF000u;
    startTyping();
    const quint32 attemptStart = a.attemptStart;
    clock.advance(500);
    a.togglePause();
    EXPECT_EQ(a.state(), AttemptState::Paused);
    clock.advance(7000); // wraps past zero
    a.togglePause();
    EXPECT_EQ(a.state(), AttemptState::Running);
    EXPECT_EQ(a.attemptStart, attemptStart + 7000u);
    EXPECT_EQ(elapsedMs(a.attemptStart, clock.now), 500);
    EXPECT_EQ(elapsedMs(a.segmentStart, clock.now), 500);
}

TEST_F(AttemptTest, WholeTextFillsARowPerParagraphAndReturnsToTheStart) {
    startTyping();
    clock.advance(3);
    a.clockTick();
    // Completed within 10 ms of the start: recorded as 10 ms.
    a.counters.segmentKeystrokes = 4;
    EXPECT_EQ(a.checkSegment(u"あい", u"あい"), AttemptControl::SegmentOutcome::Advanced);
    EXPECT_EQ(a.paragraphResults[0].timeMs, 10);
    EXPECT_EQ(a.paragraphResults[0].keystrokes, 4);
    EXPECT_EQ(a.counters.segmentKeystrokes, 0);
    EXPECT_EQ(m.text.currentLine, 6);
    EXPECT_EQ(a.doneChars, 2);

    EXPECT_EQ(tick(u"うX"_s), AttemptControl::SegmentOutcome::Incomplete);
    for (int i = 0; i < 10; ++i)
        tick(u"う"_s);
    EXPECT_EQ(tick(u"うえ"_s), AttemptControl::SegmentOutcome::Advanced);
    EXPECT_EQ(m.text.currentLine, 7);
    for (int i = 0; i < 5; ++i)
        tick(u""_s);
    EXPECT_EQ(tick(u"お"_s), AttemptControl::SegmentOutcome::Ended);
    EXPECT_EQ(a.state(), AttemptState::Ready);
    for (int row = 0; row < 3; ++row)
        EXPECT_GE(a.paragraphResults[size_t(row)].timeMs, 10) << row;
    EXPECT_EQ(a.paragraphResults[3].timeMs, 0);
    EXPECT_EQ(a.summary().firstRow, 0);
    EXPECT_EQ(a.summary().lastRow, 2);
    EXPECT_EQ(a.summary().currentLine, 7);
    EXPECT_EQ(a.summary().elapsedMs, elapsedMs(a.attemptStart, a.lastTick));
    a.returnToReady();
    EXPECT_EQ(m.text.currentLine, 5);
}

TEST_F(AttemptTest, EnterOptionMakesCompleteSegmentsWaitButNotTheLast) {
    m.settings.setNumber(Options::ParagraphChange, 1);
    startTyping();
    EXPECT_FALSE(a.checksOnTick());
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(tick(u"あい"_s), AttemptControl::SegmentOutcome::Incomplete);
    // Enter does the check; the clock ran on while waiting.
    EXPECT_EQ(a.checkSegment(u"あい", u"あい"), AttemptControl::SegmentOutcome::Advanced);
    EXPECT_EQ(a.paragraphResults[0].timeMs, 200);
    a.checkSegment(u"うえ", u"うえ");
    EXPECT_TRUE(a.checksOnTick()); // the last segment completes at once
    EXPECT_EQ(tick(u"お"_s), AttemptControl::SegmentOutcome::Ended);
}

TEST_F(AttemptTest, ParagraphPracticeRecordsItsOwnRow) {
    m.settings.setNumber(Options::PracticeMode, 1);
    m.settings.setNumber(Options::CurrentParagraph, 1);
    a.returnToReady();
    EXPECT_EQ(m.text.currentLine, 6);
    startTyping();
    EXPECT_TRUE(a.isLastSegment());
    EXPECT_EQ(tick(u"うえ"_s), AttemptControl::SegmentOutcome::Ended);
    EXPECT_EQ(a.summary().firstRow, 1);
    EXPECT_EQ(a.summary().lastRow, 1);
    EXPECT_EQ(a.paragraphResults[0].timeMs, 0);
}

TEST_F(AttemptTest, RetryResetsEverything) {
    startTyping();
    a.counters.keystrokes = 12;
    a.checkSegment(u"あい", u"あい");
    a.retry();
    EXPECT_EQ(a.state(), AttemptState::Ready);
    EXPECT_EQ(a.counters.keystrokes, 0);
    EXPECT_EQ(a.doneChars, 0);
    EXPECT_EQ(m.text.currentLine, 5);
    // Space while paused does not start; a new start clears the old rows.
    a.startAttempt();
    EXPECT_EQ(a.paragraphResults[0].timeMs, 0);
}
