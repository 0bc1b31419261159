#include "core/parse/StaticInlineEngin.h"

#include "core/model/TreeData.h"

namespace kestrel {

std::vector<std::string> StaticInlineEngin::analyseAll() {
    return texts(readDeclaration(), kFoundationStaticInlineKind);
}

std::optional<std::string> StaticInlineEngin::doAnalyse() {
    std::vector<std::string> all = analyseAll();
    if (all.empty()) return std::nullopt;
    return all.front();
}

}  // namespace kestrel
