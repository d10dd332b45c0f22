#include "core/util/AtomicFile.h"
#include "unit/UnitTest.h"

#include <cerrno>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

TEST(AtomicFile, ReasonsNameTheCauseInJapanese) {
    const std::pair<int, const char16_t*> cases[] = {{ENOSPC, u"空き容量"},
                                                     {EDQUOT, u"クォータ"},
                                                     {EACCES, u"権限"},
                                                     {EPERM, u"権限"},
                                                     {EROFS, u"読み取り専用"},
                                                     {EFBIG, u"大きさの上限"},
                                                     {ELOOP, u"シンボリックリンク"},
                                                     {0, u"分かりません"}};
    for (const auto& [error, words] : cases)
        EXPECT_TRUE(fileErrorReason(error).contains(QStringView(words))) << error;
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
            EXPECT_EQ(QDir(folder.path())
                          .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)
                          .size(),
                      1);
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
    EXPECT_FALSE(replacedOk);
    EXPECT_FALSE(appendedOk);
    for (const QString& reason : {replaceReason, appendReason})
        EXPECT_EQ(reason, fileErrorReason(EFBIG)) << reason.toStdString();
    EXPECT_EQ(readAll(replaced), "old");
    EXPECT_EQ(readAll(appended), "line one") << "the part that fitted is cut off again";
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 2) << "no temporary file is left";
    ASSERT_TRUE(appendToFile(appended, "line two\r\n", "\r\n"));
    EXPECT_EQ(readAll(appended), "line one\r\nline two\r\n");
}

TEST(AtomicFile, NoPermissionIsReportedAsSuch) {
    // Root writes anywhere: the refusal is tried by an ordinary user in a child process.
    QTemporaryDir folder;
    ASSERT_TRUE(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                                         QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup));
    const QString path = folder.filePath(u"RudUZ.rvl"_s);
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
        QString reason;
        const bool ok = writeFileAtomically(path, "x", &reason);
        const QByteArray text = reason.toUtf8();
        [[maybe_unused]] const auto n = write(pipeEnds[1], text.constData(), size_t(text.size()));
        _exit(ok ? 1 : 0);
    }
    ASSERT_GT(child, 0);
    close(pipeEnds[1]);
    QByteArray said;
    char buffer[256];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        said.append(buffer, n);
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_NE(WEXITSTATUS(status), 2) << "could not become an ordinary user";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(QString::fromUtf8(said), fileErrorReason(EACCES));
    EXPECT_FALSE(QFile::exists(path));
}
