#pragma once

#include "core/texts/TextEditing.h"

#include <QDateTime>
#include <QString>

#include <optional>

struct Session;

/**
 * The user's own texts as whole files: saving a text from the editor (with the records an
 * overwritten body loses), opening one for editing, practising one and deleting one with its
 * records. Each leaves the session with the text to practise loaded.
 */
namespace OwnTexts {

/** The level label of a text for the picker's rows: the own level of its best time, " -" for a mixed text. */
QString levelLabel(const CharCounts& counts, float bestSeconds);

/** A text opened for editing: its file, the fields it opens with and its best-times line, kept aside. */
struct EditedText {
    QString fileName;
    TextEditing::Fields fields;
    QString bestTimes;
};
/** Reads a text of FileBox for editing; nullopt with *error when it cannot be read. */
std::optional<EditedText> openForEditing(const Session& m, const QString& fileName, int currentYear, QString* error);

/** How a text is saved. */
enum class SaveMode {
    Create,    ///< a new text, under a new name
    Overwrite, ///< over the edited file; a changed body loses the text's records
    SaveAsNew, ///< an edited text as a second text; the first keeps its file and records
};

struct SaveRequest {
    TextEditing::Fields fields; ///< as typed; the date parts are completed and the texts cleaned here
    SaveMode mode = SaveMode::Create;
    const EditedText* edited = nullptr; ///< the text being edited (Overwrite, SaveAsNew)
    bool bodyChanged = false;
    QDateTime now;
};

struct SaveResult {
    bool saved = false;
    QString fileName;
    TextEditing::Fields stored; ///< the fields as written, for the editor's boxes
    QString error;              ///< why nothing was saved
    QStringList warnings;       ///< what went wrong after the text was saved (settings file, records)
};

/**
 * Saves the editor's text (its limits already checked): completes the date, stores a new
 * source and keyword (writing the settings file), writes the text's file, removes the records
 * of an overwritten body and makes the text the one to practise.
 */
SaveResult save(Session& m, const TextEditing::BodyStatistics& stats, const SaveRequest& request);

/** Makes a text of FileBox the one to practise; on failure the current text stays and *error says why. */
bool practise(Session& m, const QString& fileName, QString* error);

/** What deleting a text did. */
struct Deletion {
    bool deleted = false;
    bool wasCurrent = false; ///< the first sample is now the text to practise
    QString error;
};
/** Deletes a text's file and its records; when it was the current text, the first sample takes its place. */
Deletion remove(Session& m, const QString& fileName);

} // namespace OwnTexts
