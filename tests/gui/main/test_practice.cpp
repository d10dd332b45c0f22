#include "core/settings/Options.h"
#include "ui/main/MainWindow.h"
#include "support/FakePlatform.h"
#include "core/util/Cp932.h"

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
        window = std::make_unique<frmMain>(module, fakes.platform);
        window->setMessageHandler([this](const QString& text) { messages.append(text); });
        window->Form_Load();
        Text1 = window->findChild<InputBox*>(u"Text1"_s);
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
            window->CountdownTick();
        }
    }
    void tick(int times = 1) {
        for (int i = 0; i < times; ++i) {
            fakes.clock.advance(10);
            window->RunTick();
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
    std::unique_ptr<frmMain> window;
    InputBox* Text1 = nullptr;
};

} // namespace

TEST_F(PracticeTest, SpaceRunsTheCountdownIntoTyping) {
    EXPECT_TRUE(item("mnuStart")->isEnabled());
    EXPECT_FALSE(Text1->isEnabled());
    key(Qt::Key_Space, u" "_s);
    EXPECT_EQ(window->attempt().state(), AttemptState::Countdown);
    EXPECT_FALSE(shown("Label15"));
    EXPECT_FALSE(item("mnuStart")->isEnabled());
    EXPECT_TRUE(item("mnuRetry")->isEnabled());
    EXPECT_FALSE(window->findChild<QMenu*>(u"mnuOption"_s)->menuAction()->isEnabled());
    fakes.clock.advance(10);
    window->CountdownTick();
    EXPECT_EQ(label("Label3"), u"１"_s);
    countdown();
    EXPECT_EQ(window->attempt().state(), AttemptState::Running);
    EXPECT_TRUE(Text1->isEnabled());
    EXPECT_FALSE(shown("Picture5"));
    EXPECT_TRUE(item("mnuPause")->isEnabled());
    EXPECT_FALSE(item("mnuTh")->isEnabled());
    // A second Space goes to the input box, it does not restart.
    key(Qt::Key_Space, u" "_s);
    EXPECT_EQ(window->attempt().state(), AttemptState::Running);
}

TEST_F(PracticeTest, PauseKeepsTheClockStillAndSpaceDoesNotStart) {
    key(Qt::Key_Space, u" "_s);
    countdown();
    tick(100);
    EXPECT_EQ(label("Label4"), u"1"_s);
    key(Qt::Key_Pause);
    EXPECT_EQ(window->attempt().state(), AttemptState::Paused);
    EXPECT_TRUE(shown("Picture10"));
    EXPECT_EQ(item("mnuPause")->text(), u"再開(&P)"_s);
    EXPECT_FALSE(Text1->isEnabled());
    fakes.clock.advance(60000);
    key(Qt::Key_Space, u" "_s);
    EXPECT_EQ(window->attempt().state(), AttemptState::Paused);
    item("mnuPause")->trigger();
    EXPECT_EQ(window->attempt().state(), AttemptState::Running);
    tick(1);
    EXPECT_EQ(label("Label4"), u"1"_s);
}

