#include "ui/common/QtJapanese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace qtjapanese {

QTranslator* install(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    // The program speaks Japanese whatever the desktop's language, so the catalogue is fixed.
    if (!translator->load(u"qtbase_ja"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

} // namespace qtjapanese
