#pragma once

#include <QString>

struct Session;

/**
 * Wiping the records of a text: its ten best times, its BestRec.log lines and its details
 * files. The month's practice logs are never touched: they are the history of what was typed.
 */
namespace RecordDeletion {

/** What the deletion dialog says when the open text has no best times. */
inline constexpr char16_t NothingToDelete[] = u"削除する記録はありません";

/**
 * removeTextRecords: drops every BestRec.log line whose characters 2 to 13 are the ID (the
 * Japanese and the English line), keeping the others in order, and deletes "d" and "b" + ID +
 * ".txt". Missing files are skipped. Returns false with a Japanese message when a file that
 * exists could not be rewritten or deleted; the other steps still run.
 */
bool removeTextRecords(const QString& logBox, const QString& id, QString* error = nullptr);

/** True when the open text's stored best-times line holds a record (it is not the empty form). */
bool hasRecords(const Session& m);

/**
 * The deletion of the open text's records: the table in memory and the stored best-times line
 * become empty (line 5 of its file, or the sample's settings entry), then removeTextRecords.
 * Returns false with a message when something could not be removed.
 */
bool deleteCurrentTextRecords(Session& m, QString* error = nullptr);

} // namespace RecordDeletion
