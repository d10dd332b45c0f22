#pragma once

#include "core/settings/SettingsTable.h"
#include "core/texts/TextStats.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

/**
 * What the text editor checks and writes: its fields, the body's paragraphs with their
 * statistics, the issue-date rules, the file name of a new text, the lines of the text's file
 * and the lists of known sources and keywords.
 */
namespace TextEditing {

/** Settings entries that hold the known sources (name, web address) and keywords (name). */
inline constexpr int FirstSource = 0;
inline constexpr int LastSource = 149;
inline constexpr int FirstKeyword = 200;
inline constexpr int LastKeyword = 359;
/** Sources whose web address may be opened from the editor. */
inline constexpr int LastLinkedSource = 119;

/** The editor's fields, as typed. */
struct Fields {
    QString title;
    QString body;
    QString source;
    QString keyword;
    QString year;
    QString month;
    QString day;
    bool operator==(const Fields&) const = default;
};

/** The fields of a new text: all empty, the issue date today. */
Fields newTextFields(const QDate& today);

/** Which fields differ from the ones the editor opened with. */
struct Changes {
    bool title = false;
    bool body = false;
    bool source = false;
    bool date = false;
    bool keyword = false;
    bool any() const { return title || body || source || date || keyword; }
};
Changes compare(const Fields& opening, const Fields& now);

/** The body split into paragraphs, each with its place in the body and its counts. */
struct BodyStatistics {
    QStringList paragraphs;
    QList<qsizetype> starts; ///< offset of each paragraph in the body as given (a line break is one character)
    QList<CharCounts> counts;
    CharCounts whole;
    bool truncated = false; ///< more than 1000 paragraphs: the rest is left out
};
/** Splits a body at CR LF, CR or LF by the paragraph rule and counts every paragraph. */
BodyStatistics bodyStatistics(QStringView body);
/** One list line per paragraph ("   1   455 ( ..."). */
QStringList paragraphLines(const BodyStatistics& stats);

/** The fields a save needs filled, in the order the focus looks for them. */
enum class Field { Title, Body, Source, Year, Month, Day };
/** The required fields left empty, in focus order. */
QList<Field> emptyRequiredFields(const Fields& f);

/** Issue-date parts: a year whose last two characters are "00".."09" or "1".."99", a month 1..12, a day 1..31. */
bool isValidYear(const QString& year);
bool isValidMonth(const QString& month);
bool isValidDay(const QString& day);

/** "200" + a one-digit year, "20" + two digits, "2" + three; a one-digit month or day gets its "0". */
Fields withCompletedDate(Fields f);

/** CR and LF removed, leading and trailing spaces trimmed: how a source, keyword or title is stored. */
QString cleaned(QStringView text);

/**
 * A name for a new text made at `now` ("yymmddhhnnss.txt") that no file in `fileBox` has yet:
 * when the second is taken, the next free one. Two texts saved in the same second never share
 * a file.
 */
QString newFileName(const QString& fileBox, const QDateTime& now);

/** The lines of a text's file (source, issue date and keyword, title, statistics, best times, paragraphs). */
QStringList fileLines(const Fields& completed, const BodyStatistics& stats, const QString& bestTimesLine);
/** The file's bytes: code page 932, every line ended by CR LF. */
QByteArray fileBytes(const QStringList& lines);

/**
 * The editor's fields from a text's file lines: source, issue date (the century from
 * `currentYear`), keyword, title, and the paragraphs as the body, each followed by an empty line.
 */
Fields fieldsFromLines(const QStringList& lines, int currentYear);

/** Puts a source name into the first free entry unless it is known; true when it was stored. */
bool storeSource(SettingsTable& settings, const QString& name);
/** The same for a keyword; an empty keyword is never stored. */
bool storeKeyword(SettingsTable& settings, const QString& name);

/** The non-empty names of entries first..last, in entry order. */
QStringList namesOf(const SettingsTable& settings, int first, int last);
/** The web address of the first source among 0..119 with this name and an address; empty when none. */
QString sourceAddress(const SettingsTable& settings, const QString& source);
/** Only web addresses are ever handed to the desktop: http:// and https://. */
bool isWebAddress(const QString& address);

/** The largest text file the body accepts by dropping (a text that can be saved is far smaller). */
inline constexpr qint64 MaxDroppedBytes = 1024 * 1024;

/** A file dropped on the body: its text, or why it was refused (the body then stays as it is). */
struct DroppedText {
    QString text;
    QString refusal;
};
/**
 * Reads a dropped ".txt" file: a regular file of at most MaxDroppedBytes, code page 932 (or
 * UTF-8, as today's editors save). Anything else is refused with a message.
 */
DroppedText readDroppedFile(const QString& path);

} // namespace TextEditing
