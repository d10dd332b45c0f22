#include "core/records/AttemptDetails.h"

#include "core/records/DetailAnalysis.h"
#include "core/records/RecordFiles.h"
#include "core/scoring/GradeScales.h"
#include "core/util/BasicFunctions.h"
#include "core/util/Cp932.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace AttemptDetails {

namespace {

// Where the operation strings begin: after the empty line, which a well-formed file has in its
// middle.
qsizetype separatorIndex(const QList<QByteArray>& lines) {
    const qsizetype middle = lines.size() / 2;
    if (middle >= 1 && lines[middle].isEmpty()) return middle;
    for (qsizetype i = 1; i < lines.size(); ++i)
        if (lines[i].isEmpty()) return i;
    return middle;
}

} // namespace

DetailRecords parseDetailFile(QByteArrayView bytes) {
    DetailRecords records;
    const QList<QByteArray> lines = RecordFiles::splitRawLines(bytes);
    if (lines.isEmpty()) return records;
    records.wholeLine = cp932::decode(lines[0]);
    const qsizetype separator = separatorIndex(lines);
    const qsizetype count =
        qMax<qsizetype>(0, std::min({separator - 1, lines.size() - 1 - separator, qsizetype(MaxParagraphs)}));
    // Only the lines shown are decoded: a damaged file may hold a great many more.
    for (qsizetype i = 1; i <= count; ++i) {
        records.paragraphLines.append(cp932::decode(lines[i]));
        records.operations.append(cp932::decode(lines[separator + i]));
    }
    return records;
}

QString parseParagraphFile(QByteArrayView bytes) {
    const qsizetype end = bytes.toByteArray().indexOf('\n');
    const QList<QByteArray> lines = RecordFiles::splitRawLines(end < 0 ? bytes : bytes.first(end + 1));
    return lines.isEmpty() ? QString() : cp932::decode(lines[0]);
}

QString shortGradeForDetails(QStringView line, bool wholeText) {
    // Both labels then end at position 6: "第  1段落" and " 通し 全体".
    const QString s = wholeText ? u' ' + line.toString() : line.toString();
    const QString label = basic::Trim(basic::Mid(s, 28, 3));
    return basic::Mid(s, 7, 21) + shortGrade(label) + basic::Mid(s, 28 + gradeLabelWidth(label));
}

QString listedWholeLine(QStringView line, bool japaneseDisplay) {
    return japaneseDisplay ? line.toString() : u"Through  "_s + shortGradeForDetails(line, true);
}

QString listedParagraphLine(QStringView line, int number, bool japaneseDisplay) {
    if (japaneseDisplay) return line.toString();
    return u"Paragr"_s + basic::RightAligned(number, 3) + shortGradeForDetails(line, false);
}

QString paragraphCaption(int number) {
    return u"第"_s + basic::RightAligned(number, 3) + u"段落"_s;
}

bool mostlyHalfWidth(const CharCounts& counts) {
    return 2 * qint64(counts.half) > qint64(counts.total);
}

DetailsContent presentDetails(const DetailsRequest& request, bool found, QByteArrayView bytes) {
    DetailsContent content;
    content.found = found;
    const bool english = mostlyHalfWidth(request.counts);
    if (request.mode == RecordFiles::ParagraphDetails) {
        if (!found) return content;
        const QString operations = parseParagraphFile(bytes);
        content.operations.append(operations);
        const DetailAnalysis::ConversionStats stats = DetailAnalysis::conversionStats(operations);
        content.paragraphAverageShown = stats.groups >= 1;
        content.paragraphAverage = DetailAnalysis::averageCharacters(stats);
        content.noCorrectionPossible = !content.paragraphAverageShown;
        if (english) content.paragraphAverageShown = false;
        return content;
    }

    const DetailRecords records = found ? parseDetailFile(bytes) : DetailRecords{};
    if (!records.wholeLine.isEmpty()) content.wholeRow = listedWholeLine(records.wholeLine, request.japaneseDisplay);
    DetailAnalysis::ConversionStats total;
    for (qsizetype i = 0; i < records.paragraphLines.size(); ++i) {
        content.paragraphRows.append(
            listedParagraphLine(records.paragraphLines[i], int(i + 1), request.japaneseDisplay));
        content.operations.append(records.operations[i]);
        const DetailAnalysis::ConversionStats stats = DetailAnalysis::conversionStats(records.operations[i]);
        total.characters += stats.characters;
        total.groups += stats.groups;
    }
    if (content.paragraphRows.isEmpty()) {
        content.paragraphRows.append(QString::fromUtf16(NoDataText));
        return content;
    }
    content.averagesShown = request.judgementPossible && total.groups >= 1 && !english;
    content.wholeAverage = DetailAnalysis::averageCharacters(total);
    return content;
}

DetailsContent loadDetails(const DetailsRequest& request, const QString& path) {
    QByteArray bytes;
    const bool found = RecordFiles::readWholeFile(path, &bytes, nullptr, MaxFileBytes);
    return presentDetails(request, found, bytes);
}

} // namespace AttemptDetails
