#pragma once

#include "core/settings/SettingsTable.h"

#include <QString>

#include <span>

/**
 * The options the user picks from radio-style item arrays: which settings entry each one
 * stores, the value each item stores there, the start-up defaults and the layout of each
 * font size. The menus that show them (captions, object names) belong to the window.
 */
namespace Options {

/** Settings entries the options and the start-up read. */
enum Entry : int {
    WindowTop = 0,
    WindowLeft = 1,
    FontSize = 2,
    Countdown = 3,
    PracticeMode = 4,
    CurrentParagraph = 5,
    Standard = 7,
    RubyDisplay = 8,
    ParagraphChange = 9,
    MissSound = 10,
    ChosenSample = 12,
    EndSpace = 13,
    JudgementWindow = 65,
    InputMode = 66,
    TargetJapanese = 67,
    TargetEnglish = 68,
    TextsPerPage = 69,
    ScrollPosition = 70,
    RetryKey = 71,
    CurrentFile = 200,    ///< address: file name of the current text in FileBox
    SampleBestLines = 300 ///< address of 300 + sample menu index: its best-times line
};

/** One option array: the entry it stores, its item indices that store a value, and those values. */
struct Group {
    int entry;
    std::span<const int> indices; ///< in menu order; an index missing here is a separator
    /** Stored value of item `index`. */
    qint32 (*valueOf)(int index);
};

/** The option arrays in menu order (the judgement standards are an entry of their own). */
std::span<const Group> groups();
/** The array that stores entry `entry`, or nullptr. */
const Group* groupForEntry(int entry);
/** The item index to check for a stored value, or -1 when no item has that value. */
int indexForValue(const Group& group, qint32 value);

/** The number of judgement standards (entry Standard holds 0 .. StandardCount - 1). */
inline constexpr int StandardCount = 5;

/** Layout values of one font size, in twips where they are sizes. */
struct FontLayout {
    int pointSize;
    int charsPerLine;
    int visibleRows;
    int rowPitch;
    int textPanelHeight;
    int nextParagraphHeight;
    int textCanvasLeft;
    int inputHeight;
    int startPanelHeight;
    int targetLabelTop;
};
/** The layout of a font size (16, 14, 12, 11 or 10 points); 12 points for anything else. */
const FontLayout& fontLayout(int pointSize);

/**
 * Start-up defaults: zeros that mean a default take it (font 12, countdown 4, judgement
 * window 800, 100 texts per page), a stored input mode 1 becomes 2, and values no menu
 * item can show are replaced by the default so that exactly one item is always checked.
 * Entries 300..319 get the empty best-times line when entry 300 has none.
 */
void applyStartupDefaults(SettingsTable& table);

/** The retry hint of the start panel for a retry-key setting. */
QString retryHint(qint32 retryKey);

} // namespace Options
