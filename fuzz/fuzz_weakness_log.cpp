#include "core/records/WeaknessLog.h"

// Input: a weak-characters file as found in LogBox. Every line that is read adds a character the
// practice could meet (printable, of the Basic Multilingual Plane, no surrogate) with no more
// misses than meetings; the ranking holds only missed characters, each once.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QDate since : {QDate(), QDate(2024, 1, 1)}) {
        const WeaknessLog::Summary s = WeaknessLog::summarise(bytes, since);
        for (const QList<WeaknessLog::WeakChar>* list : {&s.japanese, &s.english}) {
            for (const WeaknessLog::WeakChar& w : *list)
                if (w.character < 0x20 || QChar::isSurrogate(w.character) || w.met <= 0 || w.missed < 0 ||
                    w.missed > w.met)
                    __builtin_trap();
            const QList<WeaknessLog::WeakChar> ranking = WeaknessLog::ranked(*list);
            if (ranking.size() > list->size()) __builtin_trap();
            for (const WeaknessLog::WeakChar& w : ranking)
                if (w.missed <= 0) __builtin_trap();
        }
    }
    return 0;
}
