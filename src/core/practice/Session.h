#pragma once

#include "core/practice/CurrentText.h"
#include "core/settings/Preferences.h"
#include "core/settings/SettingsTable.h"

#include <QString>

using namespace Qt::StringLiterals;

/**
 * The practice the program runs: the settings it follows, the folder its files live in and
 * the text in use. The application object owns the one session and hands it to the windows;
 * core units take it, or the part of it they need, as a parameter.
 */
struct Session {
    SettingsTable settings;
    QString programFolder;

    QString fileBoxPath() const { return programFolder + u"/FileBox"_s; }
    QString logBoxPath() const { return programFolder + u"/LogBox"_s; }
    QString settingsPath() const { return programFolder + u'/' + QString::fromUtf16(SettingsFile::FileName); }
    QString preferencesPath() const { return programFolder + u'/' + QString::fromUtf16(Preferences::FileName); }

    /** The exam, zoom and window size, kept in a file of their own. */
    Preferences preferences;

    /** Which details file the details window shows (a DetailModes value). */
    int detailMode = 0;
    /** Target speed for the loaded text's kind (characters per minute, 0 = none). */
    qint32 activeTarget = 0;

    CurrentText text;
};
