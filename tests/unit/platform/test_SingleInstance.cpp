#include "platform/SingleInstance.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

/** Points the runtime folder at a private temporary folder so tests never meet real locks. */
class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_runtime.isValid());
        m_hadRuntime = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
        m_oldRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    }
    void TearDown() override {
        if (m_hadRuntime)
            qputenv("XDG_RUNTIME_DIR", m_oldRuntime);
        else
            qunsetenv("XDG_RUNTIME_DIR");
    }

    QTemporaryDir m_runtime;
    bool m_hadRuntime = false;
    QByteArray m_oldRuntime;
};

qint64 deadPid() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    int status = 0;
    waitpid(child, &status, 0);
    return child;
}

bool writeLock(const QString& path, const QByteArray& content, qint64 ageSeconds) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size()) return false;
    return f.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime);
}

} // namespace

TEST_F(SingleInstanceTest, SecondStartOnTheSameFolderIsRefused) {
    QTemporaryDir program;
    QTemporaryDir elsewhere;
    const QString link = elsewhere.filePath(u"link"_qs);
    ASSERT_TRUE(QFile::link(program.path(), link));
    SingleInstance first;
    ASSERT_TRUE(first.tryAcquire(program.path()));
    EXPECT_TRUE(first.tryAcquire(program.path())); // asking again keeps the lock

    const QString spellings[] = {program.path(), program.path() + u"/"_qs, program.path() + u"/./"_qs, link};
    for (const QString& spelling : spellings) {
        SingleInstance second;
        EXPECT_FALSE(second.tryAcquire(spelling)) << spelling.toStdString();
        EXPECT_FALSE(second.isAcquired());
    }
    EXPECT_TRUE(QDir(program.path()).isEmpty()) << "the lock must not touch the program folder";
}

TEST_F(SingleInstanceTest, DifferentFoldersRunSideBySideAndReleaseFreesTheFolder) {
    QTemporaryDir a;
    QTemporaryDir b;
    auto first = std::make_unique<SingleInstance>();
    SingleInstance other;
    ASSERT_TRUE(first->tryAcquire(a.path()));
    EXPECT_TRUE(other.tryAcquire(b.path()));
    EXPECT_NE(SingleInstance::lockFilePath(a.path()), SingleInstance::lockFilePath(b.path()));
    EXPECT_TRUE(SingleInstance::lockFilePath(a.path()).startsWith(m_runtime.path() + u'/'));

    first.reset();
    EXPECT_FALSE(QFile::exists(SingleInstance::lockFilePath(a.path())));
    SingleInstance next;
    EXPECT_TRUE(next.tryAcquire(a.path()));
}

TEST_F(SingleInstanceTest, LocksLeftByCrashedProcessesDoNotBlock) {
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    const QByteArray dead = QByteArray::number(deadPid());
    const struct Case {
        const char* what;
        QByteArray content;
        qint64 ageSeconds;
        bool acquired;
    } cases[] = {
        {"dead process on this host", dead + "\nrinvale\n" + host + "\n", 0, true},
        {"dead process, no host name", dead + "\nrinvale\n\n", 3600, true},
        {"empty file from a crash while locking", QByteArray(), 60, true},
        {"empty file still being written", QByteArray(), 0, false},
        {"garbage file still being written", "not a lock", 0, false},
    };
    for (const auto& c : cases) {
        QTemporaryDir program;
        const QString lockPath = SingleInstance::lockFilePath(program.path());
        ASSERT_TRUE(writeLock(lockPath, c.content, c.ageSeconds)) << c.what;
        SingleInstance instance;
        EXPECT_EQ(instance.tryAcquire(program.path()), c.acquired) << c.what;
        QFile lock(lockPath);
        ASSERT_TRUE(lock.open(QIODevice::ReadOnly)) << c.what;
        const QByteArray pidLine = lock.readLine().trimmed();
        if (c.acquired)
            EXPECT_EQ(pidLine, QByteArray::number(qint64(getpid()))) << c.what;
        else
            EXPECT_EQ(pidLine, c.content.split('\n').value(0)) << c.what;
        lock.close();
        if (!c.acquired) QFile::remove(lockPath);
    }
}

TEST_F(SingleInstanceTest, AnotherProcessBlocksUntilItIsKilled) {
    QTemporaryDir program;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    if (child == 0) {
        SingleInstance holder;
        const char acquired = holder.tryAcquire(program.path()) ? 1 : 0;
        [[maybe_unused]] const auto n = write(ready[1], &acquired, 1);
        for (;;)
            pause(); // holds the lock until killed, as a crash would end it
    }
    ASSERT_GT(child, 0);
    char acquired = 0;
    ASSERT_EQ(read(ready[0], &acquired, 1), 1);
    ASSERT_EQ(acquired, 1);

    SingleInstance second;
    EXPECT_FALSE(second.tryAcquire(program.path()));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    close(ready[0]);
    close(ready[1]);
    EXPECT_TRUE(second.tryAcquire(program.path()));
}
