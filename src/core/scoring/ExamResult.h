#pragma once

#include "core/scoring/GradeScales.h"

#include <QString>
#include <QStringView>

#include <array>

/**
 * The figures of a timed exam: what was typed when the time ran out, the errors still in
 * the input, the net characters and their speed, and the grade every judgement standard
 * gives that speed.
 */
namespace ExamResult {

/** What the input held when the exam ended. */
struct Tally {
    qint32 typed = 0;       ///< characters typed: completed paragraphs and the input of the current one
    qint32 errorsLeft = 0;  ///< characters of the input that differ from the text, or run past its end
    qint32 corrections = 0; ///< deletions of committed input (訂正) made during the exam
};

/**
 * The tally of an exam: `doneChars` characters of completed paragraphs, then the input
 * (committed text only: a composition under way is not typed yet) against the paragraph.
 */
Tally tally(qint32 doneChars, QStringView input, QStringView paragraph, qint32 corrections);

/** The exam's figures as the result shows them and its file keeps them. */
struct Figures {
    int minutes = 0;      ///< the exam's length
    qint32 elapsedMs = 0; ///< the time used: the whole length, or less when the text ran out first
    bool timeUp = true;   ///< false: the whole text was typed before the time was up
    Tally tally;
    qint32 net = 0;                            ///< typed minus errors left, never below 0
    float netCpm = 0.0f;                       ///< net characters per minute of the time used
    QString netCpmText;                        ///< "#0.0"
    std::array<QString, StandardCount> grades; ///< one per judgement standard, NoGrade without a table
};

/** The figures of an exam of `minutes` that used `elapsedMs`, graded for a text of the given language class. */
Figures figures(const Tally& tally, int minutes, qint32 elapsedMs, bool timeUp, LanguageClass language);

} // namespace ExamResult
