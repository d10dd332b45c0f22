#pragma once

#include <optional>

/** Where the main window opens, all in twips. */
namespace WindowPosition {

struct TopLeft {
    int top;
    int left;
    bool operator==(const TopLeft&) const = default;
};

/**
 * The stored top and left when they keep the window reachable on this screen, or nullopt
 * when the window is to be centred (nothing stored, or a position off the screen).
 */
std::optional<TopLeft> restored(int storedTop, int storedLeft, int screenWidth, int screenHeight, int windowWidth);

/**
 * The entries to store for a window whose frame is at `frame` (relative to the screen's
 * origin). A top of 0 would read back as "nothing stored" and centre the window: it is
 * stored as 1 twip, which is still less than a pixel.
 */
TopLeft toStored(TopLeft frame);

/** The centred position. */
TopLeft centred(int screenWidth, int screenHeight, int windowWidth, int windowHeight);

} // namespace WindowPosition
