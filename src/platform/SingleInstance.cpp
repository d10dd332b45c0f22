#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// A lock file whose contents cannot be read is stale once its writer has had ample time to fill it.
constexpr qint64 UnreadableLockGraceMs = 5000;

// A lock file that keeps being removed under us (holders exiting one after another) is given up after this.
constexpr int LockAttempts = 8;

QString runtimeFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder)) folder = QDir::tempPath();
    return folder;
}

QString canonicalFolder(const QString& folder) {
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

} // namespace

SingleInstance::SingleInstance() = default;

SingleInstance::~SingleInstance() {
    if (m_fd < 0) return; // QLockFile's destructor unlocks the stand-in
    // Removed while still locked: a copy that opened the old file meanwhile sees it gone and tries again.
    ::unlink(m_lockPath.constData());
    ::close(m_fd);
}

QString SingleInstance::folderLockPath(const QString& programFolder) {
    return canonicalFolder(programFolder) + u"/.RinvaleQX.lock"_s;
}

QString SingleInstance::fallbackLockPath(const QString& programFolder) {
    const QByteArray hash =
        QCryptographicHash::hash(canonicalFolder(programFolder).toUtf8(), QCryptographicHash::Sha256).toHex();
    return runtimeFolder() + u"/RinvaleQX-"_s + QString::fromLatin1(hash.left(32)) + u".lock"_s;
}

bool SingleInstance::tryAcquire(const QString& programFolder) {
    if (isAcquired()) return true;
    switch (lockFolder(programFolder)) {
    case FolderLock::Taken:
        return true;
    case FolderLock::Held:
        return false;
    case FolderLock::Unavailable:
        break;
    }
    return lockFallback(programFolder);
}

SingleInstance::FolderLock SingleInstance::lockFolder(const QString& programFolder) {
    const QByteArray path = QFile::encodeName(folderLockPath(programFolder));
    for (int attempt = 0; attempt < LockAttempts; ++attempt) {
        // A link or a FIFO in the lock file's place is never opened: nothing outside the folder is touched.
        struct stat before {};
        if (lstat(path.constData(), &before) == 0 && !S_ISREG(before.st_mode)) return FolderLock::Unavailable;
        // Read-only is enough for flock, and opening an existing file this way changes nothing in it.
        const int fd = ::open(path.constData(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
        if (fd < 0) return FolderLock::Unavailable;
        struct stat opened {};
        if (fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            ::close(fd);
            return FolderLock::Unavailable;
        }
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            return error == EWOULDBLOCK ? FolderLock::Held : FolderLock::Unavailable;
        }
        // A holder that exited between our open and our lock removed the file we locked: start over.
        struct stat now {};
        if (stat(path.constData(), &now) == 0 && now.st_dev == opened.st_dev && now.st_ino == opened.st_ino) {
            m_fd = fd;
            m_lockPath = path;
            return FolderLock::Taken;
        }
        ::close(fd);
    }
    return FolderLock::Unavailable;
}

bool SingleInstance::lockFallback(const QString& programFolder) {
    auto lock = std::make_unique<QLockFile>(fallbackLockPath(programFolder));
    // The program runs for hours: only a holder that no longer runs makes a lock stale, never its age.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        if (lock->error() != QLockFile::LockFailedError) return false;
        // A crash between creating the lock file and writing it leaves a file QLockFile cannot judge.
        // Removing it takes the file's native lock, which a live holder keeps, so a running copy is safe.
        const QFileInfo info(lock->fileName());
        const qint64 age = info.lastModified().msecsTo(QDateTime::currentDateTime());
        if (lock->getLockInfo(nullptr, nullptr, nullptr) || qAbs(age) < UnreadableLockGraceMs) return false;
        if (!lock->removeStaleLockFile() || !lock->tryLock(0)) return false;
    }
    m_fallback = std::move(lock);
    return true;
}

bool SingleInstance::isAcquired() const {
    return m_fd >= 0 || (m_fallback && m_fallback->isLocked());
}
