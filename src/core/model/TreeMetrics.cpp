#include "core/model/TreeMetrics.h"

#include <algorithm>
#include <cmath>

#include "core/platform/TextMeasure.h"

namespace kestrel {

TreeMetrics TreeMetrics::forLineHeight(double lineHeight) {
    TreeMetrics m;
    // A missing or absurd measure keeps the classic sizes.
    if (!std::isfinite(lineHeight) || lineHeight <= kBaseLineHeight) return m;
    const double scale = std::min(lineHeight, 20 * kBaseLineHeight) / kBaseLineHeight;
    auto scaled = [scale](float length) { return static_cast<float>(std::round(length * scale)); };
    m.scale = static_cast<float>(scale);
    m.boxWidth = scaled(m.boxWidth);
    m.boxHeight = scaled(m.boxHeight);
    m.columnGap = scaled(m.columnGap);
    m.siblingGap = scaled(m.siblingGap);
    m.firstRoot = {scaled(m.firstRoot.x), scaled(m.firstRoot.y)};
    m.frameMargin = scaled(m.frameMargin);
    m.textInset = scaled(m.textInset);
    m.lineOffset = std::floor(m.boxHeight / 2);
    m.stub = scaled(m.stub);
    m.buttonInset = {scaled(m.buttonInset.x), scaled(m.buttonInset.y)};
    m.buttonWidth = scaled(m.buttonWidth);
    m.buttonHeight = scaled(m.buttonHeight);
    m.buttonHitHalfWidth = scaled(m.buttonHitHalfWidth);
    return m;
}

TreeMetrics TreeMetrics::current() { return forLineHeight(TextMeasure::lineHeight()); }

}  // namespace kestrel
