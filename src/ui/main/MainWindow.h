#pragma once

#include "core/practice/AttemptControl.h"
#include "core/practice/KeyCounting.h"
#include "core/practice/KeyStream.h"
#include "core/practice/KeyTrace.h"
#include "core/practice/SegmentLayout.h"
#include "core/practice/Session.h"
#include "core/scoring/ResultComputation.h"
#include "platform/Platform.h"

#include <QMainWindow>
#include <QMap>

#include <functional>
#include <memory>

class CharCellView;
class FontCellMetrics;
class QAction;
class QFrame;
class QKeyEvent;
class QPushButton;
class QTimer;
class QLabel;
class InputBox;
class QMenu;
class QScrollBar;

/**
 * The main window: the program itself. It builds the menus from the option and sample
 * tables, forwards every command to the core units and shows what they produce.
 */
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow(Session& module, Platform& platform, QWidget* parent = nullptr);
    ~MainWindow() override;

    /** Start-up after the single-instance check: folders, settings, options, current text. */
    void startUp();
    /** Stores the window position and writes the settings file; false (after a message) on failure. */
    bool shutDown();

    /** Where messages go; a modal message box unless a test replaces it. */
    void setMessageHandler(std::function<void(const QString&)> handler) { m_showMessage = std::move(handler); }

    /** The action of a menu item by its name, e.g. "wholeTextAction" or "fontSizeActions(2)". */
    QAction* action(const QString& name) const { return m_actions.value(name); }

    /** Window caption. */
    static constexpr char16_t Caption[] = u"RinvaleQX ver" RINVALE_VERSION;

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
    /** A key as the window sees it before its controls; true when the window used it. */
    bool handleKey(QKeyEvent* event);
    /** A key-down of the key-down stream: the key's own code, or 229 when the input method used it. */
    void keyDown(int keyCode, int ownCode, quint32 waitedMs, const KeyState& heldAtPress);

    const AttemptControl& attempt() const { return m_attempt; }
    const TargetDisplay& display() const { return m_display; }
    /** Full-width characters render at full width (a Japanese font is present). */
    bool japaneseDisplay() const { return m_japaneseDisplay; }
    /** Full-width cells in a row of the text panel, and rows shown, at the chosen font size. */
    int charsPerLine() const { return m_charsPerLine; }
    int visibleRows() const { return m_visibleRows; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildControls();
    QAction* addItem(QMenu* menu, const QString& name, const QString& caption);
    void addOptionMenus(QMenu* options);

    void checkArray(const QString& arrayName, int count, int checkedIndex);
    void checkStoredOptions();
    void optionChosen(int entry, int index);
    void standardChosen(int index);
    void sampleChosen(int index);

    void applyFontLayout();
    void applyColours();
    void placeWindow();
    void measureJapaneseDisplay();
    void reloadCurrentText();
    void showText();
    void applyMenuState();
    void applyAttemptState();
    void layoutSegment();
    void endAttempt();
    void resetLiveFigures();
    /** Clears what the last attempt left (counting, live figures, result) before a new one. */
    void clearAttemptDisplay();
    /** Shows the result panel in place of the text information, or the other way round. */
    void setResultShown(bool shown);
    void chooseParagraph();
    RubyFrame rubyFrame() const;
    void showRuby(const RubyBox& box);
    void scrollTo(int value);
    void showLiveFigures();
    void clearResultPanel();
    void showResult(const ResultComputation::ResultFigures& figures);
    void showBestList(const QString& ownLevelStart);
    void deleteRecords();
    QLabel* label(const QString& name) const;
    void traceCounts();
    /** Drops the composition under way without committing it (for a menu shortcut typed while composing). */
    void dropComposition();
    void openBesideProgram(const QString& fileName);
    void message(const QString& text);

    Session& m;
    Platform& m_platform;
    QMap<QString, QAction*> m_actions;
    QMap<QString, QMenu*> m_menus;
    std::function<void(const QString&)> m_showMessage;
    bool m_unloaded = false;
    bool m_japaneseDisplay = true;
    int m_charsPerLine = 40;
    int m_visibleRows = 4;
    bool m_hasTargetLine = false;                       ///< the loaded text has a target-speed line
    bool m_resultShown = false;                         ///< the last attempt's result is on show
    Eligibility m_eligibility = Eligibility::Available; ///< of the loaded text

    QLabel* m_titleLabel = nullptr;           // title
    QLabel* m_modeLabel = nullptr;            // practice mode line
    QFrame* m_paragraphNoticePanel = nullptr; // paragraph-practice panel
    AttemptControl m_attempt;
    KeyCounting m_counting;
    KeyStream m_keyStream;
    KeyTrace m_trace;
    QString m_lastPreedit;                ///< the composition as the last input-method event left it
    Qt::KeyboardModifiers m_keyModifiers; ///< of the key being handled
    bool m_keyConsumed = false;           ///< the key-down just handled was a command
    bool m_droppingComposition = false;   ///< inside dropComposition: the commit it causes is not the user's
    bool m_ownInputMethodEvent = false;   ///< an input-method event the window sends the box itself
    TargetDisplay m_display;
    int m_redRow = -1;          ///< best-list row the last attempt entered
    qint32 m_lastElapsedMs = 0; ///< kept so a change of standard can grade the last attempt again
    CharCounts m_lastCounts;
    std::unique_ptr<FontCellMetrics> m_metrics;
    QTimer* m_runTimer = nullptr;              // running clock and segment check
    QTimer* m_countdownTimer = nullptr;        // countdown
    QTimer* m_inputMethodGuardTimer = nullptr; // keeps the input method closed between attempts
    QTimer* m_recolourTimer = nullptr;         // recolours the characters before the judgement window

    QFrame* m_textPanel = nullptr;      // text panel
    CharCellView* m_cellView = nullptr; // the character cells; stands where the inner panel m_textCanvas is
    QScrollBar* m_textScrollBar = nullptr;
    QFrame* m_rubyBox = nullptr;
    QLabel* m_rubyLabel = nullptr;
    QFrame* m_nextParagraphPanel = nullptr; // next-paragraph preview
    QLabel* m_nextParagraphLabel = nullptr;
    QFrame* m_inputPanel = nullptr; // input panel
    InputBox* m_inputEdit = nullptr;
    QFrame* m_startPanel = nullptr; // start panel
    QLabel* m_countdownLabel = nullptr;
    QLabel* m_startHint = nullptr;
    QLabel* m_retryHint = nullptr;
    QLabel* m_targetLabel = nullptr;
    QFrame* m_pausePanel = nullptr; // pause panel
    QPushButton* m_resumeButton = nullptr;
    QLabel* m_elapsedLabel = nullptr;    // elapsed seconds
    QLabel* m_keystrokesLabel = nullptr; // keystrokes
    QLabel* m_typedCharsLabel = nullptr; // characters typed
    QLabel* m_speedLabel = nullptr;      // characters per minute
    QFrame* m_progressBar = nullptr;     // progress bar
    QFrame* m_speedGauge = nullptr;      // speed gauge
    QFrame* m_textInfoPanel = nullptr;   // text information
    QLabel* m_kanjiRatioLabel = nullptr;
    QLabel* m_charCountLabel = nullptr;
    QLabel* m_halfWidthRatioLabel = nullptr;
    QLabel* m_eligibilityLabel = nullptr;
    QList<QLabel*> m_resultValues; // cpm, grade, score, own level, keystrokes, text characters
};
