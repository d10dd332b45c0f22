#pragma once

#include "core/settings/SettingsTable.h"

#include <QString>
#include <QStringList>
#include <QStringView>

/**
 * What the log window shows of the month logs (LogBox/yyyymmPractice.log): the months that
 * have a log, a month's lines, and the rows left by the order, language and kind choices, in
 * the record form or the half-width form for a display without a Japanese font. Also the
 * reading of any record file whose lines are shown as they are.
 */
namespace LogQueries {

/** Settings entries of the log window's choices (the number field holds the chosen index). */
enum Entry : int { OrderEntry = 60, LanguageEntry = 61, KindEntry = 62 };

enum Order : int { NewestFirst = 0, OldestFirst = 1 };              ///< 日付降順, 日付昇順
enum Language : int { AnyLanguage = 0, Japanese = 1, English = 2 }; ///< すべて, 和文, 英文
enum Kind : int { AnyKind = 0, WholeText = 1, Paragraphs = 2 };     ///< すべて, 通し, 段落別

struct Filter {
    int order = NewestFirst;
    int language = AnyLanguage;
    int kind = AnyKind;
};

/** The stored choices; a value no button has counts as the first button. */
Filter storedFilter(const SettingsTable& settings);
void storeFilter(SettingsTable& settings, const Filter& filter);

/** Months with a log, newest first, as "2012.07" for 201207Practice.log; other names are left out. */
QStringList months(QStringList logBoxNames);
/** "201207Practice.log" for the month "2012.07". */
QString monthFileName(QStringView month);

/** The largest month log read whole: a month of 100,000 attempts takes about 10 MB. */
inline constexpr qint64 MaxMonthLogBytes = 32 * 1024 * 1024;
/** Longer lines are cut for the list: a record line is about a hundred characters. */
inline constexpr int MaxShownLength = 256;

/** The lines of a record file as the lists show them. */
struct RecordLines {
    QStringList lines;
    /** Why the file could not be read, or was read only in part; empty otherwise (a missing file is no problem). */
    QString problem;
};

/**
 * Reads a record file: code page 932, lines ended by CR LF, CR or LF. Empty lines are left
 * out, control characters show as "?" and overlong lines are cut, so damaged or foreign bytes
 * show what they can. Of a file over maxBytes only the whole lines within the limit are read.
 */
RecordLines readRecordLines(const QString& path, qint64 maxBytes);

/** The lines of a month's log in LogBox. */
RecordLines readMonth(const QString& logBox, QStringView month);

/**
 * The rows of the list: each line without its first four characters (the shown FileID is
 * characters 5 to 12 of the ID), newest or oldest first, of one language mark ("日", "英") and
 * one kind ("通" whole text, "第" paragraph) when chosen, in the half-width form when the
 * display has no Japanese font.
 */
QStringList rows(const QStringList& lines, const Filter& filter, bool japaneseDisplay);

/**
 * A row in the half-width form: the mark "日"/"英" as "Ｊ"/"Ｅ", "通し 全体" as "Through  ",
 * "第  3段落" as "Paragr  3", and the grade in its short log form.
 */
QString halfWidthRow(QStringView row);

} // namespace LogQueries
