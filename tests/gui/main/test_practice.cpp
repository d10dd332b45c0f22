#include "core/settings/Options.h"
#include "core/util/Cp932.h"
#include "support/FakePlatform.h"
#include "ui/main/MainWindow.h"

#include "ui/main/InputBox.h"
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The practice window on a three-paragraph text of the user's own, with a fake clock.
class PracticeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        QDir().mkpath(m_dir.path() + u"/FileBox"_s);
        QFile text(m_dir.path() + u"/FileBox/240101000000.txt"_s);
        ASSERT_TRUE(text.open(QIODevice::WriteOnly));
        const QStringList lines = {
            u"出所"_s,
            u"240101"_s,
            u"練習"_s,
            u"   9 (   9,   0)(   3,   6,   0)(   0,   0,   0)"_s,
            u"99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99"_s,
            u"あいう"_s,
            u"漢《かん》字か"_s,
            u"えお山"_s};
        text.write(cp932::encode(lines.join(u"\r\n"_s) + u"\r\n"_s));
        text.close();
        SettingsTable table;
        table[Options::CurrentFile].address = u"240101000000.txt"_s;
        table.setNumber(Options::Countdown, 2); // one second
        configure(table);
        QFile settings(m_dir.path() + u"/RudUZ.rvl"_s);
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write(table.toBytes());
        settings.close();

        module.programFolder = m_dir.path();
        window = std::make_unique<MainWindow>(module, fakes.platform);
        window->setMessageHandler([this](const QString& text) { messages.append(text); });
        window->startUp();
        inputEdit = window->findChild<InputBox*>(u"inputEdit"_s);
    }
    void TearDown() override { window->close(); }
    virtual void configure(SettingsTable&) {}

    void key(int qtKey, const QString& text = QString(), Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, qtKey, modifiers, text);
        QApplication::sendEvent(window.get(), &press);
    }
    void countdown() {
        for (int i = 0; i < 200 && window->attempt().state() == AttemptState::Countdown; ++i) {
            fakes.clock.advance(10);
            window->countdownTick();
        }
    }
    void tick(int times = 1) {
        for (int i = 0; i < times; ++i) {
            fakes.clock.advance(10);
            window->runTick();
        }
    }
    QString label(const char* name) const { return window->findChild<QLabel*>(QString::fromLatin1(name))->text(); }
    bool shown(const char* name) const { return !window->findChild<QWidget*>(QString::fromLatin1(name))->isHidden(); }
    QAction* item(const char* name) const { return window->action(QString::fromLatin1(name)); }
    // Answers the next modal dialog with `answer` once it is up.
    void whenModal(std::function<void(QWidget*)> answer) {
        QTimer::singleShot(0, window.get(), [answer] {
            if (QWidget* modal = QApplication::activeModalWidget()) answer(modal);
        });
    }

    QTemporaryDir m_dir;
    Session module;
    FakePlatform fakes;
    QStringList messages;
    std::unique_ptr<MainWindow> window;
    InputBox* inputEdit = nullptr;
};

} // namespace

TEST_F(PracticeTest, SpaceRunsTheCountdownIntoTyping) {
    EXPECT_TRUE(item("startAction")->isEnabled());
    EXPECT_FALSE(inputEdit->isEnabled());
    key(Qt::Key_Space, u" "_s);
    EXPECT_EQ(window->attempt().state(), AttemptState::Countdown);
    EXPECT_FALSE(shown("startHint"));
    EXPECT_FALSE(item("startAction")->isEnabled());
    EXPECT_TRUE(item("retryAction")->isEnabled());
    EXPECT_FALSE(window->findChild<QMenu*>(u"optionsMenu"_s)->menuAction()->isEnabled());
    fakes.clock.advance(10);
    window->countdownTick();
    EXPECT_EQ(label("countdownLabel"), u"１"_s);
    countdown();
    EXPECT_EQ(window->attempt().state(), AttemptState::Running);
    EXPECT_TRUE(inputEdit->isEnabled());
    EXPECT_FALSE(shown("startPanel"));
    EXPECT_TRUE(item("pauseAction")->isEnabled());
    EXPECT_FALSE(item("wholeTextAction")->isEnabled());
    // A second Space goes to the input box, it does not restart.
    key(Qt::Key_Space, u" "_s);
    EXPECT_EQ(window->attempt().state(), AttemptState::Running);
}

