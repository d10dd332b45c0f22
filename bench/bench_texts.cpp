#include "core/texts/SampleTexts.h"
#include "core/texts/TextStats.h"
#include "core/util/Cp932.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

// Real Japanese practice text: the Japanese sample paragraphs, repeated.
QStringList japaneseParagraphs() {
    QStringList paragraphs;
    for (int menuIndex : {0, 3, 6, 9, 12, 15, 18})
        paragraphs += SampleTexts::sampleLines(menuIndex).mid(5);
    return paragraphs;
}

QString japaneseText(qsizetype length) {
    const QStringList paragraphs = japaneseParagraphs();
    QString text;
    for (qsizetype i = 0; text.size() < length; ++i)
        text += paragraphs[i % paragraphs.size()];
    text.truncate(length);
    return text;
}

// Runs first, so that it sees every sample before it is cached: the cost of reading and counting
// all fourteen once, without building the code page table, which start-up has already done.
void BM_SampleLinesFirstRead(benchmark::State& state) {
    cp932::code(u'あ');
    for (auto _ : state) {
        for (int i = 0; i < SampleTexts::MenuItemCount; ++i)
            benchmark::DoNotOptimize(SampleTexts::sampleLines(i));
    }
}
BENCHMARK(BM_SampleLinesFirstRead)->Iterations(1)->Unit(benchmark::kMicrosecond);

void BM_SampleLinesCached(benchmark::State& state) {
    for (auto _ : state) {
        for (int i = 0; i < SampleTexts::MenuItemCount; ++i)
            benchmark::DoNotOptimize(SampleTexts::sampleLines(i));
    }
}
BENCHMARK(BM_SampleLinesCached)->Unit(benchmark::kMicrosecond);

// The code page table is built once at start-up; the budget is for the counting itself.
void BM_ClassifyChars9999(benchmark::State& state) {
    const QString text = japaneseText(9999);
    cp932::code(u'あ');
    for (auto _ : state)
        benchmark::DoNotOptimize(classifyChars(text));
    state.SetItemsProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_ClassifyChars9999)->Unit(benchmark::kMicrosecond);

void BM_SplitParagraphs200(benchmark::State& state) {
    const QStringList paragraphs = japaneseParagraphs();
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines += paragraphs[i % paragraphs.size()];
    const QString body = lines.join(u"\r\n"_s);
    for (auto _ : state)
        benchmark::DoNotOptimize(splitParagraphs(body));
    state.SetItemsProcessed(state.iterations() * body.size());
}
BENCHMARK(BM_SplitParagraphs200)->Unit(benchmark::kMicrosecond);

} // namespace
