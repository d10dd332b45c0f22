#include "core/records/TextTitles.h"

#include "core/records/RecordFiles.h"
#include "core/texts/SampleTexts.h"
#include "core/util/AtomicFile.h"
#include "core/util/BasicFunctions.h"
#include "core/util/Cp932.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

constexpr int IdLength = 12;
constexpr int ShortIdLength = 8;
// A title is the third line; the head of the file is enough to find it, however long the text is.
constexpr qint64 TitleReadBytes = 64 * 1024;

} // namespace

TextTitles::TextTitles(const QString& fileBox) : m_fileBox(fileBox) {
    const QStringList names = QDir(fileBox).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    m_byId.reserve(names.size());
    m_byShortId.reserve(names.size());
    for (const QString& name : names) {
        if (name.size() < IdLength) continue;
        // Name order: the first file of a key keeps it.
        const QString id = name.left(IdLength);
        const QString shortId = name.mid(4, ShortIdLength);
        if (!m_byId.contains(id)) m_byId.insert(id, name);
        if (!m_byShortId.contains(shortId)) m_byShortId.insert(shortId, name);
    }
}

QString TextTitles::forId(QStringView line) const {
    return lookUp(m_byId, line, IdLength);
}

QString TextTitles::forShortId(QStringView line) const {
    return lookUp(m_byShortId, line, ShortIdLength);
}

QString TextTitles::lookUp(const QHash<QString, QString>& files, QStringView line, int digits) const {
    if (line.size() >= digits) {
        const auto file = files.constFind(line.left(digits).toString());
        if (file != files.cend()) {
            const QString title = titleOfFile(m_fileBox + u'/' + *file);
            if (!title.isEmpty()) return title;
        }
        const QString sample = sampleTitle(line.left(digits), digits);
        if (!sample.isEmpty()) return sample;
    }
    return QString::fromUtf16(NotFound);
}

QString TextTitles::titleOfFile(const QString& path) {
    QByteArray head;
    // A larger file still has its title at the top; anything that is not a regular file has none.
    const ReadStatus status = readRegularFile(path, TitleReadBytes, &head);
    if (status != ReadStatus::Read && status != ReadStatus::TooLarge) return {};
    const QList<QByteArray> lines = RecordFiles::splitRawLines(head);
    if (lines.size() < 3) return {};
    return basic::RTrim(cp932::decode(lines[2]));
}

QString TextTitles::sampleTitle(QStringView id, int digits) {
    if (id.size() != digits) return {};
    for (QChar c : id)
        if (c < u'0' || c > u'9') return {};
    const int number = id.toInt();
    for (int i = 0; i < SampleTexts::MenuItemCount; ++i) {
        if (SampleTexts::sampleNumber(i) != number) continue;
        const QStringList lines = SampleTexts::sampleLines(i);
        return lines.size() > 2 ? lines[2] : QString();
    }
    return {};
}
