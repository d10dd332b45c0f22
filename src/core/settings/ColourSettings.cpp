#include "core/settings/ColourSettings.h"

#include <algorithm>
#include <cmath>

namespace ColourSettings {
namespace {
constexpr int Flags[ItemCount] = {14, 15, 16, 17, 18, 19, 44, 45, 49, 53};
constexpr int Reds[ItemCount] = {20, 23, 26, 29, 32, 35, 38, 41, 46, 50};

double linearChannel(int value) {
    const double c = std::clamp(value, 0, 255) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

int mixChannel(int from, int to, double share) {
    return int(std::lround(from + (to - from) * share));
}

constexpr quint32 Palette[PaletteSize] = {
    0xFFFFFF, 0xFFC0C0, 0xFFE0C0, 0xFFFFC0, 0xC0FFC0, 0xC0FFFF, 0xC0C0FF, 0xFFC0FF, //
    0xE0E0E0, 0xFF8080, 0xFFC080, 0xFFFF80, 0x80FF80, 0x80FFFF, 0x8080FF, 0xFF80FF, //
    0xC0C0C0, 0xFF0000, 0xFF8000, 0xFFFF00, 0x00FF00, 0x00FFFF, 0x0000FF, 0xFF00FF, //
    0x808080, 0xC00000, 0xC04000, 0xC0C000, 0x00C000, 0x00C0C0, 0x0000C0, 0xC000C0, //
    0x404040, 0x800000, 0x804000, 0x808000, 0x008000, 0x008080, 0x000080, 0x800080, //
    0x000000, 0x400000, 0x402000, 0x404000, 0x004000, 0x004040, 0x000040, 0x400040, //
};

bool validItem(int item) {
    return item >= 0 && item < ItemCount;
}
} // namespace

int flagEntry(int item) {
    return Flags[item];
}
int redEntry(int item) {
    return Reds[item];
}

std::optional<Rgb> customColour(const SettingsTable& table, int item) {
    if (item < 0 || item >= ItemCount || table.number(Flags[item]) == 0) return std::nullopt;
    auto channel = [&](int offset) { return std::clamp(int(table.number(Reds[item] + offset)), 0, 255); };
    return Rgb{channel(0), channel(1), channel(2)};
}

double relativeLuminance(Rgb colour) {
    return 0.2126 * linearChannel(colour.red) + 0.7152 * linearChannel(colour.green) +
           0.0722 * linearChannel(colour.blue);
}

double contrastRatio(Rgb a, Rgb b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb recedingTextColour(Rgb text, Rgb background) {
    if (contrastRatio(text, background) <= TypedTextContrast) return text;
    // Walk from the background towards the text colour and stop at the first step that is
    // legible. The channels need not move the same way, so the luminance along the walk is
    // not monotonic in general: a plain scan, checked on the rounded colour, is the safe way.
    constexpr int Steps = 256;
    for (int step = 1; step < Steps; ++step) {
        const double share = double(step) / Steps;
        const Rgb mixed{mixChannel(background.red, text.red, share), mixChannel(background.green, text.green, share),
                        mixChannel(background.blue, text.blue, share)};
        if (contrastRatio(mixed, background) >= TypedTextContrast) return mixed;
    }
    return text;
}

Rgb moreLegible(Rgb background, Rgb preferred, Rgb other) {
    return contrastRatio(other, background) > contrastRatio(preferred, background) ? other : preferred;
}

bool isBackground(int item) {
    return item == PracticeBackground || item == NextBackground || item == InputBackground || item == RubyBackground;
}

int previewTextItem(int item) {
    return isBackground(item) ? item - 1 : item;
}

int previewBackgroundItem(int item) {
    if (item == CorrectText || item == MissText) return PracticeBackground;
    return isBackground(item) ? item : item + 1;
}

Rgb resetNumbers(int item) {
    if (item == CorrectText) return {192, 192, 192};
    if (item == MissText) return {255, 0, 0};
    return {0, 0, 0};
}

Rgb paletteColour(int swatch) {
    const quint32 rgb = Palette[std::clamp(swatch, 0, PaletteSize - 1)];
    return {int(rgb >> 16), int((rgb >> 8) & 0xFF), int(rgb & 0xFF)};
}

std::array<Rgb, ItemCount> shownColours(const SettingsTable& table, SystemColours system) {
    std::array<Rgb, ItemCount> shown{};
    for (int item = 0; item < ItemCount; ++item)
        shown[size_t(item)] = customColour(table, item).value_or(isBackground(item) ? system.window : system.text);
    if (!customColour(table, MissText)) shown[MissText] = {255, 0, 0};
    if (!customColour(table, CorrectText))
        shown[CorrectText] = recedingTextColour(shown[PracticeText], shown[PracticeBackground]);
    return shown;
}

// ---- Editor ------------------------------------------------------------------------------

Editor::Editor(const SettingsTable& settings) {
    for (int entry = FirstEntry; entry <= LastEntry; ++entry)
        m_copy.setNumber(entry, settings.number(entry));
}

void Editor::select(int item) {
    if (validItem(item)) m_selected = item;
}

Rgb Editor::sliderValues() const {
    if (const std::optional<Rgb> own = customColour(m_selected)) return *own;
    return isBackground(m_selected) ? Rgb{255, 255, 255} : resetNumbers(m_selected);
}

void Editor::setColour(Rgb colour) {
    m_copy.setNumber(Flags[m_selected], 1);
    m_copy.setNumber(Reds[m_selected], std::clamp(colour.red, 0, 255));
    m_copy.setNumber(Reds[m_selected] + 1, std::clamp(colour.green, 0, 255));
    m_copy.setNumber(Reds[m_selected] + 2, std::clamp(colour.blue, 0, 255));
}

void Editor::pickSwatch(int swatch) {
    if (swatch >= 0 && swatch < PaletteSize) setColour(paletteColour(swatch));
}

void Editor::reset(int item) {
    const Rgb numbers = resetNumbers(item);
    m_copy.setNumber(Flags[item], 0);
    m_copy.setNumber(Reds[item], numbers.red);
    m_copy.setNumber(Reds[item] + 1, numbers.green);
    m_copy.setNumber(Reds[item] + 2, numbers.blue);
}

void Editor::resetSelected() {
    reset(m_selected);
}

void Editor::resetAll() {
    for (int item = 0; item < ItemCount; ++item)
        reset(item);
    m_selected = PracticeText;
}

void Editor::writeBack(SettingsTable& settings) const {
    for (int entry = FirstEntry; entry <= LastEntry; ++entry)
        settings.setNumber(entry, m_copy.number(entry));
}

} // namespace ColourSettings
