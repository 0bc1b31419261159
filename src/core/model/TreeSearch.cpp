#include "core/model/TreeSearch.h"

#include <algorithm>
#include <cstdio>

#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"

namespace kestrel {

namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string lowered(const std::string& s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), lower);
    return out;
}

bool matchesLowered(const std::string& loweredCandidate, const std::vector<std::string>& loweredKeys) {
    for (const auto& key : loweredKeys)
        if (loweredCandidate.find(key) == std::string::npos) return false;
    return true;
}

std::vector<std::string> loweredAll(const std::vector<std::string>& keywords) {
    std::vector<std::string> out;
    out.reserve(keywords.size());
    for (const auto& k : keywords) out.push_back(lowered(k));
    return out;
}

void addMethodHits(const std::shared_ptr<ClassData>& owner, const std::optional<std::vector<std::string>>& methods,
                   const std::vector<std::string>& keys, std::vector<TreeSearch::Result>& out) {
    if (!methods) return;
    for (const auto& method : *methods)
        if (matchesLowered(lowered(method), keys)) out.push_back({owner, method, nullptr});
}

}  // namespace

std::vector<std::string> TreeSearch::commandToToken(const std::string& text) {
    std::vector<std::string> tokens;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        if (end > start) tokens.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return tokens;
}

bool TreeSearch::matches(const std::string& candidate, const std::vector<std::string>& keywords) {
    return matchesLowered(lowered(candidate), loweredAll(keywords));
}

std::vector<TreeSearch::Result> TreeSearch::doClassNameFind(const std::vector<std::string>& keywords,
                                                            const std::vector<std::shared_ptr<ClassData>>& classes) {
    std::vector<Result> out;
    auto keys = loweredAll(keywords);
    for (const auto& record : classes)
        if (record && record->getName() && matchesLowered(lowered(*record->getName()), keys))
            out.push_back({record, std::nullopt, nullptr});
    return out;
}

std::vector<TreeSearch::Result> TreeSearch::doMethodFind(const std::vector<std::string>& keywords,
                                                         const std::vector<std::shared_ptr<ClassData>>& classes) {
    std::vector<Result> out;
    auto keys = loweredAll(keywords);
    for (const auto& record : classes) {
        if (!record) continue;
        addMethodHits(record, record->getMethodList(), keys, out);
        for (const auto& category : record->getCategoryList())
            if (category) addMethodHits(record, category->getMethodList(), keys, out);
    }
    return out;
}

std::vector<TreeSearch::Result> TreeSearch::doFuncFind(
    const std::vector<std::string>& keywords, const std::vector<std::shared_ptr<FunctionMacrosData>>& functions) {
    std::vector<Result> out;
    auto keys = loweredAll(keywords);
    for (const auto& record : functions)
        if (record && record->getName() && matchesLowered(lowered(*record->getName()), keys))
            out.push_back({nullptr, std::nullopt, record});
    return out;
}

std::vector<TreeSearch::Result> TreeSearch::doConstantFind(const std::vector<std::string>& keywords,
                                                           const std::vector<std::shared_ptr<EnumData>>& enums) {
    std::vector<Result> out;
    auto keys = loweredAll(keywords);
    for (const auto& record : enums) {
        if (!record) continue;
        const std::string owner = lowered(record->getName().value_or(""));
        for (EnumConstant& constant : record->getConstants())
            if (matchesLowered(lowered(constant.text()) + " " + owner, keys))
                out.push_back({nullptr, std::nullopt, nullptr, record, std::move(constant)});
    }
    return out;
}

std::string TreeSearch::countLine(int mode, std::size_t count) {
    if (count == 0) return "";
    static const char* const nouns[4][2] = {{"class found", "classes found"},
                                            {"method found", "methods found"},
                                            {"Function/Macro found", "Functions/Macros found"},
                                            {"constant found", "constants found"}};
    if (mode < 0 || mode > 3) return "";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%3zu %s", count, nouns[mode][count == 1 ? 0 : 1]);
    return buf;
}

}  // namespace kestrel
