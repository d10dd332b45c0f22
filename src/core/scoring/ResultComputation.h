#pragma once

#include "core/scoring/BestTimes.h"
#include "core/scoring/GradeScales.h"
#include "core/texts/TextStats.h"

#include <QString>
#include <QStringView>

#include <array>

struct AttemptSummary;
struct CurrentText;
class SettingsTable;

/**
 * The figures of a finished attempt as the result panel shows them, the ten best times of
 * a text and the best-records list beside them. Everything is text, because the record
 * lines copy the panel's texts: the rounding of "#0.0" is what the files keep.
 */
namespace ResultComputation {

/** The four operation rows of the result panel, in panel order (conversionRow .. revisionRow). */
enum Operation { Conversion = 0, Confirmation = 1, Correction = 2, Revision = 3 };
inline constexpr int OperationCount = 4;

/** Marks of an operation row, best first. */
inline constexpr char16_t MarkBest[] = u"☆";
inline constexpr char16_t MarkGood[] = u"◎";
inline constexpr char16_t MarkFair[] = u"○";
inline constexpr char16_t MarkPoor[] = u"△";
inline constexpr char16_t MarkBad[] = u"×";
/** Rate text of a count that reaches the character count. */
inline constexpr char16_t Overflow[] = u"Ovfl";
/** What the rows 変換, 確定 and 修正 show in all three cells for a text that is not Japanese. */
inline constexpr char16_t NotCounted[] = u"-";

/** Lowest elapsed time any figure is computed from, in milliseconds. */
inline constexpr qint32 MinimumElapsedMs = 10;

/** The counters and text counts one result is computed from (a whole attempt or one paragraph). */
struct ResultInput {
    CharCounts counts;    ///< of the practised text or paragraph
    qint32 elapsedMs = 0; ///< raised to MinimumElapsedMs
    qint32 keystrokes = 0;
    std::array<qint32, OperationCount> operations{}; ///< 変換, 確定, 訂正, 修正
    int standard = 0;                                ///< judgement standard 0..4
    /**
     * Counts up to this give "☆" under 変換 and 確定: the paragraph count in whole-text practice,
     * where every paragraph end may take one confirmation; 0 in paragraph practice and for the
     * paragraphs of the details file.
     */
    qint32 paragraphExemption = 0;
    /** The own level that stands when none is graded: " - " for the result panel, "-" for a details line. */
    QString ownLevelStart = QString::fromUtf16(NoOwnLevel);
    /** The text's eligibility; anything short of Available greys the grades. */
    Eligibility eligibility = Eligibility::Available;
};

/** One operation row: count, rate and mark (conversionRow(0..2) .. revisionRow(0..2)). */
struct OperationRow {
    QString count;
    QString rate;
    QString mark;
};

/** The texts of the result panel after an attempt. */
struct ResultFigures {
    qint32 elapsedMs = MinimumElapsedMs;           ///< the floored time every figure came from
    QString keystrokes;                            ///< 打数
    std::array<OperationRow, OperationCount> rows; ///< conversionRow .. revisionRow
    QString cpm;                                   ///< CPM, also the live speed figure
    float cpmValue = 0.0f;                         ///< the single-precision value the grade was taken from
    QString grade;                                 ///< grade
    QString scr;                                   ///< score
    QString ownLevel;                              ///< own level
    bool japaneseOperations = true;                ///< false: 変換, 確定 and 修正 show "-"
    bool greyGrades = false;                       ///< grade, own level and the marks in the button-shadow colour
};

/** True when the grades are shown grey: the text is only provisionally eligible, or not at all. */
bool greyGrades(Eligibility eligibility);

/** The rate text of an operation count: count × 100 ÷ characters as "#0.0", "Ovfl" at 100 % or more. */
QString operationRate(qint32 count, qint32 characters);

/**
 * The mark of an operation count. Under 変換 and 確定 a count of at most 1, or at most the
 * exemption, is "☆" whatever the ratio; otherwise the ratio count ÷ characters is tested
 * from "×" towards "☆". Ratios are compared exactly, so a ratio on a bound takes the better mark.
 */
QString operationMark(Operation row, qint32 count, qint32 characters, qint32 paragraphExemption = 0);

/** The figures of one attempt or paragraph, in the order the panel is filled. */
ResultFigures computeResult(const ResultInput& input);

/** Where the time of an attempt goes in the best-times table. */
struct BestTimesUpdate {
    float seconds = BestTimesLine::EmptyTime; ///< the attempt's time, single precision
    bool newBest = false;                     ///< strictly below the old best: BestRec.log and the "b" file
    int row = -1;                             ///< the row the time took; -1 when the table is unchanged
    BestTimes times = BestTimesLine::empty(); ///< the table afterwards
};

/**
 * Enters a whole-text time: the first row whose time is strictly greater takes it and the rows
 * below move down one place (the last drops out). An equal time never displaces an older one.
 */
BestTimesUpdate updateBestTimes(const BestTimes& times, qint32 elapsedMs);

/** Everything the end of an attempt shows. */
struct AttemptResult {
    ResultFigures figures;
    bool wholeText = true;
    BestTimesUpdate best; ///< whole-text practice only; paragraph attempts leave it unchanged
};

/**
 * The result of the attempt that has just ended, from the loaded text (its counts are those of
 * the practised paragraph in paragraph practice), the standard in the settings and the best times.
 */
AttemptResult computeAttempt(const CurrentText& text, const SettingsTable& settings, const AttemptSummary& summary);

/** The LVL of the last attempt again under another standard, from its counts and kept elapsed time. */
QString regrade(const CharCounts& counts, qint32 elapsedMs, int standard);

/** One row of the best-records list (bestCpm, bestGrade, bestScore, bestOwnLevel and the two tooltips). */
struct BestListRow {
    bool filled = false; ///< false: every caption and tooltip is cleared
    QString cpm;         ///< "0"
    QString cpmTip;      ///< "0.00"
    QString grade;
    QString scr;    ///< "0"
    QString scrTip; ///< "0.00"
    QString ownLevel;
    bool red = false;        ///< the last attempt's new entry: the whole row in red
    bool greyGrades = false; ///< grade and own level in the button-shadow colour (unless red)
};
using BestList = std::array<BestListRow, 10>;

/** What the best-records list is built from. */
struct BestListInput {
    BestTimes times = BestTimesLine::empty();
    CharCounts counts; ///< of the whole text: the times are whole-text times
    int standard = 0;
    /** "-" after an attempt and on loading a text, " -" after a change of standard. */
    QString ownLevelStart = QString::fromUtf16(NoOwnLevelInBestList);
    Eligibility eligibility = Eligibility::Available;
    int redRow = -1; ///< row entered by the last attempt, -1 for none
};

/** The ten rows of the best-records list. */
BestList bestList(const BestListInput& input);

} // namespace ResultComputation
