#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <vector>

/**
 * The attempts of the record files read field by field: a month log line or a BestRec.log line
 * becomes an Entry with its date, text, kind and figures. The lines are read by LogQueries; this
 * unit only takes them apart, so the chart and the CSV export read a line the way the windows do.
 */
namespace LogEntries {

/** The figures of a record line as stored, trimmed; numbers stay text so "Ovfl" survives. */
struct Figures {
    int characters = 0;
    int keystrokes = 0;
    QString cpm;
    QString grade;
    QString scr;
    QString ownLevel;
    std::array<QString, 4> rates; ///< 変換, 確定, 訂正, 修正: "6.6", "Ovfl", or "-" where not counted
    std::array<QString, 4> marks; ///< "☆" .. "×", empty where not counted
};

struct Entry {
    QString id;    ///< the text's 12-character ID
    bool japanese; ///< the language mark: "日" ("j") or "英" ("e")
    QDate date;    ///< the day of the attempt; the record files keep no time
    int paragraph; ///< 0 for a whole-text attempt, else the paragraph from 1
    Figures figures;
    double cpm;       ///< NaN when the CPM field is not a number
    double scr;       ///< NaN when the SCR field is not a number
    int ownLevelRank; ///< 0 for "-" (slower than "J") up to OwnLevelTop for "ZS"; -1 when ungraded
};

/** The rank of "ZS", the best own level. */
int ownLevelTop();
/** The rank of an own-level label ("J" 1 .. "ZS" ownLevelTop(), "-" 0), -1 for anything else. */
int ownLevelRank(QStringView label);
/** The label of a rank. */
QString ownLevelLabel(int rank);

/**
 * A month log line (whole text or paragraph). `century` completes the yymmdd date (the month log's
 * file name gives it). False for a damaged line: no mark, no valid date, no kind or no counts.
 */
bool parseLogLine(QStringView line, int century, Entry* entry);
/** A BestRec.log line (always a whole-text attempt). */
bool parseBestRecLine(QStringView line, int century, Entry* entry);

/** What a reading found. */
struct Reading {
    std::vector<Entry> entries; ///< oldest first, in the order the attempts were written
    int damaged = 0;            ///< lines left out
    QStringList problems;       ///< files read only in part or not at all, one line each
};

/** Every month log of LogBox, oldest month first. */
Reading readAllMonths(const QString& logBox);
/** The month log of one month ("2012.07"). */
Reading readMonth(const QString& logBox, QStringView month);
/** BestRec.log. */
Reading readBestRec(const QString& logBox);

} // namespace LogEntries
