#pragma once

#include "core/settings/SettingsTable.h"

#include <QString>
#include <QStringList>

/**
 * What the best-records window shows of BestRec.log: the lines of one language mark ("j" or
 * "e") without that mark, ordered by speed, by score or by date, in the record form or with
 * short grades for a display without a Japanese font.
 */
namespace BestRecordList {

/** Settings entries of the window's choices (the number field holds the chosen index). */
enum Entry : int { LanguageEntry = 63, OrderEntry = 64 };

enum Language : int { Japanese = 0, English = 1 }; ///< 和文, 英文
/** 成績順(CPM), 成績順(RV) (the SCR figure), 記録日降順, 記録日昇順. */
enum Order : int { ByCpm = 0, ByScore = 1, NewestFirst = 2, OldestFirst = 3 };

struct Choice {
    int language = Japanese;
    int order = ByCpm;
};

/** The stored choices; a value no button has counts as the first button. */
Choice storedChoice(const SettingsTable& settings);
void storeChoice(SettingsTable& settings, const Choice& choice);

/** The lines of LogBox/BestRec.log as the list shows them (see LogQueries::readRecordLines). */
struct Lines {
    QStringList lines;
    QString problem;
};
Lines readBestRec(const QString& logBox);

/**
 * The figure a line is ordered by, smaller first: the CPM or the SCR figure negated (fastest
 * first), the date negated (newest first) or the date. `line` is without its language mark:
 * 1-12 ID, 16-21 date, 35-42 CPM, the grade from 44 (two or three characters), then SCR.
 */
double orderValue(QStringView line, int order);

/**
 * The rows: the lines of the chosen mark, without it, in the chosen order; lines of equal
 * figures by their ID. Lines too short to hold a mark and an ID belong to no text and are left out.
 */
QStringList rows(const QStringList& lines, const Choice& choice, bool japaneseDisplay);

} // namespace BestRecordList
