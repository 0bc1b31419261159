#include <gtest/gtest.h>

#include "core/model/FuzzyRank.h"

using namespace kestrel;
using Score = FuzzyRank::Score;

namespace {

std::optional<Score> scoreOf(const std::string& name, const std::string& typed) {
    return FuzzyRank::score(name, FuzzyRank::lowered(name), FuzzyRank::queryOf(typed));
}

}  // namespace

TEST(FuzzyRank, RanksWholeQueriesAsFindDoesAndScatteredLettersAfterThem) {
    EXPECT_EQ(scoreOf("initWithFrame:", "initwithframe"), (Score{FuzzyRank::Exact, 0}));
    EXPECT_EQ(scoreOf("NSView", "NSVIEW"), (Score{FuzzyRank::Exact, 0}));
    EXPECT_EQ(scoreOf("NSView", "nsvi"), (Score{FuzzyRank::Prefix, 0}));
    EXPECT_EQ(scoreOf("initWithFrame:", "frame"), (Score{FuzzyRank::WordStart, 0}));
    EXPECT_EQ(scoreOf("initWithFrame:", "rame"), (Score{FuzzyRank::InName, 0}));
    // A later place at a word start counts, though an earlier one is inside a word.
    EXPECT_EQ(scoreOf("drawFrameFrame", "frame")->tier, FuzzyRank::WordStart);
    EXPECT_EQ(scoreOf("NSMakeRect", "nsmr")->tier, FuzzyRank::Scattered);
    // Blanks and case in the query do not count.
    EXPECT_EQ(scoreOf("NSMakeRect", " N s M r "), scoreOf("NSMakeRect", "nsmr"));
}

TEST(FuzzyRank, NeedsEveryLetterInOrder) {
    EXPECT_FALSE(scoreOf("NSMakeRect", "rmsn"));
    EXPECT_FALSE(scoreOf("NSMakeRect", "nsmrr"));   // one r too many
    EXPECT_FALSE(scoreOf("NSView", "nsviewcontroller"));  // longer than the name
    EXPECT_FALSE(scoreOf("NSView", ""));
    EXPECT_FALSE(scoreOf("NSView", "q"));
    EXPECT_FALSE(scoreOf("", "a"));
    // A query longer than any name is cut, not read past its end.
    EXPECT_EQ(FuzzyRank::queryOf(std::string(1000, 'a')).size(), FuzzyRank::kLongestQuery);
    EXPECT_FALSE(scoreOf("aaaa", std::string(1000, 'a')));
}

TEST(FuzzyRank, WordStartsAndNeighboursScore) {
    // i, W, F: three word starts.
    EXPECT_EQ(scoreOf("initWithFrame:", "iwf"), (Score{FuzzyRank::Scattered, 6}));
    // The w of "view" and the f inside a word score less than word starts.
    EXPECT_LT(scoreOf("viewDidFinish", "iwf")->bonus, 6);
    // N, S beside it, M and R at word starts: the same for both names.
    EXPECT_EQ(scoreOf("NSMakeRect", "nsmr"), (Score{FuzzyRank::Scattered, 8}));
    EXPECT_EQ(scoreOf("NSMakeRange", "nsmr"), scoreOf("NSMakeRect", "nsmr"));
    // A letter takes the word start ahead rather than the first place it could: s of "Size".
    EXPECT_EQ(scoreOf("setBoundsSize:", "sbs")->bonus, 6);
    // ... but not one that leaves no room for the rest: the A after "_" would leave no b.
    EXPECT_EQ(scoreOf("xaxb_A", "ab"), (Score{FuzzyRank::Scattered, 0}));
    // Word starts past the 64 places kept as bits count as well (long selectors).
    const std::string longName = "performSelectorOnMainThread:withObject:waitUntilDone:modes:andMoreArguments:";
    EXPECT_EQ(scoreOf(longName, "arguments")->tier, FuzzyRank::WordStart);
    EXPECT_EQ(scoreOf(longName, "psma")->bonus, scoreOf(longName.substr(0, 60) + "a", "psma")->bonus);
    EXPECT_EQ(FuzzyRank::score(longName, FuzzyRank::lowered(longName), "pmt", FuzzyRank::wordStarts(longName)),
              scoreOf(longName, "pmt"));
}

TEST(FuzzyRank, LettersSayWhatANameCanHold) {
    const std::uint64_t name = FuzzyRank::letters(FuzzyRank::lowered("initWithFrame:"));
    EXPECT_EQ(name & FuzzyRank::letters("iwf"), FuzzyRank::letters("iwf"));
    EXPECT_NE(name & FuzzyRank::letters("iwz"), FuzzyRank::letters("iwz"));
    EXPECT_NE(FuzzyRank::letters("a:"), FuzzyRank::letters("a"));
    EXPECT_NE(FuzzyRank::letters("a_1"), FuzzyRank::letters("a"));
    // Bytes beyond ASCII have no bit: they never keep a name out.
    EXPECT_EQ(FuzzyRank::letters("\xc3\xa9"), 0u);
}
