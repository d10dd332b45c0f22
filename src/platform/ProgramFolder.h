#pragma once

#include <QFileDevice>
#include <QString>

// The program folder holds the settings file, FileBox, LogBox, Help.txt and ReadMe.txt.

/** The settings file; an executable's folder holding it is a portable copy of the program. */
inline constexpr char16_t PortableSettingsFile[] = u"RudUZ.rvl";

/**
 * Chooses the program folder: rinvaleHomeEnv when not empty; otherwise executableDir when
 * it already holds the settings file and is writable (a portable copy); otherwise
 * xdgDataHome/RinvaleQX (homeDir/.local/share/RinvaleQX when xdgDataHome is empty or not
 * absolute). A build folder is thus never chosen by itself. Creates nothing; the result is
 * absolute.
 */
QString resolveProgramFolder(const QString& rinvaleHomeEnv, const QString& executableDir, const QString& xdgDataHome,
                             const QString& homeDir);

/** The program folder of this process from its real environment, created when missing. */
QString programFolder();

/** Creates the folder and its parents when missing; true when it is a folder afterwards. */
bool ensureFolder(const QString& folder);

/**
 * `permissions` with `added` given to the owner. The "user" flags Qt reports stand for the
 * running user's own access (for root: everything that anyone may do) and are left out, so
 * nothing but the added owner bits changes on the disk.
 */
QFileDevice::Permissions withOwnerPermissions(QFileDevice::Permissions permissions, QFileDevice::Permissions added);

/** Gives every regular file directly in the folder (no subfolders, no symbolic links) owner write permission. */
void makeOwnerWritable(const QString& folder);
