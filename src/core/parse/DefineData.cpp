#include "core/parse/DefineData.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

namespace kestrel {

void DefineData::addImportHeader(const std::string& header) {
    if (!importList) importList.emplace();
    importList->push_back(header);
}

void DefineData::addDefine(MacroDefinition definition, const std::string& key) {
    if (!defineList) defineList.emplace();
    (*defineList).insert_or_assign(key, std::move(definition));
}

void DefineData::addDefine(const std::string& text, const std::string& key) {
    addDefine(MacroDefinition::fromRecordText(text), key);
}

const MacroDefinition* DefineData::findOwn(std::string_view name) const {
    if (!defineList) return nullptr;
    auto found = defineList->find(name);
    return found == defineList->end() ? nullptr : &found->second;
}

bool DefineData::isChecked(const std::string& name, const std::vector<std::string>& list) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

bool DefineData::checkDefine(const std::string& symbol, const DefineList& group,
                             std::vector<std::string>& checkedList) const {
    // The recursive rule walked with an explicit stack, so a long import chain cannot exhaust
    // the call stack: visit own defines, then each unchecked import in order, depth first.
    // The checked names are mirrored in a hash set so that a question over many headers stays
    // linear; checkedList itself grows exactly as the rule says. An undefined mark answers no.
    auto line = [&](const DefineData& d) { return d.findOwn(symbol); };
    if (const MacroDefinition* own = line(*this)) return !own->isUndefined();
    std::unordered_set<std::string> checked(checkedList.begin(), checkedList.end());
    std::vector<std::pair<const DefineData*, std::size_t>> stack{{this, 0}};
    while (!stack.empty()) {
        auto& [data, next] = stack.back();
        if (!data->importList || next >= data->importList->size()) {
            stack.pop_back();
            continue;
        }
        const std::string& name = (*data->importList)[next++];
        if (!checked.insert(name).second) continue;
        checkedList.push_back(name);
        auto found = group.find(name);
        if (found == group.end() || !found->second) continue;
        if (const MacroDefinition* own = line(*found->second)) return !own->isUndefined();
        stack.emplace_back(found->second.get(), 0);
    }
    return false;
}

}  // namespace kestrel
