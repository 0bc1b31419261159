#include "core/text/ListMetrics.h"

#include <algorithm>
#include <cmath>

namespace kestrel {

int ListMetrics::rowHeight(double lineHeight) {
    // A missing or absurd measure keeps the classic pitch; a huge one is held to what a list
    // can still show.
    if (!std::isfinite(lineHeight) || lineHeight <= kBaseRowHeight) return kBaseRowHeight;
    return static_cast<int>(std::ceil(std::min(lineHeight, 20.0 * kBaseRowHeight)));
}

}  // namespace kestrel
