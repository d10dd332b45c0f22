#include "ui/main/PracticeController.h"

#include "core/practice/Judgement.h"
#include "core/practice/TextLoading.h"
#include "core/records/AttemptRecorder.h"
#include "core/records/ExamLog.h"
#include "core/records/RecordFiles.h"
#include "core/records/WeaknessLog.h"
#include "core/settings/Options.h"
#include "platform/AlertSound.h"
#include "platform/InputMethod.h"
#include "ui/common/CharCellView.h"
#include "ui/common/FontCellMetrics.h"
#include "ui/main/BestListPanel.h"
#include "ui/main/InputBox.h"
#include "ui/main/InputPanel.h"
#include "ui/main/LiveFiguresPanel.h"
#include "ui/main/MainMenus.h"
#include "ui/main/ResultPanel.h"
#include "ui/main/TargetTextPanel.h"
#include "ui/main/TextInfoPanel.h"
#include "ui/practice/AttemptFinishedDialog.h"
#include "ui/practice/ExamResultDialog.h"
#include "ui/records/DetailsLink.h"

#include <QAction>
#include <QDateTime>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

using namespace Qt::StringLiterals;

PracticeController::PracticeController(Session& session, Platform& platform, MainPanels panels, MainMenus& menus,
                                       QWidget* window)
    : QObject(window), m(session), m_platform(platform), m_panels(panels), m_menus(menus), m_window(window),
      m_attempt(session, platform.clock), m_counting(m_attempt.counters), m_metrics() {
    auto makeTimer = [this](const char16_t* name, int interval, void (PracticeController::*handler)()) {
        auto* timer = new QTimer(m_window);
        timer->setObjectName(QString::fromUtf16(name));
        timer->setInterval(interval);
        timer->setTimerType(Qt::PreciseTimer);
        connect(timer, &QTimer::timeout, this, handler);
        return timer;
    };
    m_runTimer = makeTimer(u"runTimer", 10, &PracticeController::runTick);
    m_countdownTimer = makeTimer(u"countdownTimer", 10, &PracticeController::countdownTick);
    m_inputMethodGuardTimer = makeTimer(u"inputMethodGuardTimer", 20, &PracticeController::inputMethodGuardTick);
    m_recolourTimer = makeTimer(u"recolourTimer", 500, &PracticeController::recolourTick);

    m_panels.target.cellView()->setDisplay(&m_display);
    connect(m_panels.target.scrollBar(), &QScrollBar::valueChanged, this, &PracticeController::scrollTo);
    connect(m_panels.input.box(), &InputBox::textChanged, this, &PracticeController::inputChanged);
    new DetailsLink(m_panels.figures.detailsLink(), [this] { showDetailsOnRequest(); });
    // Whole-text practice without the clock leaves the exam (before the window reloads the text).
    connect(&m_menus, &MainMenus::wholeTextRequested, this, [this] { m.preferences.examMinutes = 0; });
    connect(m_panels.input.resumeButton(), &QPushButton::clicked, this, [this] {
        if (m_attempt.state() == AttemptState::Paused) togglePause();
    });
}

PracticeController::~PracticeController() = default;

void PracticeController::setFontLayout(int pointSize, int charsPerLine, int visibleRows) {
    m_charsPerLine = charsPerLine;
    m_visibleRows = visibleRows;
    m_metrics = std::make_unique<FontCellMetrics>(pointSize);
}

// ---- The loaded text -------------------------------------------------------------------

void PracticeController::showText() {
    // The exam is a mode of whole-text practice: choosing paragraphs leaves it.
    if (setting(Options::PracticeMode) != 0) m.preferences.examMinutes = 0;
    m_menus.setExamChoice(examActive(m) ? m.preferences.examIndex() : -1);
    const TextLoading::TextView v = TextLoading::view(m);
    m_panels.textInfo.show(v);
    m_panels.result.setTotalChars(v.totalChars);
    m_eligibility = v.eligibility;
    showTargetLine(v.targetLine);

    setResultShown(false);
    m_examResultShown = false;
    m_redRow = -1;
    m_panels.result.clear();
    returnToReady();
    layoutSegment();
}

