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
        // Its statistics line as the editor counts the text, readings left out.
        const QStringList lines = {u"出所"_s,
                                   u"240101"_s,
                                   u"練習"_s,
                                   u"   9 (   9,   0)(   3,   6,   0)(   0,   0,   0)"_s,
                                   QStringList(10, u"99999.99"_s).join(u','),
                                   u"あいう"_s,
                                   u"漢《かん》字か"_s,
                                   u"えお山"_s};
        QDir().mkpath(folder() + u"/FileBox"_s);
        writeAll(folder() + u"/FileBox/240101000000.txt"_s, cp932::encode(lines.join(u"\r\n"_s) + u"\r\n"_s));
        writeSettings([](SettingsTable& t) {
            t[Options::CurrentFile].address = u"240101000000.txt"_s;
            t.setNumber(Options::Countdown, 2); // one second
        });
        start();
    }
};

} // namespace

TEST_F(PracticeTest, WholeTextRunsToTheEndDialog) {
    startTyping();
    inputEdit->setText(u"あいう"_s);
    tick();
    EXPECT_EQ(session->text.currentLine, 6);
    EXPECT_TRUE(inputEdit->text().isEmpty());
    EXPECT_EQ(window->display().segmentText, u"漢字か"_s);
    EXPECT_EQ(window->display().rubyTexts, QStringList{u"かん"_s});
    inputEdit->setText(u"漢字"_s);
    tick(100);
    inputEdit->setText(u"漢字か"_s);
    tick();
    inputEdit->setText(u"えお"_s);
    tick(390);
    inputEdit->setText(u"えお山"_s);
    QString inputTime;
    whenModal([&](QWidget* dialog) {
        inputTime = dialog->findChild<QLabel*>(u"inputTimeLabel"_s)->text();
        // Nothing to show in detail yet: the details button is off.
        EXPECT_FALSE(dialog->findChild<QWidget*>(u"detailsButton"_s)->isEnabled());
        dialog->close();
    });
    tick();
    EXPECT_EQ(inputTime, u"入力時間：  0分05秒"_s);
    EXPECT_EQ(state(), AttemptState::Ready);
    EXPECT_EQ(session->text.currentLine, 5);
    EXPECT_EQ(window->attempt().paragraphResults[1].timeMs, 1010);
    EXPECT_TRUE(item(u"startAction"_s)->isEnabled());
    EXPECT_FALSE(shown(u"textInfoPanel"_s));
    EXPECT_EQ(label(u"typedCharsLabel"_s), u"9"_s);

    // The result panel and the first best time, with the record files behind them.
    EXPECT_FALSE(label(u"cpmValue"_s).isEmpty());
    EXPECT_EQ(label(u"keystrokesValue"_s), u"0"_s);
    EXPECT_FALSE(label(u"bestCpm(0)"_s).isEmpty());
    EXPECT_TRUE(label(u"bestCpm(1)"_s).isEmpty());
    EXPECT_LT(session->text.bestTimes[0], 10.0f);
    EXPECT_EQ(QDir(folder() + u"/LogBox"_s).entryList({u"*Practice.log"_s}).size(), 1);
    EXPECT_TRUE(QFile::exists(folder() + u"/LogBox/d240101000000.txt"_s));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(PracticeTest, PastedTextIsJudgedLikeTyping) {
    startTyping();
    QApplication::clipboard()->setText(u"あいX"_s);
    inputEdit->paste();
    EXPECT_EQ(window->display().cells[1].state, CellState::Correct);
    EXPECT_EQ(window->display().cells[2].state, CellState::Wrong);
    EXPECT_EQ(fakes.sound.played, 1);
    // A huge paste is cut by the input box and judged without trouble.
    inputEdit->clear();
    QApplication::clipboard()->setText(QString(200000, u'あ'));
    inputEdit->paste();
    EXPECT_LE(inputEdit->text().size(), inputEdit->maxLength());
    EXPECT_EQ(state(), AttemptState::Running);
}

TEST_F(PracticeTest, ResumingKeepsTheInputAndTypingGoesOn) {
    start(true);
    startTyping();
    auto pauseKey = [] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Pause, Qt::NoModifier);
        QApplication::sendEvent(QApplication::focusWidget(), &press);
    };
    auto type = [](const QString& text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        QApplication::sendEvent(QApplication::focusWidget(), &press);
    };
    auto* button = window->findChild<QPushButton*>(u"resumeButton"_s);
    ASSERT_NE(button, nullptr);
    const std::vector<std::pair<const char*, std::function<void()>>> resumes = {
        {"Space on the button",
         [&] {
             QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, u" "_s);
             QApplication::sendEvent(button, &press);
             QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, u" "_s);
             QApplication::sendEvent(button, &release);
         }},
        {"the Pause key", pauseKey},
        {"a click on the button",
         [&] {
             const QPointF centre = QRectF(button->rect()).center();
             QMouseEvent press(QEvent::MouseButtonPress, centre, button->mapToGlobal(centre), Qt::LeftButton,
                               Qt::LeftButton, Qt::NoModifier);
             QApplication::sendEvent(button, &press);
             QMouseEvent release(QEvent::MouseButtonRelease, centre, button->mapToGlobal(centre), Qt::LeftButton,
                                 Qt::NoButton, Qt::NoModifier);
             QApplication::sendEvent(button, &release);
         }},
    };
    QString expected;
    for (const auto& [way, resume] : resumes) {
        SCOPED_TRACE(way);
        type(u"X"_s);
        expected += u"X"_s;
        pauseKey();
        ASSERT_EQ(state(), AttemptState::Paused);
        EXPECT_EQ(QApplication::focusWidget(), button);
        resume();
        ASSERT_EQ(state(), AttemptState::Running);
        EXPECT_EQ(QApplication::focusWidget(), inputEdit);
        EXPECT_FALSE(inputEdit->textCursor().hasSelection());
        // The next key adds to the input; it does not replace it.
        type(u"Y"_s);
        expected += u"Y"_s;
        EXPECT_EQ(inputEdit->text(), expected);
    }
}

