#include "support/MainWindowTest.h"

#include <QInputMethodEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

using namespace Qt::StringLiterals;

namespace {

// The window on screen, with a keyboard that reports physical presses and a fake input method.
class CountingTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        start(true);
    }
    void startTyping() {
        practice().startAttempt();
        countdown();
        ASSERT_EQ(state(), AttemptState::Running);
    }
    // A key the input method uses: the physical press, then its input-method event.
    void composed(int keyCode, quint32 native, const QString& preedit, const QString& commit = QString()) {
        fakes.keyboard.press(keyCode, native);
        QInputMethodEvent event(preedit, {});
        if (!commit.isEmpty()) event.setCommitString(commit);
        QApplication::sendEvent(inputEdit, &event);
        fakes.keyboard.release(keyCode);
    }
    // A key the input method ignores: the physical press, then the ordinary key event.
    void plain(int qtKey, int keyCode, quint32 native, const QString& text = QString()) {
        fakes.keyboard.press(keyCode, native);
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
        QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, native, 0, 0, text);
        QApplication::sendEvent(target, &press);
        fakes.keyboard.release(keyCode);
        QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier, native, 0, 0, text);
        QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : window.get(), &release);
    }
    const AttemptCounters& counters() const { return window->attempt().counters; }
};

} // namespace

// The input method stalls: every key's answer comes hundreds of milliseconds late, while
// the window goes on ticking.
TEST_F(CountingTest, LateAnswersCountEveryKeyOnceWithItsOwnCode) {
    trigger(u"sampleActions(1)"_s); // an English text: the input method is off
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
            practice().runTick();
        }
        fakes.clock.advance(300);
        practice().runTick();
        for (const Key& k : keys) {
            QKeyEvent press(QEvent::KeyPress, k.qt, Qt::NoModifier, k.native, 0, 0, k.text);
            QApplication::sendEvent(inputEdit, &press);
            QKeyEvent release(QEvent::KeyRelease, k.qt, Qt::NoModifier, k.native, 0, 0, k.text);
            QApplication::sendEvent(inputEdit, &release);
        }
    };
    stalled({{Qt::Key_D, 68, 40, u"d"_s}, {Qt::Key_E, 69, 26, u"e"_s}, {Qt::Key_F, 70, 41, u"f"_s}});
    EXPECT_EQ(counters().keystrokes, 3);
    EXPECT_EQ(inputEdit->text(), u"def"_s);
    // Backspace on committed text is a correction of committed input, however late it comes
    // (Return is the window's own key and no keystroke).
    stalled({{Qt::Key_Return, 13, 36, u"\r"_s}, {Qt::Key_Backspace, 8, 22, u"\b"_s}});
    EXPECT_EQ(counters().keystrokes, 4);
    EXPECT_EQ(counters().correctionCount, 1);
    EXPECT_EQ(counters().revisionCount, 0);
    EXPECT_EQ(inputEdit->text(), u"de"_s);
}

// Mozc commits the finished paragraph when the first letter of the next one is typed over
// its conversion: that letter's composition goes on in the next paragraph.
TEST_F(CountingTest, ACompositionUnderWaySurvivesIntoTheNextParagraph) {
    fakes.inputMethod.currentStatus = 4;
    startTyping();
    const QString first = window->display().segmentText;
    const int line = session->text.currentLine;
    fakes.keyboard.press(87, 25);
    QInputMethodEvent commit(QString(), {});
    commit.setCommitString(first);
    QApplication::sendEvent(inputEdit, &commit);
    QInputMethodEvent composing(u"ｗ"_s, {});
    QApplication::sendEvent(inputEdit, &composing);
    fakes.keyboard.release(87, 25);
    fakes.clock.advance(10);
    practice().runTick();
    ASSERT_EQ(session->text.currentLine, line + 1);
    EXPECT_TRUE(inputEdit->text().isEmpty());
    EXPECT_EQ(inputEdit->document()->firstBlock().layout()->preeditAreaText(), u"ｗ"_s);
    EXPECT_FALSE(window->attempt().paragraphResults[0].operations.contains(u'ｗ'));
    composed(65, 38, u"わ"_s);
    composed(13, 36, QString(), u"わ"_s);
    EXPECT_EQ(inputEdit->text(), u"わ"_s);
    EXPECT_EQ(counters().keystrokes, 3);
    EXPECT_EQ(counters().confirmations, 1);
}

TEST_F(CountingTest, DeleteTypesNothing) {
    trigger(u"sampleActions(1)"_s);
    startTyping();
    plain(Qt::Key_W, 87, 25, u"W"_s);
    plain(Qt::Key_Left, 37, 113);
    plain(Qt::Key_Delete, 46, 119, u"\x7f"_s);
    EXPECT_TRUE(inputEdit->text().isEmpty());
    EXPECT_EQ(counters().correctionCount, 1);
    // The paragraph's operation string holds the typed characters only.
    const int line = session->text.currentLine;
    inputEdit->setText(window->display().segmentText);
    fakes.clock.advance(10);
    practice().runTick();
    ASSERT_EQ(session->text.currentLine, line + 1);
    EXPECT_FALSE(window->attempt().paragraphResults[0].operations.contains(QChar(0x7f)));
    EXPECT_TRUE(window->attempt().paragraphResults[0].operations.contains(u'W'));
}
