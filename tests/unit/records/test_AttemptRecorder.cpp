#include "core/practice/TextLoading.h"
#include "core/records/AttemptRecorder.h"
#include "core/scoring/BestTimes.h"
#include "core/settings/Options.h"
#include "core/settings/SettingsTable.h"
#include "support/ProgramFolderTest.h"
#include "unit/UnitTest.h"

namespace {

constexpr int Sample = 7; // a short English sample
constexpr char Surplus[] = "bytes after the table";

// Whole-text attempts on a built-in sample, whose best times live in the settings file.
class AttemptRecorderTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        writeAll(m.settingsPath(), m.settings.toBytes() + Surplus);
        TextLoading::chooseSample(m, Sample);
    }
    AttemptRecorder::Outcome finishWhole(qint32 perParagraphMs) {
        const int count = m.text.paragraphCount();
        for (int p = 0; p < count; ++p)
            m_rows[size_t(p)] = {20, perParagraphMs, 1, 1, 0, 0, u"≪かな■"_s};
        const AttemptSummary s{
            perParagraphMs * count, {20 * count, count, count}, 0, m.text.lineCount - 1, 0, count - 1};
        const ResultComputation::AttemptResult result = ResultComputation::computeAttempt(m.text, m.settings, s);
        return AttemptRecorder::record(m, s, m_rows, result, QDateTime(QDate(2024, 1, 31), QTime(21, 0)));
    }
    QString storedLineOnDisk() const {
        return SettingsTable::fromBytes(readAll(m.settingsPath()))[Options::SampleBestLines + Sample].address;
    }
    std::array<ParagraphResult, 201> m_rows;
};

} // namespace

TEST_F(AttemptRecorderTest, ANewBestIsInTheSettingsFileAtOnceKeepingItsSurplus) {
    const AttemptRecorder::Outcome first = finishWhole(2000);
    EXPECT_TRUE(first.ok()) << first.files.errorMessage().toStdString() << first.settingsError.toStdString();
    ASSERT_LT(m.text.bestTimes[0], BestTimesLine::EmptyTime);
    const QString firstLine = BestTimesLine::format(m.text.bestTimes);
    EXPECT_EQ(storedLineOnDisk(), firstLine);
    EXPECT_TRUE(readAll(m.settingsPath()).endsWith(Surplus));
    // The records are named by the sample's ID; FileBox is left alone.
    EXPECT_TRUE(QDir(m.fileBoxPath()).isEmpty());
    for (const QString& file : {u"/d000000000006.txt"_s, u"/b000000000006.txt"_s})
        EXPECT_TRUE(QFile::exists(m.logBoxPath() + file)) << file.toStdString();
    EXPECT_EQ(readAll(m.logBoxPath() + u"/BestRec.log"_s).mid(1, 12), "000000000006");
    // A faster attempt moves the old time down; the file follows at once again.
    EXPECT_TRUE(finishWhole(1000).ok());
    const BestTimes after = BestTimesLine::parse(storedLineOnDisk());
    EXPECT_EQ(after[1], BestTimesLine::parse(firstLine)[0]);
    EXPECT_LT(after[0], after[1]);
}

TEST_F(AttemptRecorderTest, TheBestLineIsStoredEvenWhenBestRecCannotBeWritten) {
    // A folder in the way of BestRec.log makes its update fail.
    ASSERT_TRUE(QDir().mkpath(m.logBoxPath() + u"/BestRec.log"_s));
    const AttemptRecorder::Outcome out = finishWhole(2000);
    EXPECT_FALSE(out.files.bestRec);
    EXPECT_FALSE(out.ok());
    EXPECT_TRUE(out.settingsError.isEmpty());
    ASSERT_LT(m.text.bestTimes[0], BestTimesLine::EmptyTime);
    EXPECT_EQ(storedLineOnDisk(), BestTimesLine::format(m.text.bestTimes));
}

TEST_F(AttemptRecorderTest, ASettingsFileThatCannotBeReplacedIsReported) {
    // A folder where the settings file should be: the save fails, the other records are still written.
    QFile::remove(m.settingsPath());
    ASSERT_TRUE(QDir().mkpath(m.settingsPath()));
    const AttemptRecorder::Outcome out = finishWhole(2000);
    EXPECT_FALSE(out.settingsError.isEmpty());
    EXPECT_TRUE(out.files.practiceLog && out.files.bestRec && out.files.detailFile);
}