TEST_F(PracticeTest, InputPastTheParagraphEndIsShownAsMisses) {
    startTyping();
    inputEdit->setText(u"あい"_s);
    EXPECT_EQ(inputEdit->surplusStart(), -1);
    // A change that runs past the end: every cell is right, yet the paragraph cannot complete.
    inputEdit->setText(u"あいうえお"_s);
    tick();
    EXPECT_EQ(session->text.currentLine, 5);
    EXPECT_EQ(inputEdit->surplusStart(), 3);
    ASSERT_EQ(inputEdit->extraSelections().size(), 1);
    const QTextEdit::ExtraSelection mark = inputEdit->extraSelections()[0];
    EXPECT_EQ(mark.cursor.selectedText(), u"えお"_s);
    EXPECT_EQ(mark.format.foreground().color(), QColor(255, 0, 0));
    // Deleting the surplus takes the mark away and completes the paragraph.
    inputEdit->setText(u"あいう"_s);
    EXPECT_EQ(inputEdit->surplusStart(), -1);
    EXPECT_TRUE(inputEdit->extraSelections().isEmpty());
    tick();
    EXPECT_EQ(session->text.currentLine, 6);
}

// ---- Grades of the shown attempt and of the best list -------------------------------------
// A text of the user's own with stored best times, typed through the main window with a fake clock.

namespace {

class GradingTest : public MainWindowTest {
protected:
    // A one-paragraph text with the given best-times line, two seconds of countdown.
    void writeText(const QString& paragraph, const QString& bestTimes) {
        writeOwnText(
            u"採点"_s, {paragraph}, [](SettingsTable& t) { t.setNumber(Options::Countdown, 2); }, u"240101000000.txt"_s,
            bestTimes);
    }
    // Types the whole paragraph as one change after `elapsedMs` of typing; the end dialog is closed.
    void typeWholeText(const QString& paragraph, int elapsedMs) {
        startTyping();
        tick(elapsedMs / 10);
        inputEdit->setText(paragraph);
        whenModal([](QWidget* modal) { modal->close(); });
        tick();
        ASSERT_EQ(state(), AttemptState::Ready);
    }
    QColor foreground(const QString& name) const {
        return window->findChild<QLabel*>(name)->palette().color(QPalette::WindowText);
    }
};

const QString Unfilled = u"99999.99"_s;

QString bestTimesLine(QStringList filled) {
    while (filled.size() < 10)
        filled.append(Unfilled);
    return filled.join(u','); // a hand-written line without the trailing comma also loads
}

} // namespace

