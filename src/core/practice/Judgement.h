#pragma once

#include "core/practice/SegmentLayout.h"

#include <QStringView>

/** The judgement's running figures, kept by the attempt. */
struct JudgementCounts {
    qint32& correctPrefix;
    qint32& mismatchCount;
    qint32& previousMismatchCount;
};

/** What one input change did. */
struct JudgementResult {
    int firstChanged = -1; ///< cells whose look changed (to repaint), -1 when none
    int lastChanged = -1;
    bool startRecolour = false; ///< the input is longer than the judgement window
    bool missSound = false;     ///< a new mismatch appeared and the miss sound is on
};

/**
 * Judges a change of the input box (inputChanged) against the segment: the characters of
 * the judgement window `window` at the end of the input are coloured right or wrong
 * (wrong ones underlined), correctPrefix follows the first mismatch, the cells after the
 * input return to untyped, and the miss sound is due when mismatches grew. `missSoundOn`
 * is settings entry 10 being 0. When the attempt is not running only the window check runs.
 */
JudgementResult judgeInput(TargetDisplay& display, QStringView input, int window, bool running, bool missSoundOn,
                           JudgementCounts counts);

/**
 * recolourTimer: recolours the characters before the judgement window (positions 1 .. n - window - 1),
 * counting their mismatches; correctPrefix is left alone.
 */
JudgementResult recolourBeforeWindow(TargetDisplay& display, QStringView input, int window, qint32& mismatchCount);
