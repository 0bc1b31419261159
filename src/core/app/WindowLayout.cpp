#include "core/app/WindowLayout.h"

#include <algorithm>
#include <cmath>

namespace kestrel {

WindowFrames WindowLayout::sideBySide(const TreeRect& area) {
    const float usableWidth = std::max(area.width - 2 * kMargin, 0.0f);
    const float height = std::min(std::max(area.height - 2 * kMargin, kMainMinimumHeight), kMaximumHeight);
    float mainWidth = std::round(usableWidth * 0.38f);
    mainWidth = std::clamp(mainWidth, std::min(kMainMinimumWidth, usableWidth), std::max(usableWidth / 2, kMainMinimumWidth));
    const float top = area.y + kMargin;
    WindowFrames frames;
    frames.main = {area.x + kMargin, top, mainWidth, height};
    const float treeX = frames.main.maxX() + kGap;
    const float treeWidth = area.maxX() - kMargin - treeX;
    if (treeWidth >= 320) {
        frames.tree = {treeX, top, treeWidth, height};
    } else {
        // No room beside it: the tree window covers the right part of the screen, above it.
        const float width = std::max(std::min(usableWidth, 640.0f), 320.0f);
        frames.tree = {area.maxX() - kMargin - width, top + 2 * kMargin, width, std::max(height - 2 * kMargin, 240.0f)};
    }
    return frames;
}

TreeRect WindowLayout::centred(const TreeRect& area, float width, float height) {
    float x = std::round(area.x + (area.width - width) / 2);
    float y = std::round(area.y + (area.height - height) / 3);  // a little above the middle
    x = std::max(x, area.x);
    y = std::max(y, area.y);
    return {x, y, width, height};
}

}  // namespace kestrel
