#include "records/BestTimes.h"

#include "app/BasicFunctions.h"

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

} // namespace BestTimesLine
