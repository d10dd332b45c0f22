#include "platform/AtomicFile.h"

#include <QSaveFile>

bool writeFileAtomically(const QString& path, const QByteArray& content, QString* errorString) {
    // Unbuffered, because a buffered QSaveFile commits a file that a full disk cut short: the short
    // write only shows in write()'s count, and only when the data goes straight to the file.
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    ok = ok && file.write(content) == content.size();
    ok = ok && file.commit();
    if (!ok) {
        if (errorString) *errorString = file.error() != QFileDevice::NoError ? file.errorString() : QString();
        // The temporary file is dropped, so the previous file stays whole.
        file.cancelWriting();
    }
    return ok;
}
