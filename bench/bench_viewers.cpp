#include "BenchSupport.h"
#include "core/practice/Session.h"
#include "core/records/BestRecordList.h"
#include "core/records/LogQueries.h"
#include "core/util/Cp932.h"
#include "ui/records/BestRecordsDialog.h"
#include "ui/records/PracticeLogDialog.h"

#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

// A program folder with 1,000 texts, a month log of 20,000 attempts over them (whole texts
// and paragraphs, Japanese and English) and a BestRec.log of 5,000 lines.
struct ViewerFolder {
    ViewerFolder() {
        session.programFolder = dir.path();
        QDir().mkpath(session.fileBoxPath());
        QDir().mkpath(session.logBoxPath());
        for (int t = 0; t < 1000; ++t)
            write(u"/FileBox/24%1.txt"_s.arg(t, 10, 10, QChar(u'0')), u"出所\r\n240101\r\n表題 %1\r\n"_s.arg(t));
        QString log;
        for (int i = 0; i < 20000; ++i) {
            const QString id = u"24%1"_s.arg(i % 1000, 10, 10, QChar(u'0'));
            const QString head = i % 3 ? u" 通し 全体"_s : u" 第%1段落"_s.arg(i % 200 + 1, 3);
            log += id + (i % 2 ? u"日"_s : u"英"_s) + u" 240131"_s + head +
                   u"   455   700   150.0 S段   431.6 SS   6.6◎  2.6☆  0.7◎  2.2○\r\n"_s;
        }
        write(u"/LogBox/202401Practice.log"_s, log);
        QString best;
        for (int i = 0; i < 5000; ++i)
            best +=
                (i % 2 ? u"j"_s : u"e"_s) +
                u"24%1   2%2    455   700  %3 S段  %4 SS    6.6◎  2.6☆  0.7◎  2.2○\r\n"_s.arg(i, 10, 10, QChar(u'0'))
                    .arg(i % 99999, 5, 10, QChar(u'0'))
                    .arg(double(i % 997) / 3, 6, 'f', 1)
                    .arg(double(i % 991) * 1.7, 6, 'f', 1);
        write(u"/LogBox/BestRec.log"_s, best);
    }
    void write(const QString& name, const QString& text) {
        QFile f(dir.path() + name);
        f.open(QIODevice::WriteOnly);
        f.write(cp932::encode(text));
    }
    QTemporaryDir dir;
    Session session;
};

// Clicks the option buttons in turn, as a user changing the choices does; each click lists anew.
template <typename Dialog>
void clickThroughOptions(benchmark::State& state, const std::vector<const char*>& buttons, bool japaneseDisplay) {
    bench::ensureApplication();
    ViewerFolder folder;
    Dialog dialog(folder.session, japaneseDisplay, nullptr);
    dialog.show();
    QCoreApplication::processEvents();
    size_t next = 0;
    for (auto _ : state) {
        dialog.template findChild<QRadioButton*>(QString::fromLatin1(buttons[next++ % buttons.size()]))->click();
        QCoreApplication::processEvents(); // the list repaints
        benchmark::DoNotOptimize(dialog.rows().size());
    }
}

// 20,000-line month: every order, language and kind choice, record form and half-width form.
void LogWindowChoice20000Lines(benchmark::State& state) {
    clickThroughOptions<PracticeLogDialog>(state,
                                           {"orderGroupOption1", "languageGroupOption1", "kindGroupOption2",
                                            "languageGroupOption0", "kindGroupOption0", "orderGroupOption0"},
                                           state.range(0) != 0);
}
BENCHMARK(LogWindowChoice20000Lines)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// 5,000-line BestRec.log: every order and language.
void BestRecordsWindowChoice5000Lines(benchmark::State& state) {
    clickThroughOptions<BestRecordsDialog>(state,
                                           {"orderGroupOption1", "orderGroupOption2", "languageGroupOption1",
                                            "orderGroupOption3", "orderGroupOption0", "languageGroupOption0"},
                                           true);
}
BENCHMARK(BestRecordsWindowChoice5000Lines)->Unit(benchmark::kMillisecond);

// Opening the best-records window: reading BestRec.log and FileBox, ordering and listing.
void BestRecordsWindowOpen5000Lines(benchmark::State& state) {
    bench::ensureApplication();
    ViewerFolder folder;
    for (auto _ : state) {
        BestRecordsDialog dialog(folder.session, true, nullptr);
        benchmark::DoNotOptimize(dialog.rows().size());
    }
}
BENCHMARK(BestRecordsWindowOpen5000Lines)->Unit(benchmark::kMillisecond);

// The filtering alone, without the window.
void LogRows20000Lines(benchmark::State& state) {
    ViewerFolder folder;
    const QStringList lines = LogQueries::readMonth(folder.session.logBoxPath(), u"2024.01").lines;
    for (auto _ : state)
        benchmark::DoNotOptimize(LogQueries::rows(lines, {1, 1, 1}, state.range(0) != 0).size());
}
BENCHMARK(LogRows20000Lines)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace
