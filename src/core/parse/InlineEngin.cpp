#include "core/parse/InlineEngin.h"

#include "core/model/TreeData.h"

namespace kestrel {

std::vector<std::string> InlineEngin::analyseAll() { return texts(readDeclaration(), kCGInlineKind); }

std::optional<std::string> InlineEngin::doAnalyse() {
    std::vector<std::string> all = analyseAll();
    if (all.empty()) return std::nullopt;
    return all.front();
}

}  // namespace kestrel
