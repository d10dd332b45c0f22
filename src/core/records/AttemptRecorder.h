#pragma once

#include "core/records/RecordFiles.h"

#include <QDateTime>
#include <QString>

#include <span>

struct Session;

namespace AttemptRecorder {

/** What recording an attempt wrote, and what it could not. */
struct Outcome {
    /** The settings file could not take a sample's new best-times line (empty when it did or had no need). */
    QString settingsError;
    RecordFiles::RecordOutcome files;

    bool ok() const { return settingsError.isEmpty() && files.ok(); }
};

/**
 * Writes every record file of a finished attempt. A changed best-times line is stored first:
 * into the text's file for an own text, into the settings file (saved at once, the same save as
 * at exit) for a sample. Only then do the month log, BestRec.log and the detail files follow, so
 * a crash at any moment leaves the stored times at least as fast as the best record and a slower
 * attempt after a restart can never replace that record.
 */
Outcome record(Session& m, const AttemptSummary& summary, std::span<const ParagraphResult> rows,
               const ResultComputation::AttemptResult& result, const QDateTime& now);

} // namespace AttemptRecorder
