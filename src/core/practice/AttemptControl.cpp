#include "core/practice/AttemptControl.h"

#include "core/settings/Options.h"
#include "core/util/BasicFunctions.h"

#include <cmath>

using namespace Qt::StringLiterals;

StateControls controlsFor(AttemptState state) {
    StateControls c;
    switch (state) {
    case AttemptState::Ready:
        break;
    case AttemptState::Countdown:
        c.countdownTimerOn = true;
        c.hints = false;
        c.startEnabled = false;
        c.retryEnabled = true;
        c.otherMenus = false;
        break;
    case AttemptState::Running:
        c.runTimerOn = true;
        c.inputMethodGuardOn = false;
        c.inputEnabled = true;
        c.startPanel = false;
        c.hints = false;
        c.startEnabled = false;
        c.pauseEnabled = true;
        c.retryEnabled = true;
        c.otherMenus = false;
        break;
    case AttemptState::Paused:
        c.inputMethodGuardOn = false;
        c.startPanel = false;
        c.hints = false;
        c.pausePanel = true;
        c.startEnabled = false;
        c.pauseEnabled = true;
        c.retryEnabled = true;
        c.otherMenus = false;
        c.pauseCaption = u"再開(&P)";
        break;
    }
    return c;
}

QString inputTimeCaption(qint32 elapsedMs) {
    const double seconds = basic::Val(basic::Format(elapsedMs / 1000.0, u"#0"));
    const double minutes = basic::Int(seconds / 60.0);
    return u"入力時間："_s + basic::FormatAt(QString::number(qint64(minutes)), u"@@@") + u"分"_s +
           basic::Format(seconds - minutes * 60.0, u"00") + u"秒"_s;
}

KeyAction keyPressAction(AttemptState state, char16_t character) {
    if (state == AttemptState::Ready && (character == 13 || character == 32)) return KeyAction::Start;
    if (state == AttemptState::Running) return character == 13 ? KeyAction::CheckSegment : KeyAction::Counting;
    return KeyAction::None;
}

KeyAction keyDownAction(AttemptState state, int keyCode, int shiftState, qint32 retryKeySetting, bool pauseEnabled) {
    if (keyCode == KeyCode::Enter || keyCode == KeyCode::Ctrl || keyCode == KeyCode::Alt) return KeyAction::None;
    if (state != AttemptState::Ready && keyCode == KeyCode::Esc) {
        if (retryKeySetting == 0) return KeyAction::Retry;
        if (shiftState == ShiftState::Shift) return KeyAction::Retry;
    }
    if (keyCode == KeyCode::P && shiftState == ShiftState::Ctrl) return KeyAction::None;
    if (keyCode == KeyCode::Pause) return pauseEnabled ? KeyAction::TogglePause : KeyAction::None;
    if (keyCode == KeyCode::F5) return KeyAction::ShowRuby;
    if (keyCode == KeyCode::F3) return KeyAction::ShowDetails;
    return state == AttemptState::Running ? KeyAction::Counting : KeyAction::None;
}

void AttemptControl::resetAttempt() {
    counters = {};
    doneChars = 0;
    correctPrefix = 0;
}

void AttemptControl::startAttempt() {
    if (m_state != AttemptState::Ready) return;
    countdownStart = m_clock.nowMs();
    m_state = AttemptState::Countdown;
    previousMismatchCount = 0;
    mismatchCount = 0;
    paragraphResults.fill(ParagraphResult{});
    resetAttempt();
    m_examLengthMs = examActive(m) ? m.preferences.examMinutes * 60000 : 0;
}

AttemptControl::CountdownStep AttemptControl::countdownTick() {
    CountdownStep step;
    if (m_state != AttemptState::Countdown) return step;
    const quint32 now = m_clock.nowMs();
    attemptStart = now;
    segmentStart = now;
    const int code = std::clamp(int(m.settings.number(Options::Countdown)), 1, 4);
    const double remaining = std::floor(code - elapsedMs(countdownStart, now) / 1000.0);
    if (remaining >= 3)
        step.digit = u"３"_s;
    else if (remaining >= 2)
        step.digit = u"２"_s;
    else if (remaining >= 1)
        step.digit = u"１"_s;
    else {
        // A tick that comes late (a busy machine) may jump past zero; typing begins all the same.
        step.beginTyping = true;
        m_state = AttemptState::Running;
        lastTick = now;
    }
    if (remaining > 3) step.digit.clear();
    return step;
}

