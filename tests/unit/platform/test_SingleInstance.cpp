#include "platform/SingleInstance.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Points the runtime folder at a private temporary folder so tests never meet real locks.
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
    QTemporaryDir program, other, elsewhere;
    const QString link = elsewhere.filePath(u"link"_qs);
    ASSERT_TRUE(QFile::link(program.path(), link));
    auto first = std::make_unique<SingleInstance>();
    ASSERT_TRUE(first->tryAcquire(program.path()));
    EXPECT_TRUE(first->tryAcquire(program.path())); // asking again keeps the lock
    for (const QString& spelling : {program.path(), program.path() + u"/./"_qs, link}) {
        SingleInstance second;
        EXPECT_FALSE(second.tryAcquire(spelling)) << spelling.toStdString();
        EXPECT_FALSE(second.isAcquired());
    }
    EXPECT_TRUE(QDir(program.path()).isEmpty()) << "the lock must not touch the program folder";
    SingleInstance side;
    EXPECT_TRUE(side.tryAcquire(other.path()));

    first.reset();
    EXPECT_FALSE(QFile::exists(SingleInstance::lockFilePath(program.path())));
    SingleInstance next;
    EXPECT_TRUE(next.tryAcquire(program.path()));
}

TEST_F(SingleInstanceTest, UnreadableLocksAreStaleOnlyOnceOld) {
    // An empty lock file from a crash while locking is stale; an unreadable one just written is not yet.
    for (const auto& [content, ageSeconds, acquired] : {std::tuple{QByteArray(), 60, true}, {"not a lock", 0, false}}) {
        QTemporaryDir program;
        QFile lock(SingleInstance::lockFilePath(program.path()));
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

TEST_F(SingleInstanceTest, AnotherProcessBlocksUntilItDies) {
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
    ASSERT_TRUE(QFile::exists(SingleInstance::lockFilePath(program.path()))); // left behind with a dead process id
    close(ready[0]);
    close(ready[1]);
    EXPECT_TRUE(second.tryAcquire(program.path()));
}
