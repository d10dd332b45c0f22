#include "platform/SingleInstance.h"
#include "unit/UnitTest.h"
#include <QDateTime>

#include <memory>
#include <unistd.h>

namespace {

// Points the runtime folder at a private temporary folder so tests never meet real locks. A lock held by another
// process, and the one a killed process leaves, are the end-to-end test_startup's.
class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override { qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path())); }
    void TearDown() override { m_had ? qputenv("XDG_RUNTIME_DIR", m_old) : qunsetenv("XDG_RUNTIME_DIR"); }
    QTemporaryDir m_runtime;
    bool m_had = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
    QByteArray m_old = qgetenv("XDG_RUNTIME_DIR");
};

} // namespace

TEST_F(SingleInstanceTest, SecondStartOnTheSameFolderIsRefusedOthersRunSideBySide) {
    QTemporaryDir program, other, elsewhere, otherRuntime;
    const QString link = elsewhere.filePath(u"link"_s);
    ASSERT_TRUE(QFile::link(program.path(), link));
    auto first = std::make_unique<SingleInstance>();
    ASSERT_TRUE(first->tryAcquire(program.path()));
    EXPECT_TRUE(first->tryAcquire(program.path())); // asking again keeps the lock
    const QString lockPath = SingleInstance::folderLockPath(program.path());
    const QFileInfo lockBefore(lockPath);
    ASSERT_TRUE(lockBefore.isFile());
    const QStringList heldFolder =
        QDir(program.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    // A start from a terminal, ssh or cron has another runtime folder, or none: it must be refused all the same.
    for (const QByteArray& runtime : {QByteArray(), QFile::encodeName(otherRuntime.path())}) {
        runtime.isEmpty() ? qunsetenv("XDG_RUNTIME_DIR") : qputenv("XDG_RUNTIME_DIR", runtime);
        for (const QString& spelling : {program.path(), program.path() + u"/./"_s, link}) {
            SingleInstance second;
            EXPECT_FALSE(second.tryAcquire(spelling)) << spelling.toStdString() << " runtime " << runtime.data();
            EXPECT_FALSE(second.isAcquired());
        }
    }
    // The refused starts changed no file.
    EXPECT_EQ(QDir(program.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), heldFolder);
    const QFileInfo lockAfter(lockPath);
    EXPECT_EQ(std::tuple(lockAfter.size(), lockAfter.lastModified()),
              std::tuple(lockBefore.size(), lockBefore.lastModified()));
    EXPECT_TRUE(QDir(otherRuntime.path()).isEmpty());
    SingleInstance side;
    EXPECT_TRUE(side.tryAcquire(other.path()));
    first.reset();
    EXPECT_FALSE(QFile::exists(lockPath)) << "a clean exit leaves the folder as it found it";
    SingleInstance next;
    EXPECT_TRUE(next.tryAcquire(program.path()));
}

TEST_F(SingleInstanceTest, LinksAndFifosInTheLockPlaceAreNeverOpened) {
    // Such a lock file is neither followed nor waited on: the lock of the runtime folder stands in.
    QTemporaryDir program, outside;
    const QString target = outside.filePath(u"target"_s);
    const QString lockPath = SingleInstance::folderLockPath(program.path());
    for (Hostile kind : {Hostile::DanglingLink, Hostile::LinkToOutsideFile, Hostile::Fifo}) {
        SCOPED_TRACE(int(kind));
        QFile::remove(lockPath);
        makeHostile(kind, lockPath, target);
        {
            SingleInstance first, second;
            EXPECT_TRUE(first.tryAcquire(program.path()));
            EXPECT_FALSE(second.tryAcquire(program.path()));
        }
        EXPECT_EQ(readAll(target), kind == Hostile::LinkToOutsideFile ? "outside" : "");
        EXPECT_EQ(QFile::exists(target), kind == Hostile::LinkToOutsideFile)
            << "a dangling link must not create its target";
    }
}

TEST_F(SingleInstanceTest, UnreadableLocksAreStaleOnlyOnceOld) {
    // An empty lock file from a crash while locking is stale; an unreadable one just written is not yet.
    for (const auto& [content, ageSeconds, acquired] : {std::tuple{QByteArray(), 60, true}, {"not a lock", 0, false}}) {
        QTemporaryDir program;
        // The folder's own lock is unavailable (a dangling link stands there), so the runtime folder's is used.
        ASSERT_TRUE(QFile::link(program.filePath(u"nowhere"_s), SingleInstance::folderLockPath(program.path())));
        QFile lock(SingleInstance::fallbackLockPath(program.path()));
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly) && lock.write(content) == content.size());
        ASSERT_TRUE(
            lock.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime));
        lock.close();
        SingleInstance instance;
        EXPECT_EQ(instance.tryAcquire(program.path()), acquired);
        ASSERT_TRUE(lock.open(QIODevice::ReadOnly));
        EXPECT_EQ(lock.readLine().trimmed(), acquired ? QByteArray::number(qint64(getpid())) : content);
    }
}
