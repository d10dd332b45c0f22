#include "core/records/WeaknessLog.h"

#include "core/practice/Session.h"
#include "core/records/RecordFiles.h"
#include "core/util/AtomicFile.h"

#include <QFileInfo>

#include <algorithm>
#include <cstring>
#include <vector>

using namespace Qt::StringLiterals;

namespace WeaknessLog {

namespace {

constexpr qsizetype DateLength = 10; // yyyy-MM-dd

// Tabs and line ends would break the columns; an ID holding them (a strange file name) keeps its place.
QByteArray safeField(QStringView text) {
    QString s = text.toString();
    for (QChar& c : s)
        if (c.unicode() < 0x20) c = u'?';
    return s.toUtf8();
}

bool isDate(const char* p) {
    for (int i = 0; i < DateLength; ++i) {
        const bool dash = i == 4 || i == 7;
        if (dash ? p[i] != '-' : (p[i] < '0' || p[i] > '9')) return false;
    }
    return true;
}

// A count of at most 15 digits (no sign, no spaces); -1 when the field is anything else.
qint64 readCount(const char* p, const char* end) {
    if (p == end || end - p > 15) return -1;
    qint64 n = 0;
    for (; p < end; ++p) {
        if (*p < '0' || *p > '9') return -1;
        n = n * 10 + (*p - '0');
    }
    return n;
}

// One character of the Basic Multilingual Plane in UTF-8 (1 to 3 bytes, shortest form); -1 otherwise.
int readCharacter(const unsigned char* p, qsizetype size) {
    if (size == 1 && p[0] >= 0x20 && p[0] < 0x80) return p[0];
    if (size == 2 && (p[0] & 0xE0) == 0xC0 && (p[1] & 0xC0) == 0x80) {
        const int c = ((p[0] & 0x1F) << 6) | (p[1] & 0x3F);
        return c >= 0x80 ? c : -1;
    }
    if (size == 3 && (p[0] & 0xF0) == 0xE0 && (p[1] & 0xC0) == 0x80 && (p[2] & 0xC0) == 0x80) {
        const int c = ((p[0] & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F);
        return c >= 0x800 && (c < 0xD800 || c > 0xDFFF) ? c : -1;
    }
    return -1;
}

QList<WeakChar> collect(const std::vector<CharTally>& totals) {
    QList<WeakChar> out;
    for (size_t c = 0; c < totals.size(); ++c)
        if (totals[c].met > 0) out.append({char16_t(c), totals[c].met, totals[c].missed});
    return out;
}

} // namespace

QByteArray attemptLines(const QDate& date, bool japanese, QStringView textId, const CharTallies& tallies) {
    QList<char16_t> characters = tallies.keys();
    std::sort(characters.begin(), characters.end());
    const QByteArray head =
        date.toString(u"yyyy-MM-dd").toLatin1() + (japanese ? "\tJ\t" : "\tE\t") + safeField(textId) + '\t';
    QByteArray out;
    for (const char16_t c : characters) {
        const CharTally t = tallies.value(c);
        if (t.met <= 0 || c < 0x20 || QChar::isSurrogate(c)) continue;
        out += head + QString(QChar(c)).toUtf8() + '\t' + QByteArray::number(t.met) + '\t' +
               QByteArray::number(t.missed) + '\n';
    }
    return out;
}

QString recordAttempt(const Session& m, const QDate& date, const CharTallies& tallies) {
    const QByteArray lines =
        attemptLines(date, RecordFiles::isJapaneseMark(m.text.counts), RecordFiles::currentTextKey(m).id, tallies);
    if (lines.isEmpty()) return {};
    QString reason;
    if (!RecordFiles::ensureLogBox(m.logBoxPath(), &reason)) return reason;
    const QString path = m.logBoxPath() + u'/' + QString::fromUtf16(FileName);
    const QFileInfo info(path);
    const bool fresh = !info.exists() || (info.isFile() && info.size() == 0);
    if (appendToFile(path, fresh ? QByteArray(HeaderLine) + lines : lines, "\n", &reason)) return {};
    return u"苦手文字の記録 "_s + QString::fromUtf16(FileName) + u" に書き込めませんでした。\n"_s + reason;
}

Summary summarise(QByteArrayView bytes, const QDate& since) {
    std::vector<CharTally> totals[2] = {std::vector<CharTally>(0x10000), std::vector<CharTally>(0x10000)};
    const QByteArray sinceText = since.isValid() ? since.toString(u"yyyy-MM-dd").toLatin1() : QByteArray();
    Summary out;
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
        const char* eol = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
        // The last line without its line end is what a crash leaves half written.
        if (!eol) {
            ++out.skippedLines;
            break;
        }
        const char* line = p;
        const char* lineEnd = eol > p && eol[-1] == '\r' ? eol - 1 : eol;
        p = eol + 1;
        if (line == lineEnd || *line == '#') continue;

        const char* fields[6] = {};
        const char* fieldEnds[6] = {};
        int count = 0;
        const char* f = line;
        while (count < 6) {
            const char* tab = static_cast<const char*>(std::memchr(f, '\t', size_t(lineEnd - f)));
            fields[count] = f;
            fieldEnds[count] = tab ? tab : lineEnd;
            ++count;
            if (!tab) break;
            f = tab + 1;
        }
        const bool shaped = count == 6 && fieldEnds[5] == lineEnd && fieldEnds[0] - fields[0] == DateLength &&
                            isDate(fields[0]) && fieldEnds[1] - fields[1] == 1 &&
                            (*fields[1] == 'J' || *fields[1] == 'E');
        const int c =
            shaped ? readCharacter(reinterpret_cast<const unsigned char*>(fields[3]), fieldEnds[3] - fields[3]) : -1;
        const qint64 met = c >= 0 ? readCount(fields[4], fieldEnds[4]) : -1;
        const qint64 missed = met > 0 ? readCount(fields[5], fieldEnds[5]) : -1;
        if (missed < 0 || missed > met) {
            ++out.skippedLines;
            continue;
        }
        if (!sinceText.isEmpty() && std::memcmp(fields[0], sinceText.constData(), DateLength) < 0) continue;
        CharTally& t = totals[*fields[1] == 'J' ? 0 : 1][size_t(c)];
        t.met += met;
        t.missed += missed;
    }
    out.japanese = collect(totals[0]);
    out.english = collect(totals[1]);
    return out;
}

Summary readSummary(const QString& logBox, const QDate& since, QString* error) {
    const QString path = logBox + u'/' + QString::fromUtf16(FileName);
    if (!QFileInfo::exists(path)) return {};
    QByteArray bytes;
    if (!RecordFiles::readWholeFile(path, &bytes, error, MaxFileBytes)) return {};
    return summarise(bytes, since);
}

QDate periodStart(Period period, const QDate& today) {
    switch (period) {
    case Period::LastWeek:
        return today.addDays(-6);
    case Period::LastMonth:
        return today.addDays(-29);
    case Period::All:
        break;
    }
    return {};
}

QList<WeakChar> ranked(const QList<WeakChar>& all) {
    QList<WeakChar> out;
    for (const WeakChar& w : all)
        if (w.missed > 0) out.append(w);
    std::sort(out.begin(), out.end(), [](const WeakChar& a, const WeakChar& b) {
        const bool aRare = a.met < MinMetForRank, bRare = b.met < MinMetForRank;
        if (aRare != bRare) return bRare;
        // missed/met compared without rounding: a.missed * b.met against b.missed * a.met.
        const long double left = (long double)a.missed * (long double)b.met;
        const long double right = (long double)b.missed * (long double)a.met;
        if (left != right) return left > right;
        if (a.missed != b.missed) return a.missed > b.missed;
        if (a.met != b.met) return a.met > b.met;
        return a.character < b.character;
    });
    return out;
}

QString displayCharacter(char16_t c) {
    if (c == u' ') return u"空白"_s;
    if (c == u'\u3000') return u"全角空白"_s;
    return QString(QChar(c));
}

} // namespace WeaknessLog
