#pragma once
// How well a found item's name answers the keywords, so that the best answers come first:
//
//   Exact       the name is the keyword (any case; a method's closing ':' may be left out)
//   Prefix      the name starts with it                       "NSView" for "nsvi"
//   WordStart   it starts a word inside the name              "Frame" in initWithFrame:
//   InName      it is elsewhere in the name                   "rame" in initWithFrame:
//   Elsewhere   only the rest of the text holds it            "NSRect" in -(id)initWithFrame:(NSRect)r
//
// With several keywords the best of their ranks counts, and among names alike in it, those
// whose other keywords rank better ("draw rect": drawRect: before drawKnob:, whose "rect" is
// only in an argument). Then shorter names come first, then the order in which the items were
// found.
//
// Words start after ':' and '_', at a capital after a lower-case letter or a digit, and at the
// last capital of a run of them when a lower-case letter follows ("View" in NSView, "Session"
// in NSURLSession).
//
// The name of an item: a class's name; a method's selector ("-(void)setFoo:(id)foo bar:(int)x"
// -> "setFoo:bar:"); a function's identifier ("NSString* NSStringFromRect(NSRect aRect)" ->
// "NSStringFromRect"; "NSString* const NSFooKey" -> "NSFooKey").
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

class SearchRank {
public:
    enum Rank : std::uint8_t { Exact, Prefix, WordStart, InName, Elsewhere };

    // What orders one item: its rank, the length of its name, and where it was found.
    struct Key {
        Rank rank = Elsewhere;
        std::uint32_t all = 0;  // the sum of every keyword's rank
        std::uint32_t length = 0;
        std::uint32_t index = 0;
    };

    // Ranks names against the keywords (in lower case, as the search compares them). One
    // object ranks the hits of one search, reusing its buffers: no allocation per hit.
    explicit SearchRank(std::vector<std::string> loweredKeywords) : keys_(std::move(loweredKeywords)) {}
    Rank rank(std::string_view name) { return keyOf(name, 0).rank; }
    Key keyOf(std::string_view name, std::size_t index);
    Key methodKeyOf(std::string_view declaration, std::size_t index);

    static std::string selectorOf(std::string_view declaration);
    static void selectorOf(std::string_view declaration, std::string& out);
    static std::string_view functionNameOf(std::string_view declaration);
    static bool isWordStart(std::string_view name, std::size_t at);

    // The order of the items by their keys: best rank, then shorter name, then found first.
    static std::vector<std::size_t> order(std::vector<Key> keys);

private:
    std::vector<std::string> keys_;
    std::string lowered_;
    std::string selector_;
};

}  // namespace kestrel
