#pragma once

#include "app/SettingsTable.h"

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

} // namespace ColourSettings
