#pragma once

#include "core/settings/SettingsTable.h"

#include <QString>

#include <span>

/**
 * The option menus of the main window ("オプション(&O)"): each is a radio-style item
 * array that stores one number in the settings table. This unit holds the captions,
 * the stored values and the start-up defaults, so the window only builds menus from it.
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

/** One item of an option array: its control-array index and caption (empty caption = separator). */
struct Item {
    int index;
    const char16_t* caption;
};

/** One option array and the submenu that holds it. */
struct Group {
    const char16_t* arrayName;   ///< control array, e.g. "fontSizeActions"
    const char16_t* submenuName; ///< e.g. "fontSizeMenu"
    const char16_t* submenuCaption;
    int entry; ///< settings entry of the stored value
    std::span<const Item> items;
    /** Stored value of item `index`. */
    qint32 (*valueOf)(int index);
};

/** The option arrays in menu order (the judgement-standard array is the standards' own). */
std::span<const Group> groups();
/** The array that stores entry `entry`, or nullptr. */
const Group* groupForEntry(int entry);
/** The item index to check for a stored value, or -1 when no item has that value. */
int indexForValue(const Group& group, qint32 value);

/** The five judgement standards (standardActions 0..4) in menu order. */
std::span<const Item> standards();

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
