#include "app/SettingsTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QString NoRecordLine =
    u"99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99,99999.99"_qs;

QByteArray bytesOf(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QString settingsPath(const QTemporaryDir& dir) {
    return dir.filePath(QString::fromUtf16(SettingsFile::FileName));
}

bool runningAsRoot() {
    return geteuid() == 0;
}

/** A table with Japanese text in the first entries and values at the far end. */
SettingsTable sampleTable() {
    SettingsTable t;
    t[0] = {-2, u"あ亜ｱA"_qs, QString()};
    t[1] = {0x01020304, QString(), u"http://x"_qs};
    t[500] = {0x7FFFFFFF, QString(), u"x"_qs};
    return t;
}

} // namespace

TEST(SettingsTable, WritesTheExactByteLayout) {
    QByteArray expected;
    expected += bytesOf({0xFE, 0xFF, 0xFF, 0xFF});                         // -2
    expected += bytesOf({0x06, 0x00, 0x82, 0xA0, 0x88, 0x9F, 0xB1, 0x41}); // "あ亜ｱA"
    expected += bytesOf({0x00, 0x00});                                     // empty address
    expected += bytesOf({0x04, 0x03, 0x02, 0x01, 0x00, 0x00, 0x08, 0x00}) + QByteArray("http://x");
    expected += QByteArray(498 * 8, '\0');
    expected += bytesOf({0xFF, 0xFF, 0xFF, 0x7F, 0x00, 0x00, 0x01, 0x00, 'x'});
    ASSERT_EQ(expected.size(), 4008 + 6 + 8 + 1);

    const SettingsTable table = sampleTable();
    EXPECT_EQ(table.toBytes(), expected);

    SettingsTable::ReadResult result;
    EXPECT_EQ(SettingsTable::fromBytes(expected, &result), table);
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(result.completeEntries, SettingsTable::EntryCount);
    EXPECT_EQ(result.consumedBytes, expected.size());
}

TEST(SettingsTable, ImageSizesFollowTheStrings) {
    SettingsTable noRecords;
    for (int i = 300; i <= 319; ++i)
        noRecords[i].address = NoRecordLine;
    const struct Case {
        const char* what;
        SettingsTable table;
        qsizetype size;
    } cases[] = {
        {"all empty", SettingsTable(), 4008},
        {"no-record lines of the samples", noRecords, 5788},
    };
    for (const auto& c : cases) {
        const QByteArray bytes = c.table.toBytes();
        EXPECT_EQ(bytes.size(), c.size) << c.what;
        SettingsTable::ReadResult result;
        EXPECT_EQ(SettingsTable::fromBytes(bytes, &result), c.table) << c.what;
        EXPECT_TRUE(result.complete) << c.what;
    }
    EXPECT_EQ(SettingsTable().toBytes(), QByteArray(4008, '\0'));
}

TEST(SettingsTable, RandomTablesRoundTrip) {
    const QString alphabet = u"Aaz09 ,.-/:あいうアイウ亜漢字ｱｲｳﾞ　①Ⅱ～"_qs;
    std::mt19937 rng(20240611);
    for (int round = 0; round < 5; ++round) {
        SettingsTable table;
        for (int i = 0; i < SettingsTable::EntryCount; ++i) {
            table[i].number = qint32(rng());
            for (QString* s : {&table[i].name, &table[i].address}) {
                const int length = int(rng() % 12);
                for (int k = 0; k < length; ++k)
                    s->append(alphabet[qsizetype(rng() % alphabet.size())]);
            }
        }
        SettingsTable::ReadResult result;
        EXPECT_EQ(SettingsTable::fromBytes(table.toBytes(), &result), table) << "round " << round;
        EXPECT_TRUE(result.complete);
    }
}

