#pragma once

#include "core/records/LogEntries.h"
#include "core/records/LogQueries.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <span>

class TextTitles;

/**
 * The attempts of the month logs and the best records as a CSV file for spreadsheet programs:
 * UTF-8 with a byte-order mark (so the Japanese reads right), CR LF line ends, one header row and
 * one row per attempt or text.
 */
namespace CsvExport {

/** The column names of the header row. */
QStringList header();

/** A field as CSV needs it: in double quotes, with its quotes doubled, when it holds a comma, quote or line end. */
QString quoted(QStringView field);

/** The fields of one attempt; `title` is its text's title. */
QStringList fields(const LogEntries::Entry& entry, const QString& title);

/** The whole file: the byte-order mark, the header and one row per entry, each title looked up once. */
QByteArray document(std::span<const LogEntries::Entry> entries, const TextTitles& titles);

/** True when the log window's language and kind choices keep an attempt. */
bool keeps(const LogEntries::Entry& entry, const LogQueries::Filter& filter);

} // namespace CsvExport
