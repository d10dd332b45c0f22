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

} // namespace BestTimesLine