TEST(SettingsTable, TruncatedImageKeepsTheCompleteFields) {
    SettingsTable full;
    full[0] = {0x01020304, u"あい"_qs, u"ab"_qs};
    full[1] = {-5, u"x"_qs, QString()};
    const QByteArray image = full.toBytes();
    // Entry 0: number 0..3, name length 4..5, name 6..9, address length 10..11, address 12..13.
    // Entry 1: number 14..17, name length 18..19, name 20, address length 21..22.
    const SettingsEntry none;
    const SettingsEntry numberOnly{0x01020304, QString(), QString()};
    const SettingsEntry withName{0x01020304, u"あい"_qs, QString()};
    const struct Case {
        qsizetype cut;
        int completeEntries;
        SettingsEntry entry0;
        SettingsEntry entry1;
    } cases[] = {
        {0, 0, none, none},
        {2, 0, none, none},                        // inside the number
        {4, 0, numberOnly, none},                  // before the name length
        {5, 0, numberOnly, none},                  // inside the name length
        {8, 0, numberOnly, none},                  // inside the name
        {9, 0, numberOnly, none},                  // inside a double-byte character
        {10, 0, withName, none},                   // before the address length
        {13, 0, withName, none},                   // inside the address
        {14, 1, full[0], none},                    // entry 0 whole
        {16, 1, full[0], none},                    // inside entry 1's number
        {18, 1, full[0], {-5, QString(), {}}},     // entry 1's number only
        {21, 1, full[0], {-5, u"x"_qs, {}}},       // entry 1 without its address length
        {23, 2, full[0], full[1]},                 // two entries whole
        {image.size() - 1, 500, full[0], full[1]}, // all but the last byte
    };
    for (const auto& c : cases) {
        SettingsTable::ReadResult result;
        const SettingsTable t = SettingsTable::fromBytes(QByteArrayView(image).first(c.cut), &result);
        EXPECT_EQ(result.completeEntries, c.completeEntries) << "cut " << c.cut;
        EXPECT_FALSE(result.complete) << "cut " << c.cut;
        EXPECT_EQ(result.consumedBytes, c.cut) << "cut " << c.cut;
        EXPECT_EQ(t[0], c.entry0) << "cut " << c.cut;
        EXPECT_EQ(t[1], c.entry1) << "cut " << c.cut;
        EXPECT_EQ(t[500], none) << "cut " << c.cut;
    }
}

TEST(SettingsTable, OverlongStringsAreCutAtACharacterBoundary) {
    const QString wide = QString(40000, u'あ');
    QString emoji;
    for (int i = 0; i < 40000; ++i)
        emoji += u"😀"_qs;
    const struct Case {
        const char* what;
        QString text;
        qsizetype bytes;
        QString readBack;
    } cases[] = {
        {"double-byte only", wide, 65534, wide.left(32767)},
        {"odd start", u"A"_qs + wide, 65535, u"A"_qs + wide.left(32767)},
        {"single-byte only", QString(70000, u'b'), 65535, QString(65535, u'b')},
        {"exactly the limit", QString(65535, u'c'), 65535, QString(65535, u'c')},
        {"surrogate pairs stay whole", emoji, 65534, QString(65534, u'?')},
    };
    for (const auto& c : cases) {
        SettingsTable table;
        table[3] = {7, c.text, u"z"_qs};
        table[4].number = 9;
        const QByteArray image = table.toBytes();
        EXPECT_EQ(image.size(), 4008 + c.bytes + 1) << c.what;
        EXPECT_EQ(quint8(image[3 * 8 + 4]) | (quint8(image[3 * 8 + 5]) << 8), c.bytes) << c.what;
        SettingsTable::ReadResult result;
        const SettingsTable back = SettingsTable::fromBytes(image, &result);
        EXPECT_TRUE(result.complete) << c.what;
        EXPECT_EQ(back[3].name, c.readBack) << c.what;
        EXPECT_EQ(back[3].address, u"z"_qs) << c.what;
        EXPECT_EQ(back.number(4), 9) << c.what;
    }
}

