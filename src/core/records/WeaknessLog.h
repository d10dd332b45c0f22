#pragma once

#include "core/practice/MissCounter.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QList>
#include <QString>

struct Session;

/**
 * LogBox/WeakChars.log: for every attempt, each target character with how often it was met and
 * how often its first input was wrong. A file of its own (the other record files keep their
 * bytes), UTF-8 with LF line ends, one header line that names the columns, then one line per
 * character and attempt:
 *
 *     2026-12-06<TAB>J<TAB>000000000001<TAB>あ<TAB>12<TAB>3
 *
 * (date, J for a Japanese or E for an English text, the text's ID, the character, met, missed).
 * An attempt's lines are appended in one write; a line without its line end (a crash in the
 * middle of a write) and any line that does not read as above are skipped.
 */
namespace WeaknessLog {

inline constexpr char16_t FileName[] = u"WeakChars.log";
inline constexpr char HeaderLine[] = "#Rinvale QX weak characters 1\tdate\tlanguage\ttext\tcharacter\tmet\tmissed\n";
/** The largest file read: far more than fifty years of daily practice. */
inline constexpr qint64 MaxFileBytes = 512LL * 1024 * 1024;

/** The lines of one attempt, in character order; empty when nothing was met. */
QByteArray attemptLines(const QDate& date, bool japanese, QStringView textId, const CharTallies& tallies);

/** Appends an attempt of the loaded text (the header first into a new file); an empty string or why it failed. */
QString recordAttempt(const Session& m, const QDate& date, const CharTallies& tallies);

/** A character's totals over the chosen period. */
struct WeakChar {
    char16_t character = 0;
    qint64 met = 0;
    qint64 missed = 0;
    double rate() const { return met > 0 ? double(missed) / double(met) : 0.0; }
};

/** Every character met, per language, in character order. */
struct Summary {
    QList<WeakChar> japanese;
    QList<WeakChar> english;
    qint64 skippedLines = 0; ///< damaged lines left out
};

/** Sums the lines dated `since` or later (an invalid date: all lines). */
Summary summarise(QByteArrayView bytes, const QDate& since);

/** Reads and sums LogBox's file; a missing file is an empty summary, an unreadable one sets *error. */
Summary readSummary(const QString& logBox, const QDate& since, QString* error);

/** The periods the window offers. */
enum class Period { LastWeek, LastMonth, All };
/** The first day of a period that ends today (last 7 days: today and the 6 before); invalid for All. */
QDate periodStart(Period period, const QDate& today);

/** A rate needs this many meetings to be ranked among the others; rarer characters follow them. */
inline constexpr qint64 MinMetForRank = 3;

/**
 * The characters missed at least once, weakest first: highest miss rate, then more misses, then
 * more meetings; characters met fewer than MinMetForRank times come after the rest.
 */
QList<WeakChar> ranked(const QList<WeakChar>& all);

/** A character as the lists show it: "空白" for a space, "全角空白" for an ideographic one. */
QString displayCharacter(char16_t c);

} // namespace WeaknessLog
