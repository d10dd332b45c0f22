#pragma once

#include <QHash>
#include <QStringView>

/** How often one target character came up in attempts and how often its first input was wrong. */
struct CharTally {
    qint64 met = 0;
    qint64 missed = 0;
    bool operator==(const CharTally&) const = default;
};

/** Tallies per target character. */
using CharTallies = QHash<char16_t, CharTally>;

/**
 * Counts, while an attempt runs, each target character met and each one whose first input was
 * wrong. A position is decided once, the first time the input reaches it: deleting the wrong
 * character and typing the right one afterwards leaves the one miss. Only positions the input
 * has not reached before are looked at, so a keystroke costs as much as the characters it adds.
 */
class MissCounter {
public:
    /** A new attempt: all tallies cleared. */
    void clear();
    /** A new segment is shown: its positions are undecided again. */
    void startSegment() { m_decided = 0; }
    /** The input of the segment changed. */
    void observe(QStringView segment, QStringView input);

    const CharTallies& tallies() const { return m_tallies; }

private:
    qsizetype m_decided = 0; ///< positions 0 .. m_decided - 1 of the segment are counted
    CharTallies m_tallies;
};