TEST(SettingsTable, GarbageNeverBreaksReading) {
    std::mt19937 rng(7);
    std::vector<QByteArray> inputs = {QByteArray(), QByteArray(7, '\xFF'), QByteArray(100000, '\xFF'),
                                      QByteArray(100000, '\x81')};
    for (int i = 0; i < 20; ++i) {
        QByteArray bytes(qsizetype(rng() % 20000), Qt::Uninitialized);
        for (char& b : bytes)
            b = char(rng());
        // Short lengths make the reader go deep into the buffer instead of stopping at once.
        if (i % 2 == 0)
            for (qsizetype k = 5; k < bytes.size(); k += 9)
                bytes[k] = char(rng() % 2);
        inputs.push_back(bytes);
    }
    for (const QByteArray& bytes : inputs) {
        SettingsTable::ReadResult result;
        const SettingsTable t = SettingsTable::fromBytes(bytes, &result);
        EXPECT_GE(result.completeEntries, 0);
        EXPECT_LE(result.completeEntries, SettingsTable::EntryCount);
        EXPECT_EQ(result.complete, result.completeEntries == SettingsTable::EntryCount);
        EXPECT_LE(result.consumedBytes, bytes.size());
        if (!result.complete) {
            EXPECT_EQ(result.consumedBytes, bytes.size());
        }
        // Whatever was read must be writable again and read back to the same numbers.
        const SettingsTable again = SettingsTable::fromBytes(t.toBytes());
        for (int e = 0; e < SettingsTable::EntryCount; ++e)
            ASSERT_EQ(again.number(e), t.number(e)) << e;
    }
}

TEST(SettingsFile, MissingFileIsCreatedEmpty) {
    QTemporaryDir dir;
    const QString path = settingsPath(dir);
    SettingsFile file(path);
    SettingsTable table = sampleTable();
    QString error;
    EXPECT_TRUE(file.load(table, &error));
    EXPECT_EQ(table, SettingsTable());
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(QFileInfo(path).size(), 0);

    table[200].address = u"240101120000.txt"_qs;
    ASSERT_TRUE(file.save(table, &error)) << error.toStdString();
    EXPECT_EQ(readAll(path), table.toBytes());
}

TEST(SettingsFile, OddSizedFilesLoadAndSaveWithoutLoss) {
    const struct Case {
        const char* what;
        QByteArray content;
        qint32 number0;
        qsizetype savedSize;
    } cases[] = {
        {"empty", QByteArray(), 0, 4008},
        {"7 bytes", bytesOf({0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 'A'}), 1, 4008},
        {"100000 zero bytes", QByteArray(100000, '\0'), 0, 100000},
        {"garbage", QByteArray(5000, '\xFF'), -1, 4008},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QString path = settingsPath(dir);
        ASSERT_TRUE(writeAll(path, c.content));
        SettingsFile file(path);
        SettingsTable table;
        EXPECT_TRUE(file.load(table)) << c.what;
        EXPECT_EQ(table.number(0), c.number0) << c.what;
        EXPECT_TRUE(table[0].name.isEmpty()) << c.what;
        ASSERT_TRUE(file.save(table)) << c.what;
        const QByteArray saved = readAll(path);
        EXPECT_EQ(saved.size(), c.savedSize) << c.what;
        EXPECT_EQ(saved.left(4008), table.toBytes()) << c.what;
        EXPECT_EQ(saved.mid(4008), c.content.mid(4008).left(saved.size() - 4008)) << c.what;
    }
}

TEST(SettingsFile, SurplusAfterACompleteTableSurvivesSaving) {
    const QByteArray oldImage = sampleTable().toBytes();
    SettingsTable changed = sampleTable();
    changed[0].name = u"国際連合憲章前文の出典"_qs; // longer: the surplus must move, not be overwritten
    changed.setNumber(7, 3);
    const struct Case {
        const char* what;
        QByteArray content;
        bool loadFirst;
        QByteArray expected;
    } cases[] = {
        {"complete table and tail", oldImage + "TAIL\r\n", true, changed.toBytes() + "TAIL\r\n"},
        {"saved without loading", oldImage + "TAIL\r\n", false, changed.toBytes() + "TAIL\r\n"},
        {"broken table", oldImage.left(100) + "TAIL\r\n", true, changed.toBytes()},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QString path = settingsPath(dir);
        ASSERT_TRUE(writeAll(path, c.content));
        SettingsFile file(path);
        SettingsTable loaded;
        if (c.loadFirst) {
            ASSERT_TRUE(file.load(loaded)) << c.what;
        }
        ASSERT_TRUE(file.save(changed)) << c.what;
        EXPECT_EQ(readAll(path), c.expected) << c.what;
        // A second save must not pile the surplus up.
        ASSERT_TRUE(file.save(changed)) << c.what;
        EXPECT_EQ(readAll(path), c.expected) << c.what;
    }
}

