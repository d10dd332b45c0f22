#include "platform/ProgramFolder.h"
#include "core/util/Folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

QString absoluteClean(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString executableFolder() {
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    // Before the application object exists Qt cannot say where the executable lies; Linux can.
    return QFileInfo(QFileInfo(u"/proc/self/exe"_s).canonicalFilePath()).absolutePath();
}

} // namespace

QString resolveProgramFolder(const QString& rinvaleHomeEnv, const QString& executableDir, const QString& xdgDataHome,
                             const QString& homeDir) {
    if (!rinvaleHomeEnv.isEmpty()) return absoluteClean(rinvaleHomeEnv);
    if (!executableDir.isEmpty()) {
        // Only a copy that already keeps its records beside itself stays portable; a writable
        // folder alone (a build folder, a download folder) would lose them to its next clean-up.
        const QFileInfo folder(executableDir);
        const QFileInfo settings(executableDir + u'/' + QString::fromUtf16(PortableSettingsFile));
        if (folder.isDir() && folder.isWritable() && settings.isFile()) return absoluteClean(executableDir);
    }
    // The XDG rules ignore a relative XDG_DATA_HOME.
    const QString dataHome = QDir::isAbsolutePath(xdgDataHome) ? xdgDataHome : homeDir + u"/.local/share"_s;
    return absoluteClean(dataHome + u"/RinvaleQX"_s);
}

QString programFolder() {
    const QString folder = resolveProgramFolder(qEnvironmentVariable("RINVALE_HOME"), executableFolder(),
                                                qEnvironmentVariable("XDG_DATA_HOME"), QDir::homePath());
    // A folder that cannot be created shows up later as a clear message from the first file that needs it.
    ensureFolder(folder);
    return folder;
}

QStringList documentFolders(const QString& programFolder, const QString& executableDir,
                            const QString& docsFromExecutable) {
    const QString installed = executableDir.isEmpty() ? QString() : executableDir + u'/' + docsFromExecutable;
    QStringList folders;
    for (const QString& folder : {programFolder, executableDir, installed}) {
        const QString cleaned = QDir::cleanPath(folder);
        if (!folder.isEmpty() && !folders.contains(cleaned)) folders.append(cleaned);
    }
    return folders;
}

QStringList documentFolders(const QString& programFolder) {
    // Where `cmake --install` puts the help files, relative to the executable it installs.
    return documentFolders(programFolder, executableFolder(), QStringLiteral(RINVALE_DOCS_FROM_BIN));
}
