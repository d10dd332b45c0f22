#include "ui/records/WeakCharactersDialog.h"
#include "ui/records/WeakKeyboardView.h"

#include <QComboBox>
#include <QMessageBox>
#include <QTabWidget>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "gui/common/DialogDriver.h"
#include "support/ProgramFolderTest.h"
#include "support/TestFiles.h"

using namespace dialogdriver;

namespace {

class WeakCharactersDialogTest : public ProgramFolderTest {
protected:
    QWidget owner;
};

QString firstCharacter(const QDialog& d, const char* list) {
    const QTreeWidget* tree = child<QTreeWidget>(d, list);
    return tree && tree->topLevelItemCount() > 0 ? tree->topLevelItem(0)->text(1) : QString();
}

} // namespace

TEST_F(WeakCharactersDialogTest, ListsPeriodsLanguagesAndMakesADrill) {
    writeAll(m.logBoxPath() + u"/WeakChars.log"_s,
             "#Rinvale QX weak characters 1\tdate\tlanguage\ttext\tcharacter\tmet\tmissed\n"
             "2026-12-05\tJ\t000000000001\t章\t10\t4\n"
             "2026-12-05\tJ\t000000000001\tの\t30\t3\n"
             "2020-01-01\tJ\t000000000001\t憲\t10\t9\n"
             "2026-12-05\tE\t000000000002\tq\t10\t5\n"
             "2026-12-05\tE\t000000000002\t \t40\t2\n");
    WeakCharactersDialog dialog(m, QDate(2026, 12, 6), &owner);
    dialog.show();
    EXPECT_EQ(firstCharacter(dialog, "japaneseList"), u"章"_s); // the last 30 days at first
    EXPECT_EQ(child<QTreeWidget>(dialog, "japaneseList")->topLevelItem(0)->text(4), u"40.0%"_s);
    EXPECT_EQ(firstCharacter(dialog, "englishList"), u"q"_s);
    child<QComboBox>(dialog, "periodCombo")->setCurrentIndex(2);
    EXPECT_EQ(firstCharacter(dialog, "japaneseList"), u"憲"_s);
    const auto* keyboard = child<WeakKeyboardView>(dialog, "keyboardView");
    EXPECT_DOUBLE_EQ(keyboard->highestRate(), 0.5);

    child<QTabWidget>(dialog, "languageTabs")->setCurrentIndex(0);
    // The confirmation box closes itself; the drill is saved and the window closes.
    QTimer::singleShot(200, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
    });
    EXPECT_EQ(execAndAct(dialog, click("drillButton")), QDialog::Accepted);
    EXPECT_TRUE(dialog.madeText());
    EXPECT_EQ(m.text.line(0), u"苦手文字練習"_s);
}
