#include "ui/texts/TextPickerDialog.h"

#include "core/practice/TextLoading.h"
#include "core/util/Cp932.h"

#include <QListWidget>

#include "gui/common/DialogDriver.h"
#include "support/ProgramFolderTest.h"
#include "support/TestFiles.h"

using namespace Qt::StringLiterals;
using namespace dialogdriver;

class TextPickerDialogTest : public ProgramFolderTest {};

TEST_F(TextPickerDialogTest, PagesFiltersAndDeletingTheCurrentText) {
    auto name = [](int i) { return u"2401010000"_s + QString::number(i).rightJustified(2, u'0') + u".txt"_s; };
    for (int i = 1; i <= 25; ++i)
        writeAll(
            m.fileBoxPath() + u'/' + name(i),
            cp932::encode(
                u"出所%1\r\n240101\r\n表題%2\r\n   3 (   3,   0)(   0,   3,   0)(   0,   0,   0)\r\n"_s.arg(i % 2).arg(
                    i) +
                QString::fromUtf16(NoRecordLine) + u"\r\nあいう\r\n"_s));
    m.settings.setNumber(Options::TextsPerPage, 20);
    m.settings[0].name = u"出所1"_s;
    m.settings[Options::CurrentFile].address = name(25);
    ASSERT_TRUE(TextLoading::loadOwnText(m, nullptr));
    QWidget owner;
    TextPickerDialog picker(m, TextPickerDialog::Purpose::Delete, &owner);
    auto* texts = child<QListWidget>(picker, "textList");
    EXPECT_EQ(texts->count(), 20);
    EXPECT_EQ(texts->item(0)->text(), u"240101 [ - ] 表題25〔出所1〕"_s);
    child<QListWidget>(picker, "sourceFilterList")->setCurrentRow(1);
    child<QListWidget>(picker, "pageList")->setCurrentRow(1);
    EXPECT_EQ(texts->count(), 3); // 5, 3, 1
    picker.showPage(0);
    texts->setCurrentRow(0);
    const int result = execAndAct(picker, [](QDialog& d) {
        QTimer::singleShot(0,
                           [] { click("acceptButton")(*qobject_cast<QDialog*>(QApplication::activeModalWidget())); });
        child<QPushButton>(d, "deleteButton")->click();
        EXPECT_EQ(child<QPushButton>(d, "closeButton")->text(), u"閉じる"_s);
    });
    EXPECT_EQ(result, StillOpen);
    EXPECT_EQ(QDir(m.fileBoxPath()).entryList(QDir::Files).size(), 24);
    EXPECT_FALSE(QFile::exists(m.fileBoxPath() + u'/' + name(25)));
    EXPECT_TRUE(picker.currentTextChanged() && m.settings[Options::CurrentFile].address.isEmpty());
}
