#pragma once

#include <QString>

/**
 * Settings that the settings table has no entry for: the timed exam and the main window's
 * zoom and size. They live in an INI file of their own beside the settings file, so the
 * settings table keeps its exact bytes.
 */
struct Preferences {
    /** The exam lengths offered, in minutes. */
    static constexpr int ExamChoices[] = {1, 3, 5, 10, 15};
    /** The zoom steps of the main window for Ctrl + "+" and Ctrl + "-", in percent. */
    static constexpr int ZoomSteps[] = {80, 90, 100, 110, 125, 150, 175, 200, 250, 300};
    static constexpr int DefaultZoom = 100;
    /** The range of zooms a window size may give, in percent. */
    static constexpr int MinZoom = 80, MaxZoom = 300;

    int examMinutes = 0;           ///< 0: no exam; otherwise one of ExamChoices
    int zoomPercent = DefaultZoom; ///< MinZoom .. MaxZoom
    int windowWidth = 0;           ///< logical pixels of the last normal-state window, 0 for the designed size
    int windowHeight = 0;
    bool maximised = false;

    /** The INI file's name in the program folder. */
    static constexpr char16_t FileName[] = u"RinvaleQX.ini";

    /** Reads the file; a missing file, or a value out of range, gives the default of that value. */
    static Preferences load(const QString& path);
    /** Writes the file whole; false with a Japanese message when it cannot. */
    bool save(const QString& path, QString* error) const;

    /** The index of the exam length in ExamChoices, -1 for no exam. */
    int examIndex() const;
    /** The next zoom step up (direction 1) or down (-1) from `percent`, staying at the ends. */
    static int zoomStep(int percent, int direction);
};
