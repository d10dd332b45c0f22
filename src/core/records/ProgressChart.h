#pragma once

#include "core/records/ExamLog.h"
#include "core/records/LogEntries.h"

#include <QString>
#include <QStringList>

#include <span>
#include <vector>

/**
 * What the progress chart shows of the month logs: one figure of every attempt of one language
 * over time (CPM, SCR or the own level), a moving average, the grade bands of the judgement
 * standard as guides, and a date axis that suits the span shown.
 */
namespace ProgressChart {

enum Measure : int { Cpm = 0, Score = 1, OwnLevel = 2 };
enum Kind : int { AnyKind = 0, WholeText = 1, Paragraphs = 2 }; ///< すべて, 通し, 段落別

/** How many attempts the moving average takes. */
inline constexpr int AverageLength = 10;

struct Choice {
    int measure = Cpm;
    bool japanese = true;
    int kind = AnyKind;
    QString textId;   ///< empty: every text
    int standard = 0; ///< judgement standard of the grade bands
};

struct Point {
    qint64 msecs;    ///< time of the attempt (milliseconds since the epoch, UTC)
    double value;    ///< the chosen figure
    qsizetype entry; ///< index of the attempt in the entries
};

/** A horizontal guide: the least value that earns `label`. */
struct Guide {
    double value;
    QString label;
};

struct Model {
    std::vector<Point> points;  ///< the attempts shown, oldest first
    std::vector<Point> average; ///< the mean of each point and the AverageLength - 1 before it
    std::vector<Guide> guides;  ///< ascending, only those within [low, high]
    double low = 0;             ///< value range of the axis
    double high = 1;
    qint64 first = 0; ///< time range of the axis
    qint64 last = 0;
    QString dateFormat;       ///< of the date axis' labels
    std::vector<Point> exams; ///< the timed exams shown (net CPM), oldest first; `entry` indexes the exams
};

/** A timed exam as the chart places it. */
struct Exam {
    qint64 msecs;  ///< when it ended
    double netCpm; ///< net characters per minute
    QString textId;
    bool japanese;
};

/** The 12-character ID of the text an exam names: its file's first characters, or the sample's ID. */
QString examTextId(const ExamLog::Entry& exam);

/**
 * The exams of the exam log, in the log's order. Their language is that of the newest attempt on the
 * same text; a text only ever examined is judged by the statistics line of its file in `fileBox`
 * (or of the sample), Japanese when that cannot be read.
 */
std::vector<Exam> exams(const QList<ExamLog::Entry>& log, std::span<const LogEntries::Entry> entries,
                        const QString& fileBox);

/** The hover text of an exam: date and time, title, length, net CPM, typed and errors left. */
QString describeExam(const ExamLog::Entry& exam, const QString& title);

/**
 * The attempts' times: an attempt on a day is placed within that day, the attempts of one day
 * spread evenly in the order they were written (the logs keep the date alone).
 */
std::vector<qint64> attemptTimes(std::span<const LogEntries::Entry> entries);

/**
 * The chart of `entries` (oldest first) under `choice`; `times` from attemptTimes. The exams of the
 * chosen language and text are shown on the CPM view as whole-text attempts (not among 段落別);
 * they have no SCR or own level.
 */
Model build(std::span<const LogEntries::Entry> entries, std::span<const qint64> times, const Choice& choice,
            std::span<const Exam> exams = {});

/**
 * The points to draw when there are more than `count`: of each run of points, the lowest and
 * the highest in time order, so no peak is lost on a chart a few hundred pixels wide.
 */
std::vector<Point> forDrawing(const std::vector<Point>& points, size_t count);

/** The value of one attempt under a measure; NaN when it has none (ungraded, not a number). */
double valueOf(const LogEntries::Entry& entry, int measure);

/** The grade bands of a measure: the standard's CPM grades, or the own level in SCR or as a rank. */
std::vector<Guide> guides(int measure, bool japanese, int standard);

/** Labels of the date axis for a span: days for up to two months, months up to three years, years beyond. */
QString dateFormat(qint64 spanMsecs);

/** The IDs of the texts that attempts of one language name, each once, in order of first attempt. */
QStringList textIds(std::span<const LogEntries::Entry> entries, bool japanese);

/** The hover text of an attempt: date, title, kind and its figures. */
QString describe(const LogEntries::Entry& entry, const QString& title);

} // namespace ProgressChart
