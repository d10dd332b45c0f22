#include "FuzzScratch.h"
#include "core/records/CsvExport.h"
#include "core/records/LogEntries.h"
#include "core/records/ProgressChart.h"
#include "core/records/TextTitles.h"

#include <cmath>

// Input: a month log and a BestRec.log as found in LogBox. Every line is an attempt or counted
// as damaged; the chart of every measure stays within its axis, and the CSV has one row per attempt.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzScratch scratch;
    const QString folder = scratch.fresh();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    writeBytes(folder + QStringLiteral("/202401Practice.log"), bytes);
    writeBytes(folder + QStringLiteral("/BestRec.log"), bytes);
    for (const LogEntries::Reading& read :
         {LogEntries::readMonth(folder, u"2024.01"), LogEntries::readBestRec(folder)}) {
        const std::vector<qint64> times = ProgressChart::attemptTimes(read.entries);
        for (int measure = 0; measure < 3; ++measure) {
            const ProgressChart::Model model = ProgressChart::build(read.entries, times, {measure, true, 0, {}, 0});
            if (model.average.size() != model.points.size() || model.low > model.high) __builtin_trap();
            for (const ProgressChart::Point& p : model.points)
                if (std::isnan(p.value) || p.value < model.low || p.value > model.high) __builtin_trap();
        }
        const QByteArray csv = CsvExport::document(read.entries, TextTitles(folder));
        if (csv.count("\r\n") < qsizetype(read.entries.size()) + 1) __builtin_trap();
    }
    return 0;
}
