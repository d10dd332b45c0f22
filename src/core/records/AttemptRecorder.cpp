#include "core/records/AttemptRecorder.h"

#include "core/practice/Session.h"
#include "core/scoring/BestTimes.h"

namespace AttemptRecorder {

Outcome record(Session& m, const AttemptSummary& summary, std::span<const ParagraphResult> rows,
               const ResultComputation::AttemptResult& result, const QDateTime& now) {
    Outcome outcome;
    if (result.wholeText && result.best.row >= 0) {
        // writeAttemptRecords stores the same line again and reports a failure there.
        QString ignored;
        RecordFiles::storeBestTimesLine(m, BestTimesLine::format(result.best.times), &ignored);
        if (RecordFiles::currentTextKey(m).isSample()) {
            SettingsFile file(m.settingsPath());
            file.save(m.settings, &outcome.settingsError);
        }
    }
    outcome.files = RecordFiles::writeAttemptRecords(m, summary, rows, result, now);
    return outcome;
}

} // namespace AttemptRecorder
