#pragma once

#include <QByteArray>
#include <QString>

/**
 * Replaces a file's whole content through a temporary file and a rename, so that a crash
 * or a full disk leaves either the old file or the new one, never a mixture. Returns false
 * with the system's reason in *errorString when the new content could not be put in place.
 */
bool writeFileAtomically(const QString& path, const QByteArray& content, QString* errorString = nullptr);
