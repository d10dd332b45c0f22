#include "support/MainWindowTest.h"

#include <QClipboard>
#include <QMouseEvent>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

// A three-paragraph text of the user's own, one second of countdown.
class PracticeTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        writeOwnText(u"練習"_s, {u"あいう"_s, u"漢《かん》字か"_s, u"えお山"_s},
                     [](SettingsTable& t) { t.setNumber(Options::Countdown, 2); });
        start();
    }
};

} // namespace

TEST_F(PracticeTest, WholeTextRunsToTheEndDialog) {
    startTyping();
    inputEdit->setText(u"あいう"_s);
    tick();
    EXPECT_EQ(std::tuple(session->text.currentLine, inputEdit->text(), window->display().segmentText),
              std::tuple(6, QString(), u"漢字か"_s));
    EXPECT_EQ(window->display().rubyTexts, QStringList{u"かん"_s});
    for (const auto& [typed, ticks] : {std::pair{u"漢字"_s, 100}, {u"漢字か"_s, 1}, {u"えお"_s, 390}}) {
        inputEdit->setText(typed);
        tick(ticks);
    }
    inputEdit->setText(u"えお山"_s);
    QString inputTime, detailsCaption;
    std::function<void(QWidget*)> closeDetails = [&](QWidget* details) {
        if (details->objectName() != u"AttemptDetailsDialog") return whenModal(closeDetails);
        detailsCaption = details->windowTitle();
        details->close();
    };
    whenModal([&](QWidget* dialog) {
        inputTime = dialog->findChild<QLabel*>(u"inputTimeLabel"_s)->text();
        key(Qt::Key_F1, {}, dialog); // F1 asks for the details of the attempt
        whenModal(closeDetails);
    });
    tick();
    EXPECT_EQ(inputTime, u"入力時間：  0分05秒"_s);
    EXPECT_EQ(detailsCaption, u"段落別結果詳細"_s);
    EXPECT_EQ(std::tuple(state(), session->text.currentLine, window->attempt().paragraphResults[1].timeMs),
              std::tuple(AttemptState::Ready, 5, 1010));
    EXPECT_TRUE(item(u"startAction"_s)->isEnabled());
    EXPECT_TRUE(window->findChild<QWidget*>(u"textInfoPanel"_s)->isHidden());
    // The result panel and the first best time; the record files are the recorder's.
    EXPECT_EQ(std::tuple(label(u"typedCharsLabel"_s), label(u"keystrokesValue"_s)), std::tuple(u"9"_s, u"0"_s));
    EXPECT_FALSE(label(u"bestCpm(0)"_s).isEmpty());
    EXPECT_TRUE(label(u"bestCpm(1)"_s).isEmpty());
    EXPECT_EQ(QDir(folder() + u"/LogBox"_s).entryList({u"*Practice.log"_s}).size(), 1);
    expectNoMessages();
}

TEST_F(PracticeTest, PastedTextIsJudgedLikeTyping) {
    startTyping();
    QApplication::clipboard()->setText(u"あいX"_s);
    inputEdit->paste();
    EXPECT_EQ(std::pair(window->display().cells[1].state, window->display().cells[2].state),
              std::pair(CellState::Correct, CellState::Wrong));
    EXPECT_EQ(fakes.sound.played, 1);
    // A huge paste is cut by the input box and judged without trouble.
    QApplication::clipboard()->setText(QString(200000, u'あ'));
    inputEdit->paste();
    EXPECT_EQ(state(), AttemptState::Running);
}

TEST_F(PracticeTest, ResumingKeepsTheInputAndTypingGoesOn) {
    start(true);
    startTyping();
    auto* button = window->findChild<QPushButton*>(u"resumeButton"_s);
    ASSERT_NE(button, nullptr);
    auto pauseKey = [&] { key(Qt::Key_Pause, {}, QApplication::focusWidget()); };
    auto click = [&] {
        const QPointF at = QRectF(button->rect()).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, button->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
        QMouseEvent release(QEvent::MouseButtonRelease, at, button->mapToGlobal(at), Qt::LeftButton, {}, {});
        QApplication::sendEvent(button, &press);
        QApplication::sendEvent(button, &release);
    };
    const std::pair<const char*, std::function<void()>> resumes[] = {
        {"Space on the button", [&] { key(Qt::Key_Space, u" "_s, button, 0, true); }},
        {"the Pause key", pauseKey},
        {"a click on the button", click}};
    QString expected;
    for (const auto& [way, resume] : resumes) {
        SCOPED_TRACE(way);
        key(Qt::Key_unknown, u"X"_s, QApplication::focusWidget());
        pauseKey();
        ASSERT_EQ(state(), AttemptState::Paused);
        EXPECT_EQ(QApplication::focusWidget(), button);
        resume();
        ASSERT_EQ(state(), AttemptState::Running);
        EXPECT_EQ(QApplication::focusWidget(), inputEdit);
        EXPECT_FALSE(inputEdit->textCursor().hasSelection());
        // The next key adds to the input; it does not replace it.
        key(Qt::Key_unknown, u"Y"_s, QApplication::focusWidget());
        EXPECT_EQ(inputEdit->text(), expected += u"XY"_s);
    }
}

