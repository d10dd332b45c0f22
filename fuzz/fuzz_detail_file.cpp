#include "core/records/AttemptDetails.h"
#include "core/records/DetailAnalysis.h"

#include <cstdint>
#include <memory>

using namespace AttemptDetails;
using namespace DetailAnalysis;

// A details file or Temp.txt as damaged as it may come: the window lists what it can (never
// more rows than operation strings, never more than a text's paragraphs), and every operation
// string draws into at most 1600 cells inside the viewport's width, blinking without reaching
// past them.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const FixedCellMetrics metrics(NarrowWidth, CellHeight);
    static auto grid = std::make_unique<DetailGrid>();
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (int mode = 0; mode <= 2; ++mode) {
        const DetailsContent content = presentDetails({mode, mode != 1, true, {}}, true, bytes);
        if (content.operations.size() > MaxParagraphs) __builtin_trap();
        if (mode != 2 && content.paragraphRows.isEmpty()) __builtin_trap();
        if (mode != 2 && content.paragraphRows.size() > qMax<qsizetype>(1, content.operations.size())) __builtin_trap();
        for (const QString& operations : content.operations) {
            buildGrid(*grid, operations, metrics);
            if (grid->cellsInUse > DetailGrid::DrawableCells) __builtin_trap();
            for (int k = 0; k < grid->cellsInUse; ++k) {
                const DetailCell& cell = grid->cells[size_t(k)];
                if (cell.caption.isEmpty() && k > 0) __builtin_trap();
                if (cell.left < FirstLeft || cell.top < FirstTop) __builtin_trap();
                // Only a row's first cell may reach past the margin (a cell wider than a row cannot wrap).
                if (cell.left > FirstLeft && cell.left + cell.width + RightMargin > ViewportWidth + NarrowWidth * 8)
                    __builtin_trap();
            }
            std::vector<int> changed;
            for (int tick = 0; tick < 3; ++tick)
                blinkTick(*grid, changed);
            for (const int k : changed)
                if (k < 0 || k >= grid->cellsInUse) __builtin_trap();
        }
    }
    return 0;
}
