#include "core/practice/KeyCounting.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

/** Answers from a fixed set of held keys, as fast as the counting can ask. */
class HeldKeys final : public KeyState {
public:
    int held = 0;
    bool isHeld(int keyCode) const override { return keyCode == held; }
};

// A romaji key inside a composition: the input method takes it and no operation key is held.
void CountKeyDown(benchmark::State& state) {
    AttemptCounters counters;
    KeyCounting counting(counters);
    HeldKeys keys;
    keys.held = 75;
    for (auto _ : state)
        benchmark::DoNotOptimize(counting.keyDown(ProcessKeyCode, keys, 4, false));
}
BENCHMARK(CountKeyDown)->Unit(benchmark::kMicrosecond);

// A conversion: Space pressed and released, which logs a mark every time.
void CountKeyDownWithMark(benchmark::State& state) {
    AttemptCounters counters;
    KeyCounting counting(counters);
    HeldKeys keys;
    int n = 0;
    for (auto _ : state) {
        keys.held = 32;
        benchmark::DoNotOptimize(counting.keyDown(ProcessKeyCode, keys, 4, false));
        keys.held = 0;
        counting.keyUp(keys);
        // Keeps the log at the size of a long paragraph's.
        if (++n % 2048 == 0) counting.reset();
    }
}
BENCHMARK(CountKeyDownWithMark)->Unit(benchmark::kMicrosecond);

// The key log of an 800-character Japanese paragraph: words of three characters, each
// converted and confirmed, a full-width space now and then, a deletion and an English word.
QStringList paragraphLog() {
    const QString text = u"国際の平和及び安全を維持するために、われらの力を合わせ、"_s;
    QStringList log;
    int typed = 0;
    while (typed < 800) {
        log << u"d□4"_s << u"d■4"_s;
        for (int k = 0; k < 3 && typed < 800; ++k, ++typed)
            log << u"p"_s + text[typed % text.size()] + u"4"_s;
        if (typed % 60 == 0) log << u"d□4"_s << u"p　4"_s;
        if (typed % 90 == 0) log << u"d≪4"_s << u"d＜4"_s;
        if (typed % 150 == 0) log << u"pU2"_s << u"pN2"_s << u"d□2"_s << u"p 2"_s;
    }
    return log;
}

void OperationString800(benchmark::State& state) {
    const QStringList log = paragraphLog();
    for (auto _ : state)
        benchmark::DoNotOptimize(KeyCounting::buildOperationString(log));
    state.counters["entries"] = double(log.size());
}
BENCHMARK(OperationString800)->Unit(benchmark::kMicrosecond);

} // namespace
