#include "core/text/FindHistory.h"

namespace kestrel {

void FindHistory::record(const std::string& text, bool picked) {
    if (picked || text.empty()) return;
    items_.insert(items_.begin(), text);
    if (items_.size() > kLimit) items_.resize(kLimit);
}

}  // namespace kestrel
