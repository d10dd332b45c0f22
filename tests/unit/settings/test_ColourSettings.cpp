#include "core/settings/ColourSettings.h"
#include "unit/UnitTest.h"

#include <algorithm>

using namespace ColourSettings;

namespace {

// Where each colour item lives in the settings table: the item, its flag and its red entry.
constexpr std::tuple<int, int, int> Stored[] = {
    {PracticeText, 14, 20}, {PracticeBackground, 15, 23}, {NextText, 16, 26},    {NextBackground, 17, 29},
    {InputText, 18, 32},    {InputBackground, 19, 35},    {CorrectText, 44, 38}, {MissText, 45, 41},
    {RubyText, 49, 46},     {RubyBackground, 53, 50}};

// Every item's three numbers hold values of their own, so a mixed-up entry shows.
SettingsTable everyColourStored() {
    SettingsTable table;
    for (const auto& [item, flag, red] : Stored)
        for (int c = 0; c < 3; ++c)
            table.setNumber(red + c, 10 * item + c + 1);
    return table;
}

bool between(int value, int a, int b) {
    return value >= std::min(a, b) && value <= std::max(a, b);
}

} // namespace

// Catches entries mixed up between items, such as the flags of the correct (44) and miss (45) colours.
TEST(ColourSettings, EachFlagTurnsOnItsOwnItemOnly) {
    for (const auto& [on, flag, red] : Stored) {
        SCOPED_TRACE(on);
        SettingsTable table = everyColourStored();
        table.setNumber(flag, 1);
        for (const auto& [item, itemFlag, itemRed] : Stored)
            EXPECT_EQ(customColour(table, item),
                      item == on ? std::optional(Rgb{10 * item + 1, 10 * item + 2, 10 * item + 3}) : std::nullopt)
                << "item " << item;
    }
}

TEST(ColourSettings, ContrastRatiosMatchTheWcagFigures) {
    const std::tuple<Rgb, Rgb, double> cases[] = {
        {{0, 0, 0}, {255, 255, 255}, 21.0},
        {{128, 128, 128}, {128, 128, 128}, 1.0},
        {{118, 118, 118}, {255, 255, 255}, 4.54}, // the usual lightest grey for body text
        {{255, 0, 0}, {255, 255, 255}, 4.0}};
    for (const auto& [a, b, ratio] : cases)
        EXPECT_NEAR(contrastRatio(a, b), ratio, 0.01);
}

TEST(ColourSettings, TypedTextRecedesYetStaysLegibleOnLightAndDarkBackgrounds) {
    const std::tuple<const char*, Rgb, Rgb> cases[] = {
        {"light, black on white", {0, 0, 0}, {255, 255, 255}},   {"light, GNOME", {46, 52, 54}, {255, 255, 255}},
        {"dark, white on grey", {255, 255, 255}, {45, 45, 45}},  {"dark, KDE", {252, 252, 252}, {27, 30, 32}},
        {"custom, navy on cream", {0, 0, 128}, {255, 255, 224}}, {"custom, yellow on blue", {255, 255, 0}, {0, 0, 160}},
        {"custom, red on green", {200, 0, 0}, {0, 255, 0}}};
    for (const auto& [palette, text, background] : cases) {
        SCOPED_TRACE(palette);
        const Rgb typed = recedingTextColour(text, background);
        const double contrast = contrastRatio(typed, background);
        EXPECT_GE(contrast, 3.0);
        EXPECT_GE(contrast, TypedTextContrast);
        if (contrastRatio(text, background) > TypedTextContrast + 0.5) {
            // Clearly fainter than the text still to type, and not far beyond what is needed.
            EXPECT_NE(typed, text);
            EXPECT_LT(contrast, TypedTextContrast + 0.3);
        }
        // A shade between the text and the background, not some other hue.
        EXPECT_TRUE(between(typed.red, text.red, background.red) &&
                    between(typed.green, text.green, background.green) &&
                    between(typed.blue, text.blue, background.blue));
    }
}

TEST(ColourSettings, FaintTextIsNotFadedFurther) {
    for (const auto& [text, background] :
         {std::pair{Rgb{150, 150, 150}, Rgb{255, 255, 255}}, std::pair{Rgb{80, 80, 80}, Rgb{60, 60, 60}},
          std::pair{Rgb{20, 20, 20}, Rgb{20, 20, 20}}})
        EXPECT_EQ(recedingTextColour(text, background), text);
}

// The colours window's working copy: what reaches the settings, and only on writeBack.
TEST(ColourSettings, EditorStoresOnlyEditsAndResets) {
    SettingsTable settings = everyColourStored();
    Editor editor(settings);
    for (int item = 0; item < ItemCount; ++item)
        editor.select(item); // choosing never edits
    SettingsTable chosen = settings;
    editor.writeBack(chosen);
    EXPECT_EQ(chosen.toBytes(), settings.toBytes());

    editor.select(PracticeBackground);
    EXPECT_EQ(editor.sliderValues(), (Rgb{255, 255, 255})); // a background at its default
    editor.setColour({200, 255, 255});
    EXPECT_EQ(settings.number(15), 0); // not stored before "決定"
    editor.select(MissText);
    EXPECT_EQ(editor.sliderValues(), (Rgb{255, 0, 0}));
    editor.pickSwatch(22);
    editor.resetSelected();
    editor.select(PracticeText);
    editor.pickSwatch(17);
    editor.writeBack(settings);
    EXPECT_EQ(std::tuple(settings.number(15), settings.number(23)), std::tuple(1, 200));
    EXPECT_EQ(std::tuple(settings.number(45), settings.number(41), settings.number(42), settings.number(43)),
              std::tuple(0, 255, 0, 0));
    const std::array<Rgb, ItemCount> shown = shownColours(settings, {{10, 10, 10}, {250, 250, 250}});
    EXPECT_EQ(shown[PracticeText], (Rgb{255, 0, 0}));
    EXPECT_EQ(shown[MissText], (Rgb{255, 0, 0}));
    EXPECT_EQ(shown[NextBackground], (Rgb{250, 250, 250}));

    editor.select(CorrectText);
    editor.resetAll();
    EXPECT_EQ(std::tuple(editor.selected(), editor.customColour(PracticeBackground)), std::tuple(0, std::nullopt));
}

TEST(ColourSettings, PaletteAndPreviewPairs) {
    for (const auto& [swatch, rgb] : {std::pair{0, Rgb{255, 255, 255}}, std::pair{17, Rgb{255, 0, 0}},
                                      std::pair{10, Rgb{255, 192, 128}}, std::pair{47, Rgb{64, 0, 64}}})
        EXPECT_EQ(paletteColour(swatch), rgb) << swatch;
    // Start-panel hints on a light input background under a dark style take the input text's colour.
    EXPECT_EQ(moreLegible({255, 240, 200}, {230, 230, 230}, {128, 0, 0}), (Rgb{128, 0, 0}));
    EXPECT_EQ(moreLegible({35, 35, 35}, {230, 230, 230}, {128, 0, 0}), (Rgb{230, 230, 230}));
    // item, text shown, background shown
    for (const auto& [item, text, background] :
         {std::tuple{3, 2, 3}, std::tuple{4, 4, 5}, std::tuple{6, 6, 1}, std::tuple{7, 7, 1}, std::tuple{9, 8, 9}}) {
        EXPECT_EQ(previewTextItem(item), text) << item;
        EXPECT_EQ(previewBackgroundItem(item), background) << item;
    }
}
