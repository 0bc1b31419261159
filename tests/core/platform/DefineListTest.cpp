// The list finds by name exactly what its map holds, through every change: entries added,
// replaced, erased one way or the other, the list copied, moved and emptied.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/parse/DefineData.h"
#include "core/platform/DefineList.h"

using namespace kestrel;

namespace {

// Every name the map holds is found at its own entry, and no other.
void expectFoundAsHeld(const DefineList& list, const std::vector<std::string>& gone) {
    std::size_t held = 0;
    for (auto at = list.begin(); at != list.end(); ++at, ++held) {
        EXPECT_EQ(list.find(at->first), at) << at->first;
        EXPECT_EQ(list.count(at->first), 1u);
    }
    EXPECT_EQ(held, list.size());
    for (const std::string& name : gone) {
        EXPECT_EQ(list.find(name), list.end()) << name;
        EXPECT_EQ(list.count(name), 0u);
    }
}

}  // namespace

TEST(DefineList, FindsWhatItHoldsThroughEveryChange) {
    DefineList list;
    std::vector<std::string> names;
    for (int i = 0; i < 300; ++i) names.push_back("Foundation/NSHeader" + std::to_string(i) + ".h");
    for (const std::string& name : names) list[name] = std::make_shared<DefineData>(name);
    expectFoundAsHeld(list, {"Foundation/NSHeader.h", "Foundation/NSHeader300.h", ""});

    // In the names' order, as before.
    std::string previous;
    for (const auto& [name, record] : list) {
        EXPECT_LT(previous, name);
        EXPECT_EQ(record->getHName(), name);
        previous = name;
    }

    // A second insert of a name keeps the first record; operator[] replaces it.
    auto first = list["Foundation/NSHeader7.h"];
    EXPECT_FALSE(list.try_emplace("Foundation/NSHeader7.h", std::make_shared<DefineData>("other")).second);
    EXPECT_EQ(list.find("Foundation/NSHeader7.h")->second, first);
    list["Foundation/NSHeader7.h"] = nullptr;
    EXPECT_EQ(list.find("Foundation/NSHeader7.h")->second, nullptr);

    EXPECT_EQ(list.erase("Foundation/NSHeader3.h"), 1u);
    EXPECT_EQ(list.erase("Foundation/NSHeader3.h"), 0u);
    list.erase(list.find("Foundation/NSHeader4.h"));
    expectFoundAsHeld(list, {"Foundation/NSHeader3.h", "Foundation/NSHeader4.h"});
    EXPECT_EQ(list.size(), 298u);

    // A copy finds its own entries, the original keeps finding its own.
    DefineList copy = list;
    copy.erase("Foundation/NSHeader5.h");
    expectFoundAsHeld(copy, {"Foundation/NSHeader5.h"});
    expectFoundAsHeld(list, {});
    EXPECT_EQ(list.count("Foundation/NSHeader5.h"), 1u);

    DefineList moved = std::move(copy);
    expectFoundAsHeld(moved, {"Foundation/NSHeader5.h"});
    copy = moved;
    expectFoundAsHeld(copy, {"Foundation/NSHeader5.h"});
    moved = std::move(list);
    expectFoundAsHeld(moved, {});
    EXPECT_EQ(moved.size(), 298u);

    moved.clear();
    expectFoundAsHeld(moved, names);
    moved["A.h"] = nullptr;
    expectFoundAsHeld(moved, {"B.h"});
}
