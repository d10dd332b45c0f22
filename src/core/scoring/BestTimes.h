#pragma once

#include <QString>
#include <QStringView>

#include <array>

/** The ten best times of a text in seconds, best first; EmptyTime marks an empty place. */
using BestTimes = std::array<float, 10>;

namespace BestTimesLine {

inline constexpr float EmptyTime = 99999.99f;

/** A table with every place empty. */
BestTimes empty();

/**
 * Reads the ten times of a best-times line, time k from the 8 characters at position
 * 9k + 1 (both the 89-character empty form and the 90-character written form). A place
 * that is missing, not a number or not above zero reads as empty, so a damaged line can
 * never block new records.
 */
BestTimes parse(QStringView line);

/**
 * The written form of a table: every time as "00000.00" followed by ",", 90 characters with
 * the trailing comma. A time that would not fit eight characters is written as an empty place,
 * so the positions readers rely on always hold.
 */
QString format(const BestTimes& times);

/** The empty form, "99999.99" ten times joined by "," (89 characters), that a text without records carries. */
QString emptyLine();

/** True when the line is exactly the empty form. */
bool isEmptyLine(QStringView line);

} // namespace BestTimesLine
