#include "core/texts/TextEditing.h"

#include "core/util/AtomicFile.h"
#include "core/util/BasicFunctions.h"
#include "core/util/Cp932.h"

#include <QFileInfo>
#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace TextEditing {
namespace {

// "1".."max" without a leading zero, or "01".."09".
bool isNumberUpTo(const QString& text, int max) {
    if (text.size() == 2 && text[0] == u'0') return text[1] >= u'1' && text[1] <= u'9';
    if (text.isEmpty() || text.size() > 2 || text[0] == u'0') return false;
    for (QChar c : text)
        if (c < u'0' || c > u'9') return false;
    return text.toInt() <= max;
}

int firstFreeEntry(const SettingsTable& settings, int first, int last) {
    for (int i = first; i <= last; ++i)
        if (settings[i].name.isEmpty()) return i;
    return -1;
}

bool store(SettingsTable& settings, const QString& name, int first, int last) {
    if (name.isEmpty()) return false;
    for (int i = first; i <= last; ++i)
        if (settings[i].name == name) return false;
    const int free = firstFreeEntry(settings, first, last);
    // A full table keeps its names; the text is saved with the new one all the same.
    if (free < 0) return false;
    settings[free].name = name;
    return true;
}

} // namespace

Fields newTextFields(const QDate& today) {
    Fields f;
    f.year = today.toString(u"yyyy"_s);
    f.month = today.toString(u"MM"_s);
    f.day = today.toString(u"dd"_s);
    return f;
}

Changes compare(const Fields& opening, const Fields& now) {
    Changes c;
    c.title = opening.title != now.title;
    c.body = opening.body != now.body;
    c.source = opening.source != now.source;
    c.date = opening.year != now.year || opening.month != now.month || opening.day != now.day;
    c.keyword = opening.keyword != now.keyword;
    return c;
}

BodyStatistics bodyStatistics(QStringView body) {
    ParagraphSplit split = splitParagraphs(body);
    BodyStatistics stats;
    stats.paragraphs = std::move(split.paragraphs);
    stats.starts = std::move(split.startOffsets);
    stats.truncated = split.truncated;
    stats.counts.reserve(stats.paragraphs.size());
    for (const QString& paragraph : std::as_const(stats.paragraphs)) {
        stats.counts.append(classifyChars(paragraph));
        stats.whole += stats.counts.last();
    }
    return stats;
}

QStringList paragraphLines(const BodyStatistics& stats) {
    QStringList lines;
    lines.reserve(stats.counts.size());
    for (qsizetype i = 0; i < stats.counts.size(); ++i)
        lines.append(paragraphListLine(int(i + 1), stats.counts[i]));
    return lines;
}

QList<Field> emptyRequiredFields(const Fields& f) {
    QList<Field> empty;
    if (f.title.isEmpty()) empty.append(Field::Title);
    if (f.body.isEmpty()) empty.append(Field::Body);
    if (f.source.isEmpty()) empty.append(Field::Source);
    if (f.year.isEmpty()) empty.append(Field::Year);
    if (f.month.isEmpty()) empty.append(Field::Month);
    if (f.day.isEmpty()) empty.append(Field::Day);
    return empty;
}

bool isValidYear(const QString& year) {
    return isNumberUpTo(basic::Right(year, 2), 99) || basic::Right(year, 2) == u"00";
}

bool isValidMonth(const QString& month) {
    return isNumberUpTo(month, 12);
}

bool isValidDay(const QString& day) {
    return isNumberUpTo(day, 31);
}

Fields withCompletedDate(Fields f) {
    static const QString yearPrefix[] = {u"200"_s, u"20"_s, u"2"_s};
    if (f.year.size() >= 1 && f.year.size() <= 3) f.year.prepend(yearPrefix[f.year.size() - 1]);
    if (f.month.size() == 1) f.month.prepend(u'0');
    if (f.day.size() == 1) f.day.prepend(u'0');
    return f;
}

QString cleaned(QStringView text) {
    QString out = text.toString();
    out.remove(u'\r');
    out.remove(u'\n');
    return basic::Trim(out);
}

