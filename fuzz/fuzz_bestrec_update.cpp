#include "FuzzScratch.h"
#include "core/records/RecordFiles.h"
#include "core/util/Cp932.h"

using namespace Qt::StringLiterals;

// Input: the new record line (UTF-8), a zero byte, then the old BestRec.log. The update puts
// the line in exactly once per matching key, leaves every other line byte for byte in its
// place, and a second update with the same line changes nothing.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzScratch scratch;
    const auto [lineBytes, old] = splitAtZero(data, size);
    const QString line = QString::fromUtf8(lineBytes);
    // The program's record lines: the language mark and the 12-character ID first, and no line
    // end inside (a text's file name never holds a control character).
    if (line.size() < 13 || line.contains(u'\r') || line.contains(u'\n')) return 0;
    const QString path = scratch.fresh() + u"/BestRec.log"_s;
    writeBytes(path, old);

    if (!RecordFiles::updateBestRec(path, line, nullptr)) __builtin_trap();
    const QByteArray once = readBytes(path);
    const QList<QByteArray> before = RecordFiles::splitRawLines(old);
    const QList<QByteArray> after = RecordFiles::splitRawLines(once);
    const QByteArray replacement = cp932::encode(line);
    if (!once.endsWith("\r\n")) __builtin_trap();
    if (after.size() != before.size() && after.size() != before.size() + 1) __builtin_trap();
    bool found = false;
    for (qsizetype i = 0; i < after.size(); ++i) {
        if (after[i] == replacement) {
            found = true;
            continue;
        }
        // Anything that is not the new line is an old line, kept where it was.
        if (i >= before.size() || after[i] != before[i]) __builtin_trap();
    }
    if (!found) __builtin_trap();

    if (!RecordFiles::updateBestRec(path, line, nullptr)) __builtin_trap();
    if (readBytes(path) != once) __builtin_trap();
    return 0;
}
