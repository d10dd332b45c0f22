#include "support/MainWindowTest.h"

#include <QInputMethodEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

using namespace Qt::StringLiterals;

namespace {

using Key = std::tuple<Qt::Key, int, quint32, QString>; // Qt key, key code, native key, text

// The window on screen, with a keyboard that reports physical presses and a fake input method.
class CountingTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        start(true);
    }
    // A key the input method uses: the physical press, then its input-method events.
    void composed(int keyCode, quint32 native, const QString& commit, const QStringList& preedits) {
        fakes.keyboard.press(keyCode, native);
        for (const QString& preedit : preedits) {
            QInputMethodEvent event(preedit, {});
            event.setCommitString(preedit == preedits.first() ? commit : QString());
            QApplication::sendEvent(inputEdit, &event);
        }
        fakes.keyboard.release(keyCode, native);
    }
    const AttemptCounters& counters() const { return window->attempt().counters; }
    const QString& firstOperations() const { return window->attempt().paragraphResults[0].operations; }
};

} // namespace

// Late answers of a stalled input method are the unit tests' and the end-to-end test's (KeyStream, test_input_method).
// Mozc commits the finished paragraph when the first letter of the next one is typed over
// its conversion: that letter's composition goes on in the next paragraph.
TEST_F(CountingTest, ACompositionUnderWaySurvivesIntoTheNextParagraph) {
    fakes.inputMethod.currentStatus = 4;
    startTyping(false);
    const int line = session->text.currentLine;
    composed(87, 25, window->display().segmentText, {QString(), u"ｗ"_s});
    tick();
    ASSERT_EQ(session->text.currentLine, line + 1);
    inputEdit->undo(); // the last paragraph's input does not come back
    EXPECT_TRUE(inputEdit->text().isEmpty());
    EXPECT_EQ(inputEdit->document()->firstBlock().layout()->preeditAreaText(), u"ｗ"_s);
    EXPECT_FALSE(firstOperations().contains(u'ｗ'));
    composed(65, 38, {}, {u"わ"_s});
    composed(13, 36, u"わ"_s, {QString()});
    EXPECT_EQ(inputEdit->text(), u"わ"_s);
    EXPECT_EQ(counters().keystrokes, 3);
    EXPECT_EQ(counters().confirmations, 1);
}

TEST_F(CountingTest, DeleteTypesNothing) {
    trigger(u"sampleActions(1)"_s);
    startTyping(false);
    const Key keys[] = {{Qt::Key_W, 87, 25, u"W"_s}, {Qt::Key_Left, 37, 113, {}}, {Qt::Key_Delete, 46, 119, u"\x7f"_s}};
    for (const auto& [qt, code, native, text] : keys) {
        fakes.keyboard.press(code, native);
        key(qt, text, inputEdit, native, true);
        fakes.keyboard.release(code);
    }
    EXPECT_TRUE(inputEdit->text().isEmpty());
    EXPECT_EQ(counters().correctionCount, 1);
    // The paragraph's operation string holds the typed characters only.
    const int line = session->text.currentLine;
    inputEdit->setText(window->display().segmentText);
    tick();
    ASSERT_EQ(session->text.currentLine, line + 1);
    EXPECT_FALSE(firstOperations().contains(QChar(0x7f)));
    EXPECT_TRUE(firstOperations().contains(u'W'));
}