QString newFileName(const QString& fileBox, const QDateTime& now) {
    QDateTime at = now.isValid() ? now : QDateTime::currentDateTime();
    for (;;) {
        const QString name = at.toString(u"yyMMddHHmmss"_s) + u".txt"_s;
        const QFileInfo info(fileBox + u'/' + name);
        if (!info.exists() && !info.isSymLink()) return name;
        at = at.addSecs(1);
    }
}

QStringList fileLines(const Fields& f, const BodyStatistics& stats, const QString& bestTimesLine) {
    QStringList lines;
    lines.reserve(5 + stats.paragraphs.size());
    lines << cleaned(f.source) << basic::Right(f.year, 2) + f.month + f.day + cleaned(f.keyword) << cleaned(f.title)
          << countsLine(stats.whole) << bestTimesLine;
    lines += stats.paragraphs;
    return lines;
}

QByteArray fileBytes(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + u"\r\n"_s;
    return cp932::encode(text);
}

Fields fieldsFromLines(const QStringList& lines, int currentYear) {
    auto line = [&lines](int i) { return i < lines.size() ? lines[i] : QString(); };
    Fields f;
    f.source = line(0);
    const QString date = line(1);
    const QString yy = basic::Left(date, 2);
    f.year = (basic::Val(yy) <= currentYear % 100 ? u"20"_s : u"19"_s) + yy;
    f.month = basic::Mid(date, 3, 2);
    f.day = basic::Mid(date, 5, 2);
    f.keyword = basic::Mid(date, 7);
    f.title = line(2);
    for (qsizetype i = 5; i < lines.size(); ++i)
        f.body += lines[i] + u"\n\n"_s;
    return f;
}

bool storeSource(SettingsTable& settings, const QString& name) {
    return store(settings, name, FirstSource, LastSource);
}

bool storeKeyword(SettingsTable& settings, const QString& name) {
    return store(settings, name, FirstKeyword, LastKeyword);
}

QStringList namesOf(const SettingsTable& settings, int first, int last) {
    QStringList names;
    for (int i = first; i <= last; ++i)
        if (!settings[i].name.isEmpty()) names.append(settings[i].name);
    return names;
}

QString sourceAddress(const SettingsTable& settings, const QString& source) {
    if (source.isEmpty()) return {};
    for (int i = FirstSource; i <= LastLinkedSource; ++i)
        if (settings[i].name == source && !settings[i].address.isEmpty()) return settings[i].address;
    return {};
}

bool isWebAddress(const QString& address) {
    const QString a = address.trimmed();
    return (a.startsWith(u"http://"_s, Qt::CaseInsensitive) || a.startsWith(u"https://"_s, Qt::CaseInsensitive)) &&
           a.size() > 8 && !a.contains(u' ') && !a.contains(u'\n');
}

DroppedText readDroppedFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    if (!name.endsWith(u".txt"_s)) return {{}, u"拡張子が[txt]のファイルのみ読込み可能"_s};
    QByteArray bytes;
    QString reason;
    switch (readRegularFile(path, MaxDroppedBytes, &bytes, &reason)) {
    case ReadStatus::Read:
        break;
    case ReadStatus::Missing:
        return {{}, name + u" が見つかりません。"_s};
    case ReadStatus::TooLarge:
        return {{}, name + u" は大きすぎるため読み込めません（1MBまで）。"_s};
    case ReadStatus::Failed:
        return {{}, name + u" を読み込めません。（"_s + reason + u"）"_s};
    }
    // A file with characters beyond ASCII that is valid UTF-8 is hardly ever Shift_JIS.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString asUtf8 = utf8.decode(bytes);
    if (!utf8.hasError()) return {asUtf8, {}};
    bool valid = false;
    const QString text = cp932::decode(bytes, &valid);
    if (!valid) return {{}, name + u" はShift_JIS（CP932）のテキストではないため読み込めません。"_s};
    return {text, {}};
}

} // namespace TextEditing
