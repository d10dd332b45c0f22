#include "core/texts/TextStats.h"

#include <cstdint>

// Statistics lines and paragraph bodies of any content are read without a crash.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(data), qsizetype(size / 2));
    const CharCounts counts = parseStatisticsLine(text);
    (void)countsLine(counts);
    (void)judgementAvailability(counts);
    (void)kanjiRatioCaption(counts);
    const ParagraphSplit split = splitParagraphs(text);
    if (split.paragraphs.size() != split.startOffsets.size()) __builtin_trap();
    for (const QString& p : split.paragraphs)
        (void)classifyChars(p);
    return 0;
}
