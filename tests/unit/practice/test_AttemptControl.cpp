#include "core/practice/AttemptControl.h"
#include "core/settings/Options.h"
#include "support/FakePlatform.h"
#include "unit/UnitTest.h"

namespace {

using Outcome = AttemptControl::SegmentOutcome;

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
    Outcome tick(const QString& input) {
        clock.advance(10);
        auto outcome = Outcome::Incomplete;
        if (a.checksOnTick()) outcome = a.checkSegment(input, m.text.line(m.text.currentLine));
        if (outcome != Outcome::Ended) a.clockTick();
        return outcome;
    }
    Session m;
    FakeClock clock;
    AttemptControl a{m, clock};
};

} // namespace

TEST_F(AttemptTest, CountdownShowsDigitsForEveryCode) {
    const std::tuple<int, quint32, QString> cases[] = {{4, 3000, u"３"_s}, {2, 1000, u"１"_s}, {1, 10, QString()}};
    for (const auto& [code, typingAfterMs, firstDigit] : cases) {
        SCOPED_TRACE(code);
        m.settings.setNumber(Options::Countdown, code);
        a.returnToReady();
        a.startAttempt();
        clock.advance(10);
        auto step = a.countdownTick();
        EXPECT_EQ(std::pair(step.digit, step.beginTyping), std::pair(firstDigit, code == 1));
        // The digits change on whole seconds; typing begins on the first 10 ms tick after the last one.
        quint32 elapsed = 10;
        QStringList shown = {step.digit};
        while (!step.beginTyping) {
            clock.advance(10);
            elapsed += 10;
            step = a.countdownTick();
            if (!step.beginTyping && step.digit != shown.last()) shown.append(step.digit);
        }
        EXPECT_EQ(elapsed, code == 1 ? 10u : typingAfterMs + 10);
        EXPECT_EQ(shown.size(), std::max(code - 1, 1));
        EXPECT_EQ(std::pair(a.attemptStart, a.segmentStart), std::pair(clock.now, clock.now));
    }
    // A machine that stalls past zero still begins typing.
    a.returnToReady();
    a.startAttempt();
    clock.advance(5000);
    EXPECT_TRUE(a.countdownTick().beginTyping);
}

TEST_F(AttemptTest, PauseIsTakenOutOfBothTimesAcrossTheClockWrap) {
    clock.now = 0xFFFFF000u;
    startTyping();
    clock.advance(500);
    a.togglePause();
    EXPECT_EQ(a.state(), AttemptState::Paused);
    clock.advance(7000); // wraps past zero
    a.togglePause();
    EXPECT_EQ(a.state(), AttemptState::Running);
    EXPECT_EQ(elapsedMs(a.attemptStart, clock.now), 500);
    EXPECT_EQ(elapsedMs(a.segmentStart, clock.now), 500);
}

TEST_F(AttemptTest, WholeTextFillsARowPerParagraphAndReturnsToTheStart) {
    startTyping();
    clock.advance(3);
    a.clockTick();
    a.counters.segmentKeystrokes = 4;
    EXPECT_EQ(a.checkSegment(u"あい", u"あい"), Outcome::Advanced);
    // Completed within 10 ms of the start: recorded as 10 ms.
    EXPECT_EQ(std::tuple(a.paragraphResults[0].timeMs, a.paragraphResults[0].keystrokes, a.counters.segmentKeystrokes),
              std::tuple(10, 4, 0));
    EXPECT_EQ(std::pair(m.text.currentLine, a.doneChars), std::pair(6, 2));
    EXPECT_EQ(tick(u"うX"_s), Outcome::Incomplete);
    for (int i = 0; i < 10; ++i)
        tick(u"う"_s);
    EXPECT_EQ(tick(u"うえ"_s), Outcome::Advanced);
    for (int i = 0; i < 5; ++i)
        tick(u""_s);
    EXPECT_EQ(tick(u"お"_s), Outcome::Ended);
    EXPECT_EQ(a.state(), AttemptState::Ready);
    EXPECT_TRUE(a.paragraphResults[1].timeMs >= 10 && a.paragraphResults[2].timeMs >= 10);
    EXPECT_EQ(a.paragraphResults[3].timeMs, 0);
    const AttemptSummary s = a.summary();
    EXPECT_EQ(std::tuple(s.firstRow, s.lastRow, s.currentLine), std::tuple(0, 2, 7));
    EXPECT_EQ(s.elapsedMs, elapsedMs(a.attemptStart, a.lastTick));
    a.returnToReady();
    EXPECT_EQ(m.text.currentLine, 5);
}

TEST_F(AttemptTest, EnterOptionMakesCompleteSegmentsWaitButNotTheLast) {
    m.settings.setNumber(Options::ParagraphChange, 1);
    startTyping();
    EXPECT_FALSE(a.checksOnTick());
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(tick(u"あい"_s), Outcome::Incomplete);
    // Enter does the check; the clock ran on while waiting.
    EXPECT_EQ(a.checkSegment(u"あい", u"あい"), Outcome::Advanced);
    EXPECT_EQ(a.paragraphResults[0].timeMs, 200);
    a.checkSegment(u"うえ", u"うえ");
    EXPECT_TRUE(a.checksOnTick()); // the last segment completes at once
    EXPECT_EQ(tick(u"お"_s), Outcome::Ended);
}

