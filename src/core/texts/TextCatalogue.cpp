#include "core/texts/TextCatalogue.h"

#include "core/util/AtomicFile.h"
#include "core/util/BasicFunctions.h"
#include "core/util/Cp932.h"

#include <QDirIterator>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The head of a text is five short lines; a title or source longer than this is cut in its row anyway.
constexpr qint64 HeadBytes = 8192;
// A practice text is far smaller; a larger file is not read for its counts.
constexpr qint64 MaxTextBytes = 4 * 1024 * 1024;
constexpr int FirstParagraphLine = 5;
constexpr int SourceBudget = 16;

} // namespace

int TextCatalogue::pageSizeOrDefault(qint32 stored) {
    return std::find(std::begin(PageSizes), std::end(PageSizes), stored) != std::end(PageSizes) ? stored
                                                                                                : DefaultPageSize;
}

TextCatalogue::Head TextCatalogue::headFromBytes(QByteArrayView bytes) {
    const QStringList lines = basic::splitLines(cp932::decode(bytes), FirstParagraphLine);
    auto line = [&lines](int i) { return i < lines.size() ? lines[i] : QString(); };
    return {line(0), line(1), line(2), line(3), line(4)};
}

QString TextCatalogue::cutToColumns(QStringView text, int budget, int* widthTaken) {
    int width = 0;
    for (qsizetype n = 0; n < text.size(); ++n) {
        width += cp932::isDoubleByte(text[n].unicode()) ? 2 : 1;
        if (width > budget) {
            // Room for "‥" (two columns): one full-width or two half-width characters give way.
            const bool fullBefore = n > 0 && cp932::isDoubleByte(text[n - 1].unicode());
            const qsizetype keep = std::max<qsizetype>(0, fullBefore ? n - 2 : n - 1);
            if (widthTaken) *widthTaken = budget;
            return text.left(keep).toString() + u"‥"_s;
        }
    }
    if (widthTaken) *widthTaken = width;
    return text.toString();
}

QChar TextCatalogue::recordCountMark(QStringView bestTimesLine) {
    int set = 0;
    while (set < 10) {
        const QString value = basic::Mid(bestTimesLine, 9 * set + 1, 8);
        if (value.size() < 8 || value == u"99999.99") break;
        ++set;
    }
    if (set == 0) return u' ';
    return set == 10 ? QChar(u'*') : QChar(u'0' + set);
}

QString TextCatalogue::row(const QString& fileName, const Head& head, LevelFunction level) {
    const QString created = fileName.left(6);
    const QString issued = head.issueDate();
    const bool showIssue = issued != created;
    int sourceWidth = 0;
    const QString source = cutToColumns(head.source, SourceBudget, &sourceWidth);
    const int titleBudget = (showIssue ? 41 : 48) + SourceBudget - sourceWidth;
    const QString title = cutToColumns(head.title, titleBudget, nullptr);

    const CharCounts counts = parseStatisticsLine(head.statistics);
    const float best = float(basic::Val(head.bestTimes.left(8)));
    QString bracket = u"["_s + basic::FormatAt(level(counts, best), u"@@") + recordCountMark(head.bestTimes) + u"] "_s;
    return created + u' ' + bracket + title + u"〔"_s + source + (showIssue ? u"/"_s + issued : QString()) + u"〕"_s;
}

TextCatalogue::TextCatalogue(QString fileBox, int pageSize, LevelFunction level)
    : m_fileBox(std::move(fileBox)), m_pageSize(pageSizeOrDefault(pageSize)), m_level(level) {
    refresh();
}

void TextCatalogue::refresh() {
    m_names.clear();
    QDirIterator it(m_fileBox, QDir::Files | QDir::NoSymLinks | QDir::Hidden);
    while (it.hasNext()) {
        it.next();
        m_names.push_back(it.fileName());
    }
    std::sort(m_names.begin(), m_names.end());
    m_entries.assign(m_names.size(), Entry{});
}

int TextCatalogue::pageCount() const {
    return m_names.empty() ? 0 : (fileCount() - 1) / m_pageSize + 1;
}

QStringList TextCatalogue::pageLabels() const {
    QStringList labels;
    for (int p = 0; p < pageCount(); ++p)
        labels.append(u"Page"_s + basic::RightAligned(p + 1, 3));
    return labels;
}

QString TextCatalogue::fileCountLabel() const {
    return u"File"_s + basic::RightAligned(fileCount(), 5);
}

TextCatalogue::Entry& TextCatalogue::entry(int fileIndex) {
    Entry& e = m_entries[size_t(fileIndex)];
    if (!e.read) {
        QByteArray bytes;
        // A file that cannot be read is listed with empty fields: it is still there to delete.
        readRegularFile(path(fileIndex), HeadBytes, &bytes);
        e.head = headFromBytes(bytes);
        e.row = row(fileName(fileIndex), e.head, m_level);
        e.read = true;
    }
    return e;
}

const TextCatalogue::Head& TextCatalogue::head(int fileIndex) {
    return entry(fileIndex).head;
}

QList<TextCatalogue::Row> TextCatalogue::rows(int page, const std::optional<QString>& source,
                                              const std::optional<QString>& keyword) {
    QList<Row> out;
    const int count = fileCount();
    if (page < 0 || page >= pageCount()) return out;
    const int first = count - page * m_pageSize - 1;
    const int last = std::max(0, count - (page + 1) * m_pageSize);
    for (int i = first; i >= last; --i) {
        const Entry& e = entry(i);
        if (source && e.head.source != *source) continue;
        if (keyword && e.head.keyword() != *keyword) continue;
        out.append({i, e.row});
    }
    return out;
}

TextCatalogue::CountLabels TextCatalogue::countLabels(int fileIndex) const {
    QByteArray bytes;
    readRegularFile(path(fileIndex), MaxTextBytes, &bytes);
    QStringList lines = basic::splitLines(cp932::decode(bytes), 100000);
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    const int paragraphs = std::max<int>(0, int(lines.size()) - FirstParagraphLine);
    return {u"文字数 "_s + (lines.size() > 3 ? lines[3].left(4) : QString()),
            u"段落数 "_s + basic::RightAligned(paragraphs, 4)};
}
