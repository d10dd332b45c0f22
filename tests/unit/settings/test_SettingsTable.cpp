#include "core/settings/SettingsTable.h"
#include "unit/UnitTest.h"

#include <optional>

namespace {

QString settingsPath(const QTemporaryDir& dir) {
    return dir.filePath(QString::fromUtf16(SettingsFile::FileName));
}

SettingsTable sampleTable() {
    SettingsTable t;
    t[0] = {-2, u"あ亜ｱA"_s, QString()};
    t[1] = {0x01020304, QString(), u"http://x"_s};
    t[500] = {0x7FFFFFFF, QString(), u"x"_s};
    return t;
}

} // namespace

TEST(SettingsTable, ByteLayoutSizesAndRoundTrips) {
    // -2, "あ亜ｱA", empty address; 0x01020304, empty name, "http://x"; 498 empty entries; 0x7FFFFFFF, "", "x".
    const QByteArray expected = QByteArray::fromHex("feffffff 0600 82a0889fb141 0000 04030201 0000 0800") + "http://x" +
                                QByteArray(498 * 8, '\0') + QByteArray::fromHex("ffffff7f 0000 0100") + "x";
    EXPECT_EQ(sampleTable().toBytes(), expected);
    SettingsTable noRecords, awkward;
    for (int i = 300; i <= 319; ++i) // the no-record lines of the samples
        noRecords[i].address = u"99999.99,"_s.repeated(9) + u"99999.99"_s;
    awkward[7] = {-7, u"Aaz09 ,.-/:あいうアイウ亜漢字ｱｲｳﾞ　①Ⅱ～"_s, u"ｶﾞ"_s};
    for (const auto& [table, size] :
         {std::pair{SettingsTable(), 4008}, {sampleTable(), 4023}, {noRecords, 5788}, {awkward, 4008 + 43}}) {
        const QByteArray bytes = table.toBytes();
        EXPECT_EQ(bytes.size(), size);
        SettingsTable::ReadResult result;
        EXPECT_EQ(SettingsTable::fromBytes(bytes, &result), table) << size;
        EXPECT_TRUE(result.complete && result.consumedBytes == size) << size;
    }
}

TEST(SettingsTable, TruncatedImageKeepsTheCompleteFields) {
    SettingsTable full;
    full[0] = {0x01020304, u"あい"_s, u"ab"_s};
    full[1] = {-5, u"x"_s, QString()};
    const QByteArray image = full.toBytes();
    // Entry 0: number 0..3, name length 4..5, name 6..9, address 10..13; entry 1: 14..17, 18..20, 21..22.
    const SettingsEntry none, numberOnly{0x01020304, {}, {}}, withName{0x01020304, u"あい"_s, {}};
    const std::tuple<qsizetype, int, SettingsEntry, SettingsEntry> cases[] = {
        {2, 0, none, none},        {9, 0, numberOnly, none},
        {13, 0, withName, none},   {18, 1, full[0], {-5, {}, {}}},
        {23, 2, full[0], full[1]}, {image.size() - 1, 500, full[0], full[1]}};
    for (const auto& [cut, completeEntries, entry0, entry1] : cases) {
        SCOPED_TRACE(cut);
        SettingsTable::ReadResult result;
        const SettingsTable t = SettingsTable::fromBytes(QByteArrayView(image).first(cut), &result);
        EXPECT_EQ(std::tuple(result.completeEntries, result.complete, result.consumedBytes),
                  std::tuple(completeEntries, false, cut));
        EXPECT_EQ(std::tuple(t[0], t[1], t[500]), std::tuple(entry0, entry1, none));
    }
}

TEST(SettingsTable, OverlongStringsAreCutAtACharacterBoundary) {
    const QString wide = QString(40000, u'あ');
    const std::tuple<QString, qsizetype, QString> cases[] = {
        {wide, 65534, wide.left(32767)},
        {u"A"_s + wide, 65535, u"A"_s + wide.left(32767)},
        {QString(65536, u'b'), 65535, QString(65535, u'b')},
        {u"😀"_s.repeated(40000), 65534, QString(65534, u'?')}, // surrogate pairs stay whole
    };
    for (const auto& [text, bytes, readBack] : cases) {
        SettingsTable table;
        table[3] = {7, text, u"z"_s};
        table[4].number = 9;
        const QByteArray image = table.toBytes();
        EXPECT_EQ(image.size(), 4008 + bytes + 1);
        const SettingsTable back = SettingsTable::fromBytes(image);
        EXPECT_EQ(back[3], (SettingsEntry{7, readBack, u"z"_s})) << bytes;
        EXPECT_EQ(back.number(4), 9);
    }
}

