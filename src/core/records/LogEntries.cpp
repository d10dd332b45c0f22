#include "core/records/LogEntries.h"

#include "core/records/LogQueries.h"
#include "core/records/RecordFiles.h"
#include "core/scoring/GradeScales.h"

#include <QDir>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace LogEntries {

namespace {

constexpr double NotANumber = std::numeric_limits<double>::quiet_NaN();
// No figure of an attempt comes near this; a larger one is a damaged field.
constexpr double LargestFigure = 1e9;

// A field of a line from `position` (from 1), cut at the line's end.
QStringView field(QStringView line, qsizetype position, qsizetype length) {
    if (position < 1 || position > line.size()) return {};
    return line.mid(position - 1, std::min(length, line.size() - position + 1));
}

bool readCount(QStringView text, int* value) {
    bool ok = false;
    *value = text.trimmed().toInt(&ok);
    return ok && *value >= 0;
}

double number(const QString& text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && std::abs(value) < LargestFigure ? value : NotANumber;
}

bool readDate(QStringView yymmdd, int century, QDate* date) {
    if (yymmdd.size() != 6) return false;
    for (QChar c : yymmdd)
        if (c < u'0' || c > u'9') return false;
    *date = QDate(century + yymmdd.left(2).toInt(), yymmdd.mid(2, 2).toInt(), yymmdd.mid(4, 2).toInt());
    return date->isValid();
}

// The result fields from `position`: characters (`countWidth` wide), keystrokes, CPM, the grade,
// SCR, the own level and the four operation columns (変換 `conversionWidth` wide). Other
// texts have "-" and a blank mark in 変換, 確定 and 修正, which read the same way.
bool readFigures(QStringView line, qsizetype position, int countWidth, int conversionWidth, Entry* e) {
    Figures& f = e->figures;
    if (!readCount(field(line, position, countWidth), &f.characters)) return false;
    qsizetype at = position + countWidth;
    if (!readCount(field(line, at, 6), &f.keystrokes)) return false;
    f.cpm = field(line, at + 6, 8).trimmed().toString();
    at += 6 + 8 + 1;
    const int gradeWidth = gradeLabelWidth(field(line, at, 3));
    f.grade = field(line, at, gradeWidth).trimmed().toString();
    at += gradeWidth;
    f.scr = field(line, at, 8).trimmed().toString();
    f.ownLevel = field(line, at + 9, 2).trimmed().toString();
    at += 11;
    for (int row = 0; row < 4; ++row) {
        const int width = row == 0 ? conversionWidth : 5;
        f.rates[row] = field(line, at, width).trimmed().toString();
        f.marks[row] = field(line, at + width, 1).trimmed().toString();
        at += width + 1;
    }
    e->cpm = number(f.cpm);
    e->scr = number(f.scr);
    e->ownLevelRank = ownLevelRank(f.ownLevel);
    return true;
}

void readLines(const QString& path, qint64 maxBytes, int century, bool bestRec, Reading* out) {
    LogQueries::RecordLines read = LogQueries::readRecordLines(path, maxBytes);
    if (!read.problem.isEmpty()) out->problems.append(QFileInfo(path).fileName() + u"（"_s + read.problem + u"）"_s);
    Entry entry;
    for (const QString& line : std::as_const(read.lines)) {
        if (bestRec ? parseBestRecLine(line, century, &entry) : parseLogLine(line, century, &entry))
            out->entries.push_back(std::move(entry));
        else
            ++out->damaged;
    }
}

} // namespace

int ownLevelTop() {
    return int(ownLevelScale(LanguageClass::Japanese)->labels.size()) - 1;
}

namespace {

// An own-level label (one or two characters) as one number, so the ladder is searched quickly.
quint32 levelKey(QStringView label) {
    if (label.isEmpty() || label.size() > 2) return 0;
    return quint32(label[0].unicode()) << 16 | (label.size() > 1 ? label[1].unicode() : 0u);
}

} // namespace

int ownLevelRank(QStringView label) {
    static const std::vector<quint32> ladder = [] {
        std::vector<quint32> keys;
        for (QStringView l : ownLevelScale(LanguageClass::Japanese)->labels)
            keys.push_back(levelKey(l));
        return keys;
    }();
    const quint32 key = levelKey(label);
    const auto at = std::find(ladder.begin(), ladder.end(), key);
    return key == 0 || at == ladder.end() ? -1 : ownLevelTop() - int(at - ladder.begin());
}

QString ownLevelLabel(int rank) {
    const auto labels = ownLevelScale(LanguageClass::Japanese)->labels;
    const int index = ownLevelTop() - rank;
    return index >= 0 && index < int(labels.size()) ? labels[size_t(index)].toString() : QString();
}

bool parseLogLine(QStringView line, int century, Entry* e) {
    // 1-12 ID, 13 mark, 15-20 date, then " 通し 全体" or " 第nnn段落" and the result fields.
    const QChar mark = line.size() > 13 ? line[12] : QChar();
    if (mark != u'日' && mark != u'英') return false;
    if (!readDate(field(line, 15, 6), century, &e->date)) return false;
    e->id = line.left(12).toString();
    e->japanese = mark == u'日';
    if (field(line, 21, 6) == u" 通し 全体") {
        e->paragraph = 0;
        return readFigures(line, 27, 6, 6, e);
    }
    if (field(line, 21, 2) != u" 第" || field(line, 26, 2) != u"段落") return false;
    if (!readCount(field(line, 23, 3), &e->paragraph) || e->paragraph < 1) return false;
    return readFigures(line, 28, 6, 6, e);
}

bool parseBestRecLine(QStringView line, int century, Entry* e) {
    // 1 mark, 2-13 ID, 17-22 date, then the result fields in their wider BestRec.log form.
    const QChar mark = line.isEmpty() ? QChar() : line[0];
    if (mark != u'j' && mark != u'e') return false;
    if (!readDate(field(line, 17, 6), century, &e->date)) return false;
    e->id = field(line, 2, 12).toString();
    e->japanese = mark == u'j';
    e->paragraph = 0;
    return readFigures(line, 23, 7, 7, e);
}

Reading readAllMonths(const QString& logBox) {
    Reading out;
    const QStringList months = LogQueries::months(QDir(logBox).entryList(QDir::Files | QDir::Hidden));
    for (auto month = months.crbegin(); month != months.crend(); ++month) {
        const int century = month->left(2).toInt() * 100;
        readLines(logBox + u'/' + LogQueries::monthFileName(*month), LogQueries::MaxMonthLogBytes, century, false,
                  &out);
    }
    return out;
}

Reading readMonth(const QString& logBox, QStringView month) {
    Reading out;
    readLines(logBox + u'/' + LogQueries::monthFileName(month), LogQueries::MaxMonthLogBytes,
              month.left(2).toInt() * 100, false, &out);
    return out;
}

Reading readBestRec(const QString& logBox) {
    Reading out;
    readLines(logBox + u'/' + QString::fromUtf16(RecordFiles::BestRecFileName), RecordFiles::MaxBestRecBytes, 2000,
              true, &out);
    return out;
}

} // namespace LogEntries
