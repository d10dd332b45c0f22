#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>

/**
 * Choices the settings file RudUZ.rvl has no entry for (the last folder a CSV file went to,
 * the progress chart's choices), kept in an INI file of their own beside it, so that file's
 * bytes stay as other copies of the program expect them.
 */
class ExtraSettings {
public:
    static constexpr char16_t FileName[] = u"RinvaleQX.ini";

    /** The INI file in the program folder; it is made on the first change. */
    explicit ExtraSettings(const QString& programFolder);

    QVariant value(const QString& key, const QVariant& defaultValue = {}) const;
    /** Stored at once, so a crash later loses nothing. */
    void setValue(const QString& key, const QVariant& value);

private:
    QSettings m_settings;
};
