#include "core/scoring/BestTimes.h"

#include "core/texts/TextStats.h"
#include "core/util/BasicFunctions.h"

#include <cmath>

namespace BestTimesLine {

BestTimes empty() {
    BestTimes times;
    times.fill(EmptyTime);
    return times;
}

namespace {

bool isPlainNumber(QStringView field) {
    bool digits = false, point = false;
    for (QChar c : field) {
        if (c >= u'0' && c <= u'9')
            digits = true;
        else if (c == u'.' && !point)
            point = true;
        else
            return false;
    }
    return digits;
}

} // namespace

BestTimes parse(QStringView line) {
    BestTimes times = empty();
    for (int k = 0; k < 10; ++k) {
        const QString field = basic::Trim(basic::Mid(line, 9 * k + 1, 8));
        if (!isPlainNumber(field)) continue;
        const float value = float(basic::Val(field));
        if (std::isfinite(value) && value > 0.0f && value <= EmptyTime) times[size_t(k)] = value;
    }
    return times;
}

QString format(const BestTimes& times) {
    QString line;
    line.reserve(90);
    for (float t : times) {
        // A place outside the range (0, 99999.99] would widen its field and shift every later time.
        const bool fits = std::isfinite(t) && t > 0.0f && t <= EmptyTime;
        line += basic::FormatSingle(fits ? t : EmptyTime, u"00000.00");
        line += u',';
    }
    return line;
}

QString emptyLine() {
    return QString::fromUtf16(NoRecordLine);
}

bool isEmptyLine(QStringView line) {
    return line == QStringView(NoRecordLine);
}

} // namespace BestTimesLine
