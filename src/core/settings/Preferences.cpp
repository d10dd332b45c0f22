#include "core/settings/Preferences.h"

#include "core/util/AtomicFile.h"

#include <QFileInfo>
#include <QSettings>

#include <algorithm>
#include <iterator>

using namespace Qt::StringLiterals;

namespace {
const QString ExamKey = u"Exam/minutes"_s;
const QString ZoomKey = u"MainWindow/zoomPercent"_s;
const QString WidthKey = u"MainWindow/width"_s;
const QString HeightKey = u"MainWindow/height"_s;
const QString MaximisedKey = u"MainWindow/maximised"_s;

int intValue(const QSettings& ini, const QString& key, int fallback) {
    bool ok = false;
    const int value = ini.value(key).toInt(&ok);
    return ok ? value : fallback;
}
} // namespace

Preferences Preferences::load(const QString& path) {
    Preferences p;
    // A link or a device in the file's place is never followed; the defaults stand.
    if (!QFileInfo(path).isFile() || !isWritableTarget(path)) return p;
    const QSettings ini(path, QSettings::IniFormat);
    const int minutes = intValue(ini, ExamKey, 0);
    if (std::find(std::begin(ExamChoices), std::end(ExamChoices), minutes) != std::end(ExamChoices))
        p.examMinutes = minutes;
    const int zoom = intValue(ini, ZoomKey, DefaultZoom);
    if (zoom >= MinZoom && zoom <= MaxZoom) p.zoomPercent = zoom;
    const int width = intValue(ini, WidthKey, 0);
    const int height = intValue(ini, HeightKey, 0);
    // A size no screen has is a damaged file, not a wish.
    if (width > 0 && height > 0 && width <= 16384 && height <= 16384) {
        p.windowWidth = width;
        p.windowHeight = height;
    }
    p.maximised = ini.value(MaximisedKey).toBool();
    return p;
}

bool Preferences::save(const QString& path, QString* error) const {
    QString reason;
    if (!isWritableTarget(path, &reason)) {
        if (error) *error = path + u"に設定を書き込めませんでした。\n"_s + reason;
        return false;
    }
    // QSettings writes the whole file through a temporary file and a rename.
    QSettings ini(path, QSettings::IniFormat);
    ini.setValue(ExamKey, examMinutes);
    ini.setValue(ZoomKey, zoomPercent);
    ini.setValue(WidthKey, windowWidth);
    ini.setValue(HeightKey, windowHeight);
    ini.setValue(MaximisedKey, maximised);
    ini.sync();
    if (ini.status() != QSettings::NoError) {
        if (error) *error = path + u"に設定を書き込めませんでした。"_s;
        return false;
    }
    return true;
}

int Preferences::examIndex() const {
    const auto* found = std::find(std::begin(ExamChoices), std::end(ExamChoices), examMinutes);
    return found == std::end(ExamChoices) ? -1 : int(found - std::begin(ExamChoices));
}

int Preferences::zoomStep(int percent, int direction) {
    if (direction > 0) {
        for (int step : ZoomSteps)
            if (step > percent) return step;
        return std::end(ZoomSteps)[-1];
    }
    for (auto it = std::rbegin(ZoomSteps); it != std::rend(ZoomSteps); ++it)
        if (*it < percent) return *it;
    return ZoomSteps[0];
}
