#include "core/practice/TextLoading.h"

#include <cstdint>

// A practice-text file of any bytes is either refused with a reason or practisable.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QString problem;
    const QStringList lines = TextLoading::practiceLinesFromBytes(
        QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)), &problem);
    if (lines.isEmpty() == problem.isEmpty()) __builtin_trap();
    if (!lines.isEmpty() && !TextLoading::checkPracticeLines(lines).isEmpty()) __builtin_trap();
    return 0;
}
