#include "core/practice/TextLoading.h"
#include "ui/records/DeleteRecordsDialog.h"

#include <QLabel>

#include <gtest/gtest.h>

#include "gui/common/DialogDriver.h"
#include "support/ProgramFolderTest.h"
#include "support/TestFiles.h"

using namespace Qt::StringLiterals;
using namespace dialogdriver;

namespace {

const QString Written = u"00012.34,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,"_s;

class DeleteRecordsDialogTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        TextLoading::chooseSample(m, 0);
    }
    QString bestRec() const { return m.logBoxPath() + u"/BestRec.log"_s; }
    QWidget owner;
};

} // namespace

TEST_F(DeleteRecordsDialogTest, DeleteIsOfferedOnlyWithRecordsAndOnlyTheDeleteButtonWipesThem) {
    {
        DeleteRecordsDialog empty(m, &owner);
        EXPECT_EQ(child<QLabel>(empty, "messageLabel")->text(), u"削除する記録はありません"_s);
        EXPECT_FALSE(child(empty, "acceptButton")->isEnabled());
    }
    m.settings[Options::SampleBestLines].address = Written;
    m.text.bestTimes = BestTimesLine::parse(Written);
    writeAll(bestRec(), "j000000000001   240101 a\r\nj000000000002   240101 b\r\n");
    for (const Action& act : {click("rejectButton"), closeBox, key(Qt::Key_Return), key(Qt::Key_Escape)}) {
        DeleteRecordsDialog dialog(m, &owner);
        EXPECT_EQ(execAndAct(dialog, act), QDialog::Rejected);
        EXPECT_EQ(m.settings[Options::SampleBestLines].address, Written);
        EXPECT_FLOAT_EQ(m.text.bestTimes[0], 12.34f);
    }
    DeleteRecordsDialog dialog(m, &owner);
    EXPECT_EQ(execAndAct(dialog, click("acceptButton")), QDialog::Accepted);
    EXPECT_TRUE(dialog.errorMessage().isEmpty());
    EXPECT_EQ(m.settings[Options::SampleBestLines].address, BestTimesLine::emptyLine());
    EXPECT_EQ(m.text.bestTimes, BestTimesLine::empty());
    EXPECT_EQ(readAll(bestRec()), QByteArray("j000000000002   240101 b\r\n"));
}
