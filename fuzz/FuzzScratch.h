#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

// A scratch folder for the targets that work on files, made once and emptied for every input.
class FuzzScratch {
public:
    FuzzScratch() {
        if (!m_dir.isValid()) std::abort();
    }
    /** An empty folder for this input. */
    QString fresh() {
        QDir dir(m_dir.path());
        for (const QString& name : dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
            if (!QFileInfo(dir.filePath(name)).isDir() ? !dir.remove(name)
                                                       : !QDir(dir.filePath(name)).removeRecursively())
                std::abort();
        return m_dir.path();
    }

private:
    QTemporaryDir m_dir;
};

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) std::abort();
}

inline QByteArray readBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) __builtin_trap();
    return f.readAll();
}

/** The input cut at its first zero byte: the part before it and the rest after it. */
inline std::pair<QByteArray, QByteArray> splitAtZero(const uint8_t* data, size_t size) {
    const QByteArray all(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype zero = all.indexOf('\0');
    if (zero < 0) return {all, QByteArray()};
    return {all.left(zero), all.mid(zero + 1)};
}