TEST(SettingsFile, ReadOnlyFileIsMadeWritable) {
    QTemporaryDir dir;
    const QString path = settingsPath(dir);
    ASSERT_TRUE(writeAll(path, sampleTable().toBytes()));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

    SettingsFile file(path);
    SettingsTable table;
    ASSERT_TRUE(file.load(table));
    EXPECT_EQ(table, sampleTable());
    EXPECT_TRUE(QFile::permissions(path) & QFile::WriteOwner);

    table.setNumber(2, 14);
    QString error;
    ASSERT_TRUE(file.save(table, &error)) << error.toStdString();
    EXPECT_EQ(readAll(path), table.toBytes());
}

TEST(SettingsFile, SaveIntoReadOnlyFolderFailsAndKeepsTheOldFile) {
    if (runningAsRoot()) GTEST_SKIP() << "root writes into read-only folders";
    QTemporaryDir dir;
    const QString path = settingsPath(dir);
    const QByteArray old = sampleTable().toBytes() + "TAIL";
    ASSERT_TRUE(writeAll(path, old));
    SettingsFile file(path);
    SettingsTable table;
    ASSERT_TRUE(file.load(table));
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));

    table.setNumber(0, 1234);
    QString error;
    EXPECT_FALSE(file.save(table, &error));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(readAll(path), old);
    EXPECT_TRUE(error.contains(u"保存できませんでした"_qs)) << error.toStdString();
    EXPECT_TRUE(error.contains(path));
}

TEST(SettingsFile, MissingFileInReadOnlyFolderStillLoadsDefaults) {
    if (runningAsRoot()) GTEST_SKIP() << "root writes into read-only folders";
    QTemporaryDir dir;
    const QString path = settingsPath(dir);
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    SettingsFile file(path);
    SettingsTable table = sampleTable();
    EXPECT_TRUE(file.load(table));
    QString error;
    EXPECT_FALSE(file.save(table, &error));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(table, SettingsTable());
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(error.isEmpty());
}

TEST(SettingsFile, SaveThatRunsOutOfSpaceKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString path = settingsPath(dir);
    const QByteArray old = QByteArray(600, 'o');
    ASSERT_TRUE(writeAll(path, old));
    SettingsFile file(path);
    SettingsTable table;
    ASSERT_TRUE(file.load(table));
    table.setNumber(0, 99);

    // A file-size limit makes the write fail part-way, as a full disk does, even for root.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const bool ok = file.save(table, &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(ok);
    EXPECT_TRUE(error.contains(u"保存できませんでした"_qs)) << error.toStdString();
    EXPECT_EQ(readAll(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(path).fileName()});
}

TEST(SettingsFile, PathsThatCannotHoldTheFileAreReported) {
    QTemporaryDir dir;
    // A regular file where the folder should be: neither loading nor saving can succeed, even for root.
    const QString blocker = dir.filePath(u"notafolder"_qs);
    ASSERT_TRUE(writeAll(blocker, "x"));
    {
        SettingsFile file(blocker + u"/RudUZ.rvl"_qs);
        SettingsTable table = sampleTable();
        QString error;
        EXPECT_TRUE(file.load(table));
        EXPECT_EQ(table, SettingsTable());
        EXPECT_FALSE(file.save(table, &error));
        EXPECT_TRUE(error.contains(blocker)) << error.toStdString();
        EXPECT_EQ(readAll(blocker), QByteArray("x"));
    }
    // A folder in the file's place cannot be read, and must not be replaced.
    const QString folder = settingsPath(dir);
    ASSERT_TRUE(QDir().mkpath(folder + u"/inner"_qs));
    {
        SettingsFile file(folder);
        SettingsTable table = sampleTable();
        QString error;
        EXPECT_FALSE(file.load(table, &error));
        EXPECT_EQ(table, SettingsTable());
        EXPECT_TRUE(error.contains(u"読み込めませんでした"_qs)) << error.toStdString();
        error.clear();
        EXPECT_FALSE(file.save(table, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_TRUE(QFileInfo(folder + u"/inner"_qs).isDir());
    }
}
