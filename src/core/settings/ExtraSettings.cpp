#include "core/settings/ExtraSettings.h"

ExtraSettings::ExtraSettings(const QString& programFolder)
    : m_settings(programFolder + u'/' + QString::fromUtf16(FileName), QSettings::IniFormat) {}

QVariant ExtraSettings::value(const QString& key, const QVariant& defaultValue) const {
    return m_settings.value(key, defaultValue);
}

void ExtraSettings::setValue(const QString& key, const QVariant& value) {
    m_settings.setValue(key, value);
    m_settings.sync();
}
