#include "core/records/BestRecordList.h"

#include "core/records/LogQueries.h"
#include "core/records/RecordFiles.h"
#include "core/scoring/GradeScales.h"
#include "core/util/BasicFunctions.h"

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace BestRecordList {

namespace {

constexpr int KeyLength = 13; // the mark and the 12-character ID
constexpr int GradePosition = 44;

int within(qint32 stored, int count) {
    return stored >= 0 && stored < count ? int(stored) : 0;
}

} // namespace

Choice storedChoice(const SettingsTable& settings) {
    return {within(settings.number(LanguageEntry), 2), within(settings.number(OrderEntry), 4)};
}

void storeChoice(SettingsTable& settings, const Choice& choice) {
    settings[LanguageEntry].number = choice.language;
    settings[OrderEntry].number = choice.order;
}

Lines readBestRec(const QString& logBox) {
    LogQueries::RecordLines read = LogQueries::readRecordLines(
        logBox + u'/' + QString::fromUtf16(RecordFiles::BestRecFileName), RecordFiles::MaxBestRecBytes);
    return {std::move(read.lines), std::move(read.problem)};
}

double orderValue(QStringView line, int order) {
    switch (order) {
    case ByScore: {
        // SCR follows the grade, whose width (two or three characters) says where it starts.
        const int gradeWidth = gradeLabelWidth(basic::Mid(line, GradePosition, 3));
        return -basic::Val(basic::Mid(line, GradePosition + gradeWidth, 8));
    }
    case NewestFirst:
        return -basic::Val(basic::Mid(line, 16, 6));
    case OldestFirst:
        return basic::Val(basic::Mid(line, 16, 6));
    default:
        return -basic::Val(basic::Mid(line, 35, 8));
    }
}

QStringList rows(const QStringList& lines, const Choice& choice, bool japaneseDisplay) {
    const QChar mark = choice.language == English ? u'e' : u'j';
    struct Row {
        double value;
        QStringView line;
    };
    std::vector<Row> kept;
    kept.reserve(size_t(lines.size()));
    for (const QString& line : lines) {
        if (line.size() < KeyLength || line[0] != mark) continue;
        const QStringView withoutMark = QStringView(line).mid(1);
        kept.push_back({orderValue(withoutMark, choice.order), withoutMark});
    }
    // Numbers, not their text: a damaged or overlong figure cannot jump ahead of the fastest.
    std::sort(kept.begin(), kept.end(), [](const Row& a, const Row& b) {
        if (a.value != b.value) return a.value < b.value;
        return a.line < b.line;
    });
    QStringList out;
    out.reserve(qsizetype(kept.size()));
    for (const Row& row : kept)
        out.append(japaneseDisplay ? row.line.toString() : shortGradeForBestList(row.line));
    return out;
}

} // namespace BestRecordList
