#include "BenchSupport.h"
#include "core/practice/Session.h"
#include "core/records/CsvExport.h"
#include "core/records/ExamLog.h"
#include "core/records/LogEntries.h"
#include "core/records/ProgressChart.h"
#include "core/records/TextTitles.h"
#include "core/util/Cp932.h"
#include "ui/records/ProgressChartDialog.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

// Ten years of daily practice: 100,000 attempts in 120 month logs over 200 texts, whole texts
// and paragraphs, Japanese and English, the speed rising over the years; and 1,000 timed exams.
struct TenYears {
    TenYears() {
        session.programFolder = dir.path();
        QDir().mkpath(session.fileBoxPath());
        QDir().mkpath(session.logBoxPath());
        constexpr int Attempts = 100000;
        const QDate start(2016, 1, 1);
        QString month;
        QDate monthOf = start;
        for (int i = 0; i < Attempts; ++i) {
            const QDate day = start.addDays(i * 3650 / Attempts);
            if (day.month() != monthOf.month()) {
                write(monthOf, month);
                month.clear();
                monthOf = day;
            }
            const bool japanese = i % 3 != 0;
            const QString head = i % 4 ? u" 通し 全体"_s : u" 第%1段落"_s.arg(i % 20 + 1, 3);
            month += u"24%1"_s.arg(i % 200, 10, 10, QChar(u'0')) + (japanese ? u"日 "_s : u"英 "_s) +
                     day.toString(u"yyMMdd"_s) + head + u"   455   700"_s +
                     u"%1"_s.arg(60.0 + i / 1000.0 + i % 17, 8, 'f', 1) + u" S段"_s +
                     u"%1"_s.arg(200.0 + i / 400.0 + i % 23, 8, 'f', 1) + u" SS   6.6◎  2.6☆  0.7◎  2.2○\r\n"_s;
        }
        write(monthOf, month);

        QByteArray exams = QByteArray(ExamLog::FormatLine) + '\n' + ExamLog::columnLine() + '\n';
        for (int i = 0; i < 1000; ++i) {
            ExamResult::Figures f;
            f.minutes = 10;
            f.elapsedMs = 600000;
            f.tally = {1000 + i, i % 7, i % 5};
            f.net = f.tally.typed - f.tally.errorsLeft;
            f.netCpm = float(f.net) / 10;
            const QString id = u"24%1"_s.arg(i % 200, 10, 10, QChar(u'0'));
            exams +=
                ExamLog::line({QDateTime(start.addDays(i * 3650 / 1000), QTime(20, 0)), f, id + u".txt"_s, id}) + '\n';
        }
        QFile f(session.logBoxPath() + u'/' + QString::fromUtf16(ExamLog::FileName));
        f.open(QIODevice::WriteOnly);
        f.write(exams);
    }
    void write(const QDate& month, const QString& text) {
        QFile f(session.logBoxPath() + u'/' + month.toString(u"yyyyMM"_s) + u"Practice.log"_s);
        f.open(QIODevice::WriteOnly);
        f.write(cp932::encode(text));
    }
    QTemporaryDir dir;
    Session session;
};

TenYears& tenYears() {
    static TenYears folder;
    return folder;
}

// Reading every month log and building the chart of one language, as the window does on opening.
void BM_ChartModelOf100000Attempts(benchmark::State& state) {
    TenYears& folder = tenYears();
    for (auto _ : state) {
        const LogEntries::Reading read = LogEntries::readAllMonths(folder.session.logBoxPath());
        const std::vector<qint64> times = ProgressChart::attemptTimes(read.entries);
        QFile examFile(folder.session.logBoxPath() + u'/' + QString::fromUtf16(ExamLog::FileName));
        examFile.open(QIODevice::ReadOnly);
        const std::vector<ProgressChart::Exam> exams =
            ProgressChart::exams(ExamLog::parse(examFile.readAll()), read.entries, folder.session.fileBoxPath());
        ProgressChart::Model model = ProgressChart::build(read.entries, times, {}, exams);
        benchmark::DoNotOptimize(model);
        state.counters["attempts"] = double(read.entries.size());
        state.counters["exams"] = double(model.exams.size());
    }
}
BENCHMARK(BM_ChartModelOf100000Attempts)->Unit(benchmark::kMillisecond);

// The whole window: reading, the model, the chart's series and axes, shown and painted once.
void BM_ChartWindowOf100000Attempts(benchmark::State& state) {
    TenYears& folder = tenYears();
    bench::ensureApplication();
    for (auto _ : state) {
        ProgressChartDialog dialog(folder.session, nullptr);
        dialog.show();
        benchmark::DoNotOptimize(dialog.grab());
    }
}
BENCHMARK(BM_ChartWindowOf100000Attempts)->Unit(benchmark::kMillisecond)->Iterations(3);

// The CSV of every attempt of ten years.
void BM_CsvOf100000Attempts(benchmark::State& state) {
    TenYears& folder = tenYears();
    const LogEntries::Reading read = LogEntries::readAllMonths(folder.session.logBoxPath());
    const TextTitles titles(folder.session.fileBoxPath());
    for (auto _ : state)
        benchmark::DoNotOptimize(CsvExport::document(read.entries, titles));
}
BENCHMARK(BM_CsvOf100000Attempts)->Unit(benchmark::kMillisecond);

} // namespace
