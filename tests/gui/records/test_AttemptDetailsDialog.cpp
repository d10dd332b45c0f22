#include "core/util/Cp932.h"
#include "ui/records/AttemptDetailsDialog.h"
#include "ui/records/DetailCellView.h"

#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QTemporaryDir>

#include "gui/common/DialogDriver.h"
#include "support/TestFiles.h"

using namespace Qt::StringLiterals;
using namespace dialogdriver;

namespace {

const QString Paragraph = u"第  1段落    10    25    50.0 3級   123.4 ZS   10.0☆  0.0☆  0.0☆  0.0☆"_s;

AttemptDetails::DetailsRequest japaneseText(int mode) {
    return {mode, true, true, {20, 20, 0, 10, 10, 0, 0, 0, 0}};
}

} // namespace

TEST(AttemptDetailsDialog, ListsParagraphsDrawsTheSelectedOneAndClosesWithEscape) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"d000000000001.txt"_s);
    const QString seventhRow = QString(42 * 6 + 1, u'あ');
    writeAll(path, cp932::encode(QStringList{u"通し 全体"_s, Paragraph, Paragraph, u""_s, u"か□■を"_s, seventhRow}.join(
                       u"\r\n"_s)));
    QWidget owner;
    AttemptDetailsDialog dialog(japaneseText(0), path, u"前回の成績詳細"_s, &owner);
    EXPECT_EQ(dialog.windowTitle(), u"前回の成績詳細"_s);
    auto* list = child<QListWidget>(dialog, "paragraphList");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(child<QLabel>(dialog, "wholeAverageValue")->text(), u"255.0"_s); // 255 characters, one group
    EXPECT_EQ(dialog.grid().cells[2].caption, u"X"_s);
    EXPECT_EQ(child<QLabel>(dialog, "paragraphAverageValue")->text(), u"2.0"_s);
    EXPECT_FALSE(child<QScrollBar>(dialog, "gridScrollBar")->isEnabled());

    list->setCurrentRow(1); // the second paragraph: seven rows, no conversion
    EXPECT_EQ(child<QLabel>(dialog, "paragraphAverageCaption")->text(), u"第  2段落"_s);
    EXPECT_EQ(child<QLabel>(dialog, "paragraphAverageValue")->text(), u"-"_s);
    EXPECT_TRUE(child<QScrollBar>(dialog, "gridScrollBar")->isEnabled());
    EXPECT_EQ(child<QScrollBar>(dialog, "gridScrollBar")->maximum(), DetailAnalysis::RowPitch);

    list->setCurrentRow(0);
    dialog.blinkTick();
    EXPECT_EQ(dialog.grid().cells[2].background, DetailAnalysis::Paint::LightGrey);
    EXPECT_EQ(execAndAct(dialog, key(Qt::Key_Escape)), QDialog::Rejected);
}

TEST(AttemptDetailsDialog, ParagraphAttemptAndMissingFiles) {
    QTemporaryDir dir;
    const QString temp = dir.filePath(u"Temp.txt"_s);
    writeAll(temp, cp932::encode(u"あいう≪≪え\r\n"_s));
    QWidget owner;
    AttemptDetailsDialog dialog(japaneseText(2), temp, u"段落別結果詳細"_s, &owner);
    EXPECT_FALSE(child(dialog, "paragraphList")->isVisibleTo(&dialog));
    EXPECT_FALSE(child(dialog, "conversionHeading")->isVisibleTo(&dialog));
    EXPECT_FALSE(child(dialog, "noCorrectionLabel")->isVisibleTo(&dialog)); // it was corrected
    EXPECT_EQ(dialog.grid().cellsInUse, 5);
    EXPECT_EQ(execAndAct(dialog, click("closeButton")), QDialog::Rejected);
    AttemptDetailsDialog missing(japaneseText(2), dir.filePath(u"none.txt"_s), u"段落別結果詳細"_s, &owner);
    EXPECT_TRUE(child(missing, "noDataLabel")->isVisibleTo(&missing));
    EXPECT_FALSE(child(missing, "noCorrectionLabel")->isVisibleTo(&missing));
    AttemptDetailsDialog noFile(japaneseText(1), dir.filePath(u"b.txt"_s), u"最高成績詳細"_s, &owner);
    EXPECT_EQ(child<QListWidget>(noFile, "paragraphList")->item(0)->text(), u"表示できるデータがありません"_s);
    EXPECT_FALSE(child(noFile, "conversionHeading")->isVisibleTo(&noFile));
}
