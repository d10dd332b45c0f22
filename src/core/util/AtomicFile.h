#pragma once

#include <QByteArray>
#include <QString>

/**
 * The one way the program reads and writes the files it keeps (settings, records, practice
 * texts): only regular files, never through a symbolic link, never with a blocking open,
 * and with every failure explained in Japanese.
 */

/** A short Japanese reason for a system error number, such as "ディスクの空き容量が足りません". */
QString fileErrorReason(int errorNumber);

/**
 * Checks that `path` may be written: it is missing (it will be created) or a regular file.
 * A symbolic link or a FIFO, device or folder gives false with the reason in *reason.
 */
bool isWritableTarget(const QString& path, QString* reason = nullptr);

/**
 * Replaces a file's whole content through a temporary file and a rename, so that a crash
 * or a full disk leaves either the old file or the new one, never a mixture. A symbolic link
 * or anything but a regular file in the file's place is refused and left as it is. Returns
 * false with a Japanese reason in *errorString when the new content could not be put in place.
 */
bool writeFileAtomically(const QString& path, const QByteArray& content, QString* errorString = nullptr);

/** What readRegularFile found. */
enum class ReadStatus {
    Read,     ///< the whole file is in *bytes
    Missing,  ///< nothing of that name
    TooLarge, ///< larger than the limit: *bytes holds its first maxBytes bytes
    Failed,   ///< a link, not a regular file, or a read error: *reason says which
};

/**
 * Reads a regular file of at most maxBytes bytes. Symbolic links, FIFOs and devices are
 * refused without blocking; a larger file reads only as far as the limit.
 */
ReadStatus readRegularFile(const QString& path, qint64 maxBytes, QByteArray* bytes, QString* reason = nullptr,
                           qint64* fileSize = nullptr);

/**
 * Appends bytes to a regular file (created when missing) with one write. A short write, as on
 * a full disk, is cut off again so the file keeps only whole additions. When the file's last
 * byte is not a line end, `lineEnd` is written first, so the addition starts on its own line.
 */
bool appendToFile(const QString& path, const QByteArray& bytes, const QByteArray& lineEnd, QString* reason = nullptr);
