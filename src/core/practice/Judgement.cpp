#include "core/practice/Judgement.h"

namespace {

// Positions count from 1; judging stops after position 800.
constexpr int LastJudgedPosition = 800;

void noteChange(JudgementResult& r, int cell) {
    if (r.firstChanged < 0 || cell < r.firstChanged) r.firstChanged = cell;
    if (cell > r.lastChanged) r.lastChanged = cell;
}

// Judges position i (from 1); true when it matches its target.
bool judgePosition(TargetDisplay& display, QStringView input, int i, JudgementResult& r) {
    const int cell = i - 1;
    const bool match = cell < display.targetChars.size() && input[cell] == display.targetChars[cell];
    if (display.setCellState(cell, match ? CellState::Correct : CellState::Wrong)) noteChange(r, cell);
    return match;
}

} // namespace

JudgementResult judgeInput(TargetDisplay& display, QStringView input, int window, bool running, bool missSoundOn,
                           JudgementCounts counts) {
    JudgementResult r;
    const int n = int(input.size());
    int start = 1;
    if (n > window) {
        start = n - window;
        r.startRecolour = true;
    }
    if (!running) return r;

    bool mismatch = false;
    for (int i = start; i <= n && i <= LastJudgedPosition; ++i) {
        if (judgePosition(display, input, i, r)) continue;
        ++counts.mismatchCount;
        if (!mismatch && i != start) counts.correctPrefix = i - 1;
        mismatch = true;
    }
    // Positions past the last cell are never judged; an input that long (a huge paste) must not
    // count as typed correctly beyond the segment.
    const int segmentLength = std::min<int>(int(display.segmentText.size()), TargetDisplay::CellCount);
    if (!mismatch) counts.correctPrefix = std::min(n, segmentLength);

    if (missSoundOn) {
        r.missSound = counts.mismatchCount > counts.previousMismatchCount;
        counts.previousMismatchCount = counts.mismatchCount;
        counts.mismatchCount = 0;
    }

    for (int i = n + 1; i <= segmentLength; ++i)
        if (display.setCellState(i - 1, CellState::Untyped)) noteChange(r, i - 1);
    return r;
}

JudgementResult recolourBeforeWindow(TargetDisplay& display, QStringView input, int window, qint32& mismatchCount) {
    JudgementResult r;
    const int n = int(input.size());
    for (int i = 1; i <= n - window - 1 && i <= LastJudgedPosition; ++i)
        if (!judgePosition(display, input, i, r)) ++mismatchCount;
    return r;
}
