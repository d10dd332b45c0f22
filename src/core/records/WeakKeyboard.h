#pragma once

#include "core/records/WeaknessLog.h"

#include <QList>
#include <QString>

/**
 * The keys of a Japanese (JIS) keyboard that English texts are typed on, each with the
 * characters it gives alone and with Shift, and the miss rate of those characters together.
 */
namespace WeakKeyboard {

/** One key: its place in quarters of a key width, and its characters. */
struct Key {
    int row = 0;        ///< 0 the digit row .. 4 the space bar
    int left = 0;       ///< in quarter keys from the left edge
    int width = 4;      ///< in quarter keys
    QString characters; ///< unshifted first, then shifted
    qint64 met = 0;     ///< of all its characters
    qint64 missed = 0;
    double rate() const { return met > 0 ? double(missed) / double(met) : 0.0; }
};

/** The keys in rows, left to right, without counts. */
QList<Key> layout();

/** The keys with the counts of the English characters summed per key. */
QList<Key> withCounts(const QList<WeaknessLog::WeakChar>& english);

/** The highest miss rate of any key, at least `floor` (so a few misses do not look like many). */
double highestRate(const QList<Key>& keys, double floor = 0.05);

} // namespace WeakKeyboard
