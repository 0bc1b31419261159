#include "core/text/FunctionFilter.h"

#include <optional>
#include <unordered_set>

#include "core/model/FunctionMacrosData.h"
#include "core/platform/InfoPlist.h"

namespace kestrel {

namespace {

using Field = const std::optional<std::string>& (TreeData::*)() const;

// "showAllMenu"'s text, then each value of the field once, in the order first met; records
// without one give no title.
std::vector<std::string> titles(const FunctionFilter::List& list, Field field) {
    if (list.empty()) return {};
    std::vector<std::string> out{InfoPlist::localizedString("showAllMenu")};
    std::unordered_set<std::string> seen;
    for (const auto& record : list) {
        if (!record) continue;
        const auto& value = ((*record).*field)();
        if (value && seen.insert(*value).second) out.push_back(*value);
    }
    return out;
}

FunctionFilter::List withField(const FunctionFilter::List& list, Field field, const std::string& title) {
    FunctionFilter::List out;
    for (const auto& record : list)
        if (record && ((*record).*field)() == title) out.push_back(record);
    return out;
}

bool hasParenthesis(const FunctionMacrosData& record) {
    return record.getName() && record.getName()->find('(') != std::string::npos;
}

}  // namespace

FunctionFilter::List FunctionFilter::createFuncList(const List& functions, std::int32_t kindTag,
                                                    std::int32_t filterSelectIndex) {
    List out;
    for (const auto& record : functions) {
        if (!record || (kindTag != 0 && record->whoAreYou() != kindTag)) continue;
        if (filterSelectIndex == 1 && !hasParenthesis(*record)) continue;
        if (filterSelectIndex != 0 && filterSelectIndex != 1 && hasParenthesis(*record)) continue;
        out.push_back(record);
    }
    return out;
}

std::vector<std::string> FunctionFilter::frameworkTitles(const List& list) { return titles(list, &TreeData::frameWorkName); }

std::vector<std::string> FunctionFilter::headerTitles(const List& list) { return titles(list, &TreeData::hedderName); }

FunctionFilter::List FunctionFilter::byFramework(const List& list, const std::string& framework) {
    return withField(list, &TreeData::frameWorkName, framework);
}

FunctionFilter::List FunctionFilter::byHeader(const List& list, const std::string& header) {
    return withField(list, &TreeData::hedderName, header);
}

}  // namespace kestrel
