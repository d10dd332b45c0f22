#include "core/util/Folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

bool ensureFolder(const QString& folder) {
    if (folder.isEmpty()) return false;
    QDir().mkpath(folder);
    return QFileInfo(folder).isDir();
}

void makeOwnerWritable(const QString& folder) {
    const QDir dir(folder);
    const QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo& info : files) {
        const QFile::Permissions permissions = info.permissions();
        if (!(permissions & QFile::WriteOwner))
            QFile::setPermissions(info.filePath(), withOwnerPermissions(permissions, QFile::WriteOwner));
    }
}

QFileDevice::Permissions withOwnerPermissions(QFileDevice::Permissions permissions, QFileDevice::Permissions added) {
    const QFileDevice::Permissions userFlags = QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser;
    return (permissions & ~userFlags) | added;
}
