#pragma once

#include <QFileDevice>
#include <QString>
#include <QStringList>

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

/**
 * The folders that may hold Help.txt and ReadMe.txt, in the order they are searched: the
 * program folder (the user's own copies), the executable's folder (a build or a portable
 * copy) and the installed data folder, docsFromExecutable relative to the executable's folder
 * (bin/../share/rinvale). Cleaned, without repeats.
 */
QStringList documentFolders(const QString& programFolder, const QString& executableDir,
                            const QString& docsFromExecutable);

/** documentFolders() of this process and of its installation. */
QStringList documentFolders(const QString& programFolder);
