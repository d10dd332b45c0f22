#pragma once

#include <QString>
#include <QStringList>

struct Session;

/** The files a session starts from and leaves behind: the folders, the settings file, the current text. */
namespace SessionFiles {

/**
 * Start-up: makes FileBox and LogBox (writable by their owner), loads the settings file with
 * its start-up defaults and the current text. Returns what the user should be told, in order;
 * a text deleted outside the program quietly gives way to the chosen sample, one that is still
 * there but cannot be practised is worth a word.
 */
QStringList open(Session& session);

/** Exit: writes the settings file; false with a message when it cannot. */
bool save(const Session& session, QString* error);

} // namespace SessionFiles
