#include "core/settings/Options.h"
#include "ui/main/MainWindow.h"
#include "support/FakePlatform.h"

#include "ui/main/InputBox.h"
#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The practice window with a keyboard that reports physical presses and a fake input method.
class CountingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        module.programFolder = m_dir.path();
        window = std::make_unique<frmMain>(module, fakes.platform);
        window->setMessageHandler([](const QString&) {});
        window->Form_Load();
        window->show();
        QApplication::setActiveWindow(window.get());
        Text1 = window->findChild<InputBox*>(u"Text1"_s);
    }
    void TearDown() override { window->close(); }

    void startTyping() {
        window->StartAttempt();
        for (int i = 0; i < 400 && window->attempt().state() == AttemptState::Countdown; ++i) {
            fakes.clock.advance(10);
            window->CountdownTick();
        }
        ASSERT_EQ(window->attempt().state(), AttemptState::Running);
    }
    // A key the input method uses: the physical press, then its input-method event.
    void composed(int keyCode, quint32 native, const QString& preedit, const QString& commit = QString()) {
        fakes.keyboard.press(keyCode, native);
        QInputMethodEvent event(preedit, {});
        if (!commit.isEmpty()) event.setCommitString(commit);
        QApplication::sendEvent(Text1, &event);
        fakes.keyboard.release(keyCode);
    }
    // A key the input method ignores: the physical press, then the ordinary key event.
    void plain(int qtKey, int keyCode, quint32 native, const QString& text = QString()) {
        fakes.keyboard.press(keyCode, native);
        QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, native, 0, 0, text);
        QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : window.get(), &press);
        fakes.keyboard.release(keyCode);
        QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier, native, 0, 0, text);
        QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : window.get(), &release);
    }
    const AttemptCounters& counters() const { return window->attempt().counters; }
    QString label(const char* name) const { return window->findChild<QLabel*>(QString::fromLatin1(name))->text(); }

    QTemporaryDir m_dir;
    Session module;
    FakePlatform fakes;
    std::unique_ptr<frmMain> window;
    InputBox* Text1 = nullptr;
};

} // namespace

TEST_F(CountingTest, CompositionConversionAndConfirmation) {
    fakes.inputMethod.status = 4;
    startTyping();
    EXPECT_EQ(fakes.inputMethod.lastMode, 4); // a Japanese text starts in hiragana
    composed(87, 25, u"ｗ"_s);
    composed(65, 38, u"わ"_s);
    composed(82, 27, u"わｒ"_s);
    composed(69, 26, u"われ"_s);
    composed(32, 65, u"我"_s);            // conversion
    composed(13, 36, QString(), u"我"_s); // confirmation commits
    EXPECT_EQ(counters().Keystrokes, 6);
    EXPECT_EQ(counters().Conversions, 1);
    EXPECT_EQ(counters().Confirmations, 1);
    EXPECT_EQ(Text1->text(), u"我"_s);
    EXPECT_EQ(label("Label7"), u"6"_s);
    // Backspace on committed text is ignored by the input method: a correction of committed input.
    plain(Qt::Key_Backspace, 8, 22, u"\b"_s);
    EXPECT_EQ(counters().TeiseiCount, 1);
    EXPECT_TRUE(Text1->text().isEmpty());
    // On an empty box it is not even a keystroke.
    plain(Qt::Key_Backspace, 8, 22, u"\b"_s);
    EXPECT_EQ(counters().Keystrokes, 7);
}

TEST_F(CountingTest, EnglishTypingWithoutInputMethodCountsKeysOnly) {
    startTyping();
    plain(Qt::Key_Shift, 16, 50);
    plain(Qt::Key_W, 87, 25, u"W"_s);
    EXPECT_EQ(counters().Keystrokes, 1);
    EXPECT_EQ(counters().Conversions, 0);
    EXPECT_EQ(Text1->text(), u"W"_s);
    // The live figures follow the input: one character typed, a wrong one.
    EXPECT_EQ(label("Label11"), u"0"_s);
}

TEST_F(CountingTest, TheReadyStateKeepsTheInputMethodClosed) {
    fakes.inputMethod.status = 4;
    window->Timer3Tick();
    EXPECT_EQ(fakes.inputMethod.closed, 1);
    EXPECT_EQ(fakes.inputMethod.IMEStatus(), 2);
    startTyping();
    fakes.inputMethod.status = 4;
    window->Timer3Tick(); // the guard is off while typing
    EXPECT_EQ(fakes.inputMethod.closed, 1);
}

TEST_F(CountingTest, EnglishTextStartsWithTheInputMethodOff) {
    window->action(u"mnuSPL(1)"_s)->trigger();
    startTyping();
    EXPECT_EQ(fakes.inputMethod.lastMode, 2);
    window->action(u"mnuRetry"_s)->trigger();
    window->action(u"mnuIME(8)"_s)->trigger();
    startTyping();
    EXPECT_EQ(fakes.inputMethod.lastMode, 8);
}

