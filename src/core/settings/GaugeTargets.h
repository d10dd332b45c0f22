#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <span>

/**
 * The target speeds of the speed gauge (characters per minute), one for Japanese texts and one
 * for English texts, and the grade lists that set them: each grade of a judgement standard with
 * the lowest speed that earns it.
 */
namespace GaugeTargets {

enum class Row { Japanese, English };

/** One grade of a list: its label as the list shows it (with a leading blank) and its speed. */
struct Grade {
    QStringView label;
    int cpm;
};

/** Highest target of a row: 400 for Japanese, 1000 for English. */
int maximum(Row row);
/** Step of a large change (a click beside the slider's handle). */
inline constexpr int LargeChange = 10;
/** What a grade list shows before anything is picked, or when the standard has no list. */
inline constexpr char16_t NoGradeText[] = u"  - ";

/** Only standards 0, 1 and 2 grade English texts. */
bool hasEnglishRow(int standard);

/** The grades of a standard, fastest first; empty for a standard without a list for that row. */
std::span<const Grade> grades(int standard, Row row);

/** The first grade in list order whose speed is at most `cpm`; the last one takes everything below. */
QString gradeReached(std::span<const Grade> list, int cpm);

/** The speed of the grade labelled `label`, or nullopt when the list has no such grade. */
std::optional<int> targetOf(std::span<const Grade> list, QStringView label);

/** A stored target brought into the row's range: a damaged settings file must not break the window. */
int clampedTarget(qint64 stored, Row row);

} // namespace GaugeTargets
