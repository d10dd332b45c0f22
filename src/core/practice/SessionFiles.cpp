#include "core/practice/SessionFiles.h"

#include "core/practice/Session.h"
#include "core/practice/TextLoading.h"
#include "core/settings/Options.h"
#include "core/util/Folders.h"

using namespace Qt::StringLiterals;

namespace SessionFiles {

QStringList open(Session& session) {
    QStringList messages;
    ensureFolder(session.fileBoxPath());
    ensureFolder(session.logBoxPath());
    makeOwnerWritable(session.fileBoxPath());
    makeOwnerWritable(session.logBoxPath());

    SettingsFile file(session.settingsPath());
    QString error;
    if (!file.load(session.settings, &error)) messages.append(error);
    Options::applyStartupDefaults(session.settings);
    session.preferences = Preferences::load(session.preferencesPath());
    // The exam is a mode of whole-text practice.
    if (session.settings.number(Options::PracticeMode) != 0) session.preferences.examMinutes = 0;

    if (TextLoading::loadCurrentText(session, &error) == TextLoading::LoadResult::Unusable)
        messages.append(error + u"\n腕試しのテキストを読み込みます。"_s);
    return messages;
}

bool save(const Session& session, QString* error) {
    SettingsFile file(session.settingsPath());
    const bool settingsSaved = file.save(session.settings, error);
    QString preferencesError;
    if (session.preferences.save(session.preferencesPath(), &preferencesError)) return settingsSaved;
    if (error) *error = settingsSaved ? preferencesError : *error + u'\n' + preferencesError;
    return false;
}

} // namespace SessionFiles
