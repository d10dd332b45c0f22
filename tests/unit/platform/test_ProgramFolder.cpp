#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

bool touch(const QString& path, QFile::Permissions permissions) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write("x") == 1 && f.setPermissions(permissions);
}

constexpr QFile::Permissions ReadOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
// Every permission bit of the file itself except the owner's write bit.
constexpr QFile::Permissions Untouched = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::WriteGroup |
                                         QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;

} // namespace

TEST(ProgramFolder, ResolvesInOrderOfPreference) {
    QTemporaryDir root;
    const QString exe = root.filePath(u"bin"_qs);
    const QString lockedExe = root.filePath(u"lockedbin"_qs);
    const QString home = root.filePath(u"home"_qs);
    const QString xdg = root.filePath(u"xdg"_qs);
    ASSERT_TRUE(QDir().mkpath(exe));
    ASSERT_TRUE(QDir().mkpath(lockedExe));
    ASSERT_TRUE(QFile::setPermissions(lockedExe, QFile::ReadOwner | QFile::ExeOwner));
    const bool root_ = geteuid() == 0;

    const struct Case {
        const char* what;
        QString env, exeDir, xdgHome;
        QString expected;
        bool needsPermissionChecks = false;
    } cases[] = {
        {"RINVALE_HOME wins", root.filePath(u"custom"_qs), exe, xdg, root.filePath(u"custom"_qs)},
        {"RINVALE_HOME is cleaned", root.filePath(u"custom/../c2/"_qs), exe, xdg, root.filePath(u"c2"_qs)},
        {"writable executable folder", QString(), exe, xdg, exe},
        {"missing executable folder", QString(), root.filePath(u"gone"_qs), xdg, xdg + u"/RinvaleQX"_qs},
        {"unknown executable folder", QString(), QString(), xdg, xdg + u"/RinvaleQX"_qs},
        {"no XDG_DATA_HOME", QString(), QString(), QString(), home + u"/.local/share/RinvaleQX"_qs},
        {"relative XDG_DATA_HOME is ignored", QString(), QString(), u"rel/data"_qs,
         home + u"/.local/share/RinvaleQX"_qs},
        {"read-only executable folder", QString(), lockedExe, xdg, xdg + u"/RinvaleQX"_qs, true},
    };
    for (const auto& c : cases) {
        if (c.needsPermissionChecks && root_) continue; // root may write into any folder
        EXPECT_EQ(resolveProgramFolder(c.env, c.exeDir, c.xdgHome, home), c.expected) << c.what;
    }
    EXPECT_FALSE(QFileInfo::exists(xdg)) << "resolving must create nothing";
    QFile::setPermissions(lockedExe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(ProgramFolder, ProgramFolderCreatesTheFolderNamedByTheEnvironment) {
    QTemporaryDir root;
    const QString wanted = root.filePath(u"a/b/RinvaleHome"_qs);
    const QByteArray old = qgetenv("RINVALE_HOME");
    const bool had = qEnvironmentVariableIsSet("RINVALE_HOME");
    qputenv("RINVALE_HOME", QFile::encodeName(wanted));
    const QString folder = programFolder();
    if (had)
        qputenv("RINVALE_HOME", old);
    else
        qunsetenv("RINVALE_HOME");
    EXPECT_EQ(folder, wanted);
    EXPECT_TRUE(QFileInfo(wanted).isDir());
}

TEST(ProgramFolder, EnsureFolderReportsWhetherTheFolderExists) {
    QTemporaryDir root;
    ASSERT_TRUE(touch(root.filePath(u"file"_qs), ReadOnly | QFile::WriteOwner));
    const struct Case {
        QString path;
        bool ok;
    } cases[] = {
        {root.filePath(u"new/nested/FileBox"_qs), true},
        {root.path(), true},
        {root.filePath(u"file"_qs), false},        // a file is no folder
        {root.filePath(u"file/LogBox"_qs), false}, // not even root can create below a file
        {QString(), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ensureFolder(c.path), c.ok) << c.path.toStdString();
        if (c.ok) {
            EXPECT_TRUE(QFileInfo(c.path).isDir()) << c.path.toStdString();
        }
    }
}

TEST(ProgramFolder, MakeOwnerWritableTouchesOnlyRegularFilesDirectlyInTheFolder) {
    QTemporaryDir root;
    const QString box = root.filePath(u"FileBox"_qs);
    ASSERT_TRUE(QDir().mkpath(box + u"/sub"_qs));
    const QString outside = root.filePath(u"outside.txt"_qs);
    ASSERT_TRUE(touch(outside, ReadOnly));
    ASSERT_TRUE(QFile::link(outside, box + u"/link.txt"_qs));
    const struct Case {
        QString path;
        QFile::Permissions before;
        bool writableAfter;
    } cases[] = {
        {box + u"/240101120000.txt"_qs, ReadOnly, true},
        {box + u"/.hidden"_qs, ReadOnly, true},
        {box + u"/writable.txt"_qs, ReadOnly | QFile::WriteOwner, true},
        {box + u"/sub/inner.txt"_qs, ReadOnly, false}, // only the folder itself
    };
    for (const auto& c : cases)
        ASSERT_TRUE(touch(c.path, c.before)) << c.path.toStdString();

    makeOwnerWritable(box);
    for (const auto& c : cases) {
        const QFile::Permissions after = QFile::permissions(c.path);
        EXPECT_EQ(bool(after & QFile::WriteOwner), c.writableAfter) << c.path.toStdString();
        EXPECT_EQ(after & Untouched, c.before & Untouched) << c.path.toStdString();
    }
    EXPECT_FALSE(QFile::permissions(outside) & QFile::WriteOwner) << "a link's target outside stays as it was";
    makeOwnerWritable(root.filePath(u"missing"_qs)); // a missing folder is no error
    EXPECT_FALSE(QFileInfo::exists(root.filePath(u"missing"_qs)));
}
