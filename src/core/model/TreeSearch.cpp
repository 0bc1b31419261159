#include "core/model/TreeSearch.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/SearchRank.h"

namespace kestrel {

namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string lowered(const std::string& s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), lower);
    return out;
}

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Whether text holds key (in lower case) in any case, without copying the text: a search over
// every method of the tree then allocates nothing per candidate.
bool holds(std::string_view text, std::string_view key) {
    if (key.empty()) return true;
    if (key.size() > text.size()) return false;
    const char first = key[0], firstUpper = upper(key[0]);
    const char* end = text.data() + (text.size() - key.size()) + 1;
    for (const char* p = text.data(); p < end; ++p) {
        if (*p != first && *p != firstUpper) continue;
        std::size_t i = 1;
        while (i < key.size() && lower(p[i]) == key[i]) ++i;
        if (i == key.size()) return true;
    }
    return false;
}

class Matcher {
public:
    explicit Matcher(const std::vector<std::string>& keywords) {
        keys_.reserve(keywords.size());
        for (const auto& k : keywords) keys_.push_back(lowered(k));
    }
    bool operator()(const std::string& candidate) const {
        for (const auto& key : keys_)
            if (!holds(candidate, key)) return false;
        return true;
    }
    const std::vector<std::string>& keys() const { return keys_; }

private:
    std::vector<std::string> keys_;
};

void addMethodHits(const std::shared_ptr<ClassData>& owner, const std::optional<std::vector<std::string>>& methods,
                   const Matcher& match, std::vector<TreeSearch::Result>& out) {
    if (!methods) return;
    for (const auto& method : *methods)
        if (match(method)) out.push_back({owner, method, nullptr});
}

// The hits in the order of their keys (SearchRank): best answers first.
std::vector<TreeSearch::Result> ranked(std::vector<TreeSearch::Result> hits, const std::vector<SearchRank::Key>& keys) {
    std::vector<TreeSearch::Result> out;
    out.reserve(hits.size());
    for (std::size_t i : SearchRank::order(keys)) out.push_back(std::move(hits[i]));
    return out;
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
    return Matcher(keywords)(candidate);
}

std::vector<TreeSearch::Result> TreeSearch::doClassNameFind(const std::vector<std::string>& keywords,
                                                            const std::vector<std::shared_ptr<ClassData>>& classes) {
    std::vector<Result> out;
    std::vector<SearchRank::Key> keys;
    Matcher match(keywords);
    SearchRank rank(match.keys());
    for (const auto& record : classes)
        if (record && record->getName() && match(*record->getName())) {
            keys.push_back(rank.keyOf(*record->getName(), out.size()));
            out.push_back({record, std::nullopt, nullptr});
        }
    return ranked(std::move(out), keys);
}

std::vector<TreeSearch::Result> TreeSearch::doMethodFind(const std::vector<std::string>& keywords,
                                                         const std::vector<std::shared_ptr<ClassData>>& classes) {
    std::vector<Result> out;
    Matcher match(keywords);
    for (const auto& record : classes) {
        if (!record) continue;
        addMethodHits(record, record->getMethodList(), match, out);
        for (const auto& category : record->getCategoryList())
            if (category) addMethodHits(record, category->getMethodList(), match, out);
    }
    SearchRank rank(match.keys());
    std::vector<SearchRank::Key> keys;
    keys.reserve(out.size());
    for (std::size_t i = 0; i < out.size(); ++i) keys.push_back(rank.methodKeyOf(*out[i].method, i));
    return ranked(std::move(out), keys);
}

std::vector<TreeSearch::Result> TreeSearch::doFuncFind(
    const std::vector<std::string>& keywords, const std::vector<std::shared_ptr<FunctionMacrosData>>& functions) {
    std::vector<Result> out;
    std::vector<SearchRank::Key> keys;
    Matcher match(keywords);
    SearchRank rank(match.keys());
    for (const auto& record : functions)
        if (record && record->getName() && match(*record->getName())) {
            keys.push_back(rank.keyOf(SearchRank::functionNameOf(*record->getName()), out.size()));
            out.push_back({nullptr, std::nullopt, record});
        }
    return ranked(std::move(out), keys);
}

std::string TreeSearch::countLine(int mode, std::size_t count) {
    if (count == 0) return "";
    static const char* const nouns[3][2] = {{"class found", "clases found"},
                                            {"method found", "methods found"},
                                            {"Function/Macro found", "Functions/Macros found"}};
    if (mode < 0 || mode > 2) return "";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%3zu %s", count, nouns[mode][count == 1 ? 0 : 1]);
    return buf;
}

}  // namespace kestrel
