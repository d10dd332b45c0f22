#include "core/practice/Session.h"
#include "core/practice/TextLoading.h"
#include "core/settings/Options.h"
#include "ui/records/DeleteRecordsDialog.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

#include "support/TestFiles.h"

using namespace Qt::StringLiterals;

namespace {

const QString Written = u"00012.34,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,"_s;

class DeleteRecordsDialogTest : public ::testing::Test {
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
        writeAll(bestRec(), "j000000000001   240101 a\r\nj000000000002   240101 b\r\n");
    }

    // Shows the dialog modally, acts from inside its loop and returns its result.
    static int execAndAct(DeleteRecordsDialog& dialog, const std::function<void(DeleteRecordsDialog&)>& act) {
        QTimer::singleShot(0, &dialog, [&dialog, act] {
            act(dialog);
            if (dialog.isVisible()) dialog.done(-1);
        });
        return dialog.exec();
    }

    static QPushButton* button(const QDialog& d, const char* name) {
        return d.findChild<QPushButton*>(QString::fromLatin1(name));
    }
    static void press(QWidget& d, Qt::Key key) {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(d.focusWidget() ? d.focusWidget() : &d, &down);
    }
    QString bestRec() const { return m.logBoxPath() + u"/BestRec.log"_s; }

    QTemporaryDir m_dir;
    Session m;
    QWidget owner;
};

} // namespace

TEST_F(DeleteRecordsDialogTest, DeleteIsOfferedOnlyWithRecordsAndWipesThem) {
    {
        DeleteRecordsDialog empty(m, &owner);
        EXPECT_EQ(empty.findChild<QLabel*>(u"messageLabel"_s)->text(), u"削除する記録はありません"_s);
        EXPECT_FALSE(button(empty, "acceptButton")->isEnabled());
    }
    giveRecords();
    DeleteRecordsDialog dialog(m, &owner);
    ASSERT_TRUE(button(dialog, "acceptButton")->isEnabled());
    EXPECT_EQ(execAndAct(dialog, [](DeleteRecordsDialog& d) { button(d, "acceptButton")->click(); }),
              QDialog::Accepted);
    EXPECT_TRUE(dialog.errorMessage().isEmpty());
    EXPECT_EQ(m.settings[Options::SampleBestLines].address, BestTimesLine::emptyLine());
    EXPECT_EQ(m.text.bestTimes, BestTimesLine::empty());
    EXPECT_EQ(readAll(bestRec()), QByteArray("j000000000002   240101 b\r\n"));
}

TEST_F(DeleteRecordsDialogTest, CancelEscapeEnterAndCloseBoxChangeNothing) {
    const std::pair<const char*, std::function<void(DeleteRecordsDialog&)>> cases[] = {
        {"ｷｬﾝｾﾙ", [](DeleteRecordsDialog& d) { button(d, "rejectButton")->click(); }},
        {"close box", [](DeleteRecordsDialog& d) { d.close(); }},
        {"Enter on the initial focus", [](DeleteRecordsDialog& d) { press(d, Qt::Key_Return); }},
        {"Esc", [](DeleteRecordsDialog& d) { press(d, Qt::Key_Escape); }},
    };
    for (const auto& [what, act] : cases) {
        SCOPED_TRACE(what);
        giveRecords();
        DeleteRecordsDialog dialog(m, &owner);
        EXPECT_EQ(execAndAct(dialog, act), QDialog::Rejected);
        EXPECT_EQ(m.settings[Options::SampleBestLines].address, Written);
        EXPECT_FLOAT_EQ(m.text.bestTimes[0], 12.34f);
    }
}
