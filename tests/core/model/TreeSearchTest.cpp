#include <gtest/gtest.h>

#include "core/model/TreeSearch.h"

using namespace kestrel;

// The finds themselves (any case, any order, category methods with their class) and the count
// line's nouns run through the terminal's find command and the find panel; these are the corners
// of the keywords and the count line.
TEST(TreeSearch, KeywordsAreCutAtSpacesOnlyAndTheCountIsRightAlignedInThree) {
    EXPECT_EQ(TreeSearch::commandToToken("  view   Draw "), (std::vector<std::string>{"view", "Draw"}));
    EXPECT_TRUE(TreeSearch::commandToToken("    ").empty());
    EXPECT_EQ(TreeSearch::commandToToken("a\tb"), (std::vector<std::string>{"a\tb"}));
    EXPECT_EQ(TreeSearch::countLine(TreeSearch::kFindMethods, 1234), "1234 methods found");
    EXPECT_EQ(TreeSearch::countLine(TreeSearch::kFindFunctions, 0), "");
}