void PracticeController::showTargetLine() {
    showTargetLine(TextLoading::targetLine(m.text.counts.total, m.activeTarget));
}

void PracticeController::showTargetLine(const QString& line) {
    m_hasTargetLine = !line.isEmpty();
    m_panels.input.setTargetLine(line);
}

void PracticeController::layoutSegment() {
    const CurrentText& t = m.text;
    ::layoutSegment(m_display, t.line(t.currentLine), t.line(t.currentLine + 1), setting(Options::PracticeMode) != 0,
                    *m_metrics, TextPanelWidth, m_visibleRows);
    // A composition under way belongs to the next paragraph: clearing must not end it.
    m_panels.input.box()->clearInput();
    m_misses.startSegment();
    m_panels.target.showSegment(m_display);
    scrollTo(0);
    m_panels.target.cellView()->refreshAll();
    showBestList(QString::fromUtf16(NoOwnLevelInBestList));
}

void PracticeController::standardChanged(int standard) {
    // With a result on show, the last attempt is graded again under the new standard.
    if (m_resultShown && m_lastElapsedMs > 0)
        m_panels.result.setGrade(ResultComputation::regrade(m_lastCounts, m_lastElapsedMs, standard));
    showBestList(QString::fromUtf16(NoOwnLevelAfterStandardChange));
}

void PracticeController::recordsDeleted() {
    m_redRow = -1;
    showBestList(QString::fromUtf16(NoOwnLevelInBestList));
}

// ---- The attempt -----------------------------------------------------------------------

void PracticeController::applyAttemptState() {
    const AttemptState state = m_attempt.state();
    const StateControls c = controlsFor(state);
    auto run = [](QTimer* timer, bool on) {
        if (!on)
            timer->stop();
        else if (!timer->isActive())
            timer->start();
    };
    run(m_runTimer, c.runTimerOn);
    run(m_countdownTimer, c.countdownTimerOn);
    run(m_inputMethodGuardTimer, c.inputMethodGuardOn);
    if (state == AttemptState::Ready) m_recolourTimer->stop();
    m_panels.input.applyControls(c);
    m_menus.applyAttemptState(state, c);
    if (state == AttemptState::Ready) m_menus.applyTextState(TextLoading::view(m).menus);
    const bool exam = state == AttemptState::Ready ? examActive(m) : m_attempt.examLengthMs() > 0;
    m_panels.figures.showRemainingTime(exam);
    if (m_resultShown || m_examResultShown) return;
    if (exam)
        showExamClock();
    else if (state == AttemptState::Ready)
        m_panels.figures.setElapsed(u"0"_s);
}

void PracticeController::zoomChanged(double factor) {
    m_panels.target.showPreview(m_display);
    m_panels.figures.rescaleBars(factor);
}

void PracticeController::chooseExam(int minutes) {
    TextLoading::wholeTextPractice(m);
    m.preferences.examMinutes = minutes;
    showText();
}

void PracticeController::showExamClock() {
    const bool ready = m_attempt.state() == AttemptState::Ready;
    const qint32 left = ready ? m.preferences.examMinutes * 60000 : m_attempt.examRemainingMs();
    m_panels.figures.setRemaining(remainingTimeCaption(left), !ready && examFinalSeconds(left));
}

void PracticeController::clearAttemptDisplay() {
    m_examResultShown = false;
    m_counting.reset();
    if (m_resetPendingKeys) m_resetPendingKeys(false);
    m_recolourTimer->stop();
    m_panels.figures.reset();
    setResultShown(false);
    m_panels.input.setCountdown({});
}

void PracticeController::setResultShown(bool shown) {
    m_resultShown = shown;
    m_panels.textInfo.setStatisticsVisible(!shown);
    m_panels.figures.detailsLink()->setEnabled(shown);
}

void PracticeController::showDetailsOnRequest() {
    if (!m_resultShown || m_attempt.state() != AttemptState::Ready) return;
    m.detailMode =
        setting(Options::PracticeMode) != 0 ? RecordFiles::ParagraphDetails : RecordFiles::LastAttemptDetails;
    // Opened once the key or click that asked for it is done with.
    QTimer::singleShot(0, this, [this] { Q_EMIT detailsRequested(); });
}