TEST_F(PracticeTest, PauseKeepsTheClockStillAndSpaceDoesNotStart) {
    key(Qt::Key_Space, u" "_s);
    countdown();
    tick(100);
    EXPECT_EQ(label("elapsedLabel"), u"1"_s);
    key(Qt::Key_Pause);
    EXPECT_EQ(window->attempt().state(), AttemptState::Paused);
    EXPECT_TRUE(shown("pausePanel"));
    EXPECT_EQ(item("pauseAction")->text(), u"再開(&P)"_s);
    EXPECT_FALSE(inputEdit->isEnabled());
    fakes.clock.advance(60000);
    key(Qt::Key_Space, u" "_s);
    EXPECT_EQ(window->attempt().state(), AttemptState::Paused);
    item("pauseAction")->trigger();
    EXPECT_EQ(window->attempt().state(), AttemptState::Running);
    tick(1);
    EXPECT_EQ(label("elapsedLabel"), u"1"_s);
}

TEST_F(PracticeTest, RetryKeysFollowTheOption) {
    key(Qt::Key_Escape);
    EXPECT_EQ(window->attempt().state(), AttemptState::Ready);
    key(Qt::Key_Space, u" "_s);
    key(Qt::Key_Escape);
    EXPECT_EQ(window->attempt().state(), AttemptState::Ready);
    EXPECT_TRUE(shown("retryHint"));

    item("retryKeyActions(1)")->trigger();
    EXPECT_EQ(label("retryHint"), u"[Shift]+[Esc]でやり直し"_s);
    key(Qt::Key_Space, u" "_s);
    countdown();
    inputEdit->setText(u"あい"_s);
    key(Qt::Key_Escape);
    key(Qt::Key_Escape, QString(), Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(window->attempt().state(), AttemptState::Running);
    key(Qt::Key_Escape, QString(), Qt::ShiftModifier);
    EXPECT_EQ(window->attempt().state(), AttemptState::Ready);
    EXPECT_TRUE(inputEdit->text().isEmpty());
}

TEST_F(PracticeTest, TypingIsJudgedAndAMissSounds) {
    key(Qt::Key_Space, u" "_s);
    countdown();
    inputEdit->setText(u"あ"_s);
    EXPECT_EQ(window->display().cells[0].state, CellState::Correct);
    EXPECT_EQ(fakes.sound.played, 0);
    inputEdit->setText(u"あX"_s);
    EXPECT_EQ(window->display().cells[1].state, CellState::Wrong);
    EXPECT_TRUE(window->display().cells[1].underline);
    EXPECT_EQ(fakes.sound.played, 1);
    inputEdit->setText(u"あXう"_s);
    EXPECT_EQ(fakes.sound.played, 1);
    item("retryAction")->trigger();
    item("missSoundActions(1)")->trigger();
    key(Qt::Key_Space, u" "_s);
    countdown();
    inputEdit->setText(u"X"_s);
    EXPECT_EQ(fakes.sound.played, 1);
}

TEST_F(PracticeTest, WholeTextRunsToTheEndDialog) {
    key(Qt::Key_Space, u" "_s);
    countdown();
    inputEdit->setText(u"あいう"_s);
    tick();
    EXPECT_EQ(module.text.currentLine, 6);
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
    EXPECT_EQ(window->attempt().state(), AttemptState::Ready);
    EXPECT_EQ(module.text.currentLine, 5);
    EXPECT_EQ(window->attempt().paragraphResults[1].timeMs, 1010);
    EXPECT_TRUE(item("startAction")->isEnabled());
    EXPECT_FALSE(shown("textInfoPanel"));
    EXPECT_EQ(label("typedCharsLabel"), u"9"_s);

    // The result panel and the first best time, with the record files behind them.
    EXPECT_FALSE(label("cpmValue").isEmpty());
    EXPECT_EQ(label("keystrokesValue"), u"0"_s);
    EXPECT_FALSE(label("bestCpm(0)").isEmpty());
    EXPECT_TRUE(label("bestCpm(1)").isEmpty());
    EXPECT_LT(module.text.bestTimes[0], 10.0f);
    EXPECT_EQ(QDir(m_dir.path() + u"/LogBox"_s).entryList({u"*Practice.log"_s}).size(), 1);
    EXPECT_TRUE(QFile::exists(m_dir.path() + u"/LogBox/d240101000000.txt"_s));
    EXPECT_TRUE(messages.isEmpty());

    // A change of standard grades the shown attempt again.
    item("standardActions(4)")->trigger();
    EXPECT_FALSE(label("gradeValue").isEmpty());
    EXPECT_EQ(module.settings.number(Options::Standard), 4);
}

TEST_F(PracticeTest, EnterOptionWaitsForEnterBetweenParagraphs) {
    item("enterKeyActions(1)")->trigger();
    key(Qt::Key_Space, u" "_s);
    countdown();
    inputEdit->setText(u"あいう"_s);
    tick(20);
    EXPECT_EQ(module.text.currentLine, 5);
    key(Qt::Key_Return, u"\r"_s);
    EXPECT_EQ(module.text.currentLine, 6);
    EXPECT_TRUE(inputEdit->text().isEmpty());
    // Enter on an incomplete segment is swallowed and does nothing.
    inputEdit->setText(u"漢"_s);
    key(Qt::Key_Return, u"\r"_s);
    EXPECT_EQ(module.text.currentLine, 6);
    EXPECT_EQ(inputEdit->text(), u"漢"_s);
}

TEST_F(PracticeTest, ParagraphPracticeStartsAtTheChosenParagraph) {
    whenModal([](QWidget* dialog) {
        auto* list = dialog->findChild<QListWidget*>(u"paragraphList"_s);
        EXPECT_EQ(list->count(), 3);
        EXPECT_EQ(list->item(1)->text(), u"  2 漢字か"_s);
        list->setCurrentRow(2);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, u"\r"_s);
        QApplication::sendEvent(dialog, &enter);
    });
    item("paragraphsAction")->trigger();
    EXPECT_EQ(label("modeLabel"), u"段落別練習 (第 3 段落)"_s);
    EXPECT_TRUE(item("paragraphsAction")->isChecked());
    EXPECT_FALSE(item("paragraphsAction")->isEnabled());
    EXPECT_FALSE(item("nextParagraphAction")->isEnabled());
    EXPECT_TRUE(item("previousParagraphAction")->isEnabled());
    EXPECT_EQ(window->display().segmentText, u"えお山"_s);
    EXPECT_TRUE(label("nextParagraphLabel").isEmpty());

    // Cancelling the selection changes nothing.
    whenModal([](QWidget* dialog) { qobject_cast<QDialog*>(dialog)->reject(); });
    item("chooseParagraphAction")->trigger();
    EXPECT_EQ(label("modeLabel"), u"段落別練習 (第 3 段落)"_s);

    key(Qt::Key_Space, u" "_s);
    countdown();
    whenModal([](QWidget* dialog) { dialog->close(); });
    inputEdit->setText(u"えお山"_s);
    tick();
    EXPECT_EQ(window->attempt().state(), AttemptState::Ready);
    EXPECT_EQ(module.text.currentLine, 7);
    EXPECT_EQ(window->attempt().summary().firstRow, 2);
}

