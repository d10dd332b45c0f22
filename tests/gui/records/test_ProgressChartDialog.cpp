#include "core/util/Cp932.h"
#include "ui/records/PracticeLogDialog.h"
#include "ui/records/ProgressChartDialog.h"

#include <QChartView>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QXYSeries>

#include <gtest/gtest.h>

#include "gui/common/DialogDriver.h"
#include "support/ProgramFolderTest.h"
#include "support/TestFiles.h"

using namespace dialogdriver;

namespace {

const QString Whole = u"240115093000日 240131 通し 全体   455   700   150.0 S段   431.6 SS   6.6◎  2.6☆  0.7◎  2.2○"_s;
const QString Para = u"240115093000日 240201 第  1段落    40    80   120.0 1級   360.0 SF   7.5◎  2.5☆  0.0☆ 12.5×"_s;

class ProgressChartTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        writeAll(m.fileBoxPath() + u"/240115093000.txt"_s, cp932::encode(u"出所\r\n240115\r\n私の表題\r\n"_s));
        writeAll(m.logBoxPath() + u"/202401Practice.log"_s, cp932::encode(Whole + u"\r\nhalf a li"_s));
        writeAll(m.logBoxPath() + u"/202402Practice.log"_s, cp932::encode(Para + u"\r\n"_s));
    }
    QWidget owner;
};

} // namespace

TEST_F(ProgressChartTest, ChartShowsEveryMonthAndSwitchesMeasure) {
    const QByteArray exam = "\t5\t300.00\t1\t600\t4\t1\t596\t119.2" + QByteArray("\t-").repeated(StandardCount) +
                            "\t240115093000.txt\t私の表題\n";
    writeAll(m.logBoxPath() + u"/ExamLog.tsv"_s, "2024-01-20T10:00:00" + exam + "2024-02-03T10:00:00" + exam);
    ProgressChartDialog dialog(m, &owner);
    dialog.show();
    const QList<QAbstractSeries*> series = child<QChartView>(dialog, "chartView")->chart()->series();
    const auto exams = std::find_if(series.begin(), series.end(),
                                    [](QAbstractSeries* s) { return s->name() == u"試験（純字数/分）"_s; });
    ASSERT_NE(exams, series.end());
    const auto at = [](int month, int day) {
        return double(QDateTime(QDate(2024, month, day), QTime(10, 0)).toMSecsSinceEpoch());
    };
    EXPECT_EQ(static_cast<QXYSeries*>(*exams)->points(), QList<QPointF>({{at(1, 20), 119.2}, {at(2, 3), 119.2}}));
    ASSERT_EQ(dialog.model().points.size(), 2u);
    EXPECT_EQ(dialog.model().points[1].value, 120.0);
    EXPECT_TRUE(child<QLabel>(dialog, "summaryLabel")->text().contains(u"読めない行 1 行"_s));
    EXPECT_TRUE(dialog.describeNearest(dialog.model().points[0].msecs).contains(u"私の表題"_s));
    child<QComboBox>(dialog, "measureCombo")->setCurrentIndex(ProgressChart::OwnLevel);
    child<QComboBox>(dialog, "kindCombo")->setCurrentIndex(ProgressChart::WholeText);
    ASSERT_EQ(dialog.model().points.size(), 1u);
    EXPECT_EQ(LogEntries::ownLevelLabel(int(dialog.model().points[0].value)), u"SS"_s);
    child<QComboBox>(dialog, "languageCombo")->setCurrentIndex(1);
    EXPECT_EQ(child<QLabel>(dialog, "summaryLabel")->text(), u"表示できる記録がありません"_s);
    EXPECT_EQ(execAndAct(dialog, click("closeButton")), QDialog::Rejected);
}

TEST_F(ProgressChartTest, LogWindowSavesEveryMonthAsCsv) {
    const QString path = m.programFolder + u"/out.csv"_s;
    PracticeLogDialog dialog(m, true, &owner);
    dialog.show();
    QTimer::singleShot(0, [path] {
        auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(files, nullptr);
        files->selectFile(path);
        QMetaObject::invokeMethod(files, "accept");
    });
    dialog.saveCsv(true);
    ASSERT_TRUE(readAll(path).startsWith("\xEF\xBB\xBF練習日,"));
    const QStringList lines = QString::fromUtf8(readAll(path).mid(3)).split(u"\r\n"_s);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[1].startsWith(u"2024-01-31,240115093000,私の表題,和文,通し,,455,"_s));
    EXPECT_TRUE(lines[2].startsWith(u"2024-02-01,240115093000,私の表題,和文,段落別,1,40,"_s));
}
