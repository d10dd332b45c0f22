#include "app/Options.h"
#include "platform/Cp932.h"
#include "practice/TextLoading.h"
#include "records/RecordFiles.h"
#include "scoring/ResultComputation.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A 200-paragraph Japanese text in FileBox with a finished whole-text attempt over it.
struct RecordsFixture {
    RecordsFixture() {
        module.programFolder = dir.path();
        QDir().mkpath(module.fileBoxPath());
        QDir().mkpath(module.logBoxPath());
        Options::applyStartupDefaults(module.settings);
        const QString paragraph = u"国際の平和及び安全を維持するために、われらの力を合わせ、共同の利益を守る。"_qs;
        QStringList lines = {u"出所"_qs, u"000000"_qs, u"表題"_qs, QString(), BestTimesLine::emptyLine()};
        CharCounts total;
        for (int p = 0; p < 200; ++p) {
            lines.append(paragraph);
            total += ClassifyChars(paragraph);
        }
        lines[3] = countsLine(total);
        QFile f(module.fileBoxPath() + u"/240115093000.txt"_qs);
        f.open(QIODevice::WriteOnly);
        f.write(cp932::encode(lines.join(u"\r\n"_qs) + u"\r\n"_qs));
        f.close();
        module.settings[Options::CurrentFile].address = u"240115093000.txt"_qs;
        QString error;
        TextLoading::LoadOwnText(module, &error);

        summary.practiceMode = 0;
        summary.lastRow = 199;
        summary.currentLine = module.text.LineCount - 1;
        for (int p = 0; p < 200; ++p) {
            rows[size_t(p)] = {60, 15000, 8, 3, 1, 2, u"≪こくさいの□■へいわ□■およびあんぜんを□□■"_qs.repeated(4)};
            summary.counters.Keystrokes += 60;
            summary.counters.Conversions += 8;
            summary.counters.Confirmations += 3;
            summary.counters.TeiseiCount += 1;
            summary.counters.ShuseiCount += 2;
        }
        summary.elapsedMs = 200 * 15000;
        // Other texts' lines, so that the BestRec.log update has something to keep.
        QFile best(module.logBoxPath() + u"/BestRec.log"_qs);
        best.open(QIODevice::WriteOnly);
        for (int t = 0; t < 1000; ++t)
            best.write(
                cp932::encode(u"j%1   240101    455   700   150.0 S段   431.6 SS    6.6◎  2.6☆  0.7◎  2.2○\r\n"_qs.arg(
                    t, 12, 10, QChar(u'0'))));
    }
    QTemporaryDir dir;
    Module1 module;
    AttemptSummary summary;
    std::array<ParagraphResult, 201> rows;
};

// Everything the end of a whole-text attempt does to compute and store its records, on a new
// best (the longest path: log, BestRec.log, text file, "d" and "b" files).
void WholeTextRecords200Paragraphs(benchmark::State& state) {
    RecordsFixture fixture;
    const QDateTime now(QDate(2024, 1, 31), QTime(21, 0));
    for (auto _ : state) {
        fixture.module.text.bestTimes = BestTimesLine::empty();
        const ResultComputation::AttemptResult result =
            ResultComputation::computeAttempt(fixture.module, fixture.summary);
        const RecordFiles::RecordOutcome out =
            RecordFiles::writeAttemptRecords(fixture.module, fixture.summary, fixture.rows, result, now);
        if (!out.ok()) state.SkipWithError("records could not be written");
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(WholeTextRecords200Paragraphs)->Unit(benchmark::kMillisecond);

// The lines of the "d" file alone: 200 paragraphs graded one by one.
void DetailLines200Paragraphs(benchmark::State& state) {
    RecordsFixture fixture;
    const ResultComputation::AttemptResult result = ResultComputation::computeAttempt(fixture.module, fixture.summary);
    const QStringList paragraphs = fixture.module.text.TextLines.mid(5);
    for (auto _ : state) {
        const QStringList lines =
            RecordFiles::detailLines(result.figures, fixture.module.text.counts.total, paragraphs, fixture.rows, 0);
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(DetailLines200Paragraphs)->Unit(benchmark::kMicrosecond);

} // namespace
