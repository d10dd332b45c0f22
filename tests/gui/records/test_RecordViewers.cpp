#include "core/util/Cp932.h"
#include "ui/records/BestRecordsDialog.h"
#include "ui/records/PracticeLogDialog.h"

#include <QLabel>
#include <QRadioButton>

#include <gtest/gtest.h>

#include "gui/common/DialogDriver.h"
#include "support/ProgramFolderTest.h"
#include "support/TestFiles.h"

using namespace dialogdriver;

namespace {

class RecordViewersTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        writeAll(m.fileBoxPath() + u"/240115093000.txt"_s, cp932::encode(u"出所\r\n240115\r\n私の表題\r\n"_s));
    }
    void writeLog(const QString& name, const QStringList& lines) {
        writeAll(m.logBoxPath() + u'/' + name, cp932::encode(lines.join(u"\r\n"_s) + u"\r\n"_s));
    }
    QString title(const QDialog& d) { return child<QLabel>(d, "titleLabel")->text(); }
    QWidget owner;
};

const QString Whole = u"240115093000日 240131 通し 全体   455   700   150.0 S段   431.6 SS   6.6◎  2.6☆  0.7◎  2.2○"_s;
const QString English =
    u"000000000002英 231231 通し 全体  1379  1500   250.0 B級   250.0  C     -　    -　  1.5◎    -"_s;

} // namespace

TEST_F(RecordViewersTest, LogWindowListsMonthsFiltersAndShowsTitles) {
    writeLog(u"202401Practice.log"_s, {Whole, Whole.left(20) + u" 第  1段落"_s + Whole.mid(26)});
    writeLog(u"202312Practice.log"_s, {English});
    m.settings[LogQueries::KindEntry].number = LogQueries::Paragraphs;
    PracticeLogDialog dialog(m, true, &owner);
    dialog.show();
    EXPECT_EQ(dialog.months(), (QStringList{u"2024.01"_s, u"2023.12"_s}));
    EXPECT_EQ(dialog.rows(), QStringList{u"15093000日 240131 第  1段落"_s + Whole.mid(26)});
    EXPECT_EQ(title(dialog), u"私の表題"_s);
    child<QRadioButton>(dialog, "kindGroupOption0")->click();
    EXPECT_EQ(m.settings.number(LogQueries::KindEntry), LogQueries::AnyKind);
    dialog.chooseMonth(1);
    child<QRadioButton>(dialog, "languageGroupOption1")->click();
    EXPECT_TRUE(dialog.rows().isEmpty());
    EXPECT_EQ(title(dialog), u"表示できるログがありません"_s);
    EXPECT_EQ(execAndAct(dialog, key(Qt::Key_Escape)), QDialog::Rejected);
}

TEST_F(RecordViewersTest, BestRecordsWindowOrdersOneLanguage) {
    writeLog(u"BestRec.log"_s,
             {u"j240115093000   240131    455   700    99.5 S段   431.6 SS    6.6◎  2.6☆  0.7◎  2.2○"_s,
              u"j000000000099   231231    455   700   250.0 10A   431.6 SS    6.6◎  2.6☆  0.7◎  2.2○"_s,
              u"e000000000002"_s, u"j12"_s});
    BestRecordsDialog dialog(m, false, &owner);
    dialog.show();
    ASSERT_EQ(dialog.rows().size(), 2);
    EXPECT_EQ(dialog.rows()[1].mid(43, 4), u"Sda "_s); // the short grade of a display without a Japanese font
    EXPECT_EQ(title(dialog), u"テキストが見つかりません"_s);
    child<QRadioButton>(dialog, "orderGroupOption2")->click();
    EXPECT_TRUE(dialog.rows()[0].startsWith(u"240115093000"_s));
    EXPECT_EQ(title(dialog), u"私の表題"_s);
    EXPECT_EQ(m.settings.number(BestRecordList::OrderEntry), BestRecordList::NewestFirst);
    child<QRadioButton>(dialog, "languageGroupOption1")->click();
    EXPECT_EQ(dialog.rows(), QStringList{u"000000000002"_s});
    EXPECT_EQ(execAndAct(dialog, click("closeButton")), QDialog::Rejected);
}