bool AttemptControl::isLastSegment() const {
    return m.settings.number(Options::PracticeMode) != 0 || m.text.currentLine >= m.text.lineCount - 1;
}

bool AttemptControl::checksOnTick() const {
    return isLastSegment() || m.settings.number(Options::ParagraphChange) == 0;
}

QString AttemptControl::clockTick() {
    lastTick = m_clock.nowMs();
    return basic::Format(elapsedMs(attemptStart, lastTick) / 1000.0, u"#0");
}

AttemptControl::SegmentOutcome AttemptControl::checkSegment(QStringView input, QStringView segmentText,
                                                            const QString& operations) {
    if (m_state != AttemptState::Running || input != segmentText) return SegmentOutcome::Incomplete;
    const qint32 segmentTime = std::max<qint32>(10, elapsedMs(segmentStart, lastTick));
    const int row = m.text.currentLine - CurrentText::FirstParagraphLine;
    if (row >= 0 && row < ResultRows) {
        ParagraphResult& r = paragraphResults[size_t(row)];
        r.keystrokes = counters.segmentKeystrokes;
        r.timeMs = segmentTime;
        r.conversions = counters.segmentConversions;
        r.confirmations = counters.segmentConfirmations;
        r.teisei = counters.segmentCorrections;
        r.shusei = counters.segmentRevisions;
        r.operations = operations;
    }
    if (isLastSegment()) {
        endAttempt(std::max<qint32>(10, elapsedMs(attemptStart, lastTick)), row);
        return SegmentOutcome::Ended;
    }
    doneChars += qint32(segmentText.size());
    m.text.currentLine += 1;
    segmentStart = lastTick;
    counters.segmentKeystrokes = 0;
    counters.segmentConversions = 0;
    counters.segmentConfirmations = 0;
    counters.segmentCorrections = 0;
    counters.segmentRevisions = 0;
    return SegmentOutcome::Advanced;
}

void AttemptControl::endAttempt(qint32 elapsed, int row) {
    m_state = AttemptState::Ready;
    m_summary = {};
    m_summary.elapsedMs = elapsed;
    m_summary.counters = counters;
    m_summary.practiceMode = m.settings.number(Options::PracticeMode);
    m_summary.currentLine = m.text.currentLine;
    const bool whole = m_summary.practiceMode == 0;
    m_summary.firstRow = whole ? 0 : std::clamp(row, 0, ResultRows - 1);
    m_summary.lastRow = whole ? std::clamp(m.text.lineCount - 6, 0, ResultRows - 1) : m_summary.firstRow;
    m_summary.examMinutes = m_examLengthMs / 60000;
}

qint32 AttemptControl::examRemainingMs() const {
    if (m_examLengthMs <= 0) return 0;
    const qint32 used = m_state == AttemptState::Countdown ? 0 : elapsedMs(attemptStart, lastTick);
    return std::clamp(m_examLengthMs - used, 0, m_examLengthMs);
}

bool AttemptControl::examTimeUp() {
    if (m_state != AttemptState::Running || m_examLengthMs <= 0) return false;
    if (elapsedMs(attemptStart, lastTick) < m_examLengthMs) return false;
    // The paragraph under way is not complete: it keeps no row of its own.
    endAttempt(m_examLengthMs, -1);
    m_summary.timeUp = true;
    return true;
}

bool examActive(const Session& session) {
    return session.preferences.examMinutes > 0 && session.settings.number(Options::PracticeMode) == 0;
}

QString remainingTimeCaption(qint32 remainingMs) {
    const qint32 seconds = (std::max<qint32>(0, remainingMs) + 999) / 1000;
    return QString::number(seconds / 60) + u':' + basic::Format(seconds % 60, u"00");
}

void AttemptControl::togglePause() {
    if (m_state == AttemptState::Running) {
        pauseStart = m_clock.nowMs();
        m_state = AttemptState::Paused;
    } else if (m_state == AttemptState::Paused) {
        const qint32 pause = elapsedMs(pauseStart, m_clock.nowMs());
        segmentStart += quint32(pause);
        attemptStart += quint32(pause);
        m_state = AttemptState::Running;
    }
}

void AttemptControl::retry() {
    returnToReady();
    resetAttempt();
}

void AttemptControl::returnToReady() {
    m_state = AttemptState::Ready;
    m.text.currentLine = m.settings.number(Options::PracticeMode) != 0
                             ? m.settings.number(Options::CurrentParagraph) + CurrentText::FirstParagraphLine
                             : CurrentText::FirstParagraphLine;
}
