#include "core/records/LogQueries.h"

#include "core/records/RecordFiles.h"
#include "core/scoring/GradeScales.h"
#include "core/util/AtomicFile.h"
#include "core/util/BasicFunctions.h"
#include "core/util/Cp932.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace LogQueries {

namespace {

// The ID's first four characters are not shown.
constexpr int HiddenIdLength = 4;
constexpr int MonthDigits = 6;

// Character `position` (from 1) of a row, or a null character past its end.
QChar charAt(QStringView s, qsizetype position) {
    return position >= 1 && position <= s.size() ? s[position - 1] : QChar();
}

int within(qint32 stored, int count) {
    return stored >= 0 && stored < count ? int(stored) : 0;
}

bool isAsciiDigits(QStringView s) {
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QString shownLine(const QByteArray& raw) {
    QString line = cp932::decode(raw.left(2 * MaxShownLength));
    if (line.size() > MaxShownLength) line.truncate(MaxShownLength);
    for (QChar& c : line)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) c = u'?';
    return line;
}

// The grade of a half-width row, which starts at `position`: its log form, then the row after
// the label (and after the blank a two-character label leaves, which the log form takes up).
QString withShortGrade(QStringView row, qsizetype position) {
    if (row.size() < position) return row.toString();
    const QString label = basic::Mid(row, position, 3);
    const int width = gradeLabelWidth(label);
    qsizetype rest = position + width;
    if (width == 2 && charAt(row, rest) == u' ') ++rest;
    return shortGradeForLog(label) + basic::Mid(row, rest);
}

} // namespace

Filter storedFilter(const SettingsTable& settings) {
    return {within(settings.number(OrderEntry), 2), within(settings.number(LanguageEntry), 3),
            within(settings.number(KindEntry), 3)};
}

void storeFilter(SettingsTable& settings, const Filter& filter) {
    settings[OrderEntry].number = filter.order;
    settings[LanguageEntry].number = filter.language;
    settings[KindEntry].number = filter.kind;
}

QStringList months(QStringList logBoxNames) {
    const QString suffix = QString::fromUtf16(RecordFiles::PracticeLogSuffix);
    std::sort(logBoxNames.begin(), logBoxNames.end(), std::greater<>());
    QStringList out;
    for (const QString& name : std::as_const(logBoxNames)) {
        if (name.size() != MonthDigits + suffix.size() || !name.endsWith(suffix)) continue;
        const QStringView digits = QStringView(name).left(MonthDigits);
        if (isAsciiDigits(digits)) out.append(name.left(4) + u'.' + name.mid(4, 2));
    }
    return out;
}

QString monthFileName(QStringView month) {
    return basic::Left(month, 4) + basic::Mid(month, 6, 2) + QString::fromUtf16(RecordFiles::PracticeLogSuffix);
}

RecordLines readRecordLines(const QString& path, qint64 maxBytes) {
    RecordLines out;
    QByteArray bytes;
    QString reason;
    qint64 size = 0;
    switch (readRegularFile(path, maxBytes, &bytes, &reason, &size)) {
    case ReadStatus::Read:
        break;
    case ReadStatus::Missing:
        return out;
    case ReadStatus::TooLarge: {
        // Half a line at the cut would show as a damaged record.
        const qsizetype lastEnd = std::max(bytes.lastIndexOf('\n'), bytes.lastIndexOf('\r'));
        bytes.truncate(std::max<qsizetype>(lastEnd, 0));
        out.problem = RecordFiles::tooLargeReason(size, maxBytes);
        break;
    }
    case ReadStatus::Failed:
        out.problem = reason;
        return out;
    }
    const QList<QByteArray> raw = RecordFiles::splitRawLines(bytes);
    out.lines.reserve(raw.size());
    for (const QByteArray& line : raw)
        if (!line.isEmpty()) out.lines.append(shownLine(line));
    return out;
}

RecordLines readMonth(const QString& logBox, QStringView month) {
    return readRecordLines(logBox + u'/' + monthFileName(month), MaxMonthLogBytes);
}

QStringList rows(const QStringList& lines, const Filter& filter, bool japaneseDisplay) {
    const QChar mark = filter.language == Japanese ? u'日' : filter.language == English ? u'英' : QChar();
    const QChar kind = filter.kind == WholeText ? u'通' : filter.kind == Paragraphs ? u'第' : QChar();
    QStringList out;
    out.reserve(lines.size());
    auto take = [&](const QString& line) {
        // Positions of the row: 9 the language mark, 18 the kind.
        if (!mark.isNull() && charAt(line, HiddenIdLength + 9) != mark) return;
        if (!kind.isNull() && charAt(line, HiddenIdLength + 18) != kind) return;
        if (line.size() <= HiddenIdLength) return; // nothing of it would show
        const QStringView row = QStringView(line).mid(HiddenIdLength);
        out.append(japaneseDisplay ? row.toString() : halfWidthRow(row));
    };
    if (filter.order == OldestFirst)
        std::for_each(lines.cbegin(), lines.cend(), take);
    else
        std::for_each(lines.crbegin(), lines.crend(), take);
    return out;
}

QString halfWidthRow(QStringView row) {
    QString head = basic::Left(row, 17);
    if (head.size() >= 9) {
        if (head[8] == u'日') head[8] = u'Ｊ';
        if (head[8] == u'英') head[8] = u'Ｅ';
    }
    switch (charAt(row, 18).unicode()) {
    case u'通': // " 通し 全体" at 17 to 22; the columns from 23 to the grade at 44
        return head + u"Through  "_s + basic::Mid(row, 23, 21) + withShortGrade(row, 44);
    case u'第': // " 第  3段落" at 17 to 23; everything after it one position later
        return head + u"Paragr"_s + basic::Mid(row, 19, 3) + basic::Mid(row, 24, 21) + withShortGrade(row, 45);
    default:
        return head + basic::Mid(row, 18);
    }
}

} // namespace LogQueries
