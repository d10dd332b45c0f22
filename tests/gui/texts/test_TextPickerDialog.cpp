#include "ui/texts/TextPickerDialog.h"

#include "core/practice/TextLoading.h"
#include "core/util/Cp932.h"

#include <QLabel>
#include <QListWidget>

#include "gui/common/DialogDriver.h"
#include "support/ProgramFolderTest.h"
#include "support/TestFiles.h"

using namespace Qt::StringLiterals;
using namespace dialogdriver;

namespace {

class TextPickerDialogTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        m.settings.setNumber(Options::TextsPerPage, 20);
        for (int i = 1; i <= 25; ++i)
            writeAll(m.fileBoxPath() + u'/' + name(i),
                     cp932::encode(u"出所"_s + QString::number(i % 2) + u"\r\n240101\r\n表題"_s + QString::number(i) +
                                   u"\r\n   3 (   3,   0)(   0,   3,   0)(   0,   0,   0)\r\n"_s +
                                   QString::fromUtf16(NoRecordLine) + u"\r\nあいう\r\n"_s));
        m.settings[0].name = u"出所1"_s;
    }
    static QString name(int i) { return u"2401010000"_s + QString::number(i).rightJustified(2, u'0') + u".txt"_s; }
    QWidget owner;
};

} // namespace

TEST_F(TextPickerDialogTest, PagesFiltersAndDeletingTheCurrentText) {
    m.settings[Options::CurrentFile].address = name(25);
    ASSERT_TRUE(TextLoading::loadOwnText(m, nullptr));
    TextPickerDialog picker(m, TextPickerDialog::Purpose::Delete, &owner);
    EXPECT_EQ(picker.windowTitle(), u"テキストの選択→削除"_s);
    auto* texts = child<QListWidget>(picker, "textList");
    EXPECT_EQ(child<QListWidget>(picker, "pageList")->count(), 2);
    EXPECT_EQ(texts->count(), 20);
    EXPECT_EQ(texts->item(0)->text(), u"240101 [ - ] 表題25〔出所1〕"_s);
    EXPECT_EQ(child<QLabel>(picker, "fileCountLabel")->text(), u"File   25"_s);
    child<QListWidget>(picker, "sourceFilterList")->setCurrentRow(1);
    EXPECT_EQ(texts->count(), 10);
    child<QListWidget>(picker, "pageList")->setCurrentRow(1);
    EXPECT_EQ(texts->count(), 3); // 5, 3, 1
    picker.showPage(0);
    texts->setCurrentRow(0);
    EXPECT_EQ(child<QLabel>(picker, "paragraphCountLabel")->text(), u"段落数    1"_s);

    const int result = execAndAct(picker, [](QDialog& d) {
        QTimer::singleShot(0, [] {
            if (auto* ask = qobject_cast<QDialog*>(QApplication::activeModalWidget())) click("acceptButton")(*ask);
        });
        child<QPushButton>(d, "deleteButton")->click();
        EXPECT_EQ(child<QPushButton>(d, "closeButton")->text(), u"閉じる"_s);
        child<QPushButton>(d, "closeButton")->click();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_FALSE(QFile::exists(m.fileBoxPath() + u'/' + name(25)));
    EXPECT_TRUE(picker.currentTextChanged());
    EXPECT_TRUE(m.settings[Options::CurrentFile].address.isEmpty());
    EXPECT_EQ(QDir(m.fileBoxPath()).entryList(QDir::Files).size(), 24);
}
