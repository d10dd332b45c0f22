#pragma once

#include "core/practice/AttemptControl.h"
#include "core/scoring/BestTimes.h"
#include "core/scoring/ResultComputation.h"
#include "core/texts/TextStats.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <span>

struct Session;

/**
 * The record files of the program's LogBox folder and the best-times line of a text: the
 * month's practice log, BestRec.log, the details files of the last and the best whole-text
 * attempt, Temp.txt of a paragraph attempt. Every file is code page 932 with CR LF line ends;
 * fixed-width fields keep the positions the log and detail windows read.
 *
 * Existing files are never edited through their decoded text: a rewrite works on the raw bytes
 * of each line, so a line that is not valid code page 932 (or was written by another program)
 * stays byte for byte. Only line ends are made CR LF.
 */
namespace RecordFiles {

inline constexpr char16_t BestRecFileName[] = u"BestRec.log";
inline constexpr char16_t TempFileName[] = u"Temp.txt";
inline constexpr char16_t PracticeLogSuffix[] = u"Practice.log";

/** Which file the result-details window shows (Session::detailMode). */
enum DetailModes : int { LastAttemptDetails = 0, BestAttemptDetails = 1, ParagraphDetails = 2 };

// ---- Identifiers and names ---------------------------------------------------------------

/** Which text records belong to. */
struct TextKey {
    QString id;               ///< 12 characters: the key of the record lines
    QString fileName;         ///< the text's file in FileBox; empty for a built-in sample
    int sampleMenuIndex = -1; ///< the sample's menu index; -1 for a file

