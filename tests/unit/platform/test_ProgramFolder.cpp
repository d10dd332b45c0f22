#include "core/settings/SettingsTable.h"
#include "core/util/Folders.h"
#include "platform/ProgramFolder.h"
#include "unit/UnitTest.h"

#include <unistd.h>

namespace {

bool touch(const QString& path, QFile::Permissions permissions) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write("x") == 1 && f.setPermissions(permissions);
}

constexpr QFile::Permissions ReadOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;

} // namespace

TEST(ProgramFolder, ResolvesInOrderOfPreference) {
    QTemporaryDir root;
    const QString plainExe = root.filePath(u"bin"_s), portableExe = root.filePath(u"portable"_s);
    const QString lockedExe = root.filePath(u"lockedbin"_s), oddExe = root.filePath(u"odd"_s);
    const QString home = root.filePath(u"home"_s), xdg = root.filePath(u"xdg"_s);
    const QString settings = QString::fromUtf16(PortableSettingsFile);
    ASSERT_TRUE(QDir().mkpath(plainExe) && QDir().mkpath(lockedExe) && QDir().mkpath(portableExe));
    ASSERT_TRUE(QDir().mkpath(oddExe + u'/' + settings)); // a folder of that name is no settings file
    ASSERT_TRUE(touch(portableExe + u'/' + settings, ReadOnly | QFile::WriteOwner));
    ASSERT_TRUE(touch(lockedExe + u'/' + settings, ReadOnly | QFile::WriteOwner));
    ASSERT_TRUE(QFile::setPermissions(lockedExe, QFile::ReadOwner | QFile::ExeOwner));
    const QString homeData = home + u"/.local/share/RinvaleQX"_s;
    const QString xdgData = xdg + u"/RinvaleQX"_s;
    const struct Case {
        const char* what;
        QString env, exeDir, xdgHome, expected;
        bool needsPermissionChecks = false;
    } cases[] = {
        {"RINVALE_HOME wins, cleaned", root.filePath(u"custom/../c2/"_s), portableExe, xdg, root.filePath(u"c2"_s)},
        {"portable copy: settings file beside the executable", {}, portableExe, xdg, portableExe},
        {"writable executable folder without settings (a build folder)", {}, plainExe, xdg, xdgData},
        {"settings name taken by a folder", {}, oddExe, xdg, xdgData},
        {"missing executable folder", {}, root.filePath(u"gone"_s), xdg, xdgData},
        {"no XDG_DATA_HOME", {}, plainExe, {}, homeData},
        {"relative XDG_DATA_HOME is ignored", {}, {}, u"rel/data"_s, homeData},
        {"read-only portable copy", {}, lockedExe, xdg, xdgData, true}};
    for (const auto& c : cases) {
        if (c.needsPermissionChecks && geteuid() == 0) continue; // root may write into any folder
        EXPECT_EQ(resolveProgramFolder(c.env, c.exeDir, c.xdgHome, home), c.expected) << c.what;
    }
    EXPECT_FALSE(QFileInfo::exists(xdg)) << "resolving must create nothing";
    QFile::setPermissions(lockedExe, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(ProgramFolder, WithoutRinvaleHomeRecordsGoToTheDataFolderNotBesideTheBuild) {
    // The test executable lies in a writable build folder without a settings file.
    QTemporaryDir root;
    const QString xdg = root.filePath(u"data"_s);
    const QString exeDir = QFileInfo(QFileInfo(u"/proc/self/exe"_s).canonicalFilePath()).absolutePath();
    ASSERT_TRUE(QFileInfo(exeDir).isWritable());
    ASSERT_FALSE(QFileInfo::exists(exeDir + u"/RudUZ.rvl"_s));
    const QByteArray home = qgetenv("RINVALE_HOME"), data = qgetenv("XDG_DATA_HOME");
    qunsetenv("RINVALE_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(xdg));
    const QString folder = programFolder();
    home.isNull() ? qunsetenv("RINVALE_HOME") : qputenv("RINVALE_HOME", home);
    data.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", data);
    EXPECT_EQ(folder, xdg + u"/RinvaleQX"_s);
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST(ProgramFolder, FoldersAreCreatedWhereTheyCanBe) {
    QTemporaryDir root;
    const QString file = root.filePath(u"file"_s);
    ASSERT_TRUE(touch(file, ReadOnly | QFile::WriteOwner));
    EXPECT_TRUE(ensureFolder(root.filePath(u"new/nested/FileBox"_s)));
    EXPECT_TRUE(QFileInfo(root.filePath(u"new/nested/FileBox"_s)).isDir());
    EXPECT_FALSE(ensureFolder(file));                // a file is no folder
    EXPECT_FALSE(ensureFolder(file + u"/LogBox"_s)); // not even root can create below a file
    EXPECT_FALSE(ensureFolder(QString()));
}

TEST(ProgramFolder, MakeOwnerWritableTouchesOnlyRegularFilesDirectlyInTheFolder) {
    QTemporaryDir root;
    const QString box = root.filePath(u"FileBox"_s);
    ASSERT_TRUE(QDir().mkpath(box + u"/sub"_s));
    const QString outside = root.filePath(u"outside.txt"_s);
    ASSERT_TRUE(touch(outside, ReadOnly));
    ASSERT_TRUE(QFile::link(outside, box + u"/link.txt"_s));
    // Group and other bits must stay as they were.
    const QFile::Permissions before = QFile::ReadOwner | QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther;
    const QFile::Permissions writable = before | QFile::WriteOwner;
    const std::pair<QString, QFile::Permissions> cases[] = {
        {box + u"/240101120000.txt"_s, writable}, {box + u"/.hidden"_s, writable}, {box + u"/sub/inner.txt"_s, before}};
    for (const auto& [path, after] : cases)
        ASSERT_TRUE(touch(path, before)) << path.toStdString();
    makeOwnerWritable(box);
    for (const auto& [path, after] : cases) // only owner, group and other bits, not the current user's
        EXPECT_EQ(QFile::permissions(path) & QFile::Permissions::fromInt(0x7077), after) << path.toStdString();
    EXPECT_FALSE(QFile::permissions(outside) & QFile::WriteOwner) << "a link's target outside stays as it was";
    makeOwnerWritable(root.filePath(u"missing"_s)); // a missing folder is no error
    EXPECT_FALSE(QFileInfo::exists(root.filePath(u"missing"_s)));
}

TEST(ProgramFolder, OwnerPermissionsChangeOnlyTheOwnerBits) {
    // As root Qt reports every "user" permission anyone has; they must not become owner bits.
    const QFileDevice::Permissions readOnlyWithOtherExe = QFileDevice::ReadOwner | QFileDevice::ReadOther |
                                                          QFileDevice::ExeOther | QFileDevice::ReadUser |
                                                          QFileDevice::WriteUser | QFileDevice::ExeUser;
    EXPECT_EQ(withOwnerPermissions(readOnlyWithOtherExe, QFileDevice::WriteOwner),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther | QFileDevice::ExeOther);
}

TEST(ProgramFolder, LooksForTheHelpFilesInTheProgramFolderBesideTheProgramAndInTheInstalledDataFolder) {
    const struct Case {
        QString programFolder, exeDir;
        QStringList expected;
    } cases[] = {
        {u"/home/u/RinvaleQX"_s, u"/usr/bin"_s, {u"/home/u/RinvaleQX"_s, u"/usr/bin"_s, u"/usr/share/rinvale"_s}},
        {u"/opt/rq/"_s, u"/opt/rq"_s, {u"/opt/rq"_s, u"/opt/share/rinvale"_s}}, // a portable copy
        {u"/p"_s, {}, {u"/p"_s}}};                                              // executable unknown
    for (const auto& c : cases)
        EXPECT_EQ(documentFolders(c.programFolder, c.exeDir, u"../share/rinvale"_s), c.expected)
            << c.exeDir.toStdString();
}