void PracticeController::startAttempt() {
    if (m_attempt.state() != AttemptState::Ready) return;
    m_attempt.startAttempt();
    m_misses.clear();
    if (m_resetPendingKeys) m_resetPendingKeys(true);
    m_trace.line(u"start"_s);
    m_panels.target.scrollBar()->setValue(0);
    clearAttemptDisplay();
    applyAttemptState();
}

void PracticeController::countdownTick() {
    const AttemptControl::CountdownStep step = m_attempt.countdownTick();
    if (!step.digit.isEmpty()) m_panels.input.setCountdown(step.digit);
    if (!step.beginTyping) return;
    m_panels.input.setCountdown({});
    const int mode = initialInputMode(setting(Options::InputMode), m_display.cells[0].width);
    m_platform.inputMethod.setInputMode(mode);
    m_trace.line(u"typing mode="_s + QString::number(mode));
    applyAttemptState();
    m_panels.input.box()->setFocus();
    showRuby(rubyAtStart(m_display, m_charsPerLine, setting(Options::RubyDisplay), rubyFrame()));
}

void PracticeController::runTick() {
    if (m_attempt.checksOnTick()) {
        checkSegment();
        if (m_attempt.state() != AttemptState::Running) return;
    }
    if (m_resultShown) return;
    const QString seconds = m_attempt.clockTick();
    if (m_attempt.examLengthMs() <= 0) {
        m_panels.figures.setElapsed(seconds);
    } else if (m_attempt.examTimeUp()) {
        endAttempt();
    } else {
        showExamClock();
    }
}

void PracticeController::checkSegment() {
    const QString input = m_panels.input.box()->text();
    if (m_attempt.state() != AttemptState::Running || input != m_display.segmentText) return;
    const QString operations = m_counting.operationString();
    m_trace.line(u"segment ops="_s + operations);
    switch (m_attempt.checkSegment(input, m_display.segmentText, operations)) {
    case AttemptControl::SegmentOutcome::Incomplete:
        break;
    case AttemptControl::SegmentOutcome::Advanced:
        layoutSegment();
        showRuby(rubyAtStart(m_display, m_charsPerLine, setting(Options::RubyDisplay), rubyFrame()));
        break;
    case AttemptControl::SegmentOutcome::Ended:
        endAttempt();
        break;
    }
}

void PracticeController::endAttempt() {
    const AttemptSummary summary = m_attempt.summary();
    if (summary.examMinutes > 0) {
        endExam(summary);
        return;
    }
    m_runTimer->stop();
    m_recolourTimer->stop();
    setResultShown(true);
    m_panels.target.hideRuby();
    if (QAction* start = m_menus.action(u"startAction"_s)) start->setEnabled(true);
    m_panels.input.showFinished(m.activeTarget > 0 && m_hasTargetLine);
    m_panels.figures.fillProgress();
    m_panels.figures.setTypedChars(
        QString::number(m.text.counts.total + extraCharacters(m.text.counts, setting(Options::EndSpace),
                                                              summary.practiceMode != 0, m.text.lineCount)));

    const ResultComputation::AttemptResult result = ResultComputation::computeAttempt(m.text, m.settings, summary);
    m_panels.result.show(result.figures);
    m_panels.figures.setSpeed(result.figures.cpm);
    m_lastElapsedMs = result.figures.elapsedMs;
    m_lastCounts = m.text.counts;
    const AttemptRecorder::Outcome records =
        AttemptRecorder::record(m, summary, m_attempt.paragraphResults, result, QDateTime::currentDateTime());
    if (!records.settingsError.isEmpty()) m_message(records.settingsError);
    if (const QString error = WeaknessLog::recordAttempt(m, QDate::currentDate(), m_misses.tallies()); !error.isEmpty())
        m_message(error);
    if (result.wholeText) m_redRow = result.best.row;

    if (summary.practiceMode == 0) m.text.currentLine = CurrentText::FirstParagraphLine;
    m_panels.input.withoutStartPanel([this] { layoutSegment(); });
    if (!records.files.ok()) m_message(records.files.errorMessage());

    AttemptFinishedDialog dialog(m_window);
    dialog.setInputTime(inputTimeCaption(summary.elapsedMs));
    dialog.exec();
    // The details of the attempt just recorded: the files' writing set the session's detailMode.
    if (dialog.detailsRequested()) Q_EMIT detailsRequested();
    returnToReady();
}