TEST_F(CountingTest, LiveFiguresFollowTheCorrectPrefix) {
    startTyping();
    fakes.clock.advance(6000);
    window->RunTick();
    Text1->setText(u"われら"_s);
    EXPECT_EQ(label("Label11"), u"3"_s);
    EXPECT_EQ(label("Label12"), u"30.0"_s); // 3 characters in 6 seconds
    const QWidget* bar = window->findChild<QWidget*>(u"Shape1"_s);
    EXPECT_GT(bar->width(), 0);
}

// The input method stalls: every key's answer comes hundreds of milliseconds late, while
// the window goes on ticking.
TEST_F(CountingTest, LateAnswersCountEveryKeyOnceWithItsOwnCode) {
    window->action(u"mnuSPL(1)"_s)->trigger(); // an English text: the input method is off
    startTyping();
    struct Key {
        Qt::Key qt;
        int code;
        quint32 native;
        QString text;
    };
    auto stalled = [&](const std::vector<Key>& keys) {
        for (const Key& k : keys) {
            fakes.keyboard.press(k.code, k.native);
            fakes.clock.advance(20);
            fakes.keyboard.release(k.code, k.native);
            fakes.clock.advance(20);
            window->RunTick();
        }
        fakes.clock.advance(300);
        window->RunTick();
        for (const Key& k : keys) {
            QKeyEvent press(QEvent::KeyPress, k.qt, Qt::NoModifier, k.native, 0, 0, k.text);
            QApplication::sendEvent(Text1, &press);
            QKeyEvent release(QEvent::KeyRelease, k.qt, Qt::NoModifier, k.native, 0, 0, k.text);
            QApplication::sendEvent(Text1, &release);
        }
    };
    stalled({{Qt::Key_D, 68, 40, u"d"_s}, {Qt::Key_E, 69, 26, u"e"_s}, {Qt::Key_F, 70, 41, u"f"_s}});
    EXPECT_EQ(counters().Keystrokes, 3);
    EXPECT_EQ(Text1->text(), u"def"_s);
    // Backspace on committed text is a correction of committed input, however late it comes
    // (Return is the window's own key and no keystroke).
    stalled({{Qt::Key_Return, 13, 36, u"\r"_s}, {Qt::Key_Backspace, 8, 22, u"\b"_s}});
    EXPECT_EQ(counters().Keystrokes, 4);
    EXPECT_EQ(counters().TeiseiCount, 1);
    EXPECT_EQ(counters().ShuseiCount, 0);
    EXPECT_EQ(Text1->text(), u"de"_s);
}

// Mozc commits the finished paragraph when the first letter of the next one is typed over
// its conversion: that letter's composition goes on in the next paragraph.
TEST_F(CountingTest, ACompositionUnderWaySurvivesIntoTheNextParagraph) {
    fakes.inputMethod.status = 4;
    startTyping();
    const QString first = window->display().SegmentText;
    const int line = module.text.CurrentLine;
    fakes.keyboard.press(87, 25);
    QInputMethodEvent commit(QString(), {});
    commit.setCommitString(first);
    QApplication::sendEvent(Text1, &commit);
    QInputMethodEvent composing(u"ｗ"_s, {});
    QApplication::sendEvent(Text1, &composing);
    fakes.keyboard.release(87, 25);
    fakes.clock.advance(10);
    window->RunTick();
    ASSERT_EQ(module.text.CurrentLine, line + 1);
    EXPECT_TRUE(Text1->text().isEmpty());
    EXPECT_EQ(Text1->document()->firstBlock().layout()->preeditAreaText(), u"ｗ"_s);
    EXPECT_FALSE(window->attempt().ParagraphResults[0].operations.contains(u'ｗ'));
    composed(65, 38, u"わ"_s);
    composed(13, 36, QString(), u"わ"_s);
    EXPECT_EQ(Text1->text(), u"わ"_s);
    EXPECT_EQ(counters().Keystrokes, 3);
    EXPECT_EQ(counters().Confirmations, 1);
}

TEST_F(CountingTest, DeleteTypesNothing) {
    window->action(u"mnuSPL(1)"_s)->trigger();
    startTyping();
    plain(Qt::Key_W, 87, 25, u"W"_s);
    plain(Qt::Key_Left, 37, 113);
    plain(Qt::Key_Delete, 46, 119, u"\x7f"_s);
    EXPECT_TRUE(Text1->text().isEmpty());
    EXPECT_EQ(counters().TeiseiCount, 1);
    // The paragraph's operation string holds the typed characters only.
    const int line = module.text.CurrentLine;
    Text1->setText(window->display().SegmentText);
    fakes.clock.advance(10);
    window->RunTick();
    ASSERT_EQ(module.text.CurrentLine, line + 1);
    EXPECT_FALSE(window->attempt().ParagraphResults[0].operations.contains(QChar(0x7f)));
    EXPECT_TRUE(window->attempt().ParagraphResults[0].operations.contains(u'W'));
}
