#pragma once

#include "core/texts/TextStats.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

/**
 * What the attempt details window reads from the details files of LogBox: the record lines and
 * operation strings of the last or the best whole-text attempt ("d" and "b" files) or the
 * operation string of the last paragraph attempt (Temp.txt), and how the window lists them.
 */
namespace AttemptDetails {

/** The largest details file read: 200 paragraphs of long operation strings take well under 1 MB. */
inline constexpr qint64 MaxFileBytes = 4 * 1024 * 1024;

inline constexpr char16_t NoDataText[] = u"表示できるデータがありません";

/** The record lines and operation strings of a details file. */
struct DetailRecords {
    QString wholeLine;          ///< the whole-text record line (line 1), empty when the file has none
    QStringList paragraphLines; ///< one record line per paragraph
    QStringList operations;     ///< the operation string of each paragraph, as many as paragraphLines
};

/**
 * Reads a "d" or "b" file (code page 932, any line ends): the whole-text line, P paragraph
 * lines, an empty line, P operation strings. A well-formed file of 2P + 2 lines is split at
 * line P + 1; a damaged one at its first empty line, so that a file cut short or with lines
 * added still pairs each record line with its own operation string. At most MaxParagraphs
 * paragraphs are taken: a text has no more.
 */
DetailRecords parseDetailFile(QByteArrayView bytes);
/** The operation string of Temp.txt: its first line. */
QString parseParagraphFile(QByteArrayView bytes);

/**
 * shortGradeForDetails: the half-width form of a record line, for a display without full-width
 * rendering: the columns at positions 7 to 27, the grade's three-character short form and the
 * rest of the line. A whole-text line ("通し 全体" is one character shorter than "第  1段落")
 * gets a blank in front first.
 */
QString shortGradeForDetails(QStringView line, bool wholeText);

/** How the whole-text line is listed: as stored, or "Through  " and its half-width form. */
QString listedWholeLine(QStringView line, bool japaneseDisplay);
/** How paragraph `number` (from 1) is listed: as stored, or "Paragr", the number and the half-width form. */
QString listedParagraphLine(QStringView line, int number, bool japaneseDisplay);

/** "第  1段落": the caption of a paragraph's conversion average. */
QString paragraphCaption(int number);

/** Which details the window shows (the DetailModes of RecordFiles) and what it knows of the text. */
struct DetailsRequest {
    int mode = 0;                  ///< 0 last whole-text attempt, 1 best, 2 last paragraph attempt
    bool japaneseDisplay = true;   ///< full-width characters render at full width
    bool judgementPossible = true; ///< the loaded text is not "実務能力判定不可"
    CharCounts counts;             ///< of the loaded text or practised paragraph
};

/** What the window shows once a details file is read. */
struct DetailsContent {
    bool found = false;        ///< the file was there and readable
    QString wholeRow;          ///< the whole-text list's row (modes 0 and 1)
    QStringList paragraphRows; ///< the paragraph list's rows; the no-data row when nothing can be shown
    QStringList operations;    ///< one operation string per paragraph row that has one
    /** The conversion averages, whole text and selected paragraph (modes 0 and 1). */
    bool averagesShown = false;
    QString wholeAverage; ///< "#0.0" characters per conversion group over all paragraphs
    /** Mode 2: the paragraph's average and its heading. */
    bool paragraphAverageShown = false;
    QString paragraphAverage;
    /** Mode 2: when the paragraph shows neither an average nor a correction, "No Correction !" may stand. */
    bool noCorrectionPossible = false;
};

/**
 * The window's content from a details file's bytes; `found` false for a missing or unreadable
 * file. Averages are left out for a text that cannot be judged (modes 0 and 1), for a text with
 * more than half half-width characters, and when no conversion group was made.
 */
DetailsContent presentDetails(const DetailsRequest& request, bool found, QByteArrayView bytes);

/** Reads the details file at `path` (missing, too large or not a regular file: not found) and presents it. */
DetailsContent loadDetails(const DetailsRequest& request, const QString& path);

/** True when more than half the characters are half-width (English): no conversion averages. */
bool mostlyHalfWidth(const CharCounts& counts);

} // namespace AttemptDetails
