#pragma once

#include "core/settings/SettingsTable.h"

#include <array>
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

/** Of two text colours, the one that stands out more on `background` (`preferred` on a tie). */
Rgb moreLegible(Rgb background, Rgb preferred, Rgb other);

/** First and last settings entry of the colours. */
inline constexpr int FirstEntry = 14;
inline constexpr int LastEntry = 53;

/** Background items (1, 3, 5, 9); the others colour text. */
bool isBackground(int item);
/** The text item the preview of `item` shows: the item itself or the text of its background. */
int previewTextItem(int item);
/** The background item the preview of `item` shows; typed and mistyped text show on the practice text's. */
int previewBackgroundItem(int item);

/** The numbers "ﾃﾞﾌｫﾙﾄ" stores: 192, 192, 192 for correct text, red for misses, black for the rest. */
Rgb resetNumbers(int item);

/** The 48 swatches of the palette, row by row, eight to a row. */
inline constexpr int PaletteSize = 48;
Rgb paletteColour(int swatch);

/** What the desktop's style gives: the colour of text and of the background it is written on. */
struct SystemColours {
    Rgb text;
    Rgb window;
};

/**
 * The colour each item shows: its own when its flag is on, otherwise its default, the style's
 * text or window colour, red for misses, and for correct text a shade of the practice text
 * that recedes behind the text still to type.
 */
std::array<Rgb, ItemCount> shownColours(const SettingsTable& table, SystemColours system);

/**
 * The colours window's working copy of entries 14..53. Choosing an item never changes it;
 * only an edit (the sliders or a swatch), a reset, or all resets do, and `writeBack` is the
 * only way into the settings.
 */
class Editor {
public:
    explicit Editor(const SettingsTable& settings);

    int selected() const { return m_selected; }
    /** Makes `item` the one edited (an item out of range is ignored). */
    void select(int item);
    /** What the red, green and blue sliders show for the selected item. */
    Rgb sliderValues() const;
    /** The user set the selected item's colour: it is stored and its flag turned on. */
    void setColour(Rgb colour);
    /** Swatch `swatch` of the palette taken for the selected item. */
    void pickSwatch(int swatch);
    /** "ﾃﾞﾌｫﾙﾄ": the selected item back to its default. */
    void resetSelected();
    /** "ｵｰﾙﾃﾞﾌｫﾙﾄ": every item back to its default, and item 0 selected. */
    void resetAll();

    std::optional<Rgb> customColour(int item) const { return ColourSettings::customColour(m_copy, item); }
    std::array<Rgb, ItemCount> shownColours(SystemColours system) const {
        return ColourSettings::shownColours(m_copy, system);
    }
    /** Stores the working copy in entries 14..53 of `settings`, and nothing else. */
    void writeBack(SettingsTable& settings) const;

private:
    void reset(int item);

    SettingsTable m_copy;
    int m_selected = PracticeText;
};

} // namespace ColourSettings
