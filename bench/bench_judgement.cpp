#include "BenchSupport.h"
#include "core/practice/Judgement.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

// One input change at the end of an 800-character segment with the whole segment judged
// (judgement window 800): the work of a keystroke late in the longest paragraph.
void JudgeInputChange800(benchmark::State& state) {
    const QString target = bench::japaneseTarget();
    TargetDisplay display;
    layoutSegment(display, target, QStringView(), true, FixedCellMetrics::forPointSize(12), TextPanelWidth, 4);
    QString input = target.left(799);
    input[400] = u'X';
    qint32 prefix = 0, mismatches = 0, previous = 0;
    bool flip = false;
    for (auto _ : state) {
        // Alternate between two inputs so every change really recolours a cell.
        input[798] = flip ? u'X' : target[798];
        flip = !flip;
        const JudgementResult r = judgeInput(display, input, 800, true, true, {prefix, mismatches, previous});
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(JudgeInputChange800)->Unit(benchmark::kMicrosecond);

} // namespace
