#include "display/ColourSettings.h"

#include <algorithm>

namespace ColourSettings {
namespace {
constexpr int Flags[ItemCount] = {14, 15, 16, 17, 18, 19, 44, 45, 49, 53};
constexpr int Reds[ItemCount] = {20, 23, 26, 29, 32, 35, 38, 41, 46, 50};
} // namespace

int flagEntry(int item) { return Flags[item]; }
int redEntry(int item) { return Reds[item]; }

std::optional<Rgb> customColour(const SettingsTable& table, int item) {
    if (item < 0 || item >= ItemCount || table.number(Flags[item]) == 0) return std::nullopt;
    auto channel = [&](int offset) { return std::clamp(int(table.number(Reds[item] + offset)), 0, 255); };
    return Rgb{channel(0), channel(1), channel(2)};
}

} // namespace ColourSettings
