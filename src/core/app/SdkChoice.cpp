#include "core/app/SdkChoice.h"

#include <cctype>

#include "core/platform/SdkLayout.h"

namespace kestrel {

std::string SdkChoice::taken(const std::string& field) {
    std::size_t begin = 0, end = field.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(field[begin]))) ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(field[end - 1]))) --end;
    std::string path = field.substr(begin, end - begin);
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

SdkChoice::Note SdkChoice::note(const std::string& field, const std::string& defaultRoot) {
    const std::string path = taken(field);
    if (path.empty()) return {"Default: " + SdkLayout::describe(defaultRoot), true};
    if (auto root = SdkLayout::frameworksRootOf(path)) return {SdkLayout::describe(*root), true};
    return {path + " is no SDK: it has no System/Library/Frameworks", false};
}

}  // namespace kestrel
