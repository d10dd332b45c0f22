#pragma once

#include "core/practice/Session.h"
#include "core/util/Clock.h"

#include <QString>

#include <array>

/** The four states of the practice window. */
enum class AttemptState { Ready, Countdown, Running, Paused };

/** One paragraph's results within an attempt. */
struct ParagraphResult {
    qint32 keystrokes = 0;
    qint32 timeMs = 0;
    qint32 conversions = 0;
    qint32 confirmations = 0;
    qint32 teisei = 0;
    qint32 shusei = 0;
    QString operations; ///< the paragraph's operation string
};

/** Keystrokes and input-method operations of the attempt and of the current segment. */
struct AttemptCounters {
    qint32 keystrokes = 0;
    qint32 conversions = 0;
    qint32 confirmations = 0;
    qint32 correctionCount = 0;
    qint32 revisionCount = 0;
    qint32 segmentKeystrokes = 0;
    qint32 segmentConversions = 0;
    qint32 segmentConfirmations = 0;
    qint32 segmentCorrections = 0;
    qint32 segmentRevisions = 0;
};

/** What the end of an attempt hands to the result computation and the record files. */
struct AttemptSummary {
    qint32 elapsedMs = 10;
    AttemptCounters counters;
    int practiceMode = 0; ///< 0 whole text, 1 paragraph
    int currentLine = 5;  ///< the line practised last (before the whole text returns to its start)
    int firstRow = 0;     ///< rows of paragraphResults that belong to the attempt
    int lastRow = 0;
    int examMinutes = 0; ///< the exam's length, 0 when the attempt was not an exam
    bool timeUp = false; ///< the exam ended on its time (not at the end of the text)
};

/** The enabled and visible states of the controls in one attempt state. */
struct StateControls {
    bool runTimerOn = false;
    bool countdownTimerOn = false;
    bool inputMethodGuardOn = true;
    bool inputEnabled = false;
    bool startPanel = true;
    bool hints = true; ///< startHint and retryHint
    bool pausePanel = false;
    bool startEnabled = true;
    bool pauseEnabled = false;
    bool retryEnabled = false;
    bool otherMenus = true; ///< file, sample, result, option and help menus
    const char16_t* pauseCaption = u"中断(&P)";
};

/** The control states of the state table. */
StateControls controlsFor(AttemptState state);

/** The end dialog's input time: "入力時間：  0分35秒" for 35 seconds (rounded whole seconds). */
QString inputTimeCaption(qint32 elapsedMs);

/** What a key does in the practice window, which sees every key before its controls. */
enum class KeyAction { None, Start, CheckSegment, Retry, TogglePause, ShowRuby, ShowDetails, Counting };

/** A character key (key press): Space or Enter starts in the ready state; Enter checks the segment while running. */
KeyAction keyPressAction(AttemptState state, char16_t character);

/** Key codes of the practice window's keys (the Windows virtual-key numbers the options speak of). */
namespace KeyCode {
inline constexpr int Enter = 13, Shift = 16, Ctrl = 17, Alt = 18, Pause = 19, Esc = 27, P = 80, F3 = 114, F5 = 116;
}
/** Shift-state bits of a key-down. */
namespace ShiftState {
inline constexpr int Shift = 1, Ctrl = 2, Alt = 4;
}

/** A key-down: the retry key, Pause, F5 and F3, or a key for the keystroke counting while running. */
KeyAction keyDownAction(AttemptState state, int keyCode, int shiftState, qint32 retryKeySetting, bool pauseEnabled);

/**
 * The life cycle of one attempt: countdown, running clock, pause, segment completion
 * and advance, end and retry. Times come from the clock and every difference is
 * wrap-safe. The window calls these from its timers and keys and shows the results.
 */
class AttemptControl {
public:
    static constexpr int ResultRows = 201;

    AttemptControl(Session& module, const Clock& clock) : m(module), m_clock(clock) {}

    AttemptState state() const { return m_state; }

    /** startAttempt: from the ready state into the countdown; clears the rows and counters. */
    void startAttempt();

    /** countdownTick: the digit to show ("３", "２", "１", or empty), and whether typing begins now. */
    struct CountdownStep {
        QString digit;
        bool beginTyping = false;
    };
    CountdownStep countdownTick();

    /** True when no paragraph follows the current segment (always in paragraph practice). */
    bool isLastSegment() const;
    /** Whether runTick checks the segment on every tick (last segment, or no Enter between paragraphs). */
    bool checksOnTick() const;

    /** runTick's clock step: reads the clock and returns the elapsed whole seconds for the display. */
    QString clockTick();

    /** The outcome of a segment check. */
    enum class SegmentOutcome { Incomplete, Advanced, Ended };
    /**
     * checkSegment: when the input equals the segment, stores the paragraph's row and
     * either advances to the next line or ends the attempt. `operations` is the
     * paragraph's operation string.
     */
    SegmentOutcome checkSegment(QStringView input, QStringView segmentText, const QString& operations = QString());

    /** The exam's length in milliseconds for this attempt, 0 when it is not an exam. */
    qint32 examLengthMs() const { return m_examLengthMs; }
    /** Milliseconds of the exam left at the last clock step, never below 0. */
    qint32 examRemainingMs() const;
    /**
     * After a clock step: when the exam's time is up the attempt ends where it is, whatever
     * the input, and the summary says so. False while time is left or outside an exam.
     */
    bool examTimeUp();

    /** togglePause: running -> paused, paused -> running with the pause taken out of both start times. */
    void togglePause();

    /** Back to the ready state with everything reset. */
    void retry();

    /** returnToReady: the ready state at the current practice line. */
    void returnToReady();

    /** The summary of the attempt that has just ended. */
    const AttemptSummary& summary() const { return m_summary; }

    // The attempt's fields, read by the window and by the counting and judgement.
    quint32 countdownStart = 0;
    quint32 attemptStart = 0;
    quint32 segmentStart = 0;
    quint32 lastTick = 0;
    quint32 pauseStart = 0;
    qint32 doneChars = 0;
    qint32 correctPrefix = 0;
    qint32 mismatchCount = 0;
    qint32 previousMismatchCount = 0;
    AttemptCounters counters;
    std::array<ParagraphResult, ResultRows> paragraphResults;

private:
    void resetAttempt();
    void endAttempt(qint32 elapsed, int row);

    Session& m;
    const Clock& m_clock;
    AttemptState m_state = AttemptState::Ready;
    AttemptSummary m_summary;
    qint32 m_examLengthMs = 0;
};

/** True when an attempt started now would be a timed exam (whole-text practice with an exam length). */
bool examActive(const Session& session);

/** The remaining-time display of an exam: "9:59" for 599 000 ms and more; whole seconds round up. */
QString remainingTimeCaption(qint32 remainingMs);
/** The last ten seconds of an exam, which the display marks. */
inline bool examFinalSeconds(qint32 remainingMs) {
    return remainingMs <= 10000;
}
