#pragma once
// Quick open's search over a QuickOpenIndex, as the user types: every entry whose name holds
// the query's letters in order (FuzzyRank), the best first, at most `limit` of them.
//
// Order: FuzzyRank's rank, then its bonus, then names declared in more places (a name that
// many classes declare is a name much used: initWithFrame: before isWellFormed for "iwf"),
// then shorter names, then the kind (QuickOpenIndex's order: a class before a protocol of the
// same name, ...), then names in alphabetical order, then the declaration nearest the root
// class, then the index's order.
//
// Fast as keys come: the letters of each name are checked first (one AND), only the names
// that pass are matched, and only the best `limit` are sorted. A query that extends the one
// before (the next key typed) looks only among the matches of that one; the matches of each
// shorter query typed on the way are kept, so that a key taken back answers at once too.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/FuzzyRank.h"

namespace kestrel {

class QuickOpenIndex;

class QuickOpenSearch {
public:
    static constexpr std::size_t kDefaultLimit = 200;

    struct Hit {
        std::uint32_t entry;
        FuzzyRank::Score score;
    };

    explicit QuickOpenSearch(const QuickOpenIndex& index) : index_(index) {}

    // The best hits for what was typed (blanks and case do not count), best first.
    std::vector<Hit> find(std::string_view typed, std::size_t limit = kDefaultLimit);
    // How many entries the last find matched, beyond the limit too.
    std::size_t matchCount() const { return matchCount_; }
    // Forgets the kept matches (the index was built again).
    void reset();

private:
    struct Level {
        std::string query;
        std::vector<std::uint32_t> matches;
    };

    const QuickOpenIndex& index_;
    std::uint64_t generation_ = 0;
    std::vector<Level> levels_;  // each query a prefix of the next
    std::size_t matchCount_ = 0;
};

}  // namespace kestrel
