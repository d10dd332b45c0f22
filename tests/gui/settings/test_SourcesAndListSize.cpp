#include "ui/settings/SourcesKeywordsDialog.h"
#include "ui/settings/TextListSizeDialog.h"

#include <QLineEdit>
#include <QRadioButton>

#include "gui/common/DialogDriver.h"
#include "support/ProgramFolderTest.h"
#include "support/TestFiles.h"

using namespace Qt::StringLiterals;
using namespace dialogdriver;

class SettingsWindowsTest : public ProgramFolderTest {};

TEST_F(SettingsWindowsTest, SourcesSaveTheShownPageAndWriteTheSettingsFile) {
    m.settings[12].name = u"old"_s;
    SourcesKeywordsDialog dialog(m, nullptr);
    const int result = execAndAct(dialog, [](QDialog& d) {
        child<QLineEdit>(d, "sourceEdits(0)")->setText(u"first"_s);
        child<QPushButton>(d, "pageButtons(1)")->click();
        EXPECT_EQ(child<QLineEdit>(d, "sourceEdits(0)")->text(), u"old"_s);
        child<QLineEdit>(d, "sourceEdits(0)")->clear();
        child<QLineEdit>(d, "addressEdits(1)")->setText(u" https://a.jp/\n"_s);
        child<QPushButton>(d, "saveButton")->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    const SettingsTable stored = SettingsTable::fromBytes(readAll(m.settingsPath()));
    EXPECT_EQ(stored[0].name + stored[12].name + stored[13].address, u"firsthttps://a.jp/"_s);
}

TEST_F(SettingsWindowsTest, ListSizeOpensOnTheStoredSizeOrOnAHundred) {
    m.settings.setNumber(Options::TextsPerPage, 7); // no such size: 100 is shown
    TextListSizeDialog cancelled(m, nullptr);
    EXPECT_EQ(cancelled.selectedSize(), 100);
    execAndAct(cancelled, click("rejectButton"));
    EXPECT_EQ(m.settings.number(Options::TextsPerPage), 7);
    TextListSizeDialog dialog(m, nullptr);
    execAndAct(dialog, [](QDialog& d) {
        child<QRadioButton>(d, "sizeOptions(1000)")->setChecked(true);
        child<QPushButton>(d, "acceptButton")->click();
    });
    EXPECT_EQ(m.settings.number(Options::TextsPerPage), 1000);
}
