#include "app/SettingsTable.h"

#include "platform/AtomicFile.h"
#include "platform/Cp932.h"
#include "platform/ProgramFolder.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

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

void appendField(QByteArray& out, const QString& s) {
    const QByteArray bytes = encodeField(s);
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

    bool readString(QString& value) {
        if (m_bytes.size() - m_position < 2) return false;
        const qsizetype length = qFromLittleEndian<quint16>(m_bytes.data() + m_position);
        if (m_bytes.size() - m_position - 2 < length) return false;
        value = cp932::decode(m_bytes.sliced(m_position + 2, length));
        m_position += 2 + length;
        return true;
    }

private:
    QByteArrayView m_bytes;
    qsizetype m_position = 0;
};

QString readError(const QString& path) {
    return u"設定ファイル（%1）を読み込めませんでした。"_qs.arg(path);
}

} // namespace

QByteArray SettingsTable::toBytes() const {
    QByteArray out;
    out.reserve(EntryCount * 8);
    for (const SettingsEntry& entry : m_entries) {
        appendNumber(out, entry.number);
        appendField(out, entry.name);
        appendField(out, entry.address);
    }
    return out;
}

SettingsTable SettingsTable::fromBytes(QByteArrayView bytes, ReadResult* result) {
    SettingsTable table;
    ImageReader reader(bytes);
    int complete = 0;
    for (SettingsEntry& entry : table.m_entries) {
        if (!reader.readNumber(entry.number) || !reader.readString(entry.name) || !reader.readString(entry.address))
            break;
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

bool SettingsFile::readImage(QByteArray& bytes, QString* error) {
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = readError(m_path);
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error) *error = readError(m_path);
        return false;
    }
    return true;
}

void SettingsFile::takeSurplus(const QByteArray& bytes, SettingsTable* table) {
    SettingsTable::ReadResult result;
    SettingsTable read = SettingsTable::fromBytes(bytes, &result);
    m_surplus = result.complete ? bytes.mid(result.consumedBytes) : QByteArray();
    if (table) *table = std::move(read);
}

bool SettingsFile::load(SettingsTable& table, QString* error) {
    table = SettingsTable();
    m_surplus.clear();
    m_state = State::Unreadable;
    const QFileInfo info(m_path);
    if (!info.exists()) {
        // The first start creates the file; a folder that refuses it only costs the save at shutdown its message.
        QFile file(m_path);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) file.close();
        m_state = State::Read;
        return true;
    }
    const QFile::Permissions permissions = QFile::permissions(m_path);
    const QFile::Permissions wanted = QFile::ReadOwner | QFile::WriteOwner;
    // A file copied from read-only media must stay writable, or the save at shutdown fails.
    if (info.isFile() && (permissions & wanted) != wanted) QFile::setPermissions(m_path, withOwnerPermissions(permissions, wanted));

    QByteArray bytes;
    if (!readImage(bytes, error)) return false;
    takeSurplus(bytes, &table);
    m_state = State::Read;
    return true;
}

bool SettingsFile::save(const SettingsTable& table, QString* error) {
    if (m_state == State::Unreadable) {
        // Replacing a file this run never could read would throw away settings nobody has seen.
        if (error) *error = u"設定ファイル（%1）を読み込めなかったため、上書きしませんでした。"_qs.arg(m_path);
        return false;
    }
    if (m_state == State::NotRead && QFileInfo::exists(m_path)) {
        QByteArray bytes;
        if (!readImage(bytes, nullptr)) {
            if (error) *error = u"設定ファイル（%1）を読み込めなかったため、上書きしませんでした。"_qs.arg(m_path);
            return false;
        }
        takeSurplus(bytes, nullptr);
        m_state = State::Read;
    }

    QString reason;
    if (!writeFileAtomically(m_path, table.toBytes() + m_surplus, &reason)) {
        QString message = u"設定ファイル（%1）を保存できませんでした。"_qs.arg(m_path);
        if (!reason.isEmpty()) message += u'\n' + reason;
        if (error) *error = message;
        return false;
    }
    return true;
}
