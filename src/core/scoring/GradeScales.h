#pragma once

#include "core/texts/TextStats.h"

#include <QString>
#include <QStringView>

#include <span>

/**
 * The grade tables of the five judgement standards and of the program's own level, the
 * choice of table for a text, and the short half-width forms of the grade labels that the
 * list windows show when full-width text cannot be rendered at full width.
 *
 * Every scale is graded the same way: a value below a bound takes that bound's label, a
 * value on the bound takes the next one. Bounds are single-precision constants and values
 * arrive as single precision, so a figure computed as 89.99999 stays below 90 even though
 * it prints as "90.0".
 */

/** Which tables a text is graded with; mixed texts get no grade at all. */
enum class LanguageClass { Mixed, Japanese, English };

/** Number of judgement standards (the items of the standard menu, index 0..4). */
inline constexpr int StandardCount = 5;

/** Standard grade kept when no table applies; also the label of a speed below a table's lowest grade. */
inline constexpr char16_t NoGrade[] = u" - ";
/** The own level the result panel starts from (and keeps for a mixed text). */
inline constexpr char16_t NoOwnLevel[] = u" - ";
/** The own level a best-times list built after an attempt or on loading a text starts from. */
inline constexpr char16_t NoOwnLevelInBestList[] = u"-";
/** The own level a best-times list rebuilt after a change of standard starts from. */
inline constexpr char16_t NoOwnLevelAfterStandardChange[] = u" -";

/** An ordered list of upper bounds and the label of each band; labels has one entry more than bounds. */
struct GradeScale {
    std::span<const float> bounds;       ///< strictly ascending
    std::span<const QStringView> labels; ///< labels[i] below bounds[i]; the last at or above the last bound
};

/**
 * Language class of a text or paragraph: English when half-width ÷ total >= 0.8, Japanese when
 * full-width ÷ total >= 0.8, otherwise (and for a text without characters) mixed.
 */
LanguageClass languageClass(const CharCounts& counts);

/** The table of a judgement standard for a language class; nullptr when there is none. */
const GradeScale* standardScale(int standard, LanguageClass language);
/** The own-level table of a language class (seconds per 400 weighted keystrokes); nullptr for a mixed text. */
const GradeScale* ownLevelScale(LanguageClass language);

/** Grade of a characters-per-minute figure under a judgement standard; NoGrade when there is no table. */
QString gradeForStandard(int standard, LanguageClass language, float cpm);
/** Own level ("ZS" best … "J", "-" slowest) of the seconds per 400 weighted keystrokes; `ungraded` for a mixed text. */
QString ownLevel(LanguageClass language, float secondsPer400, QStringView ungraded = NoOwnLevel);

/** Three-character half-width form of a grade label, trimmed first: "3級" -> "3ky", "10A" as is, unknown "Sky". */
QString shortGrade(QStringView label);
/** Characters a grade label fills in a record line, trimmed first: 3 for " - " and "10E".."10A", 2 for all others. */
int gradeLabelWidth(QStringView label);

/** Best-records line (without its language letter) with the grade at position 44 replaced by its short form. */
QString shortGradeForBestList(QStringView line);
/** Log-window form of a grade field: the short form, widened to 4 characters for a two-character label. */
QString shortGradeForLog(QStringView gradeField);
