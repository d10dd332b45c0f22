#include "ui/records/WeakCharactersDialog.h"
#include "ui/records/WeakKeyboardView.h"

#include <QComboBox>
#include <QMessageBox>
#include <QTreeWidget>

#include "gui/common/DialogDriver.h"
#include "support/ProgramFolderTest.h"
#include "support/TestFiles.h"

using namespace dialogdriver;

TEST_F(ProgramFolderTest, WeakCharactersWindowListsPeriodsLanguagesAndMakesADrill) {
    writeAll(m.logBoxPath() + u"/WeakChars.log"_s, QByteArray(WeaknessLog::HeaderLine) +
                                                       "2026-12-05\tJ\t000000000001\t章\t10\t4\n"
                                                       "2026-12-05\tJ\t000000000001\tの\t30\t3\n"
                                                       "2020-01-01\tJ\t000000000001\t憲\t10\t9\n"
                                                       "2026-12-05\tE\t000000000002\tq\t10\t5\n");
    QWidget owner;
    WeakCharactersDialog dialog(m, QDate(2026, 12, 6), &owner);
    dialog.show();
    auto first = [&dialog](const char* list) { return child<QTreeWidget>(dialog, list)->topLevelItem(0); };
    EXPECT_EQ(first("japaneseList")->text(1), u"章"_s); // the last 30 days at first
    EXPECT_EQ(first("japaneseList")->text(4), u"40.0%"_s);
    EXPECT_EQ(first("englishList")->text(1), u"q"_s);
    child<QComboBox>(dialog, "periodCombo")->setCurrentIndex(2);
    EXPECT_EQ(first("japaneseList")->text(1), u"憲"_s);
    EXPECT_DOUBLE_EQ(child<WeakKeyboardView>(dialog, "keyboardView")->highestRate(), 0.5);
    // The drill of the Japanese page is saved, the message closed, and the window closes with it.
    QTimer::singleShot(200, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
    });
    EXPECT_EQ(execAndAct(dialog, click("drillButton")), QDialog::Accepted);
    EXPECT_TRUE(dialog.madeText());
    EXPECT_EQ(m.text.line(0), u"苦手文字練習"_s);
}
