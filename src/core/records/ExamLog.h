#pragma once

#include "core/scoring/ExamResult.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

/**
 * LogBox/ExamLog.tsv: one line per finished exam. Unlike the other records it is UTF-8 text
 * with tab-separated fields and LF line ends, and it begins with a header that says what it
 * is and names its columns, so that other programs (and the progress chart) read it without
 * knowing this code:
 *
 *     # RinvaleQX exam log 1: UTF-8, one exam per line, tab-separated, columns below
 *     date	minutes	seconds_used	time_up	typed	errors_left	corrections	net	net_cpm grade_1 ..
 * grade_5	text_file	title	language
 *
 * A reader skips lines starting with "#" and the column line, and ignores columns it does
 * not know: later versions only add columns at the end.
 */
namespace ExamLog {

inline constexpr char16_t FileName[] = u"ExamLog.tsv";
/** The first line of the file; the digit after "exam log" is the format's version. */
inline constexpr char FormatLine[] = "# RinvaleQX exam log 1: UTF-8, one exam per line, tab-separated, columns below";
/** The column names, the second line of the file. */
QByteArray columnLine();

/** One exam as its line keeps it. */
struct Entry {
    QDateTime when;
    ExamResult::Figures figures;
    QString textFile; ///< the text's file in FileBox, or the sample's name
    QString title;
    /** The month log's language mark: true "J" (日), false "E" (英); unset in lines written before the column. */
    std::optional<bool> japanese;
};

/** The line of an exam (without its line end); tabs and line breaks in the names become spaces. */
QByteArray line(const Entry& entry);

/**
 * Appends an exam's line in one write; a missing or empty file gets the two header lines in
 * the same write. False with a Japanese reason when it cannot.
 */
bool append(const QString& path, const Entry& entry, QString* error);

/** The exams of a file's bytes; header lines, and lines too short or with a bad number, are skipped. */
QList<Entry> parse(const QByteArray& bytes);

} // namespace ExamLog