TEST_F(PracticeTest, RetryKeysFollowTheOption) {
    key(Qt::Key_Escape);
    EXPECT_EQ(window->attempt().state(), AttemptState::Ready);
    key(Qt::Key_Space, u" "_s);
    key(Qt::Key_Escape);
    EXPECT_EQ(window->attempt().state(), AttemptState::Ready);
    EXPECT_TRUE(shown("Label22"));

    item("mnuKey(1)")->trigger();
    EXPECT_EQ(label("Label22"), u"[Shift]+[Esc]でやり直し"_s);
    key(Qt::Key_Space, u" "_s);
    countdown();
    Text1->setText(u"あい"_s);
    key(Qt::Key_Escape);
    key(Qt::Key_Escape, QString(), Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(window->attempt().state(), AttemptState::Running);
    key(Qt::Key_Escape, QString(), Qt::ShiftModifier);
    EXPECT_EQ(window->attempt().state(), AttemptState::Ready);
    EXPECT_TRUE(Text1->text().isEmpty());
}

TEST_F(PracticeTest, TypingIsJudgedAndAMissSounds) {
    key(Qt::Key_Space, u" "_s);
    countdown();
    Text1->setText(u"あ"_s);
    EXPECT_EQ(window->display().cells[0].state, CellState::Correct);
    EXPECT_EQ(fakes.sound.played, 0);
    Text1->setText(u"あX"_s);
    EXPECT_EQ(window->display().cells[1].state, CellState::Wrong);
    EXPECT_TRUE(window->display().cells[1].underline);
    EXPECT_EQ(fakes.sound.played, 1);
    Text1->setText(u"あXう"_s);
    EXPECT_EQ(fakes.sound.played, 1);
    item("mnuRetry")->trigger();
    item("mnuMissOto(1)")->trigger();
    key(Qt::Key_Space, u" "_s);
    countdown();
    Text1->setText(u"X"_s);
    EXPECT_EQ(fakes.sound.played, 1);
}

TEST_F(PracticeTest, WholeTextRunsToTheEndDialog) {
    key(Qt::Key_Space, u" "_s);
    countdown();
    Text1->setText(u"あいう"_s);
    tick();
    EXPECT_EQ(module.text.CurrentLine, 6);
    EXPECT_TRUE(Text1->text().isEmpty());
    EXPECT_EQ(window->display().SegmentText, u"漢字か"_s);
    EXPECT_EQ(window->display().RubyTexts, QStringList{u"かん"_s});
    Text1->setText(u"漢字"_s);
    tick(100);
    Text1->setText(u"漢字か"_s);
    tick();
    Text1->setText(u"えお"_s);
    tick(390);
    Text1->setText(u"えお山"_s);
    QString inputTime;
    whenModal([&](QWidget* dialog) {
        inputTime = dialog->findChild<QLabel*>(u"Label3"_s)->text();
        // Nothing to show in detail yet: the details button is off.
        EXPECT_FALSE(dialog->findChild<QWidget*>(u"Command1"_s)->isEnabled());
        dialog->close();
    });
    tick();
    EXPECT_EQ(inputTime, u"入力時間：  0分05秒"_s);
    EXPECT_EQ(window->attempt().state(), AttemptState::Ready);
    EXPECT_EQ(module.text.CurrentLine, 5);
    EXPECT_EQ(window->attempt().ParagraphResults[1].timeMs, 1010);
    EXPECT_TRUE(item("mnuStart")->isEnabled());
    EXPECT_FALSE(shown("Picture8"));
    EXPECT_EQ(label("Label11"), u"9"_s);

    // The result panel and the first best time, with the record files behind them.
    EXPECT_FALSE(label("Lab2(0)").isEmpty());
    EXPECT_EQ(label("Lab2(4)"), u"0"_s);
    EXPECT_FALSE(label("lblCPM(0)").isEmpty());
    EXPECT_TRUE(label("lblCPM(1)").isEmpty());
    EXPECT_LT(module.text.bestTimes[0], 10.0f);
    EXPECT_EQ(QDir(m_dir.path() + u"/LogBox"_s).entryList({u"*Practice.log"_s}).size(), 1);
    EXPECT_TRUE(QFile::exists(m_dir.path() + u"/LogBox/d240101000000.txt"_s));
    EXPECT_TRUE(messages.isEmpty());

    // A change of standard grades the shown attempt again.
    item("mnuKijun(4)")->trigger();
    EXPECT_FALSE(label("Lab2(1)").isEmpty());
    EXPECT_EQ(module.settings.number(Options::Standard), 4);
}

TEST_F(PracticeTest, EnterOptionWaitsForEnterBetweenParagraphs) {
    item("mnuKaigyo(1)")->trigger();
    key(Qt::Key_Space, u" "_s);
    countdown();
    Text1->setText(u"あいう"_s);
    tick(20);
    EXPECT_EQ(module.text.CurrentLine, 5);
    key(Qt::Key_Return, u"\r"_s);
    EXPECT_EQ(module.text.CurrentLine, 6);
    EXPECT_TRUE(Text1->text().isEmpty());
    // Enter on an incomplete segment is swallowed and does nothing.
    Text1->setText(u"漢"_s);
    key(Qt::Key_Return, u"\r"_s);
    EXPECT_EQ(module.text.CurrentLine, 6);
    EXPECT_EQ(Text1->text(), u"漢"_s);
}

TEST_F(PracticeTest, ParagraphPracticeStartsAtTheChosenParagraph) {
    whenModal([](QWidget* dialog) {
        auto* list = dialog->findChild<QListWidget*>(u"List1"_s);
        EXPECT_EQ(list->count(), 3);
        EXPECT_EQ(list->item(1)->text(), u"  2 漢字か"_s);
        list->setCurrentRow(2);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, u"\r"_s);
        QApplication::sendEvent(dialog, &enter);
    });
    item("mnuPa")->trigger();
    EXPECT_EQ(label("Label21"), u"段落別練習 (第 3 段落)"_s);
    EXPECT_TRUE(item("mnuPa")->isChecked());
    EXPECT_FALSE(item("mnuPa")->isEnabled());
    EXPECT_FALSE(item("mnuNext")->isEnabled());
    EXPECT_TRUE(item("mnuPrev")->isEnabled());
    EXPECT_EQ(window->display().SegmentText, u"えお山"_s);
    EXPECT_TRUE(label("Label2").isEmpty());

    // Cancelling the selection changes nothing.
    whenModal([](QWidget* dialog) { qobject_cast<QDialog*>(dialog)->reject(); });
    item("mnuSitei")->trigger();
    EXPECT_EQ(label("Label21"), u"段落別練習 (第 3 段落)"_s);

    key(Qt::Key_Space, u" "_s);
    countdown();
    whenModal([](QWidget* dialog) { dialog->close(); });
    Text1->setText(u"えお山"_s);
    tick();
    EXPECT_EQ(window->attempt().state(), AttemptState::Ready);
    EXPECT_EQ(module.text.CurrentLine, 7);
    EXPECT_EQ(window->attempt().summary().firstRow, 2);
}

