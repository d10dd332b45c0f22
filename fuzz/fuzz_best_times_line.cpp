#include "core/scoring/BestTimes.h"

#include <cstdint>

// Every place of a best-times line reads as a positive time or as empty.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString line = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    for (float t : BestTimesLine::parse(line))
        if (!(t > 0.0f && t <= BestTimesLine::EmptyTime)) __builtin_trap();
    return 0;
}
