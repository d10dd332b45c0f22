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

    if (TextLoading::loadCurrentText(session, &error) == TextLoading::LoadResult::Unusable)
        messages.append(error + u"\n腕試しのテキストを読み込みます。"_s);
    return messages;
}

bool save(const Session& session, QString* error) {
    SettingsFile file(session.settingsPath());
    return file.save(session.settings, error);
}

} // namespace SessionFiles