TEST_F(PracticeTest, InputPastTheParagraphEndIsShownAsMisses) {
    startTyping();
    // Every cell is right, yet the paragraph cannot complete with the surplus.
    inputEdit->setText(u"あいうえお"_s);
    tick();
    EXPECT_EQ(session->text.currentLine, 5);
    ASSERT_EQ(inputEdit->extraSelections().size(), 1);
    const QTextEdit::ExtraSelection mark = inputEdit->extraSelections()[0];
    EXPECT_EQ(std::pair(mark.cursor.selectedText(), mark.format.foreground().color()),
              std::pair(u"えお"_s, QColor(255, 0, 0)));
    // Deleting the surplus takes the mark away and completes the paragraph.
    inputEdit->setText(u"あいう"_s);
    EXPECT_TRUE(inputEdit->extraSelections().isEmpty());
    tick();
    EXPECT_EQ(session->text.currentLine, 6);
}

// ---- Grades of the shown attempt and of the best list -------------------------------------

namespace {

class GradingTest : public MainWindowTest {
protected:
    // A one-paragraph text with the given best times, two seconds of countdown.
    void writeText(const QString& paragraph, QStringList bestTimes = {}) {
        while (bestTimes.size() < 10)
            bestTimes.append(u"99999.99"_s); // a hand-written line without the trailing comma also loads
        writeOwnText(
            u"採点"_s, {paragraph}, [](SettingsTable& t) { t.setNumber(Options::Countdown, 2); }, u"240101000000.txt"_s,
            bestTimes.join(u','));
        start();
        expectNoMessages();
    }
    QColor foreground(const QString& name) const {
        return window->findChild<QLabel*>(name)->palette().color(QPalette::WindowText);
    }
};

} // namespace

// The grades themselves are GradeScales'; here a change of standard reaches the shown attempt and the best list.
TEST_F(GradingTest, ChangeOfStandardGradesTheShownAttemptAgain) {
    // 10 characters in 9.23 s: 65.0 characters a minute, a different grade under each standard.
    const QString paragraph = u"あいうえおかきくけこ"_s;
    writeText(paragraph);
    trigger(u"standardActions(2)"_s); // nothing attempted yet: nothing to grade
    EXPECT_TRUE(label(u"gradeValue"_s).isEmpty());
    trigger(u"standardActions(0)"_s);
    startTyping();
    tick(923);
    inputEdit->setText(paragraph);
    whenModal([](QWidget* modal) { modal->close(); });
    tick();
    ASSERT_EQ(label(u"cpmValue"_s), u"65.0"_s);
    EXPECT_EQ(label(u"gradeValue"_s), u"2級"_s);
    for (const auto& [standard, grade] : {std::pair{1, u"B級"_s}, {4, u"準1"_s}, {0, u"2級"_s}}) {
        SCOPED_TRACE(standard);
        trigger(u"standardActions(%1)"_s.arg(standard));
        EXPECT_EQ(session->settings.number(Options::Standard), standard);
        EXPECT_EQ(std::tuple(label(u"gradeValue"_s), label(u"bestGrade(0)"_s), label(u"cpmValue"_s)),
                  std::tuple(grade, grade, u"65.0"_s)); // the best list grades the same time alike
    }
}

TEST_F(GradingTest, BestListGradesAreGreyUnlessTheTextQualifiesForAJudgement) {
    const std::tuple<QString, QString, bool> cases[] = {
        {u"あいうえおかきくけこ"_s, u"実務能力(仮)判定"_s, true}, // too short
        {u"あいうえおabcde"_s, u"実務能力判定不可"_s, true},      // neither Japanese nor English
        {u"漢字かな"_s.repeated(50), u"実務能力判定　可"_s, false}};
    for (const auto& [paragraph, eligibility, grey] : cases) {
        SCOPED_TRACE(eligibility.toStdString());
        writeText(paragraph, {u"00010.00"_s, u"00020.00"_s});
        ASSERT_EQ(label(u"eligibilityLabel"_s), eligibility);
        const QColor text = window->palette().color(QPalette::ButtonText);
        const QColor graded = grey ? window->palette().color(QPalette::Dark) : text;
        ASSERT_NE(text, window->palette().color(QPalette::Dark));
        // On loading and again after a change of standard, which builds the list anew; speeds are never grey.
        for (const QString& standard : {u"standardActions(0)"_s, u"standardActions(2)"_s}) {
            trigger(standard);
            for (const QString& row : {u"(0)"_s, u"(1)"_s}) {
                SCOPED_TRACE((standard + row).toStdString());
                ASSERT_FALSE(label(u"bestGrade"_s + row).isEmpty());
                EXPECT_EQ(QList<QColor>({foreground(u"bestGrade"_s + row), foreground(u"bestOwnLevel"_s + row),
                                         foreground(u"bestCpm"_s + row), foreground(u"bestScore"_s + row)}),
                          QList<QColor>({graded, graded, text, text}));
            }
        }
    }
}
