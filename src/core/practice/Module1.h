#pragma once

#include "core/settings/SettingsTable.h"
#include "core/practice/CurrentText.h"

#include <QString>

using namespace Qt::StringLiterals;

/** The program-wide state shared by the main window and the windows it opens. */
struct Module1 {
    SettingsTable settings;
    QString programFolder;

    QString fileBoxPath() const { return programFolder + u"/FileBox"_s; }
    QString logBoxPath() const { return programFolder + u"/LogBox"_s; }
    QString settingsPath() const { return programFolder + u'/' + QString::fromUtf16(SettingsFile::FileName); }

    /** Full-width characters render at full width (a Japanese font is present). */
    bool JapaneseDisplay = true;
    int DetailMode = 0;
    /** Target speed for the loaded text's kind (characters per minute, 0 = none). */
    qint32 ActiveTarget = 0;
    bool ParagraphChosen = false;
    bool DeleteConfirmed = false;
    bool DetailsRequested = false;
    int CharsPerLine = 40;
    int VisibleRows = 4;

    CurrentText text;
};
