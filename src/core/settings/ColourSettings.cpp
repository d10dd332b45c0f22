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

} // namespace ColourSettings
