#include "core/records/ExamLog.h"

#include <cstdint>

// Any bytes parse without a crash, and every exam read back writes a line that reads back the same.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const ExamLog::Entry& entry : ExamLog::parse(bytes)) {
        const QList<ExamLog::Entry> again = ExamLog::parse(ExamLog::line(entry));
        if (again.size() != 1 || again[0].figures.net != entry.figures.net ||
            again[0].figures.tally.typed != entry.figures.tally.typed)
            __builtin_trap();
    }
    return 0;
}
