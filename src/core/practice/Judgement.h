#pragma once

#include "core/practice/SegmentLayout.h"

#include <QStringView>

/** The judgement's running figures, kept by the attempt. */
struct JudgementCounts {
    qint32& CorrectPrefix;
    qint32& MismatchCount;
    qint32& PrevMismatchCount;
};

/** What one input change did. */
struct JudgementResult {
    int firstChanged = -1; ///< cells whose look changed (to repaint), -1 when none
    int lastChanged = -1;
    bool enableTimer4 = false; ///< the input is longer than the judgement window
    bool missSound = false;    ///< a new mismatch appeared and the miss sound is on
};

/**
 * Judges a change of the input box (Text1_Change) against the segment: the characters of
 * the judgement window `window` at the end of the input are coloured right or wrong
 * (wrong ones underlined), CorrectPrefix follows the first mismatch, the cells after the
 * input return to untyped, and the miss sound is due when mismatches grew. `missSoundOn`
 * is settings entry 10 being 0. When the attempt is not running only the window check runs.
 */
JudgementResult judgeInput(TargetDisplay& display, QStringView input, int window, bool running, bool missSoundOn,
                           JudgementCounts counts);

/**
 * Timer4: recolours the characters before the judgement window (positions 1 .. n - window - 1),
 * counting their mismatches; CorrectPrefix is left alone.
 */
JudgementResult recolourBeforeWindow(TargetDisplay& display, QStringView input, int window, qint32& MismatchCount);
