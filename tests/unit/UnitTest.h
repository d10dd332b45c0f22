#pragma once

// What every unit test uses: GoogleTest, files and folders, and the faults a disk or a hostile folder brings.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/TestFiles.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <tuple>

/** Runs `body` with every file write limited to `bytes`, as a nearly full disk cuts them (also for root). */
template <typename Body> void withFileSizeLimit(rlim_t bytes, Body body) {
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit small{bytes, saved.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    body();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
}

/** What stands where the program expects a regular file. */
enum class Hostile { DanglingLink, LinkToOutsideFile, Fifo, Folder };

/** Puts `kind` at `path`. Links point at `target`, which exists, holding "outside", only for LinkToOutsideFile. */
inline void makeHostile(Hostile kind, const QString& path, const QString& target) {
    QFile::remove(target);
    if (kind == Hostile::LinkToOutsideFile) writeAll(target, "outside");
    ASSERT_TRUE(kind <= Hostile::LinkToOutsideFile ? QFile::link(target, path)
                : kind == Hostile::Fifo            ? mkfifo(QFile::encodeName(path).constData(), 0600) == 0
                                                   : QDir().mkpath(path));
}

using namespace Qt::StringLiterals;
