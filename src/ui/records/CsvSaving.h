#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QWidget;

/**
 * Saving a CSV file from a record window: the program's own file dialog (the same on every
 * desktop, and one a test can drive), opened in the folder the last CSV file went to, then an
 * atomic write and a message when it fails.
 */
namespace csvsaving {

/** The key of the last CSV folder in ExtraSettings. */
inline constexpr char16_t FolderKey[] = u"csv/lastFolder";

/**
 * Asks where to save, suggesting `fileName`, and writes what `content` makes. False when the user
 * cancelled or the file could not be written (which is reported over `parent`).
 */
bool save(QWidget* parent, const QString& programFolder, const QString& fileName,
          const std::function<QByteArray()>& content);

} // namespace csvsaving
