#include "core/util/AtomicFile.h"
#include "unit/UnitTest.h"

#include <cerrno>
#include <functional>

TEST(AtomicFile, ReasonsNameTheCauseInJapanese) {
    // A refused write's own reason is checked by the read-only LogBox tests, which run as an ordinary user.
    const int errors[] = {ENOSPC, EDQUOT, EACCES, EPERM, EROFS, EFBIG, ELOOP, 0};
    const QStringList words =
        u"空き容量 クォータ 権限 権限 読み取り専用 大きさの上限 シンボリックリンク 分かりません"_s.split(u' ');
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(fileErrorReason(errors[i]).contains(words[i])) << errors[i];
    EXPECT_TRUE(fileErrorReason(EOVERFLOW).contains(QString::number(EOVERFLOW))) << "an unusual error keeps its number";
}

TEST(AtomicFile, LinksFifosAndFoldersAreRefusedWithoutBlockingOrTouchingAnythingOutside) {
    using Operation = std::function<bool(const QString&, QString*)>;
    const std::pair<const char*, Operation> operations[] = {
        {"replace", [](const QString& p, QString* r) { return writeFileAtomically(p, "new\r\n", r); }},
        {"append", [](const QString& p, QString* r) { return appendToFile(p, "new\r\n", "\r\n", r); }},
        {"read", [](const QString& p, QString* r) {
             QByteArray bytes;
             return readRegularFile(p, 1000, &bytes, r) == ReadStatus::Read;
         }}};
    for (const auto& [name, operation] : operations) {
        for (Hostile kind : {Hostile::DanglingLink, Hostile::LinkToOutsideFile, Hostile::Fifo, Hostile::Folder}) {
            SCOPED_TRACE(testing::Message() << name << " " << int(kind));
            QTemporaryDir folder, outside;
            const QString path = folder.filePath(u"BestRec.log"_s), target = outside.filePath(u"target"_s);
            makeHostile(kind, path, target);
            QString reason;
            EXPECT_FALSE(operation(path, &reason)); // a FIFO opened for blocking would hang here
            EXPECT_TRUE(reason.contains(kind <= Hostile::LinkToOutsideFile ? u"シンボリックリンク"_s
                                                                           : u"通常のファイルではありません"_s))
                << reason.toStdString();
            EXPECT_EQ(QFile::exists(target), kind == Hostile::LinkToOutsideFile);
            EXPECT_EQ(readAll(target), kind == Hostile::LinkToOutsideFile ? "outside" : "");
            EXPECT_EQ(QFileInfo(path).isSymLink(), kind <= Hostile::LinkToOutsideFile) << "the link itself stays";
            const auto all = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
            EXPECT_EQ(QDir(folder.path()).entryList(all).size(), 1);
        }
    }
}

TEST(AtomicFile, ShortWritesKeepWholeFilesAndSayWhy) {
    QTemporaryDir folder;
    const QString replaced = folder.filePath(u"d.txt"_s), appended = folder.filePath(u"log.txt"_s);
    writeAll(replaced, "old");
    writeAll(appended, "line one"); // no final line end
    QString replaceReason, appendReason;
    bool replacedOk = true, appendedOk = true;
    withFileSizeLimit(1000, [&] {
        replacedOk = writeFileAtomically(replaced, QByteArray(5000, 'x'), &replaceReason);
        appendedOk = appendToFile(appended, QByteArray(5000, 'y'), "\r\n", &appendReason);
    });
    EXPECT_FALSE(replacedOk || appendedOk);
    for (const QString& reason : {replaceReason, appendReason})
        EXPECT_EQ(reason, fileErrorReason(EFBIG)) << reason.toStdString();
    EXPECT_EQ(readAll(replaced), "old");
    EXPECT_EQ(readAll(appended), "line one") << "the part that fitted is cut off again";
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 2) << "no temporary file is left";
    ASSERT_TRUE(appendToFile(appended, "line two\r\n", "\r\n"));
    EXPECT_EQ(readAll(appended), "line one\r\nline two\r\n");
}