TEST_F(PracticeTest, PastedTextIsJudgedLikeTyping) {
    key(Qt::Key_Space, u" "_s);
    countdown();
    QApplication::clipboard()->setText(u"あいX"_s);
    Text1->paste();
    EXPECT_EQ(window->display().cells[1].state, CellState::Correct);
    EXPECT_EQ(window->display().cells[2].state, CellState::Wrong);
    EXPECT_EQ(fakes.sound.played, 1);
    // A huge paste is cut by the input box and judged without trouble.
    Text1->clear();
    QApplication::clipboard()->setText(QString(200000, u'あ'));
    Text1->paste();
    EXPECT_LE(Text1->text().size(), Text1->maxLength());
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
    auto* button = window->findChild<QPushButton*>(u"Command1"_s);
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
        EXPECT_EQ(QApplication::focusWidget(), Text1);
        EXPECT_FALSE(Text1->textCursor().hasSelection());
        // The next key adds to the input; it does not replace it.
        type(u"Y"_s);
        expected += u"Y"_s;
        EXPECT_EQ(Text1->text(), expected);
    }
}

TEST_F(PracticeTest, InputPastTheParagraphEndIsShownAsMisses) {
    key(Qt::Key_Space, u" "_s);
    countdown();
    Text1->setText(u"あい"_s);
    EXPECT_EQ(Text1->surplusStart(), -1);
    // A change that runs past the end: every cell is right, yet the paragraph cannot complete.
    Text1->setText(u"あいうえお"_s);
    tick();
    EXPECT_EQ(module.text.CurrentLine, 5);
    EXPECT_EQ(Text1->surplusStart(), 3);
    ASSERT_EQ(Text1->extraSelections().size(), 1);
    const QTextEdit::ExtraSelection mark = Text1->extraSelections()[0];
    EXPECT_EQ(mark.cursor.selectedText(), u"えお"_s);
    EXPECT_EQ(mark.format.foreground().color(), QColor(255, 0, 0));
    // Deleting the surplus takes the mark away and completes the paragraph.
    Text1->setText(u"あいう"_s);
    EXPECT_EQ(Text1->surplusStart(), -1);
    EXPECT_TRUE(Text1->extraSelections().isEmpty());
    tick();
    EXPECT_EQ(module.text.CurrentLine, 6);
}
