#include "BenchSupport.h"
#include "core/records/DetailAnalysis.h"
#include "ui/common/Twips.h"
#include "ui/records/DetailCellView.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <memory>

using namespace Qt::StringLiterals;
using namespace DetailAnalysis;

namespace {

// An operation string that fills the whole grid: Japanese typed through the input method with
// conversions, confirmations, corrections and misplaced ones, so both passes and the blinking
// have work on every row.
QString fullGridOperations() {
    const QString piece = u"わたしは□■、まいにち□□□□■れんしゅう＜＜□■を≪≪ab cd 12□■３"_s;
    QString operations;
    while (operations.size() < 2400)
        operations += piece;
    return operations;
}

void BM_DetailGridBuild1600(benchmark::State& state) {
    const QString operations = fullGridOperations();
    const FixedCellMetrics metrics(NarrowWidth, CellHeight);
    auto grid = std::make_unique<DetailGrid>();
    for (auto _ : state) {
        buildGrid(*grid, operations, metrics);
        benchmark::DoNotOptimize(grid->rowCount);
    }
    state.counters["cells"] = grid->cellsInUse;
    state.counters["rows"] = grid->rowCount;
}
BENCHMARK(BM_DetailGridBuild1600)->Unit(benchmark::kMicrosecond);

// The whole grid painted at once, every row inside the widget.
struct PaintedGrid {
    PaintedGrid() {
        bench::ensureApplication();
        view = std::make_unique<DetailCellView>();
        buildGrid(*grid, fullGridOperations(), view->metrics());
        view->setGrid(grid.get());
        view->resize(twips::toPixels(ViewportWidth), twips::toPixels(FirstTop + grid->rowCount * RowPitch));
        image = QImage(view->size(), QImage::Format_ARGB32_Premultiplied);
    }
    std::unique_ptr<DetailGrid> grid = std::make_unique<DetailGrid>();
    std::unique_ptr<DetailCellView> view;
    QImage image;
};

void BM_DetailGridPaint1600(benchmark::State& state) {
    PaintedGrid painted;
    for (auto _ : state)
        painted.view->render(&painted.image);
    state.counters["cells"] = painted.grid->cellsInUse;
}
BENCHMARK(BM_DetailGridPaint1600)->Unit(benchmark::kMicrosecond);

// One blink tick: the analysis swaps the flagged cells and only their rectangles are painted.
void BM_DetailBlinkTick(benchmark::State& state) {
    PaintedGrid painted;
    std::vector<int> changed;
    for (auto _ : state) {
        changed.clear();
        blinkTick(*painted.grid, changed);
        QRegion region;
        for (const int k : changed)
            region += painted.view->cellRect(k);
        painted.view->render(&painted.image, region.boundingRect().topLeft(), region);
    }
    state.counters["changedCells"] = double(changed.size());
}
BENCHMARK(BM_DetailBlinkTick)->Unit(benchmark::kMicrosecond);

} // namespace
