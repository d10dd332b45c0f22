#pragma once

#include <QString>

#include <memory>

class QLockFile;

/**
 * Keeps a second copy of the program from running on the same program folder, however it
 * was started (desktop, terminal, ssh, cron, another user through su). The lock is an
 * advisory lock on a file inside the program folder, held for the program's life: the system
 * drops it when the process ends in any way, so a crashed copy never blocks the next start.
 * Where the folder cannot hold the lock file (read-only media), a lock file in the user's
 * runtime folder stands in. A refused start changes no file.
 */
class SingleInstance {
public:
    SingleInstance();
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    /** True when this process now holds the program folder (or already did); false when another process does. */
    bool tryAcquire(const QString& programFolder);

    /** True while this object holds a lock. */
    bool isAcquired() const;

    /** The lock file inside the program folder. */
    static QString folderLockPath(const QString& programFolder);

    /** The lock file in the runtime folder that stands for a program folder that cannot hold its own. */
    static QString fallbackLockPath(const QString& programFolder);

private:
    enum class FolderLock { Taken, Held, Unavailable };
    FolderLock lockFolder(const QString& programFolder);
    bool lockFallback(const QString& programFolder);

    int m_fd = -1;
    QByteArray m_lockPath;
    std::unique_ptr<QLockFile> m_fallback;
};