void PracticeController::endExam(const AttemptSummary& summary) {
    m_runTimer->stop();
    m_recolourTimer->stop();
    InputBox* box = m_panels.input.box();
    if (summary.timeUp) {
        // A composition under way when the time ran out was never typed: it ends with the exam
        // and cannot drop into the box afterwards.
        QGuiApplication::inputMethod()->reset();
        QInputMethodEvent nothing;
        QCoreApplication::sendEvent(box, &nothing);
    }
    const ExamResult::Tally tally =
        ExamResult::tally(m_attempt.doneChars, box->text(), m_display.segmentText, summary.counters.correctionCount);
    const ExamResult::Figures figures = ExamResult::figures(tally, summary.examMinutes, summary.elapsedMs,
                                                            summary.timeUp, languageClass(m.text.counts));
    m_trace.line(u"exam end typed="_s + QString::number(tally.typed) + u" errors="_s +
                 QString::number(tally.errorsLeft));
    m_examResultShown = true;
    m_panels.target.hideRuby();
    m_panels.figures.setRemaining(remainingTimeCaption(m_attempt.examRemainingMs()), summary.timeUp);
    m_panels.figures.setTypedChars(QString::number(tally.typed));
    m_panels.figures.setSpeed(figures.netCpmText);

    ExamLog::Entry entry{QDateTime::currentDateTime(), figures, m.settings[Options::CurrentFile].address,
                         m.text.line(2)};
    entry.japanese = RecordFiles::isJapaneseMark(m.text.counts);
    if (entry.textFile.isEmpty()) entry.textFile = u"sample:"_s + QString::number(setting(Options::ChosenSample));
    QString error;
    const bool recorded = RecordFiles::ensureLogBox(m.logBoxPath(), &error) &&
                          ExamLog::append(m.logBoxPath() + u'/' + QString::fromUtf16(ExamLog::FileName), entry, &error);
    // The characters missed in an exam count towards the weak characters like any attempt's.
    if (const QString weakError = WeaknessLog::recordAttempt(m, QDate::currentDate(), m_misses.tallies());
        !weakError.isEmpty())
        m_message(weakError);

    m.text.currentLine = CurrentText::FirstParagraphLine;
    if (QAction* start = m_menus.action(u"startAction"_s)) start->setEnabled(true);
    m_panels.input.withoutStartPanel([this] { layoutSegment(); });
    ExamResultDialog dialog(figures, m_window);
    if (!recorded) dialog.setRecordError(error);
    dialog.exec();
    returnToReady();
}

void PracticeController::togglePause() {
    const AttemptState state = m_attempt.state();
    if (state != AttemptState::Running && state != AttemptState::Paused) return;
    m_attempt.togglePause();
    applyAttemptState();
    if (m_attempt.state() == AttemptState::Paused) {
        m_panels.input.resumeButton()->setFocus();
    } else {
        // Typing goes on where it stopped: the input stays, nothing selected, caret at the end.
        m_panels.input.box()->setFocus(Qt::OtherFocusReason);
        m_panels.input.box()->moveCaretToEnd();
    }
}

void PracticeController::retry() {
    if (m_attempt.state() == AttemptState::Ready) return;
    m_attempt.retry();
    m_trace.line(u"ready"_s);
    clearAttemptDisplay();
    m_panels.target.hideRuby();
    applyAttemptState();
    layoutSegment();
}

void PracticeController::returnToReady() {
    m_attempt.returnToReady();
    m_trace.line(u"ready"_s);
    m_panels.target.hideRuby();
    m_panels.input.setCountdown({});
    applyAttemptState();
}

