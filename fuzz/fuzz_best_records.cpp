#include "FuzzScratch.h"
#include "core/records/BestRecordList.h"

#include <algorithm>

// Input: a BestRec.log as found in LogBox. Every order lists the same rows of a language mark,
// only in another sequence, and the record form shows each line without its mark.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzScratch scratch;
    const QString folder = scratch.fresh();
    writeBytes(folder + QStringLiteral("/BestRec.log"),
               QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const BestRecordList::Lines read = BestRecordList::readBestRec(folder);
    if (!read.problem.isEmpty()) __builtin_trap();
    for (int language = 0; language < 2; ++language) {
        QStringList first;
        for (int order = 0; order < 4; ++order) {
            QStringList rows = BestRecordList::rows(read.lines, {language, order}, true);
            BestRecordList::rows(read.lines, {language, order}, false);
            std::sort(rows.begin(), rows.end());
            if (order == 0) first = rows;
            if (rows != first) __builtin_trap();
        }
        for (const QString& row : first)
            if (!read.lines.contains((language == 0 ? u'j' : u'e') + row)) __builtin_trap();
    }
    return 0;
}
