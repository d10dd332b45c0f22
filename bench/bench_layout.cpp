#include "BenchSupport.h"
#include "core/practice/SegmentLayout.h"
#include "ui/common/CharCellView.h"
#include "ui/common/FontCellMetrics.h"
#include "ui/common/Twips.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A segment of 800 shown characters of practice prose. The Japanese one gets a reading every 40
// characters, as an annotated text has. (The samples are left alone: the text benchmarks time
// their first read.)
QString segment800(bool japanese) {
    const QString prose =
        japanese ? u"私たちは、毎日の練習を通じて正確で速い入力を身につけることを目指します。文書の作成には、"
                   u"漢字とかなの使い分け、句読点の位置、変換の確かさが求められます。"_s
                 : u"Typing practice builds accurate and steady habits, one paragraph at a time. Every word "
                   u"that crosses the right edge of the panel moves whole to the next row of the display. "_s;
    QString segment;
    int shown = 0;
    for (qsizetype i = 0; shown < 800; ++i) {
        segment += prose[i % prose.size()];
        ++shown;
        if (japanese && shown % 40 == 0) segment += u"《よみがな》"_s;
    }
    return segment;
}

void layoutBenchmark(benchmark::State& state, bool japanese, const CellMetrics& metrics) {
    const QString line = segment800(japanese);
    const QString next = segment800(japanese).left(200);
    auto display = std::make_unique<TargetDisplay>();
    for (auto _ : state) {
        layoutSegment(*display, line, next, false, metrics, TextPanelWidth, 4);
        benchmark::DoNotOptimize(display->rowCount);
    }
    state.counters["cells"] = display->cellsInUse();
    state.counters["rows"] = display->rowCount;
}

void BM_LayoutSegmentJapanese800(benchmark::State& state) {
    layoutBenchmark(state, true, FixedCellMetrics::forPointSize(12));
}
BENCHMARK(BM_LayoutSegmentJapanese800)->Unit(benchmark::kMicrosecond);

// English rows end in the word rule, which looks back over the word and lays it out again.
void BM_LayoutSegmentEnglish800(benchmark::State& state) {
    layoutBenchmark(state, false, FixedCellMetrics::forPointSize(10));
}
BENCHMARK(BM_LayoutSegmentEnglish800)->Unit(benchmark::kMicrosecond);

// With the real font's metrics, as the program runs (widths measured once, then cached).
void BM_LayoutSegmentFontMetrics800(benchmark::State& state) {
    bench::ensureApplication();
    const FontCellMetrics metrics(12);
    layoutBenchmark(state, true, metrics);
}
BENCHMARK(BM_LayoutSegmentFontMetrics800)->Unit(benchmark::kMicrosecond);

// 800 cells laid out at 12 points (20 rows), all inside the widget, a third typed right and a
// few wrong, painted offscreen into an image.
struct PaintedCells {
    PaintedCells() {
        bench::ensureApplication();
        display = std::make_unique<TargetDisplay>();
        layoutSegment(*display, segment800(true), {}, true, FontCellMetrics(12), TextPanelWidth, 4);
        for (int k = 0; k < 300; ++k)
            display->setCellState(k, k % 37 == 5 ? CellState::Wrong : CellState::Correct);
        view = std::make_unique<CharCellView>();
        view->setPointSize(12);
        view->setStateColours(Qt::black, Qt::lightGray, Qt::red);
        view->setBackgroundColour(Qt::white);
        view->setDisplay(display.get());
        const CharCell& last = display->cells[size_t(display->cellsInUse() - 1)];
        view->resize(twips::toPixels(TextPanelWidth), twips::toPixels(last.top + last.height) + 1);
        image = QImage(view->size(), QImage::Format_ARGB32_Premultiplied);
    }
    std::unique_ptr<TargetDisplay> display;
    std::unique_ptr<CharCellView> view;
    QImage image;
};

void BM_CellViewPaint800(benchmark::State& state) {
    PaintedCells cells;
    for (auto _ : state)
        cells.view->render(&cells.image);
    state.counters["cells"] = cells.display->cellsInUse();
}
BENCHMARK(BM_CellViewPaint800)->Unit(benchmark::kMicrosecond);

// The repaint after one input change: the one cell whose state changed.
void BM_CellViewRepaintOneCell(benchmark::State& state) {
    PaintedCells cells;
    const QRegion cell(cells.view->cellRect(400));
    int k = 0;
    for (auto _ : state) {
        cells.display->setCellState(400, ++k % 2 ? CellState::Wrong : CellState::Correct);
        cells.view->render(&cells.image, cell.boundingRect().topLeft(), cell);
    }
}
BENCHMARK(BM_CellViewRepaintOneCell)->Unit(benchmark::kMicrosecond);

} // namespace
