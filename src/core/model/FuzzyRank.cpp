#include "core/model/FuzzyRank.h"

#include <array>

#include "core/model/SearchRank.h"

namespace kestrel {

namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

// Whether place `at` of name starts a word: from the bits made beforehand where they reach.
bool startsWord(std::string_view name, std::size_t at, std::uint64_t starts) {
    return at < 64 ? (starts >> at & 1u) != 0 : SearchRank::isWordStart(name, at);
}

// The substring ranks: the best place of the query whole in the name, if it is there.
std::optional<FuzzyRank::Tier> wholeIn(std::string_view name, std::string_view lowered, std::string_view query,
                                       std::uint64_t starts) {
    if (lowered.size() >= query.size() && lowered.compare(0, query.size(), query) == 0) {
        const bool exact = lowered.size() == query.size() ||
                           (lowered.size() == query.size() + 1 && lowered.back() == ':');
        return exact ? FuzzyRank::Exact : FuzzyRank::Prefix;
    }
    std::optional<FuzzyRank::Tier> found;
    for (std::size_t at = lowered.find(query, 1); at != std::string_view::npos; at = lowered.find(query, at + 1)) {
        if (startsWord(name, at, starts)) return FuzzyRank::WordStart;
        found = FuzzyRank::InName;
    }
    return found;
}

}  // namespace

std::string FuzzyRank::lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = lower(c);
    return out;
}

std::string FuzzyRank::queryOf(std::string_view typed) {
    std::string out;
    for (char c : typed) {
        if (out.size() == kLongestQuery) break;
        if (!blank(c)) out += lower(c);
    }
    return out;
}

std::uint64_t FuzzyRank::letters(std::string_view lowered) {
    std::uint64_t bits = 0;
    for (char c : lowered) {
        if (c >= 'a' && c <= 'z') bits |= std::uint64_t{1} << (c - 'a');
        else if (c >= '0' && c <= '9') bits |= std::uint64_t{1} << (26 + c - '0');
        else if (c == '_') bits |= std::uint64_t{1} << 36;
        else if (c == ':') bits |= std::uint64_t{1} << 37;
    }
    return bits;
}

std::uint64_t FuzzyRank::wordStarts(std::string_view name) {
    std::uint64_t bits = 0;
    for (std::size_t at = 0; at < name.size() && at < 64; ++at)
        if (SearchRank::isWordStart(name, at)) bits |= std::uint64_t{1} << at;
    return bits;
}

std::optional<FuzzyRank::Score> FuzzyRank::score(std::string_view name, std::string_view lowered,
                                                 std::string_view query) {
    return score(name, lowered, query, wordStarts(name));
}

std::optional<FuzzyRank::Score> FuzzyRank::score(std::string_view name, std::string_view lowered,
                                                 std::string_view query, std::uint64_t starts) {
    if (query.empty() || query.size() > lowered.size() || query.size() > kLongestQuery) return std::nullopt;
    if (std::optional<Tier> tier = wholeIn(name, lowered, query, starts)) return Score{*tier, 0};
    if (query.size() == 1) return std::nullopt;  // a single letter is whole or nowhere

    // The last place each letter can take with the rest still fitting after it.
    std::array<std::size_t, kLongestQuery> last{};
    std::size_t i = lowered.size();
    for (std::size_t j = query.size(); j-- > 0;) {
        while (i > 0 && lowered[i - 1] != query[j]) --i;
        if (i == 0) return std::nullopt;
        last[j] = --i;
    }
    // From the left: next to the letter before, else the first word start, else the first place.
    Score out{Scattered, 0};
    std::size_t from = 0;
    std::size_t previous = std::string_view::npos;
    for (std::size_t j = 0; j < query.size(); ++j) {
        std::size_t at = std::string_view::npos;
        if (previous != std::string_view::npos && lowered[from] == query[j]) {
            at = from;
        } else {
            for (std::size_t k = from; k <= last[j]; ++k)
                if (lowered[k] == query[j] && startsWord(name, k, starts)) {
                    at = k;
                    break;
                }
            if (at == std::string_view::npos) at = lowered.find(query[j], from);
        }
        if (startsWord(name, at, starts)) out.bonus += kWordStartBonus;
        if (previous != std::string_view::npos && at == previous + 1) out.bonus += kNeighbourBonus;
        previous = at;
        from = at + 1;
    }
    return out;
}

}  // namespace kestrel
