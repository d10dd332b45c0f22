#include "BenchSupport.h"
#include "core/practice/Judgement.h"
#include "core/practice/MissCounter.h"
#include "core/records/WeaknessLog.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

// A million lines: about ten thousand attempts of a hundred characters each.
void SummariseWeaknessFile1M(benchmark::State& state) {
    const QString kana = u"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほ国際平和安全維持"_s;
    QByteArray bytes;
    QDate date(2000, 1, 1);
    for (int attempt = 0; attempt < 10000; ++attempt) {
        CharTallies tallies;
        for (int i = 0; i < 100; ++i) {
            const char16_t c = i < kana.size() ? kana[i].unicode() : char16_t(u'!' + i - kana.size());
            tallies.insert(c, {qint64(1 + i % 7), qint64(i % 3)});
        }
        bytes += WeaknessLog::attemptLines(date.addDays(attempt / 3), attempt % 2 == 0, u"000000000001", tallies);
    }
    for (auto _ : state) {
        const WeaknessLog::Summary s = WeaknessLog::summarise(bytes, QDate(2005, 1, 1));
        benchmark::DoNotOptimize(s);
    }
    state.counters["lines"] = double(bytes.count('\n'));
}
BENCHMARK(SummariseWeaknessFile1M)->Unit(benchmark::kMillisecond);

// The judgement of one input change with the miss counting the practice window adds to it.
void JudgeAndCountInputChange800(benchmark::State& state) {
    const QString target = bench::japaneseTarget();
    TargetDisplay display;
    layoutSegment(display, target, QStringView(), true, FixedCellMetrics::forPointSize(12), TextPanelWidth, 4);
    QString input = target.left(799);
    input[400] = u'X';
    qint32 prefix = 0, mismatches = 0, previous = 0;
    MissCounter misses;
    qsizetype reached = 0;
    bool flip = false;
    for (auto _ : state) {
        input[798] = flip ? u'X' : target[798];
        flip = !flip;
        const JudgementResult r = judgeInput(display, input, 800, true, true, {prefix, mismatches, previous});
        // Each change reaches one position further, as typing does, so each one decides a new position.
        if (reached == input.size()) {
            misses.startSegment();
            reached = 0;
        }
        misses.observe(target, QStringView(input).left(++reached));
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(JudgeAndCountInputChange800)->Unit(benchmark::kMicrosecond);

} // namespace
