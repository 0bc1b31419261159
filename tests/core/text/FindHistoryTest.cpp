#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text/FindHistory.h"

using namespace kestrel;
using Items = std::vector<std::string>;

TEST(FindHistory, TypedTextsGoInFrontPickedAndEmptyOnesDoNot) {
    FindHistory history;
    history.record("view", false);
    history.record("draw rect", false);
    history.record("view", false);  // typed again: added again
    history.record("draw rect", true);
    history.record("", false);
    EXPECT_EQ(history.items(), (Items{"view", "draw rect", "view"}));
}

TEST(FindHistory, KeepsTheTenNewest) {
    FindHistory history;
    for (int i = 1; i <= 12; ++i) history.record(std::to_string(i), false);
    EXPECT_EQ(history.items(), (Items{"12", "11", "10", "9", "8", "7", "6", "5", "4", "3"}));
}
