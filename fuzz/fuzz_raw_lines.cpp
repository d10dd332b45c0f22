#include "core/records/RecordFiles.h"

#include <cstdint>

// Splitting raw bytes into lines loses nothing but the line ends: no line holds CR or LF, the
// line bytes add up to the input without its CR and LF, and joined lines split back the same.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QList<QByteArray> lines = RecordFiles::splitRawLines(bytes);
    QByteArray content;
    for (const QByteArray& line : lines) {
        if (line.contains('\r') || line.contains('\n')) __builtin_trap();
        content += line;
    }
    QByteArray withoutEnds = bytes.toByteArray();
    withoutEnds.replace("\r", "").replace("\n", "");
    if (content != withoutEnds) __builtin_trap();
    // Never more lines than line ends plus one, and an input without line ends is one line.
    const qsizetype ends = bytes.toByteArray().count('\r') + bytes.toByteArray().count('\n');
    if (lines.size() > ends + 1) __builtin_trap();
    if (size > 0 && ends == 0 && lines.size() != 1) __builtin_trap();

    const QByteArray joined = RecordFiles::joinRawLines(lines);
    if (RecordFiles::splitRawLines(joined) != lines) __builtin_trap();
    if (RecordFiles::joinRawLines(RecordFiles::splitRawLines(joined)) != joined) __builtin_trap();
    return 0;
}
