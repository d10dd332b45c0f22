#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace {

// A lock file whose contents cannot be read is stale once its writer has had ample time to fill it.
constexpr qint64 UnreadableLockGraceMs = 5000;

QString lockFolder() {
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

SingleInstance::~SingleInstance() = default; // QLockFile's destructor unlocks

QString SingleInstance::lockFilePath(const QString& programFolder) {
    const QByteArray hash =
        QCryptographicHash::hash(canonicalFolder(programFolder).toUtf8(), QCryptographicHash::Sha256).toHex();
    return lockFolder() + u"/RinvaleQX-"_qs + QString::fromLatin1(hash.left(32)) + u".lock"_qs;
}

bool SingleInstance::tryAcquire(const QString& programFolder) {
    if (isAcquired()) return true;
    auto lock = std::make_unique<QLockFile>(lockFilePath(programFolder));
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
    m_lock = std::move(lock);
    return true;
}

bool SingleInstance::isAcquired() const {
    return m_lock && m_lock->isLocked();
}
