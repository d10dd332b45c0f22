#include "app/Module1.h"
#include "app/Options.h"
#include "platform/Cp932.h"
#include "practice/TextLoading.h"
#include "records/RecordDeletion.h"
#include "records/RecordFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "fakes/TestFiles.h"

#include <unistd.h>

using namespace RecordDeletion;

namespace {


const QString TextName = u"240115093000.txt"_qs;
const QByteArray Invalid = QByteArray("j99999\xff\xfe") + "9999999 broken";

class RecordDeletionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m.programFolder = m_dir.path();
        QDir().mkpath(m.fileBoxPath());
        QDir().mkpath(m.logBoxPath());
        Options::applyStartupDefaults(m.settings);
    }

    void loadText(const QString& bestLine) {
        const QStringList lines = {u"出所"_qs, u"240101"_qs,
                                   u"表題"_qs, u"   9 (   9,   0)(   6,   2,   1)(   0,   0,   0)"_qs,
                                   bestLine,   u"国際連合の人民は、"_qs};
        writeAll(file(), cp932::encode(lines.join(u"\r\n"_qs) + u"\r\n"_qs));
        m.settings[Options::CurrentFile].address = TextName;
        QString error;
        ASSERT_TRUE(TextLoading::LoadOwnText(m, &error)) << error.toStdString();
    }

    // BestRec.log with the text's Japanese and English lines among others and damaged lines.
    void writeRecords() {
        writeAll(log(u"BestRec.log"_qs),
                 QByteArray("j111111111111   240101 a\r\n") + "j240115093000   240101 mine\r\n" + "\r\n" + "short\r\n" +
                     Invalid + "\r\n" + "e240115093000   240101 mine too\r\n" + "e222222222222   240101 b");
        for (const char16_t* name :
             {u"d240115093000.txt", u"b240115093000.txt", u"d111111111111.txt", u"202401Practice.log", u"Temp.txt"})
            writeAll(log(QString::fromUtf16(name)), "x\r\n");
    }

    QString log(const QString& name) const { return m.logBoxPath() + u'/' + name; }
    QString file() const { return m.fileBoxPath() + u'/' + TextName; }

    QTemporaryDir m_dir;
    Module1 m;
};

const QString Written =
    u"00012.34,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,"_qs;

} // namespace

TEST_F(RecordDeletionTest, RemovesBothLanguageLinesAndTheDetailsFilesOnly) {
    writeRecords();
    QString error;
    ASSERT_TRUE(RemoveTextRecords(m.logBoxPath(), u"240115093000"_qs, &error)) << error.toStdString();
    EXPECT_EQ(readAll(log(u"BestRec.log"_qs)), QByteArray("j111111111111   240101 a\r\n") + "\r\n" + "short\r\n" +
                                                   Invalid + "\r\n" + "e222222222222   240101 b\r\n");
    EXPECT_FALSE(QFile::exists(log(u"d240115093000.txt"_qs)));
    EXPECT_FALSE(QFile::exists(log(u"b240115093000.txt"_qs)));
    for (const char16_t* kept : {u"d111111111111.txt", u"202401Practice.log", u"Temp.txt"})
        EXPECT_EQ(readAll(log(QString::fromUtf16(kept))), QByteArray("x\r\n"))
            << QString::fromUtf16(kept).toStdString();

    // Nothing left to remove: the file is not touched again.
    const QByteArray after = readAll(log(u"BestRec.log"_qs));
    EXPECT_TRUE(RemoveTextRecords(m.logBoxPath(), u"240115093000"_qs, &error));
    EXPECT_EQ(readAll(log(u"BestRec.log"_qs)), after);
}

TEST_F(RecordDeletionTest, FileLosingItsLastLineStaysEmptyAndMissingFilesAreSkipped) {
    writeAll(log(u"BestRec.log"_qs), "j240115093000   240101 only\r\n");
    QString error;
    EXPECT_TRUE(RemoveTextRecords(m.logBoxPath(), u"240115093000"_qs, &error));
    EXPECT_TRUE(QFile::exists(log(u"BestRec.log"_qs)));
    EXPECT_EQ(readAll(log(u"BestRec.log"_qs)), QByteArray());

    ASSERT_TRUE(QDir(m.logBoxPath()).removeRecursively());
    EXPECT_TRUE(RemoveTextRecords(m.logBoxPath(), u"240115093000"_qs, &error));
    EXPECT_TRUE(error.isEmpty());
}

