#pragma once

#include <QString>

#include <memory>

class QLockFile;

/**
 * Keeps a second copy of the program from running on the same program folder. The lock
 * file lives in the user's runtime folder, so a refused start touches nothing in the
 * program folder, and copies in different program folders run side by side.
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

    /** The lock file that stands for the program folder. */
    static QString lockFilePath(const QString& programFolder);

private:
    std::unique_ptr<QLockFile> m_lock;
};
