#include "app/Module1.h"
#include "app/Options.h"
#include "platform/Cp932.h"
#include "practice/TextLoading.h"
#include "records/frmKeikoku3.h"
#include "texts/TextStats.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString Written =
    u"00012.34,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,"_qs;

class Keikoku3Test : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m.programFolder = m_dir.path();
        QDir().mkpath(m.logBoxPath());
        Options::applyStartupDefaults(m.settings);
        TextLoading::chooseSample(m, 0);
    }

    void giveRecords() {
        m.settings[Options::SampleBestLines].address = Written;
        m.text.bestTimes = BestTimesLine::parse(Written);
        QFile f(m.logBoxPath() + u"/BestRec.log"_qs);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("j000000000001   240101 a\r\nj000000000002   240101 b\r\n");
    }

    // Shows the dialog modally, acts from inside its loop and returns its result.
    int execAndAct(frmKeikoku3& dialog, const std::function<void(frmKeikoku3&)>& act) {
        QTimer::singleShot(0, &dialog, [&dialog, act] {
            act(dialog);
            if (dialog.isVisible()) dialog.done(-1);
        });
        return dialog.exec();
    }

    static QPushButton* button(const QDialog& d, const char* name) {
        return d.findChild<QPushButton*>(QString::fromLatin1(name));
    }
    static QString label(const QDialog& d) { return d.findChild<QLabel*>(u"Label1"_qs)->text(); }

    QTemporaryDir m_dir;
    Module1 m;
    QWidget owner;
};

} // namespace

TEST_F(Keikoku3Test, TextWithoutRecordsOffersNothingToDelete) {
    frmKeikoku3 dialog(m, &owner);
    EXPECT_EQ(dialog.windowTitle(), u"記録の削除"_qs);
    EXPECT_EQ(label(dialog), u"削除する記録はありません"_qs);
    ASSERT_NE(button(dialog, "Command1"), nullptr);
    EXPECT_FALSE(button(dialog, "Command1")->isEnabled());
    EXPECT_EQ(button(dialog, "Command2")->text(), u"ｷｬﾝｾﾙ"_qs);
}

TEST_F(Keikoku3Test, DeleteWipesTheRecordsAndAccepts) {
    giveRecords();
    frmKeikoku3 dialog(m, &owner);
    EXPECT_EQ(label(dialog), u"現在開いているテキストの記録を削除（初期化）します"_qs);
    EXPECT_EQ(button(dialog, "Command1")->text(), u"削除"_qs);
    ASSERT_TRUE(button(dialog, "Command1")->isEnabled());
    EXPECT_EQ(execAndAct(dialog, [](frmKeikoku3& d) { button(d, "Command1")->click(); }), QDialog::Accepted);
    EXPECT_TRUE(dialog.errorMessage().isEmpty());
    EXPECT_EQ(m.settings[Options::SampleBestLines].address, BestTimesLine::emptyLine());
    EXPECT_EQ(m.text.bestTimes, BestTimesLine::empty());
    QFile f(m.logBoxPath() + u"/BestRec.log"_qs);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("j000000000002   240101 b\r\n"));
}

TEST_F(Keikoku3Test, CancelEscapeEnterAndCloseBoxChangeNothing) {
    const std::pair<const char*, std::function<void(frmKeikoku3&)>> cases[] = {
        {"ｷｬﾝｾﾙ", [](frmKeikoku3& d) { button(d, "Command2")->click(); }},
        {"close box", [](frmKeikoku3& d) { d.close(); }},
        {"Enter on the initial focus",
         [](frmKeikoku3& d) {
             QWidget* focused = d.focusWidget();
             EXPECT_EQ(focused, button(d, "Command2"));
             QKeyEvent down(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
             QApplication::sendEvent(focused ? focused : &d, &down);
         }},
        {"Esc",
         [](frmKeikoku3& d) {
             QKeyEvent down(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
             QApplication::sendEvent(d.focusWidget() ? d.focusWidget() : &d, &down);
         }},
    };
    for (const auto& [what, act] : cases) {
        SCOPED_TRACE(what);
        giveRecords();
        frmKeikoku3 dialog(m, &owner);
        EXPECT_EQ(execAndAct(dialog, act), QDialog::Rejected);
        EXPECT_EQ(m.settings[Options::SampleBestLines].address, Written);
        EXPECT_FLOAT_EQ(m.text.bestTimes[0], 12.34f);
    }
}
