#include "core/records/CsvExport.h"

#include "core/records/TextTitles.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace CsvExport {

namespace {

constexpr char Bom[] = "\xEF\xBB\xBF";

// A rate the record leaves uncounted ("-") is an empty cell, so the column stays numeric.
QString rate(const QString& text) {
    return text == u"-" ? QString() : text;
}

// A text that starts like a formula would be run by a spreadsheet program: a leading
// apostrophe makes it plain text there.
QString plain(const QString& text) {
    if (!text.isEmpty() && QStringView(u"=+-@\t\r").contains(text[0])) return u'\'' + text;
    return text;
}

} // namespace

QStringList header() {
    return {u"練習日"_s, u"テキストID"_s, u"表題"_s, u"言語"_s, u"種類"_s, u"段落"_s, u"字数"_s, u"打数"_s,
            u"CPM"_s,    u"LVL"_s,        u"SCR"_s,  u"RV"_s,   u"変換"_s, u"確定"_s, u"訂正"_s, u"修正"_s};
}

QString quoted(QStringView field) {
    if (!field.contains(u',') && !field.contains(u'"') && !field.contains(u'\n') && !field.contains(u'\r'))
        return field.toString();
    QString out = field.toString();
    out.replace(u'"', u"\"\""_s);
    return u'"' + out + u'"';
}

QStringList fields(const LogEntries::Entry& e, const QString& title) {
    const LogEntries::Figures& f = e.figures;
    return {e.date.toString(Qt::ISODate),
            e.id,
            plain(title),
            e.japanese ? u"和文"_s : u"英文"_s,
            e.paragraph == 0 ? u"通し"_s : u"段落別"_s,
            e.paragraph == 0 ? QString() : QString::number(e.paragraph),
            QString::number(f.characters),
            QString::number(f.keystrokes),
            f.cpm,
            f.grade,
            f.scr,
            f.ownLevel,
            rate(f.rates[0]),
            rate(f.rates[1]),
            rate(f.rates[2]),
            rate(f.rates[3])};
}

QByteArray document(std::span<const LogEntries::Entry> entries, const TextTitles& titles) {
    QHash<QString, QString> titleOf;
    QString text;
    text.reserve(qsizetype(entries.size()) * 100 + 200);
    auto addRow = [&text](const QStringList& row) {
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (i > 0) text += u',';
            text += quoted(row[i]);
        }
        text += u"\r\n"_s;
    };
    addRow(header());
    for (const LogEntries::Entry& e : entries) {
        auto title = titleOf.constFind(e.id);
        if (title == titleOf.cend()) title = titleOf.insert(e.id, titles.forId(e.id));
        addRow(fields(e, *title));
    }
    return QByteArray(Bom) + text.toUtf8();
}

bool keeps(const LogEntries::Entry& e, const LogQueries::Filter& filter) {
    if (filter.language == LogQueries::Japanese && !e.japanese) return false;
    if (filter.language == LogQueries::English && e.japanese) return false;
    if (filter.kind == LogQueries::WholeText && e.paragraph != 0) return false;
    return filter.kind != LogQueries::Paragraphs || e.paragraph != 0;
}

} // namespace CsvExport
