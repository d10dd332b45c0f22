#include "core/practice/Session.h"
#include "core/practice/TextLoading.h"
#include "core/records/RecordDeletion.h"
#include "core/settings/Options.h"
#include "core/util/Cp932.h"
#include "unit/UnitTest.h"

#include "support/ProgramFolderTest.h"

#include <unistd.h>

using namespace RecordDeletion;

namespace {

const QString Id = u"240115093000"_s;
const QString Written = u"00012.34,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,"_s;
// BestRec.log lines of other texts and damaged lines, which deletion must keep byte for byte.
const QByteArray Others[] = {"j111111111111   240101 a\r\n",
                             "\r\nshort\r\nj99999\xff\xfe"
                             "9999999 broken\r\n",
                             "e222222222222   240101 b"};

class RecordDeletionTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        writeAll(log(u"BestRec.log"), Others[0] + "j240115093000   240101 mine\r\n" + Others[1] +
                                          "e240115093000   240101 mine too\r\n" + Others[2]);
        for (const char16_t* name :
             {u"d240115093000.txt", u"b240115093000.txt", u"d111111111111.txt", u"202401Practice.log", u"Temp.txt"})
            writeAll(log(name), "x\r\n");
    }
    static QByteArray textFile(const QString& bestLine) {
        return cp932::encode(u"出所\r\n240101\r\n表題\r\n   9 (   9,   0)(   6,   2,   1)(   0,   0,   0)\r\n"_s +
                             bestLine + u"\r\n国際連合の人民は、\r\n"_s);
    }
    void loadText() {
        writeAll(file(), textFile(Written));
        m.settings[Options::CurrentFile].address = Id + u".txt"_s;
        QString error;
        ASSERT_TRUE(TextLoading::loadOwnText(m, &error)) << error.toStdString();
    }
    QString log(const char16_t* name) const { return m.logBoxPath() + u'/' + QString::fromUtf16(name); }
    QString file() const { return m.fileBoxPath() + u'/' + Id + u".txt"_s; }
};

} // namespace

TEST_F(RecordDeletionTest, RemovesBothLanguageLinesAndTheDetailsFilesOnly) {
    QString error;
    ASSERT_TRUE(removeTextRecords(m.logBoxPath(), Id, &error)) << error.toStdString();
    EXPECT_EQ(readAll(log(u"BestRec.log")), Others[0] + Others[1] + Others[2] + "\r\n");
    EXPECT_FALSE(QFile::exists(log(u"d240115093000.txt")) || QFile::exists(log(u"b240115093000.txt")));
    for (const char16_t* kept : {u"d111111111111.txt", u"202401Practice.log", u"Temp.txt"})
        EXPECT_EQ(readAll(log(kept)), QByteArray("x\r\n")) << QString::fromUtf16(kept).toStdString();
    // A file losing its last line stays, empty; a missing LogBox is nothing to remove.
    writeAll(log(u"BestRec.log"), "j240115093000   240101 only\r\n");
    EXPECT_TRUE(removeTextRecords(m.logBoxPath(), Id, &error));
    EXPECT_TRUE(QFile::exists(log(u"BestRec.log")) && readAll(log(u"BestRec.log")).isEmpty());
    ASSERT_TRUE(QDir(m.logBoxPath()).removeRecursively());
    EXPECT_TRUE(removeTextRecords(m.logBoxPath(), Id, &error));
}

TEST_F(RecordDeletionTest, RefusesIdsThatAreEmptyOrPaths) {
    const QByteArray before = readAll(log(u"BestRec.log"));
    for (const QString& id : {QString(), u"   "_s, u"../FileBox/x"_s, u"..\\x"_s}) {
        QString error;
        EXPECT_FALSE(removeTextRecords(m.logBoxPath(), id, &error)) << id.toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(readAll(log(u"BestRec.log")), before);
}

TEST_F(RecordDeletionTest, DeletingTheRecordsOfAFileText) {
    loadText();
    ASSERT_TRUE(hasRecords(m));
    QString error;
    ASSERT_TRUE(deleteCurrentTextRecords(m, &error)) << error.toStdString();
    EXPECT_FALSE(hasRecords(m));
    EXPECT_EQ(m.text.bestTimes, BestTimesLine::empty());
    EXPECT_EQ(readAll(file()), textFile(BestTimesLine::emptyLine()));
    EXPECT_FALSE(readAll(log(u"BestRec.log")).contains(Id.toLatin1()) || QFile::exists(log(u"d240115093000.txt")));
    // A text file deleted meanwhile is reported and not made again; LogBox is cleared all the same.
    loadText();
    writeAll(log(u"d240115093000.txt"), "x\r\n");
    ASSERT_TRUE(QFile::remove(file()));
    EXPECT_FALSE(deleteCurrentTextRecords(m, &error));
    EXPECT_TRUE(error.contains(Id + u".txt"_s));
    EXPECT_FALSE(QFile::exists(file()) || QFile::exists(log(u"d240115093000.txt")));
    EXPECT_EQ(m.text.bestTimes, BestTimesLine::empty());
}

TEST_F(RecordDeletionTest, DeletingTheRecordsOfASampleLeavesFileBoxAlone) {
    TextLoading::chooseSample(m, 3);
    EXPECT_FALSE(hasRecords(m)); // a sample never practised
    m.settings[Options::SampleBestLines + 3].address = Written;
    m.settings[Options::SampleBestLines + 4].address = Written;
    writeAll(log(u"BestRec.log"), "j000000000003   240101 a\r\nj000000000004   240101 b\r\n");
    writeAll(log(u"d000000000003.txt"), "x\r\n");
    ASSERT_TRUE(hasRecords(m));
    QString error;
    ASSERT_TRUE(deleteCurrentTextRecords(m, &error)) << error.toStdString();
    EXPECT_EQ(m.settings[Options::SampleBestLines + 3].address, BestTimesLine::emptyLine());
    EXPECT_EQ(m.settings[Options::SampleBestLines + 4].address, Written);
    EXPECT_EQ(readAll(log(u"BestRec.log")), QByteArray("j000000000004   240101 b\r\n"));
    EXPECT_FALSE(QFile::exists(log(u"d000000000003.txt")));
    EXPECT_TRUE(QDir(m.fileBoxPath()).isEmpty());
}

TEST_F(RecordDeletionTest, ReadOnlyLogBoxKeepsBestRecWhole) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders (ctest runs this as nobody)";
    const QByteArray before = readAll(log(u"BestRec.log"));
    QFile::setPermissions(m.logBoxPath(), QFile::ReadOwner | QFile::ExeOwner);
    QString error;
    const bool removed = removeTextRecords(m.logBoxPath(), Id, &error);
    QFile::setPermissions(m.logBoxPath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(removed);
    EXPECT_TRUE(error.contains(u"BestRec.log"_s));
    EXPECT_EQ(readAll(log(u"BestRec.log")), before);
    EXPECT_TRUE(QFile::exists(log(u"d240115093000.txt")));
}
