#include "core/platform/HeaderTexts.h"

#include <utility>

namespace kestrel {

void HeaderTexts::expect(const std::vector<std::string>& paths) {
    std::lock_guard lock(mutex);
    expected.insert(paths.begin(), paths.end());
}

void HeaderTexts::keep(const std::string& path, std::string text) {
    std::lock_guard lock(mutex);
    if (expected.erase(path)) texts.insert_or_assign(path, std::move(text));
}

std::optional<std::string> HeaderTexts::take(const std::string& path) {
    std::lock_guard lock(mutex);
    auto found = texts.find(path);
    if (found == texts.end()) return std::nullopt;
    std::optional<std::string> text = std::move(found->second);
    texts.erase(found);
    return text;
}

void HeaderTexts::clear() {
    std::lock_guard lock(mutex);
    expected.clear();
    texts.clear();
}

}  // namespace kestrel