TEST_F(GradingTest, ChangeOfStandardGradesTheShownAttemptAgain) {
    // 10 characters in 9.23 s: 65.0 characters a minute, a different grade under each standard.
    const QString paragraph = u"あいうえおかきくけこ"_s;
    writeText(paragraph, bestTimesLine({}));
    start();
    ASSERT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();

    // Nothing attempted yet: a change of standard has no attempt to grade.
    trigger(u"standardActions(2)"_s);
    EXPECT_TRUE(label(u"gradeValue"_s).isEmpty());
    trigger(u"standardActions(0)"_s);

    typeWholeText(paragraph, 9230);
    ASSERT_EQ(label(u"cpmValue"_s), u"65.0"_s);
    EXPECT_EQ(label(u"gradeValue"_s), u"2級"_s);
    const struct {
        int standard;
        const char16_t* grade;
    } cases[] = {{1, u"B級"}, {2, u"3級"}, {3, u"2級"}, {4, u"準1"}, {0, u"2級"}, {4, u"準1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.standard);
        trigger(u"standardActions(%1)"_s.arg(c.standard));
        EXPECT_EQ(session->settings.number(Options::Standard), c.standard);
        EXPECT_EQ(label(u"gradeValue"_s), QString::fromUtf16(c.grade));
        // The attempt's best time is graded the same way in the best list.
        EXPECT_EQ(label(u"bestGrade(0)"_s), QString::fromUtf16(c.grade));
        // The rest of the result stays as it was.
        EXPECT_EQ(label(u"cpmValue"_s), u"65.0"_s);
    }
}

TEST_F(GradingTest, BestListGradesAreGreyUnlessTheTextQualifiesForAJudgement) {
    const struct {
        QString paragraph;
        const char16_t* eligibility;
        bool grey;
    } cases[] = {
        {u"あいうえおかきくけこ"_s, u"実務能力(仮)判定", true}, // too short
        {u"あいうえおabcde"_s, u"実務能力判定不可", true},      // neither Japanese nor English
        {u"漢字かな"_s.repeated(50), u"実務能力判定　可", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.eligibility).toStdString());
        writeText(c.paragraph, bestTimesLine({u"00010.00"_s, u"00020.00"_s}));
        start();
        ASSERT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
        ASSERT_EQ(label(u"eligibilityLabel"_s), QString::fromUtf16(c.eligibility));
        const QColor text = window->palette().color(QPalette::ButtonText);
        const QColor shadow = window->palette().color(QPalette::Dark);
        ASSERT_NE(text, shadow);
        const QColor graded = c.grey ? shadow : text;
        // On loading and again after a change of standard, which builds the list anew.
        for (const char16_t* standard : {u"standardActions(0)", u"standardActions(2)"}) {
            SCOPED_TRACE(QString::fromUtf16(standard).toStdString());
            trigger(QString::fromUtf16(standard));
            for (int row : {0, 1}) {
                ASSERT_FALSE(window->findChild<QLabel*>(u"bestGrade(%1)"_s.arg(row))->text().isEmpty());
                EXPECT_EQ(foreground(u"bestGrade(%1)"_s.arg(row)), graded) << row;
                EXPECT_EQ(foreground(u"bestOwnLevel(%1)"_s.arg(row)), graded) << row;
                // Speeds are no grades: never grey.
                EXPECT_EQ(foreground(u"bestCpm(%1)"_s.arg(row)), text) << row;
                EXPECT_EQ(foreground(u"bestScore(%1)"_s.arg(row)), text) << row;
            }
        }
    }
}
