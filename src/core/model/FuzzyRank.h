#pragma once
// How well a name answers a quick-open query: the query's letters in order, any case, not
// necessarily together:
//
//   Exact      the name is the query ("initwithframe" for initWithFrame:, ':' may be left out)
//   Prefix     the name starts with it                        "nsvi"  NSView
//   WordStart  it stands whole at a word start inside the name "frame" initWithFrame:
//   InName     it stands whole elsewhere in the name          "rame"  initWithFrame:
//   Scattered  its letters are in the name in order           "nsmr"  NSMakeRect, "iwf" initWithFrame:
//
// Ranks run as SearchRank's do (words start as SearchRank::isWordStart says); within a rank a
// scattered match that lands on word starts (2 each) and on letters next to the one before
// (1 each) comes first -- "iwf" lands on i, W and F of initWithFrame: (6), on i, w and f of
// "viewDidFinish" less well -- and then shorter names. Among the places where the letters fit,
// a letter goes next to the one before where it can, else to the first word start that leaves
// room for the rest, else to the first place that does.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

class FuzzyRank {
public:
    enum Tier : std::uint8_t { Exact, Prefix, WordStart, InName, Scattered };
    struct Score {
        Tier tier = Scattered;
        std::uint16_t bonus = 0;  // for scattered letters: word starts and neighbours met
        bool operator==(const Score&) const = default;
    };
    static constexpr std::uint16_t kWordStartBonus = 2;
    static constexpr std::uint16_t kNeighbourBonus = 1;
    // Longer queries are cut to this many characters.
    static constexpr std::size_t kLongestQuery = 255;

    // name as written and lowered (name in lower case, as lowered() makes it); query in lower
    // case. None when the query's letters are not all in the name in order, or the query is empty.
    static std::optional<Score> score(std::string_view name, std::string_view lowered, std::string_view query);
    // The same, with the name's word starts made beforehand (wordStarts): quicker over many names.
    static std::optional<Score> score(std::string_view name, std::string_view lowered, std::string_view query,
                                      std::uint64_t starts);
    // Which of a name's first 64 places start a word (SearchRank::isWordStart), one bit each.
    static std::uint64_t wordStarts(std::string_view name);

    // ASCII letters made small; every other byte kept.
    static std::string lowered(std::string_view text);
    // The query as matched: lower case, without blanks, at most kLongestQuery characters.
    static std::string queryOf(std::string_view typed);
    // The letters, digits, '_' and ':' that a lowered text holds, one bit each: a name holds a
    // query's letters in order only when its bits cover the query's.
    static std::uint64_t letters(std::string_view lowered);
};

}  // namespace kestrel