    bool isSample() const { return fileName.isEmpty(); }
    /** The details files' names without their first letter: the text's file name, or the ID + ".txt" for a sample. */
    QString recordFileName() const;
};

/** "000000000001" .. "000000000014" for the sample menu indices 0, 1, 3 .. 19; empty for any other index. */
QString sampleTextId(int menuIndex);
/** The first 12 characters of a file name; a shorter name is padded with spaces so line positions hold. */
QString textIdForFileName(QStringView fileName);
/** The key of the loaded text (settings entry 200, or the sample of entry 12). */
TextKey currentTextKey(const Session& m);

/** "202401Practice.log": the practice log of the month of `date`. */
QString practiceLogName(const QDate& date);
/** Path of a details file: "d" / "b" + record file name, or Temp.txt, in LogBox. */
QString detailFilePath(const Session& m, int detailMode);

// ---- Lines --------------------------------------------------------------------------------

/** True when the record lines mark the text Japanese ("日", "j"): half-width ÷ total ≤ 0.5. */
bool isJapaneseMark(const CharCounts& counts);

/** Column widths of the result fields: the practice log and details files, or BestRec.log. */
enum class FieldLayout { Log, BestRec };

/**
 * The result fields of a record line from the panel's texts: characters, keystrokes, CPM,
 * LVL, SCR, own level and the operation columns (Japanese form or the filler of other texts).
 */
QString resultFields(const ResultComputation::ResultFigures& f, qint32 characters, FieldLayout layout);

/** A practice-log line; paragraphNumber 0 for a whole-text attempt, else the paragraph from 1. */
QString practiceLogLine(QStringView id, const CharCounts& counts, const QDate& date, int paragraphNumber,
                        const ResultComputation::ResultFigures& f);
/** The BestRec.log line of a whole-text attempt. */
QString bestRecLine(QStringView id, const CharCounts& counts, const QDate& date,
                    const ResultComputation::ResultFigures& f);

/** An operation string without its leading "≪" marks. */
QString withoutLeadingTeisei(QStringView operations);

/**
 * The lines of the "d" file: the whole-text line, one line per paragraph computed from that
 * paragraph alone, an empty line and the paragraphs' operation strings: 2P + 2 lines for P
 * paragraphs. `paragraphs` are the paragraph lines; rows[p] holds paragraph p's counters.
 */
QStringList detailLines(const ResultComputation::ResultFigures& whole, qint32 wholeCharacters,
                        const QStringList& paragraphs, std::span<const ParagraphResult> rows, int standard);

// ---- Raw lines ----------------------------------------------------------------------------

/** Splits bytes into lines at CR LF, lone CR or lone LF; a final line without an end counts. */
QList<QByteArray> splitRawLines(QByteArrayView bytes);
/** Joins lines, each followed by CR LF. */
QByteArray joinRawLines(const QList<QByteArray>& lines);
/**
 * The largest BestRec.log the program reads: 8 MiB, half as much again as a Japanese and an English
 * line for each of 30,000 texts take (5.2 MB), and small enough to rewrite well within 100 ms. A
 * larger file is left alone with a message.
 */
inline constexpr qint64 MaxBestRecBytes = 8 * 1024 * 1024;

/**
 * Reads a whole regular file of at most maxBytes bytes; false with a Japanese reason when it is
 * missing, larger, a link, not a regular file or unreadable.
 */
bool readWholeFile(const QString& path, QByteArray* bytes, QString* error, qint64 maxBytes = MaxBestRecBytes);

/** "大きすぎます（x MB、上限 y MB）". */
QString tooLargeReason(qint64 size, qint64 maxBytes);

// ---- Writing ------------------------------------------------------------------------------

/** Creates LogBox when it is missing; false with a message when it cannot be made. */
bool ensureLogBox(const QString& logBox, QString* error);

/**
 * Appends one line (CR LF added) in a single write; creates the file when missing. A short
 * write is cut off again, so the file never keeps half a line; a file that lacked its final
 * line end gets one first.
 */
bool appendLine(const QString& path, const QString& line, QString* error);

/**
 * Puts a line into BestRec.log: every line whose first 13 characters (mark and ID) equal the
 * new line's is replaced in place, otherwise the line is appended; the file is created when
 * missing and rewritten atomically. An unreadable file is left alone.
 */
bool updateBestRec(const QString& path, const QString& line, QString* error);

/** Writes whole lines (each ended by CR LF) atomically. */
bool writeLinesAtomically(const QString& path, const QStringList& lines, QString* error);

/**
 * Line 5 of a practice-text file replaced: the other lines keep their bytes, the file ends at
 * its first empty paragraph line and trailing spaces go. A missing file is not created again.
 */
bool rewriteBestTimesLineOfFile(const QString& path, const QString& line, QString* error);

/** The stored best-times line of the loaded text: line 5 of its file, or the sample's settings entry. */
QString storedBestTimesLine(const Session& m);

/**
 * Stores a best-times line for the loaded text: into its file in FileBox (rewritten
 * atomically) or into settings entry 300 + the sample's menu index. The text in memory
 * follows in both cases.
 */
bool storeBestTimesLine(Session& m, const QString& line, QString* error);

/** What the end of an attempt wrote. */
struct RecordOutcome {
    bool practiceLog = false;
    bool bestRec = false;        ///< BestRec.log updated (a new best)
    bool bestTimesLine = false;  ///< the text's ten best times stored
    bool detailFile = false;     ///< "d" file (whole text)
    bool bestDetailFile = false; ///< "b" copy (a new best)
    bool tempFile = false;       ///< Temp.txt (paragraph attempt)
    QStringList errors;          ///< one Japanese message per file that could not be written

    bool ok() const { return errors.isEmpty(); }
    QString errorMessage() const { return errors.join(u'\n'); }
};

/**
 * The end-of-attempt writing, in order: the practice log; for a whole-text attempt BestRec.log
 * on a new best, the best-times line when the table changed (the table in memory takes the new
 * times), the "d" file and, on a new best, its "b" copy; for a paragraph attempt Temp.txt.
 * detailMode follows the details file written. A file that fails does not stop the others;
 * the "b" copy is only made from a "d" file written by this attempt.
 */
RecordOutcome writeAttemptRecords(Session& m, const AttemptSummary& summary, std::span<const ParagraphResult> rows,
                                  const ResultComputation::AttemptResult& result, const QDateTime& now);

} // namespace RecordFiles
