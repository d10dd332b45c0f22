#include "core/practice/TextLoading.h"
#include "core/records/RecordDeletion.h"
#include "core/records/RecordFiles.h"
#include "core/scoring/ResultComputation.h"
#include "core/settings/Options.h"
#include "core/settings/SettingsTable.h"
#include "core/util/Cp932.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

// A 200-paragraph Japanese text in FileBox with a finished whole-text attempt over it.
struct RecordsFixture {
    RecordsFixture() {
        module.programFolder = dir.path();
        QDir().mkpath(module.fileBoxPath());
        QDir().mkpath(module.logBoxPath());
        Options::applyStartupDefaults(module.settings);
        const QString paragraph = u"国際の平和及び安全を維持するために、われらの力を合わせ、共同の利益を守る。"_s;
        QStringList lines = {u"出所"_s, u"000000"_s, u"表題"_s, QString(), BestTimesLine::emptyLine()};
        CharCounts total;
        for (int p = 0; p < 200; ++p) {
            lines.append(paragraph);
            total += classifyChars(paragraph);
        }
        lines[3] = countsLine(total);
        QFile f(module.fileBoxPath() + u"/240115093000.txt"_s);
        f.open(QIODevice::WriteOnly);
        f.write(cp932::encode(lines.join(u"\r\n"_s) + u"\r\n"_s));
        f.close();
        module.settings[Options::CurrentFile].address = u"240115093000.txt"_s;
        QString error;
        TextLoading::loadOwnText(module, &error);

        summary.practiceMode = 0;
        summary.lastRow = 199;
        summary.currentLine = module.text.lineCount - 1;
        for (int p = 0; p < 200; ++p) {
            rows[size_t(p)] = {60, 15000, 8, 3, 1, 2, u"≪こくさいの□■へいわ□■およびあんぜんを□□■"_s.repeated(4)};
            summary.counters.keystrokes += 60;
            summary.counters.conversions += 8;
            summary.counters.confirmations += 3;
            summary.counters.correctionCount += 1;
            summary.counters.revisionCount += 2;
        }
        summary.elapsedMs = 200 * 15000;
        // Other texts' lines, so that the BestRec.log update has something to keep.
        QFile best(module.logBoxPath() + u"/BestRec.log"_s);
        best.open(QIODevice::WriteOnly);
        for (int t = 0; t < 1000; ++t)
            best.write(
                cp932::encode(u"j%1   240101    455   700   150.0 S段   431.6 SS    6.6◎  2.6☆  0.7◎  2.2○\r\n"_s.arg(
                    t, 12, 10, QChar(u'0'))));
    }
    QTemporaryDir dir;
    Session module;
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
            ResultComputation::computeAttempt(fixture.module.text, fixture.module.settings, fixture.summary);
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
    const ResultComputation::AttemptResult result =
        ResultComputation::computeAttempt(fixture.module.text, fixture.module.settings, fixture.summary);
    const QStringList paragraphs = fixture.module.text.textLines.mid(5);
    for (auto _ : state) {
        const QStringList lines =
            RecordFiles::detailLines(result.figures, fixture.module.text.counts.total, paragraphs, fixture.rows, 0);
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(DetailLines200Paragraphs)->Unit(benchmark::kMicrosecond);

// BestRec.log of `texts` texts practised both as Japanese and as English, padded to `minBytes`.
QByteArray bestRecOf(int texts, qint64 minBytes = 0) {
    QByteArray bytes;
    bytes.reserve(qsizetype(std::max<qint64>(minBytes, texts * 2 * 100)));
    int t = 0;
    while (t < texts || bytes.size() < minBytes - 200) {
        for (const char16_t* mark : {u"j", u"e"})
            bytes += cp932::encode(u"%1%2   240101    455   700   150.0 S段   431.6 SS    6.6◎  2.6☆  0.7◎  2.2○\r\n"_s
                                       .arg(QStringView(mark))
                                       .arg(t, 12, 10, QChar(u'0')));
        ++t;
    }
    return bytes;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
}

// A new best of one text among many: read, replace the line in its place, write atomically. The
// window waits for this at the end of an attempt, so it must stay under 100 ms up to the size limit.
void BestRecUpdate(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"BestRec.log"_s);
    const QByteArray bytes =
        state.range(0) > 0 ? bestRecOf(int(state.range(0))) : bestRecOf(0, RecordFiles::MaxBestRecBytes);
    writeFile(path, bytes);
    const QString line = u"j000000000777   240131    455   690   152.0 S段   440.0 SS    6.6◎  2.6☆  0.7◎  2.2○"_s;
    for (auto _ : state) {
        QString error;
        if (!RecordFiles::updateBestRec(path, line, &error)) state.SkipWithError("update failed");
    }
    state.counters["MB"] = double(bytes.size()) / (1024 * 1024);
}
// 30,000 texts, and a file at the size limit (0).
BENCHMARK(BestRecUpdate)->Arg(30000)->Arg(0)->Unit(benchmark::kMillisecond);

// Deleting one text's records from a BestRec.log of 30,000 texts and from one at the size limit.
void RecordDeletionOfOneText(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"BestRec.log"_s);
    const QByteArray bytes =
        state.range(0) > 0 ? bestRecOf(int(state.range(0))) : bestRecOf(0, RecordFiles::MaxBestRecBytes);
    for (auto _ : state) {
        state.PauseTiming();
        writeFile(path, bytes);
        state.ResumeTiming();
        QString error;
        if (!RecordDeletion::removeTextRecords(dir.path(), u"000000000777"_s, &error)) state.SkipWithError("failed");
    }
}
BENCHMARK(RecordDeletionOfOneText)->Arg(30000)->Arg(0)->Unit(benchmark::kMillisecond);

// The settings file at its size limit: a table whose strings fill it (arg 1), or an ordinary table
// followed by surplus bytes (arg 0). Loading happens before the window shows, saving when it closes.
QByteArray settingsAtLimit(bool strings) {
    SettingsTable table;
    Options::applyStartupDefaults(table);
    if (strings) {
        const QString text = u"国際連合憲章前文、世界人権宣言の出典。"_s.repeated(1700); // about 64 KB
        const qsizetype textBytes = cp932::byteLength(text);
        qsizetype size = table.toBytes().size();
        for (int i = 0; i < 150 && size + 2 * textBytes < SettingsFile::MaxFileBytes; ++i, size += 2 * textBytes)
            table[i].name = table[i].address = text;
    }
    QByteArray bytes = table.toBytes();
    bytes.append(QByteArray(SettingsFile::MaxFileBytes - bytes.size(), '\0'));
    return bytes;
}

void SettingsLoadAtLimit(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromUtf16(SettingsFile::FileName));
    writeFile(path, settingsAtLimit(state.range(0) != 0));
    for (auto _ : state) {
        SettingsTable table;
        if (!SettingsFile(path).load(table)) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(SettingsLoadAtLimit)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void SettingsSaveAtLimit(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromUtf16(SettingsFile::FileName));
    writeFile(path, settingsAtLimit(state.range(0) != 0));
    SettingsTable table;
    SettingsFile(path).load(table);
    table.setNumber(2, 14);
    for (auto _ : state) {
        // A new object each time, as the window's close does: it reads the file again for its surplus.
        if (!SettingsFile(path).save(table)) state.SkipWithError("save failed");
    }
}
BENCHMARK(SettingsSaveAtLimit)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