TEST(SettingsFile, OddSizedFilesLoadAndSaveWithoutLoss) {
    // content (none: no file), entry 0's number after loading, size after saving
    const std::tuple<std::optional<QByteArray>, qint32, qsizetype> cases[] = {
        {std::nullopt, 0, 4008},
        {QByteArray(), 0, 4008},
        {QByteArray::fromHex("01000000 0200 41"), 1, 4008},
        {QByteArray(100000, '\0'), 0, 100000},
        {QByteArray(5000, '\xFF'), -1, 4008}};
    for (const auto& [content, number0, savedSize] : cases) {
        SCOPED_TRACE(content ? content->size() : -1);
        QTemporaryDir dir;
        const QString path = settingsPath(dir);
        if (content) {
            writeAll(path, *content);
            ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner));
        }
        SettingsFile file(path);
        SettingsTable table = sampleTable();
        EXPECT_TRUE(file.load(table));
        EXPECT_TRUE(QFile::permissions(path) & QFile::WriteOwner)
            << "a missing file is created, a read-only one made writable";
        EXPECT_EQ(readAll(path), content.value_or(QByteArray())) << "loading changed the file";
        EXPECT_EQ(table[0], (SettingsEntry{number0, {}, {}}));
        ASSERT_TRUE(file.save(table));
        const QByteArray saved = readAll(path);
        EXPECT_EQ(saved.size(), savedSize);
        EXPECT_EQ(saved.left(4008), table.toBytes());
        EXPECT_EQ(saved.mid(4008), content.value_or(QByteArray()).mid(4008, saved.size() - 4008));
    }
}

TEST(SettingsFile, SurplusAfterACompleteTableSurvivesSaving) {
    const QByteArray oldImage = sampleTable().toBytes();
    SettingsTable changed = sampleTable();
    changed[0].name = u"国際連合憲章前文の出典"_s; // longer: the surplus must move, not be overwritten
    const std::tuple<QByteArray, bool, QByteArray> cases[] = {
        {oldImage + "TAIL\r\n", true, changed.toBytes() + "TAIL\r\n"},
        {oldImage + "TAIL\r\n", false, changed.toBytes() + "TAIL\r\n"}, // saved without loading
        {oldImage.left(100) + "TAIL\r\n", true, changed.toBytes()},     // a broken table has no surplus
    };
    for (const auto& [content, loadFirst, expected] : cases) {
        QTemporaryDir dir;
        const QString path = settingsPath(dir);
        writeAll(path, content);
        SettingsFile file(path);
        SettingsTable loaded;
        ASSERT_TRUE(!loadFirst || file.load(loaded));
        for (int round = 0; round < 2; ++round) { // a second save must not pile the surplus up
            ASSERT_TRUE(file.save(changed));
            EXPECT_EQ(readAll(path), expected) << content.size() << (loadFirst ? " loaded" : "") << ", save " << round;
        }
    }
}

