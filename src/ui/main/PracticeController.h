#pragma once

#include "core/practice/AttemptControl.h"
#include "core/practice/KeyCounting.h"
#include "core/practice/KeyTrace.h"
#include "core/practice/MissCounter.h"
#include "core/practice/SegmentLayout.h"
#include "core/practice/Session.h"
#include "core/scoring/ResultComputation.h"
#include "platform/Platform.h"

#include <QObject>

#include <functional>
#include <memory>

class BestListPanel;
class FontCellMetrics;
class InputPanel;
class LiveFiguresPanel;
class MainMenus;
class ResultPanel;
class TargetTextPanel;
class TextInfoPanel;
class QTimer;
class QWidget;

/** The panels of the main window, as the practice controller drives them. */
struct MainPanels {
    TargetTextPanel& target;
    InputPanel& input;
    LiveFiguresPanel& figures;
    TextInfoPanel& textInfo;
    ResultPanel& result;
    BestListPanel& bestList;
};

/**
 * One attempt after another on the loaded text: the timers, the countdown, judging the input,
 * the end of an attempt with its records, pause and retry. It keeps the program's state in
 * members (the attempt's state, whether a result is shown, the text's eligibility) and has the
 * panels show what core returns.
 */
class PracticeController : public QObject {
    Q_OBJECT

public:
    PracticeController(Session& session, Platform& platform, MainPanels panels, MainMenus& menus, QWidget* window);
    ~PracticeController() override;

    /** Where messages go. */
    void setMessageHandler(std::function<void(const QString&)> handler) { m_message = std::move(handler); }
    /** Called when an attempt starts (true) or is cleared: keys pressed before it are forgotten. */
    void setPendingKeysReset(std::function<void(bool starting)> reset) { m_resetPendingKeys = std::move(reset); }

    /** The font size in use: rows, cells per row and the metrics the layout measures with. */
    void setFontLayout(int pointSize, int charsPerLine, int visibleRows);

    // The attempt's commands and timer handlers; the timers and keys call them, tests call
    // them directly after moving the fake clock.
    void startAttempt();
    void countdownTick();
    void runTick();
    void checkSegment();
    void togglePause();
    void retry();
    void returnToReady();
    void inputChanged();
    void inputMethodGuardTick();
    void recolourTick();
    /** F5 during typing: the reading at the caret. */
    void showRubyOnRequest();
    /** F3 or "詳細[F3]..": the details of the attempt whose result is shown. */
    void showDetailsOnRequest();
    /** The keystroke count of the attempt, after a key-down was counted. */
    void showKeystrokes();

    /** Shows the loaded text afresh, in the ready state. */
    void showText();
    /** The target line for the active target: the target speed changed. */
    void showTargetLine();
    /** Lays out the current segment of the text and its preview. */
    void layoutSegment();
    /** After the zoom grew by `factor`: the preview refitted, the bars at their share of the tracks. */
    void zoomChanged(double factor);
    /** A timed exam of `minutes` on the whole text (from the exam menu). */
    void chooseExam(int minutes);
    /** A new judgement standard: the shown result is graded again and the best list follows. */
    void standardChanged(int standard);
    /** A window the user types in is open (true): the input-method guard rests until it closes. */
    void suspendInputMethodGuard(bool suspended);
    /** Records were deleted: no row of the best list is the last attempt's any more. */
    void recordsDeleted();

    AttemptControl& attempt() { return m_attempt; }
    const AttemptControl& attempt() const { return m_attempt; }
    KeyCounting& counting() { return m_counting; }
    KeyTrace& trace() { return m_trace; }
    /** The characters met and missed in the attempt so far. */
    const MissCounter& misses() const { return m_misses; }
    const TargetDisplay& display() const { return m_display; }
    int charsPerLine() const { return m_charsPerLine; }
    int visibleRows() const { return m_visibleRows; }

Q_SIGNALS:
    /** The details of the last attempt are asked for; the session's detailMode says which. */
    void detailsRequested();

private:
    void applyAttemptState();
    void showTargetLine(const QString& line);
    void endAttempt();
    /** The end of a timed exam: its figures, its line in the exam log and its result dialog. */
    void endExam(const AttemptSummary& summary);
    /** The exam's time left on the clock (its whole length between attempts). */
    void showExamClock();
    /** Clears what the last attempt left (counting, live figures, result) before a new one. */
    void clearAttemptDisplay();
    /** Shows the result panel in place of the text information, or the other way round. */
    void setResultShown(bool shown);
    void scrollTo(int value);
    void showRuby(const RubyBox& box);
    RubyFrame rubyFrame() const;
    void showLiveFigures();
    void showBestList(const QString& ownLevelStart);
    int setting(int entry) const { return m.settings.number(entry); }

    Session& m;
    Platform& m_platform;
    MainPanels m_panels;
    MainMenus& m_menus;
    QWidget* m_window;
    std::function<void(const QString&)> m_message;
    std::function<void(bool)> m_resetPendingKeys;

    AttemptControl m_attempt;
    KeyCounting m_counting;
    KeyTrace m_trace;
    MissCounter m_misses;
    TargetDisplay m_display;
    std::unique_ptr<FontCellMetrics> m_metrics;
    int m_charsPerLine = 40;
    int m_visibleRows = 4;
    bool m_hasTargetLine = false;                       ///< the loaded text has a target-speed line
    bool m_resultShown = false;                         ///< the last attempt's result is on show
    bool m_examResultShown = false;                     ///< the last exam's figures are on show
    Eligibility m_eligibility = Eligibility::Available; ///< of the loaded text
    int m_redRow = -1;                                  ///< best-list row the last attempt entered
    qint32 m_lastElapsedMs = 0; ///< kept so a change of standard can grade the last attempt again
    CharCounts m_lastCounts;

    QTimer* m_runTimer;              ///< running clock and segment check
    QTimer* m_countdownTimer;        ///< countdown
    QTimer* m_inputMethodGuardTimer; ///< keeps the input method closed between attempts
    QTimer* m_recolourTimer;         ///< recolours the characters before the judgement window
};
