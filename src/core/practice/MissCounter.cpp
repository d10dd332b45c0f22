#include "core/practice/MissCounter.h"

#include <algorithm>

void MissCounter::clear() {
    m_decided = 0;
    m_tallies.clear();
}

void MissCounter::observe(QStringView segment, QStringView input) {
    const qsizetype end = std::min(input.size(), segment.size());
    for (qsizetype i = m_decided; i < end; ++i) {
        const char16_t target = segment[i].unicode();
        // Line ends and other control characters are not characters anyone practises.
        if (target < 0x20) continue;
        CharTally& tally = m_tallies[target];
        ++tally.met;
        if (input[i] != segment[i]) ++tally.missed;
    }
    m_decided = std::max(m_decided, end);
}
