#include "FuzzScratch.h"
#include "core/records/LogQueries.h"

// Input: a month log as found in LogBox. Reading never fails on content; every choice of order,
// language and kind, in both display forms, lists at most one row per line, each row cut to
// the shown length (the half-width form may lengthen a row by its grade and captions only).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzScratch scratch;
    const QString folder = scratch.fresh();
    writeBytes(folder + QStringLiteral("/202401Practice.log"),
               QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const LogQueries::RecordLines read = LogQueries::readMonth(folder, u"2024.01");
    if (!read.problem.isEmpty()) __builtin_trap();
    for (int order = 0; order < 2; ++order)
        for (int language = 0; language < 3; ++language)
            for (int kind = 0; kind < 3; ++kind)
                for (bool japanese : {true, false}) {
                    const QStringList rows = LogQueries::rows(read.lines, {order, language, kind}, japanese);
                    if (rows.size() > read.lines.size()) __builtin_trap();
                    for (const QString& row : rows)
                        if (row.isEmpty() || row.size() > LogQueries::MaxShownLength + 8) __builtin_trap();
                }
    return 0;
}
