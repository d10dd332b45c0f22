#include "core/settings/WindowPosition.h"

namespace WindowPosition {

std::optional<TopLeft> restored(int storedTop, int storedLeft, int screenWidth, int screenHeight, int windowWidth) {
    if (storedTop == 0) return std::nullopt;
    if (storedTop < 0 || storedTop > screenHeight - 480 || storedLeft > screenWidth - 480 ||
        storedLeft < 1020 - windowWidth)
        return std::nullopt;
    return TopLeft{storedTop, storedLeft};
}

TopLeft toStored(TopLeft frame) {
    if (frame.top == 0) frame.top = 1;
    return frame;
}

TopLeft centred(int screenWidth, int screenHeight, int windowWidth, int windowHeight) {
    return {(screenHeight - windowHeight) / 2, (screenWidth - windowWidth) / 2};
}

} // namespace WindowPosition
