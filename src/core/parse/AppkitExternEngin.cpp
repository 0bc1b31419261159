#include "core/parse/AppkitExternEngin.h"

#include "core/model/TreeData.h"

namespace kestrel {

std::vector<std::string> AppkitExternEngin::analyseAll() { return texts(readDeclaration(), kAppkitExternKind); }

std::optional<std::string> AppkitExternEngin::doAnalyse() {
    std::vector<std::string> all = analyseAll();
    if (all.empty()) return std::nullopt;
    return all.front();
}

}  // namespace kestrel