TEST(SettingsFile, FailingSaveKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString path = settingsPath(dir);
    const QByteArray old = QByteArray(600, 'o');
    writeAll(path, old);
    SettingsFile file(path);
    SettingsTable table;
    ASSERT_TRUE(file.load(table));
    table.setNumber(0, 99);
    QString error;
    bool ok = true;
    withFileSizeLimit(1024, [&] { ok = file.save(table, &error); });
    EXPECT_FALSE(ok);
    EXPECT_TRUE(error.contains(u"保存できませんでした"_s) && error.contains(path)) << error.toStdString();
    EXPECT_TRUE(error.contains(u"ファイルの大きさの上限を超えます"_s)) << "the reason, in Japanese";
    EXPECT_EQ(readAll(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(path).fileName()});
    // A folder in the file's place cannot be read, and must not be replaced.
    const QString folder = dir.filePath(u"inner/sub"_s);
    ASSERT_TRUE(QDir().mkpath(folder));
    SettingsFile onFolder(dir.filePath(u"inner"_s));
    table = sampleTable();
    EXPECT_FALSE(onFolder.load(table, &error));
    EXPECT_EQ(table, SettingsTable());
    EXPECT_TRUE(error.contains(u"読み込めませんでした"_s)) << error.toStdString();
    EXPECT_FALSE(onFolder.save(table));
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST(SettingsFile, UntouchedFieldsKeepTheirBytesThroughLoadAndSave) {
    // Bytes code page 932 does not define, and NEC/IBM duplicates that decode to a character with another code.
    const QByteArray undefined = QByteArray::fromHex("80a0fdfeff"), duplicates = QByteArray::fromHex("fa5b879aeef9");
    SettingsTable table;
    table[5] = {5, u"NNNNN"_s, u"AAAAAA"_s}; // placeholders of the same byte lengths
    table[6] = {6, u"あ"_s, u"い"_s};
    QByteArray image = table.toBytes();
    const qsizetype name5 = image.indexOf("NNNNN"), address5 = image.indexOf("AAAAAA");
    image.replace(name5, undefined.size(), undefined);
    image.replace(address5, duplicates.size(), duplicates);
    QTemporaryDir dir;
    const QString path = settingsPath(dir);
    writeAll(path, image + "SURPLUS");
    SettingsTable loaded;
    ASSERT_TRUE(SettingsFile(path).load(loaded));
    ASSERT_EQ(loaded[6], table[6]);
    // The program changes other fields only: every byte of entry 5 stays.
    loaded.setNumber(0, 1234);
    loaded[6].name = u"う"_s;
    loaded[7].address = u"ｶﾅ"_s;
    const SettingsTable copy = loaded; // the table travels by value through the program
    ASSERT_TRUE(SettingsFile(path).save(copy));
    const QByteArray saved = readAll(path);
    EXPECT_EQ(saved.mid(name5, undefined.size()), undefined);
    EXPECT_EQ(saved.mid(address5, duplicates.size()), duplicates);
    EXPECT_TRUE(saved.endsWith("SURPLUS"));
    SettingsTable again;
    ASSERT_TRUE(SettingsFile(path).load(again));
    EXPECT_EQ(std::tuple(again.number(0), again[6].name, again[7].address), std::tuple(1234, u"う"_s, u"ｶﾅ"_s));
    // A field the program sets is written from its text; its neighbour keeps its bytes.
    again[5].address = u"http://new/"_s;
    ASSERT_TRUE(SettingsFile(path).save(again));
    const QByteArray changed = readAll(path);
    EXPECT_EQ(changed.mid(name5, undefined.size()), undefined);
    EXPECT_EQ(changed.mid(address5 - 2, 2 + 11), QByteArray::fromHex("0b00") + "http://new/");
}

TEST(SettingsFile, HostileFilesAreRefusedAndNeverReplaced) {
    // Opening a FIFO for reading would wait for ever.
    for (Hostile kind : {Hostile::LinkToOutsideFile, Hostile::DanglingLink, Hostile::Fifo}) {
        SCOPED_TRACE(int(kind));
        QTemporaryDir dir, outside;
        const QString path = settingsPath(dir), target = outside.filePath(u"elsewhere.rvl"_s);
        makeHostile(kind, path, target);
        SettingsTable table = sampleTable();
        QString error;
        EXPECT_FALSE(SettingsFile(path).load(table, &error));
        EXPECT_TRUE(error.contains(path) &&
                    error.contains(kind == Hostile::Fifo ? u"通常のファイル"_s : u"シンボリックリンク"_s))
            << error.toStdString();
        EXPECT_EQ(table, SettingsTable());
        SettingsFile loadedFirst(path), savedStraightAway(path);
        loadedFirst.load(table);
        for (SettingsFile* file : {&loadedFirst, &savedStraightAway}) {
            EXPECT_FALSE(file->save(sampleTable(), &error));
            EXPECT_TRUE(error.contains(path)) << error.toStdString();
        }
        EXPECT_EQ(readAll(target), kind == Hostile::LinkToOutsideFile ? "outside" : "");
        EXPECT_EQ(QFile::exists(target), kind == Hostile::LinkToOutsideFile)
            << "a dangling link must not create its target";
    }
}

TEST(SettingsFile, OversizedFileLoadsItsTableAndIsSavedWithoutTheExcess) {
    QTemporaryDir dir;
    const QString path = settingsPath(dir);
    const QByteArray table = sampleTable().toBytes();
    writeAll(path, table + QByteArray(SettingsFile::MaxFileBytes, '\0'));
    SettingsTable loaded;
    QString error;
    EXPECT_FALSE(SettingsFile(path).load(loaded, &error)) << "the user is told";
    EXPECT_TRUE(error.contains(u"大きすぎます"_s) && error.contains(u"8.0 MB"_s)) << error.toStdString();
    EXPECT_EQ(loaded, sampleTable());
    loaded.setNumber(2, 14);
    ASSERT_TRUE(SettingsFile(path).save(loaded, &error)) << error.toStdString();
    EXPECT_EQ(readAll(path), loaded.toBytes());
    // Surplus within the limit is ordinary surplus and stays.
    const QByteArray withSurplus = table + QByteArray(SettingsFile::MaxFileBytes - table.size(), 'z');
    writeAll(path, withSurplus);
    EXPECT_TRUE(SettingsFile(path).load(loaded));
    ASSERT_TRUE(SettingsFile(path).save(loaded));
    EXPECT_EQ(readAll(path), withSurplus);
}
