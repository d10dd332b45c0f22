#include "core/scoring/ExamResult.h"

#include "core/util/BasicFunctions.h"

#include <algorithm>

namespace ExamResult {

Tally tally(qint32 doneChars, QStringView input, QStringView paragraph, qint32 corrections) {
    Tally t;
    const qsizetype common = std::min(input.size(), paragraph.size());
    for (qsizetype i = 0; i < common; ++i)
        if (input[i] != paragraph[i]) ++t.errorsLeft;
    t.errorsLeft += qint32(input.size() - common);
    t.typed = std::max<qint32>(0, doneChars) + qint32(input.size());
    t.corrections = std::max<qint32>(0, corrections);
    return t;
}

Figures figures(const Tally& tally, int minutes, qint32 elapsedMs, bool timeUp, LanguageClass language) {
    Figures f;
    f.minutes = minutes;
    f.elapsedMs = std::max<qint32>(1000, elapsedMs);
    f.timeUp = timeUp;
    f.tally = tally;
    f.net = std::max<qint32>(0, tally.typed - tally.errorsLeft);
    f.netCpm = float(double(f.net) * 60000.0 / double(f.elapsedMs));
    f.netCpmText = basic::Format(double(f.netCpm), u"#0.0");
    for (int k = 0; k < StandardCount; ++k)
        f.grades[size_t(k)] = gradeForStandard(k, language, f.netCpm);
    return f;
}

} // namespace ExamResult
