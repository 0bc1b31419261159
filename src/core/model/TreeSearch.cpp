#include "core/model/TreeSearch.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
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

// A method found, where it is: copied into a result only once the hits are in order.
struct MethodHit {
    const std::shared_ptr<ClassData>* owner;
    const std::string* method;
};

void addMethodHits(const std::shared_ptr<ClassData>& owner, const std::optional<std::vector<std::string>>& methods,
                   const Matcher& match, SearchRank& rank, std::vector<MethodHit>& hits,
                   std::vector<SearchRank::Key>& keys) {
    if (!methods) return;
    for (const auto& method : *methods)
        if (match(method)) {
            keys.push_back(rank.methodKeyOf(method, hits.size()));
            hits.push_back({&owner, &method});
        }
}

// The results of the hits in the order of their keys (SearchRank): best answers first.
template <class Hit, class Make>
std::vector<TreeSearch::Result> inOrder(const std::vector<Hit>& hits, std::vector<SearchRank::Key> keys, Make make) {
    std::vector<TreeSearch::Result> out;
    out.reserve(hits.size());
    for (std::size_t i : SearchRank::order(std::move(keys))) out.push_back(make(hits[i]));
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
    const Matcher match(keywords);
    SearchRank rank(match.keys());
    std::vector<const std::shared_ptr<ClassData>*> hits;
    std::vector<SearchRank::Key> keys;
    for (const auto& record : classes)
        if (record && record->getName() && match(*record->getName())) {
            keys.push_back(rank.keyOf(*record->getName(), hits.size()));
            hits.push_back(&record);
        }
    return inOrder(hits, std::move(keys), [](const auto* record) { return Result{*record, std::nullopt, nullptr}; });
}

std::vector<TreeSearch::Result> TreeSearch::doMethodFind(const std::vector<std::string>& keywords,
                                                         const std::vector<std::shared_ptr<ClassData>>& classes) {
    const Matcher match(keywords);
    SearchRank rank(match.keys());
    std::vector<MethodHit> hits;
    std::vector<SearchRank::Key> keys;
    for (const auto& record : classes) {
        if (!record) continue;
        addMethodHits(record, record->getMethodList(), match, rank, hits, keys);
        for (const auto& category : record->getCategoryList())
            if (category) addMethodHits(record, category->getMethodList(), match, rank, hits, keys);
    }
    return inOrder(hits, std::move(keys), [](const MethodHit& hit) { return Result{*hit.owner, *hit.method, nullptr}; });
}

std::vector<TreeSearch::Result> TreeSearch::doFuncFind(
    const std::vector<std::string>& keywords, const std::vector<std::shared_ptr<FunctionMacrosData>>& functions) {
    const Matcher match(keywords);
    SearchRank rank(match.keys());
    std::vector<const std::shared_ptr<FunctionMacrosData>*> hits;
    std::vector<SearchRank::Key> keys;
    for (const auto& record : functions)
        if (record && record->getName() && match(*record->getName())) {
            keys.push_back(rank.keyOf(SearchRank::functionNameOf(*record->getName()), hits.size()));
            hits.push_back(&record);
        }
    return inOrder(hits, std::move(keys), [](const auto* record) { return Result{nullptr, std::nullopt, *record}; });
}

std::vector<TreeSearch::Result> TreeSearch::doConstantFind(const std::vector<std::string>& keywords,
                                                           const std::vector<std::shared_ptr<EnumData>>& enums) {
    // A constant matches by its text or its enum's name (an enum's name finds all its constants),
    // and ranks by its own name.
    const Matcher match(keywords);
    SearchRank rank(match.keys());
    struct ConstantHit {
        const std::shared_ptr<EnumData>* owner;
        EnumConstant constant;
    };
    std::vector<ConstantHit> hits;
    std::vector<SearchRank::Key> keys;
    for (const auto& record : enums) {
        if (!record) continue;
        const std::string owner = record->getName().value_or("");
        for (EnumConstant& constant : record->getConstants())
            if (match(constant.text() + " " + owner)) {
                keys.push_back(rank.keyOf(constant.name, hits.size()));
                hits.push_back({&record, std::move(constant)});
            }
    }
    return inOrder(hits, std::move(keys), [](const ConstantHit& hit) {
        return Result{nullptr, std::nullopt, nullptr, *hit.owner, hit.constant};
    });
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
