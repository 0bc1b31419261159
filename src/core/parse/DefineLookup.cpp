#include "core/parse/DefineLookup.h"

#include <unordered_set>
#include <utility>
#include <vector>

#include "core/parse/DefineData.h"

namespace kestrel {

std::optional<std::string> DefineLookup::findDefinition(const DefineData& header, const std::string& symbol,
                                                        const DefineList& group) {
    auto definitionIn = [&](const DefineData& data) -> const std::string* {
        const auto& defines = data.getDefineList();
        if (!defines) return nullptr;
        auto found = defines->find(symbol);
        return found == defines->end() ? nullptr : &found->second;
    };
    if (const std::string* text = definitionIn(header)) return *text;
    // An explicit stack, so that a long import chain costs heap rather than call stack.
    std::unordered_set<std::string> checked;
    std::vector<std::pair<const DefineData*, std::size_t>> stack{{&header, 0}};
    while (!stack.empty()) {
        auto& [data, next] = stack.back();
        const auto& imports = data->getImportList();
        if (!imports || next >= imports->size()) {
            stack.pop_back();
            continue;
        }
        const std::string& name = (*imports)[next++];
        if (!checked.insert(name).second) continue;
        auto found = group.find(name);
        if (found == group.end() || !found->second) continue;
        if (const std::string* text = definitionIn(*found->second)) return *text;
        stack.emplace_back(found->second.get(), 0);
    }
    return std::nullopt;
}

}  // namespace kestrel