TEST_F(RecordDeletionTest, RefusesIdsThatAreEmptyOrPaths) {
    writeRecords();
    const QByteArray before = readAll(log(u"BestRec.log"_qs));
    for (const QString& id : {QString(), u"   "_qs, u"../FileBox/x"_qs, u"..\\x"_qs}) {
        QString error;
        EXPECT_FALSE(RemoveTextRecords(m.logBoxPath(), id, &error)) << id.toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(readAll(log(u"BestRec.log"_qs)), before);
}

TEST_F(RecordDeletionTest, DeletingTheRecordsOfAFileText) {
    loadText(Written);
    writeRecords();
    ASSERT_TRUE(hasRecords(m));
    QString error;
    ASSERT_TRUE(deleteCurrentTextRecords(m, &error)) << error.toStdString();
    EXPECT_FALSE(hasRecords(m));
    EXPECT_EQ(m.text.bestTimes, BestTimesLine::empty());
    const QList<QByteArray> lines = RecordFiles::splitRawLines(readAll(file()));
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[4], cp932::encode(BestTimesLine::emptyLine()));
    EXPECT_EQ(lines[5], cp932::encode(u"国際連合の人民は、"));
    EXPECT_FALSE(readAll(log(u"BestRec.log"_qs)).contains("240115093000"));
    EXPECT_FALSE(QFile::exists(log(u"d240115093000.txt"_qs)));
    EXPECT_EQ(readAll(log(u"202401Practice.log"_qs)), QByteArray("x\r\n"));
}

TEST_F(RecordDeletionTest, DeletingTheRecordsOfASampleLeavesFileBoxAlone) {
    TextLoading::chooseSample(m, 3);
    EXPECT_FALSE(hasRecords(m)); // a sample never practised
    m.settings[Options::SampleBestLines + 3].address = Written;
    m.settings[Options::SampleBestLines + 4].address = Written;
    writeAll(log(u"BestRec.log"_qs), "j000000000003   240101 a\r\nj000000000004   240101 b\r\n");
    writeAll(log(u"d000000000003.txt"_qs), "x\r\n");
    ASSERT_TRUE(hasRecords(m));
    QString error;
    ASSERT_TRUE(deleteCurrentTextRecords(m, &error)) << error.toStdString();
    EXPECT_EQ(m.settings[Options::SampleBestLines + 3].address, BestTimesLine::emptyLine());
    EXPECT_EQ(m.settings[Options::SampleBestLines + 4].address, Written);
    EXPECT_EQ(readAll(log(u"BestRec.log"_qs)), QByteArray("j000000000004   240101 b\r\n"));
    EXPECT_FALSE(QFile::exists(log(u"d000000000003.txt"_qs)));
    EXPECT_TRUE(QDir(m.fileBoxPath()).isEmpty());
}

TEST_F(RecordDeletionTest, TextFileDeletedMeanwhileIsReportedButLogBoxIsCleared) {
    loadText(Written);
    writeRecords();
    ASSERT_TRUE(QFile::remove(file()));
    QString error;
    EXPECT_FALSE(deleteCurrentTextRecords(m, &error));
    EXPECT_TRUE(error.contains(TextName));
    EXPECT_FALSE(QFile::exists(file()));
    EXPECT_FALSE(QFile::exists(log(u"d240115093000.txt"_qs)));
    EXPECT_EQ(m.text.bestTimes, BestTimesLine::empty());
}

TEST_F(RecordDeletionTest, ReadOnlyLogBoxKeepsBestRecWhole) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    writeRecords();
    const QByteArray before = readAll(log(u"BestRec.log"_qs));
    QFile::setPermissions(m.logBoxPath(), QFile::ReadOwner | QFile::ExeOwner);
    QString error;
    const bool removed = RemoveTextRecords(m.logBoxPath(), u"240115093000"_qs, &error);
    QFile::setPermissions(m.logBoxPath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(removed);
    EXPECT_TRUE(error.contains(u"BestRec.log"_qs));
    EXPECT_EQ(readAll(log(u"BestRec.log"_qs)), before);
    EXPECT_TRUE(QFile::exists(log(u"d240115093000.txt"_qs)));
}
