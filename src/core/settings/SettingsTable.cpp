#include "core/settings/SettingsTable.h"

#include "core/util/AtomicFile.h"
#include "core/util/Cp932.h"
#include "core/util/Folders.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype MaxFieldBytes = 0xFFFF;

/** The string's code page 932 bytes, cut before the first character that would pass the 2-byte length. */
QByteArray encodeField(const QString& s) {
    QByteArray bytes = cp932::encode(s);
    if (bytes.size() <= MaxFieldBytes) return bytes;
    qsizetype total = 0;
    qsizetype keep = 0;
    for (; keep < s.size(); ++keep) {
        const qsizetype width = cp932::isDoubleByte(s[keep].unicode()) ? 2 : 1;
        if (total + width > MaxFieldBytes) break;
        total += width;
    }
    // Both halves of a surrogate pair go or stay together, so the kept text stays well formed.
    if (keep > 0 && s[keep - 1].isHighSurrogate()) --keep;
    return cp932::encode(QStringView(s).left(keep));
}

void appendNumber(QByteArray& out, qint32 value) {
    char buffer[4];
    qToLittleEndian<qint32>(value, buffer);
    out.append(buffer, 4);
}

void appendField(QByteArray& out, const QString& s, const QByteArray& readBytes, const QString& readText) {
    // A string left as it was read goes back as the bytes it came from.
    const QByteArray bytes = (!readBytes.isEmpty() && s == readText) ? readBytes : encodeField(s);
    char buffer[2];
    qToLittleEndian<quint16>(quint16(bytes.size()), buffer);
    out.append(buffer, 2);
    out.append(bytes);
}

/** Reads fields in order; every read either takes a whole field or leaves the position untouched. */
class ImageReader {
public:
    explicit ImageReader(QByteArrayView bytes) : m_bytes(bytes) {}

    qsizetype position() const { return m_position; }

    bool readNumber(qint32& value) {
        if (m_bytes.size() - m_position < 4) return false;
        value = qFromLittleEndian<qint32>(m_bytes.data() + m_position);
        m_position += 4;
        return true;
    }

    bool readString(QString& value, QByteArray& raw) {
        if (m_bytes.size() - m_position < 2) return false;
        const qsizetype length = qFromLittleEndian<quint16>(m_bytes.data() + m_position);
        if (m_bytes.size() - m_position - 2 < length) return false;
        const QByteArrayView field = m_bytes.sliced(m_position + 2, length);
        value = cp932::decode(field);
        raw = field.toByteArray();
        m_position += 2 + length;
        return true;
    }

private:
    QByteArrayView m_bytes;
    qsizetype m_position = 0;
};

QString readError(const QString& path, const QString& reason) {
    return u"設定ファイル（%1）を読み込めませんでした。\n%2。"_s.arg(path, reason);
}

QString megabytes(qint64 n) {
    return QString::number(double(n) / (1024 * 1024), 'f', 1);
}

} // namespace

QByteArray SettingsTable::toBytes() const {
    QByteArray out;
    out.reserve(EntryCount * 8);
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const SettingsEntry& entry = m_entries[i];
        const ReadEntry& read = m_read[i];
        appendNumber(out, entry.number);
        appendField(out, entry.name, read.name.bytes, read.name.text);
        appendField(out, entry.address, read.address.bytes, read.address.text);
    }
    return out;
}

SettingsTable SettingsTable::fromBytes(QByteArrayView bytes, ReadResult* result) {
    SettingsTable table;
    ImageReader reader(bytes);
    int complete = 0;
    for (size_t i = 0; i < table.m_entries.size(); ++i) {
        SettingsEntry& entry = table.m_entries[i];
        ReadEntry& read = table.m_read[i];
        if (!reader.readNumber(entry.number) || !reader.readString(entry.name, read.name.bytes)) break;
        read.name.text = entry.name;
        if (!reader.readString(entry.address, read.address.bytes)) break;
        read.address.text = entry.address;
        ++complete;
    }
    if (result) {
        result->completeEntries = complete;
        result->complete = complete == EntryCount;
        // A broken image owns everything after its start: nothing of it may pass for surplus.
        result->consumedBytes = result->complete ? reader.position() : bytes.size();
    }
    return table;
}

SettingsFile::Image SettingsFile::readImage(QByteArray& bytes, QString* error) {
    QString reason;
    qint64 size = 0;
    switch (readRegularFile(m_path, MaxFileBytes, &bytes, &reason, &size)) {
    case ReadStatus::Read:
        return Image::Whole;
    case ReadStatus::Missing:
        return Image::Missing;
    case ReadStatus::TooLarge:
        if (error)
            *error = u"設定ファイル（%1）が大きすぎます（%2 MB、上限 %3 MB）。\n先頭の設定だけを読み込みました。"
                     u"保存するときは設定だけを書き、その後ろの余分なデータは保存しません。"_s.arg(
                         m_path, megabytes(size), megabytes(MaxFileBytes));
        return Image::Cut;
    case ReadStatus::Failed:
        break;
    }
    if (error) *error = readError(m_path, reason);
    return Image::Unreadable;
}

void SettingsFile::takeSurplus(const QByteArray& bytes, Image image, SettingsTable* table) {
    SettingsTable::ReadResult result;
    SettingsTable read = SettingsTable::fromBytes(bytes, &result);
    // The bytes after the table of a file cut at the limit are only part of what followed it.
    m_surplus = result.complete && image == Image::Whole ? bytes.mid(result.consumedBytes) : QByteArray();
    if (table) *table = std::move(read);
}

bool SettingsFile::load(SettingsTable& table, QString* error) {
    table = SettingsTable();
    m_surplus.clear();
    m_state = State::Unreadable;
    QByteArray bytes;
    const Image image = readImage(bytes, error);
    switch (image) {
    case Image::Unreadable:
        return false;
    case Image::Missing: {
        // The first start creates the file; a folder that refuses it only costs the save at shutdown its message.
        QFile file(m_path);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) file.close();
        m_state = State::Read;
        return true;
    }
    case Image::Whole:
    case Image::Cut:
        break;
    }
    // readImage saw a regular file, not a link: the permissions changed are the file's own.
    const QFile::Permissions permissions = QFile::permissions(m_path);
    const QFile::Permissions wanted = QFile::ReadOwner | QFile::WriteOwner;
    // A file copied from read-only media must stay writable, or the save at shutdown fails.
    if ((permissions & wanted) != wanted && isWritableTarget(m_path))
        QFile::setPermissions(m_path, withOwnerPermissions(permissions, wanted));
    takeSurplus(bytes, image, &table);
    m_state = State::Read;
    return image == Image::Whole;
}

bool SettingsFile::save(const SettingsTable& table, QString* error) {
    const QString notReplaced = u"設定ファイル（%1）を読み込めなかったため、上書きしませんでした。"_s.arg(m_path);
    if (m_state == State::Unreadable) {
        // Replacing a file this run never could read would throw away settings nobody has seen.
        if (error) *error = notReplaced;
        return false;
    }
    if (m_state == State::NotRead) {
        QByteArray bytes;
        QString reason;
        const Image image = readImage(bytes, &reason);
        if (image == Image::Unreadable) {
            if (error) *error = reason + u"\n上書きしませんでした。"_s;
            return false;
        }
        takeSurplus(bytes, image, nullptr);
        m_state = State::Read;
    }

    QString reason;
    if (!writeFileAtomically(m_path, table.toBytes() + m_surplus, &reason)) {
        if (error) *error = u"設定ファイル（%1）を保存できませんでした。\n%2。"_s.arg(m_path, reason);
        return false;
    }
    return true;
}
