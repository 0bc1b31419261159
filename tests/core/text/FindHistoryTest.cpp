#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text/FindHistory.h"

using namespace kestrel;
using Items = std::vector<std::string>;

// Ten texts at most, newest first, a text typed again added again: the find panel's tests.
TEST(FindHistory, PickedTextsAndEmptyOnesAreNotRecorded) {
    FindHistory history;
    history.record("view", false);
    history.record("draw rect", true);
    history.record("", false);
    EXPECT_EQ(history.items(), Items{"view"});
}
