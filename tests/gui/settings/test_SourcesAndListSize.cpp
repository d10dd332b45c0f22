#include "ui/settings/SourcesKeywordsDialog.h"
#include "ui/settings/TextListSizeDialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "gui/common/DialogDriver.h"
#include "support/ProgramFolderTest.h"
#include "support/TestFiles.h"

using namespace Qt::StringLiterals;
using namespace dialogdriver;

namespace {

class SettingsWindowsTest : public ProgramFolderTest {
protected:
    QWidget owner;
};

} // namespace

TEST_F(SettingsWindowsTest, SourcesSaveTheShownPageAndWriteTheSettingsFile) {
    m.settings[12].name = u"old"_s;
    m.settings[80].name = u"beyond reach"_s;
    SourcesKeywordsDialog dialog(m, &owner);
    const int result = execAndAct(dialog, [](QDialog& d) {
        EXPECT_FALSE(child<QPushButton>(d, "previousPageButton")->isEnabled());
        child<QLineEdit>(d, "sourceEdits(0)")->setText(u"first"_s);
        child<QPushButton>(d, "pageButtons(1)")->click();
        EXPECT_EQ(child<QLineEdit>(d, "sourceEdits(0)")->text(), u"old"_s);
        child<QLineEdit>(d, "sourceEdits(0)")->clear();
        child<QLineEdit>(d, "addressEdits(1)")->setText(u" https://a.jp/\n"_s);
        child<QLineEdit>(d, "keywordEdits(23)")->setText(u"kw"_s);
        child<QPushButton>(d, "saveButton")->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    const SettingsTable stored = SettingsTable::fromBytes(readAll(m.settingsPath()));
    EXPECT_EQ(stored[0].name, u"first"_s);
    EXPECT_TRUE(stored[12].name.isEmpty());
    EXPECT_EQ(stored[13].address, u"https://a.jp/"_s);
    EXPECT_EQ(stored[200 + 24 + 23].name, u"kw"_s);
    EXPECT_EQ(stored[80].name, u"beyond reach"_s);
}

TEST_F(SettingsWindowsTest, ListSizeOpensOnTheStoredSizeOrOnAHundred) {
    for (const auto& [stored, shown] : {std::pair{500, 500}, std::pair{7, 100}, std::pair{0, 100}}) {
        m.settings.setNumber(Options::TextsPerPage, stored);
        TextListSizeDialog dialog(m, &owner);
        EXPECT_EQ(dialog.selectedSize(), shown);
        EXPECT_EQ(execAndAct(dialog, click("rejectButton")), QDialog::Rejected);
        EXPECT_EQ(m.settings.number(Options::TextsPerPage), stored);
    }
    TextListSizeDialog dialog(m, &owner);
    execAndAct(dialog, [](QDialog& d) {
        child<QRadioButton>(d, "sizeOptions(1000)")->setChecked(true);
        child<QPushButton>(d, "acceptButton")->click();
    });
    EXPECT_EQ(m.settings.number(Options::TextsPerPage), 1000);
}
