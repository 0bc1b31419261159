#include <gtest/gtest.h>

#include "core/model/TreeSearch.h"

using namespace kestrel;

// The finds themselves (any case, any order, category methods with their class) run through
// the terminal's find command; these are the corners of the keywords and the count line.
TEST(TreeSearch, KeywordsAreCutAtSpacesOnly) {
    EXPECT_EQ(TreeSearch::commandToToken("  view   Draw "), (std::vector<std::string>{"view", "Draw"}));
    EXPECT_TRUE(TreeSearch::commandToToken("    ").empty());
    EXPECT_TRUE(TreeSearch::commandToToken("").empty());
    EXPECT_EQ(TreeSearch::commandToToken("a\tb"), (std::vector<std::string>{"a\tb"}));
}

TEST(TreeSearch, TheCountLineNamesOneOrManyAndNothingForNoHit) {
    EXPECT_EQ(TreeSearch::countLine(TreeSearch::kFindClasses, 2), "  2 clases found");
    EXPECT_EQ(TreeSearch::countLine(TreeSearch::kFindClasses, 1), "  1 class found");
    EXPECT_EQ(TreeSearch::countLine(TreeSearch::kFindMethods, 1234), "1234 methods found");
    EXPECT_EQ(TreeSearch::countLine(TreeSearch::kFindFunctions, 3), "  3 Functions/Macros found");
    EXPECT_EQ(TreeSearch::countLine(TreeSearch::kFindFunctions, 0), "");
}