TEST_F(AttemptTest, ParagraphPracticeRecordsItsOwnRowAndRetryResetsEverything) {
    m.settings.setNumber(Options::PracticeMode, 1);
    m.settings.setNumber(Options::CurrentParagraph, 1);
    a.returnToReady();
    startTyping();
    EXPECT_TRUE(a.isLastSegment());
    EXPECT_EQ(tick(u"うえ"_s), Outcome::Ended);
    EXPECT_EQ(std::tuple(a.summary().firstRow, a.summary().lastRow, a.paragraphResults[0].timeMs), std::tuple(1, 1, 0));
    m.settings.setNumber(Options::PracticeMode, 0);
    a.returnToReady();
    startTyping();
    a.counters.keystrokes = 12;
    a.checkSegment(u"あい", u"あい");
    a.retry();
    EXPECT_EQ(std::tuple(a.state(), a.counters.keystrokes, a.doneChars, m.text.currentLine),
              std::tuple(AttemptState::Ready, 0, 0, 5));
    a.startAttempt(); // a new start clears the old rows
    EXPECT_EQ(a.paragraphResults[0].timeMs, 0);
}

TEST(AttemptKeys, EachKeyActsOnlyInItsStateAndUnderItsOption) {
    using enum AttemptState;
    using enum KeyAction;
    namespace K = KeyCode;
    constexpr int NoShift = 0, Shift = ShiftState::Shift, Ctrl = ShiftState::Ctrl;
    // state, key code, shift state, retry-key option (0 Esc, 1 Shift+Esc), pausing allowed, action
    const std::tuple<AttemptState, int, int, int, bool, KeyAction> downs[] = {
        {Running, K::Esc, NoShift, 0, true, Retry},         {Paused, K::Esc, NoShift, 0, false, Retry},
        {Countdown, K::Esc, Shift, 0, false, Retry},        {Running, K::Esc, NoShift, 1, true, Counting},
        {Running, K::Esc, Shift, 1, true, Retry},           {Ready, K::Esc, NoShift, 0, false, None},
        {Running, K::Pause, NoShift, 0, true, TogglePause}, {Paused, K::Pause, NoShift, 0, true, TogglePause},
        {Running, K::Pause, NoShift, 0, false, None},       {Ready, K::F5, NoShift, 0, false, ShowRuby},
        {Running, K::F5, NoShift, 0, true, ShowRuby},       {Ready, K::F3, NoShift, 0, false, ShowDetails},
        {Running, K::Enter, NoShift, 0, true, None},        {Running, K::P, Ctrl, 0, true, None},
        {Running, 65, NoShift, 0, true, Counting},          {Ready, 65, NoShift, 0, false, None}};
    for (const auto& [state, key, shift, retryKey, pauseEnabled, action] : downs)
        EXPECT_EQ(keyDownAction(state, key, shift, retryKey, pauseEnabled), action)
            << int(state) << " key " << key << " shift " << shift << " option " << retryKey << " " << pauseEnabled;
    // Space starts only when ready; Enter starts when ready and checks the segment while running.
    const std::tuple<AttemptState, char16_t, KeyAction> presses[] = {
        {Ready, u' ', Start},           {Ready, u'\r', Start}, {Ready, u'a', None},
        {Running, u' ', Counting},      {Paused, u' ', None},  {Countdown, u' ', None},
        {Running, u'\r', CheckSegment}, {Paused, u'\r', None}};
    for (const auto& [state, character, action] : presses)
        EXPECT_EQ(keyPressAction(state, character), action) << int(state) << " " << int(character);
}

TEST_F(AttemptTest, ExamEndsOnItsTimeWhereverTheInputIs) {
    m.preferences.examMinutes = 1;
    m.settings.setNumber(Options::ParagraphChange, 0);
    // input at the time-up tick, paragraph reached -> ended on time, completed characters
    const std::tuple<QString, int, bool, qint32> cases[] = {
        {u"う"_s, 6, true, 2},   // in the middle of a paragraph
        {u"うえ"_s, 7, true, 4}, // exactly at a paragraph's end: it counts as done first
        {u"お"_s, 7, false, 4},  // the last paragraph completed on that tick: the text ran out first
    };
    for (const auto& [input, line, timeUp, done] : cases) {
        SCOPED_TRACE(input.toStdString());
        a.retry();
        startTyping();
        EXPECT_EQ(tick(u"あい"_s), Outcome::Advanced);
        if (input == u"お") {
            EXPECT_EQ(tick(u"うえ"_s), Outcome::Advanced);
        }
        clock.advance(59980 - elapsedMs(a.attemptStart, clock.now));
        EXPECT_EQ(tick(u"xx"_s), Outcome::Incomplete);
        EXPECT_FALSE(a.examTimeUp());
        EXPECT_EQ(remainingTimeCaption(a.examRemainingMs()), u"0:01"_s);
        tick(input);
        const bool ended = a.state() == AttemptState::Ready || a.examTimeUp();
        EXPECT_TRUE(ended);
        EXPECT_EQ(std::tuple(a.summary().timeUp, a.summary().examMinutes, m.text.currentLine, a.doneChars),
                  std::tuple(timeUp, 1, line, done));
        EXPECT_EQ(a.summary().elapsedMs == 60000, timeUp);
    }
    m.settings.setNumber(Options::PracticeMode, 1); // paragraph practice is never timed
    EXPECT_FALSE(examActive(m));
}

TEST(ExamClock, RemainingTimeRoundsUpAndMarksTheLastTenSeconds) {
    const std::tuple<qint32, QString, bool> cases[] = {
        {900000, u"15:00"_s, false}, {59001, u"1:00"_s, false}, {59000, u"0:59"_s, false}, {10001, u"0:11"_s, false},
        {10000, u"0:10"_s, true},    {1, u"0:01"_s, true},      {0, u"0:00"_s, true},      {-20, u"0:00"_s, true}};
    for (const auto& [ms, caption, final] : cases)
        EXPECT_EQ(std::pair(remainingTimeCaption(ms), examFinalSeconds(ms)), std::pair(caption, final)) << ms;
}
