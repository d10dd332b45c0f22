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
        event.setCommitString(commit);
        QApplication::sendEvent(&box, &event);
    }
    void paste(const QString& text) {
        QApplication::clipboard()->setText(text);
        box.paste();
    }

    InputBox box;
};

} // namespace

TEST_F(InputBoxTest, NoLineBreakEverEnters) {
    press(Qt::Key_A, u"a"_s);
    for (const auto modifiers : {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier})
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter})
            press(key, u"\r"_s, modifiers);
    EXPECT_EQ(box.text(), u"a"_s);

    const std::pair<QString, QString> cases[] = {
        {u"あ\r\nい\r\n"_s, u"あい"_s},
        {u"う\nえ\rお"_s, u"うえお"_s},
        {QString::fromUtf16(u"か\u2028き\u2029く"), u"かきく"_s},
        {u"けこ"_s, u"けこ"_s},
    };
    for (const auto& [given, expected] : cases) {
        SCOPED_TRACE(given.toStdString());
        box.clearInput();
        paste(given);
        EXPECT_EQ(box.text(), expected) << "paste";
        box.clearInput();
        inputMethod({}, given);
        EXPECT_EQ(box.text(), expected) << "commit";
        box.setText(given);
        EXPECT_EQ(box.text(), expected) << "setText";
    }
}

TEST_F(InputBoxTest, AHugePasteIsCutAtTheLimit) {
    paste(QString(200000, u'あ'));
    box.paste();
    press(Qt::Key_I, u"い"_s);
    inputMethod({}, u"う"_s);
    EXPECT_EQ(box.text(), QString(InputBox::MaxLength, u'あ'));
    // A cut never splits a character outside the basic plane.
    box.clearInput();
    paste(QString(InputBox::MaxLength - 1, u'a') + QString::fromUtf16(u"𠮷𠮷"));
    EXPECT_EQ(box.text(), QString(InputBox::MaxLength - 1, u'a'));
}

TEST_F(InputBoxTest, LongInputWrapsOverTheRowsAndScrollsDown) {
    const QRect start = box.inputMethodQuery(Qt::ImCursorRectangle).toRect();
    box.setText(QString(300, u'あ'));
    QApplication::processEvents();
    EXPECT_GT(box.document()->firstBlock().layout()->lineCount(), 2);
    EXPECT_EQ(box.horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(box.verticalScrollBar()->value(), 0);
    // The candidate window follows the caret down the rows and stays inside the box.
    const QRect caret = box.inputMethodQuery(Qt::ImCursorRectangle).toRect();
    EXPECT_GT(caret.top(), start.top());
    EXPECT_TRUE(box.rect().intersects(caret));
}
