#include "core/text/QuickOpenSearch.h"

#include <algorithm>

#include "core/text/QuickOpenIndex.h"

namespace kestrel {

namespace {

// What orders the hits first, as one number: rank, bonus (more first), declarations (more
// first), length, kind.
std::uint64_t orderOf(const QuickOpenIndex& index, std::uint32_t entry, FuzzyRank::Score score) {
    const std::uint64_t bonus = 511u - std::min<std::uint64_t>(score.bonus, 511u);
    const std::uint64_t rarity = 31u - std::min<std::uint64_t>(index.popularity(entry), 31u);
    const std::uint64_t length = std::min<std::uint64_t>(index.name(entry).size(), 4095u);
    return std::uint64_t{score.tier} << 30 | bonus << 21 | rarity << 16 | length << 4 |
           std::uint64_t{static_cast<std::uint8_t>(index.kind(entry))};
}

// Then names in alphabetical order, the declaration nearest the root, the index's order.
struct Ranked {
    std::uint64_t order;
    std::uint32_t entry;
    FuzzyRank::Score score;
};

struct Better {
    const QuickOpenIndex& index;
    bool operator()(const Ranked& a, const Ranked& b) const {
        if (a.order != b.order) return a.order < b.order;
        if (int c = index.lowered(a.entry).compare(index.lowered(b.entry)); c != 0) return c < 0;
        if (index.depth(a.entry) != index.depth(b.entry)) return index.depth(a.entry) < index.depth(b.entry);
        return a.entry < b.entry;
    }
};

}  // namespace

void QuickOpenSearch::reset() {
    levels_.clear();
    matchCount_ = 0;
    generation_ = index_.generation();
}

std::vector<QuickOpenSearch::Hit> QuickOpenSearch::find(std::string_view typed, std::size_t limit) {
    if (generation_ != index_.generation()) reset();
    const std::string query = FuzzyRank::queryOf(typed);
    matchCount_ = 0;
    if (query.empty()) {
        levels_.clear();
        return {};
    }
    // The matches of the longest query typed on the way to this one.
    while (!levels_.empty() && query.compare(0, levels_.back().query.size(), levels_.back().query) != 0)
        levels_.pop_back();
    const bool again = !levels_.empty() && levels_.back().query == query;
    const std::vector<std::uint32_t>* among = levels_.empty() ? nullptr : &levels_.back().matches;

    const std::uint64_t letters = FuzzyRank::letters(query);
    std::vector<std::uint32_t> matches;
    std::vector<Ranked> ranked;
    auto consider = [&](std::uint32_t entry) {
        if ((index_.letters(entry) & letters) != letters) return;
        const std::optional<FuzzyRank::Score> score =
            FuzzyRank::score(index_.name(entry), index_.lowered(entry), query, index_.wordStarts(entry));
        if (!score) return;
        matches.push_back(entry);
        ranked.push_back({orderOf(index_, entry, *score), entry, *score});
    };
    const std::size_t candidates = among ? among->size() : index_.size();
    matches.reserve(candidates);
    ranked.reserve(candidates);
    if (among) {
        for (std::uint32_t entry : *among) consider(entry);
    } else {
        for (std::uint32_t entry = 0; entry < index_.size(); ++entry) consider(entry);
    }
    matchCount_ = ranked.size();
    if (!again) levels_.push_back({query, std::move(matches)});

    const std::size_t kept = std::min(limit, ranked.size());
    std::partial_sort(ranked.begin(), ranked.begin() + static_cast<std::ptrdiff_t>(kept), ranked.end(), Better{index_});
    std::vector<Hit> out;
    out.reserve(kept);
    for (std::size_t i = 0; i < kept; ++i) out.push_back({ranked[i].entry, ranked[i].score});
    return out;
}

}  // namespace kestrel