void PracticeController::inputChanged() {
    InputBox* box = m_panels.input.box();
    const QString input = box->text();
    const bool running = m_attempt.state() == AttemptState::Running;
    const JudgementResult r =
        judgeInput(m_display, input, setting(Options::JudgementWindow), running, setting(Options::MissSound) == 0,
                   {m_attempt.correctPrefix, m_attempt.mismatchCount, m_attempt.previousMismatchCount});
    if (r.startRecolour && !m_recolourTimer->isActive()) m_recolourTimer->start();
    // Characters past the paragraph's end keep it from completing: show them as misses.
    const int segmentLength = int(m_display.segmentText.size());
    box->markSurplus(running && input.size() > segmentLength ? segmentLength : -1);
    if (!running) return;
    m_misses.observe(m_display.segmentText, input);
    QScrollBar* scrollBar = m_panels.target.scrollBar();
    if (scrollBar->isEnabled()) {
        if (const auto value =
                scrollWhileTyping(m_display, int(input.size()), setting(Options::ScrollPosition), m_visibleRows))
            scrollBar->setValue(*value);
    }
    showRuby(rubyOnInput(m_display, int(input.size()), m_charsPerLine, setting(Options::RubyDisplay), rubyFrame()));
    if (r.missSound) m_platform.sound.play();
    if (r.firstChanged >= 0) m_panels.target.cellView()->refreshCells(r.firstChanged, r.lastChanged);
    showLiveFigures();
}

void PracticeController::showLiveFigures() {
    LiveFigureInput in;
    in.doneChars = m_attempt.doneChars;
    in.correctPrefix = m_attempt.correctPrefix;
    in.total = m.text.counts.total;
    in.extra = extraCharacters(m.text.counts, setting(Options::EndSpace), setting(Options::PracticeMode) != 0,
                               m.text.lineCount);
    in.lastTick = m_attempt.lastTick;
    in.attemptStart = m_attempt.attemptStart;
    in.trackWidth = m_panels.figures.trackWidth();
    in.targetSpeed = m.activeTarget;
    in.gaugeWidth = m_panels.figures.gaugeWidth();
    m_panels.figures.show(liveFigures(in));
}

void PracticeController::inputMethodGuardTick() {
    // Space and Enter must reach the window between attempts, not an open input method.
    if (inputMethodGuardCloses(m_runTimer->isActive(), m_countdownTimer->isActive(), m_platform.inputMethod.status()))
        m_platform.inputMethod.close();
}

void PracticeController::suspendInputMethodGuard(bool suspended) {
    if (suspended)
        m_inputMethodGuardTimer->stop();
    else
        applyAttemptState();
}

void PracticeController::recolourTick() {
    const JudgementResult r = recolourBeforeWindow(m_display, m_panels.input.box()->text(),
                                                   setting(Options::JudgementWindow), m_attempt.mismatchCount);
    if (r.firstChanged >= 0) m_panels.target.cellView()->refreshCells(r.firstChanged, r.lastChanged);
}

void PracticeController::scrollTo(int value) {
    m_panels.target.cellView()->setScrollOffsetTwips(scrollOffsetTwips(value, setting(Options::FontSize)));
    if (m_attempt.state() == AttemptState::Running && !m_display.rubyTexts.isEmpty()) {
        if (const auto box =
                rubyOnScroll(m_display, int(m_panels.input.box()->text().size()), m_charsPerLine, rubyFrame()))
            showRuby(*box);
    }
}

void PracticeController::showRubyOnRequest() {
    if (m_attempt.state() != AttemptState::Running) return;
    if (const auto box = rubyOnF5(m_display, int(m_panels.input.box()->text().size()), m_charsPerLine,
                                  setting(Options::RubyDisplay), rubyFrame()))
        showRuby(*box);
}

void PracticeController::showKeystrokes() {
    m_panels.figures.setKeystrokes(m_attempt.counters.keystrokes);
}

RubyFrame PracticeController::rubyFrame() const {
    return m_panels.target.rubyFrame(Options::fontLayout(setting(Options::FontSize)));
}

void PracticeController::showRuby(const RubyBox& box) {
    m_panels.target.showRuby(box, m_display);
}

void PracticeController::showBestList(const QString& ownLevelStart) {
    ResultComputation::BestListInput in;
    in.times = m.text.bestTimes;
    in.counts = TextLoading::wholeTextCounts(m.text);
    in.standard = setting(Options::Standard);
    in.ownLevelStart = ownLevelStart;
    in.eligibility = m_eligibility;
    in.redRow = m_redRow;
    m_panels.bestList.show(ResultComputation::bestList(in));
}