TEST_F(PracticeTest, PastedTextIsJudgedLikeTyping) {
    key(Qt::Key_Space, u" "_s);
    countdown();
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
    EXPECT_EQ(window->attempt().state(), AttemptState::Running);
}

TEST_F(PracticeTest, ResumingKeepsTheInputAndTypingGoesOn) {
    window->show();
    QApplication::setActiveWindow(window.get());
    key(Qt::Key_Space, u" "_s);
    countdown();
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
        ASSERT_EQ(window->attempt().state(), AttemptState::Paused);
        EXPECT_EQ(QApplication::focusWidget(), button);
        resume();
        ASSERT_EQ(window->attempt().state(), AttemptState::Running);
        EXPECT_EQ(QApplication::focusWidget(), inputEdit);
        EXPECT_FALSE(inputEdit->textCursor().hasSelection());
        // The next key adds to the input; it does not replace it.
        type(u"Y"_s);
        expected += u"Y"_s;
        EXPECT_EQ(inputEdit->text(), expected);
    }
}

TEST_F(PracticeTest, InputPastTheParagraphEndIsShownAsMisses) {
    key(Qt::Key_Space, u" "_s);
    countdown();
    inputEdit->setText(u"あい"_s);
    EXPECT_EQ(inputEdit->surplusStart(), -1);
    // A change that runs past the end: every cell is right, yet the paragraph cannot complete.
    inputEdit->setText(u"あいうえお"_s);
    tick();
    EXPECT_EQ(module.text.currentLine, 5);
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
    EXPECT_EQ(module.text.currentLine, 6);
}
