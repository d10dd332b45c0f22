#include "ui/main/InputBox.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class InputBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        box.resize(300, 90);
        box.show();
        QApplication::setActiveWindow(&box);
        box.setFocus();
    }
    void press(Qt::Key key, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(&box, &event);
    }
    void inputMethod(const QString& preedit, const QString& commit = QString()) {
        QInputMethodEvent event(preedit, {});
        if (!commit.isEmpty()) event.setCommitString(commit);
        QApplication::sendEvent(&box, &event);
    }
    QString preedit() const { return box.document()->firstBlock().layout()->preeditAreaText(); }

    InputBox box;
};

} // namespace

TEST_F(InputBoxTest, NoLineBreakEverEnters) {
    press(Qt::Key_A, u"a"_s);
    for (const auto modifiers : {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier})
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter})
            press(key, u"\r"_s, modifiers);
    EXPECT_EQ(box.text(), u"a"_s);

    struct Case {
        const char* how;
        QString given, expected;
    };
    const Case cases[] = {
        {"Windows line ends", u"あ\r\nい\r\n"_s, u"あい"_s},
        {"Unix and old Mac line ends", u"う\nえ\rお"_s, u"うえお"_s},
        {"Unicode separators", QString::fromUtf16(u"か\u2028き\u2029く"), u"かきく"_s},
        {"nothing to take out", u"けこ"_s, u"けこ"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        box.clearInput();
        QApplication::clipboard()->setText(c.given);
        box.paste();
        EXPECT_EQ(box.text(), c.expected);
        box.clearInput();
        QInputMethodEvent commit;
        commit.setCommitString(c.given);
        QApplication::sendEvent(&box, &commit);
        EXPECT_EQ(box.text(), c.expected);
        box.setText(c.given);
        EXPECT_EQ(box.text(), c.expected);
    }
}

TEST_F(InputBoxTest, AHugePasteIsCutAtTheLimit) {
    QApplication::clipboard()->setText(QString(200000, u'あ'));
    box.paste();
    EXPECT_EQ(box.text().size(), InputBox::MaxLength);
    box.paste();
    press(Qt::Key_I, u"い"_s);
    inputMethod(QString(), u"う"_s);
    EXPECT_EQ(box.text().size(), InputBox::MaxLength);
    EXPECT_FALSE(box.text().contains(u'い'));
    EXPECT_FALSE(box.text().contains(u'う'));

    // A cut never splits a character outside the basic plane.
    box.clearInput();
    QString wide(InputBox::MaxLength - 1, u'a');
    wide += QString::fromUtf16(u"𠮷𠮷");
    QApplication::clipboard()->setText(wide);
    box.paste();
    EXPECT_EQ(box.text().size(), InputBox::MaxLength - 1);
    EXPECT_FALSE(box.text().back().isHighSurrogate());
}

TEST_F(InputBoxTest, LongInputWrapsOverTheRowsAndScrollsDown) {
    const QRect start = box.inputMethodQuery(Qt::ImCursorRectangle).toRect();
    box.setText(QString(300, u'あ'));
    QApplication::processEvents();
    EXPECT_GT(box.document()->firstBlock().layout()->lineCount(), 2);
    EXPECT_EQ(box.horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(box.verticalScrollBar()->maximum(), 0);
    EXPECT_GT(box.verticalScrollBar()->value(), 0);
    // The candidate window follows the caret down the rows and stays inside the box.
    const QRect caret = box.inputMethodQuery(Qt::ImCursorRectangle).toRect();
    EXPECT_GT(caret.top(), start.top());
    EXPECT_TRUE(box.rect().intersects(caret));
}

TEST_F(InputBoxTest, ClearingKeepsTheCompositionAndCannotBeUndone) {
    inputMethod(QString(), u"あい"_s);
    inputMethod(u"ｗ"_s);
    box.clearInput();
    EXPECT_TRUE(box.text().isEmpty());
    EXPECT_EQ(preedit(), u"ｗ"_s);
    inputMethod(u"わ"_s);
    inputMethod(QString(), u"わ"_s);
    EXPECT_EQ(box.text(), u"わ"_s);
    box.clearInput();
    box.undo();
    box.undo();
    EXPECT_TRUE(box.text().isEmpty());
}

TEST_F(InputBoxTest, TheSurplusMarkFollowsTheText) {
    box.setText(u"あいうえ"_s);
    box.markSurplus(2, Qt::red);
    ASSERT_EQ(box.extraSelections().size(), 1);
    EXPECT_EQ(box.extraSelections()[0].cursor.selectedText(), u"うえ"_s);
    press(Qt::Key_O, u"お"_s);
    ASSERT_EQ(box.extraSelections().size(), 1);
    EXPECT_EQ(box.extraSelections()[0].cursor.selectedText(), u"うえお"_s);
    box.markSurplus(-1, Qt::red);
    EXPECT_TRUE(box.extraSelections().isEmpty());
}
