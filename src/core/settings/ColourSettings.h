#pragma once

#include "core/settings/SettingsTable.h"

#include <optional>

/** The ten colour items of the practice window stored in settings entries 14..53. */
namespace ColourSettings {

enum Item : int {
    PracticeText = 0,
    PracticeBackground = 1,
    NextText = 2,
    NextBackground = 3,
    InputText = 4,
    InputBackground = 5,
    CorrectText = 6,
    MissText = 7,
    RubyText = 8,
    RubyBackground = 9,
};
inline constexpr int ItemCount = 10;

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb&) const = default;
};

/** Settings entry of an item's on/off flag. */
int flagEntry(int item);
/** Settings entry of an item's red value (green and blue follow it). */
int redEntry(int item);

/** The item's own colour when its flag is on; nullopt means the window's default colour. */
std::optional<Rgb> customColour(const SettingsTable& table, int item);

/** Relative luminance of an sRGB colour, 0 (black) to 1 (white), as the WCAG define it. */
double relativeLuminance(Rgb colour);
/** WCAG contrast ratio of two colours, 1 (equal) to 21 (black on white). */
double contrastRatio(Rgb a, Rgb b);

/** Contrast the default colour of correctly typed characters keeps against the text background. */
inline constexpr double TypedTextContrast = 3.5;

/**
 * Default colour of correctly typed characters: the practice text colour faded towards the
 * background until only `TypedTextContrast` is left, so typed text recedes behind the text
 * still to type yet stays readable, on light and dark backgrounds alike. A text colour that
 * already has no more contrast than that is returned unchanged.
 */
Rgb recedingTextColour(Rgb text, Rgb background);

} // namespace ColourSettings
