// The table of macro names: each name found with the records given for it, through the table's
// growth, and a name never used not found, however near its hash falls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/parse/MacroNameTable.h"

using namespace kestrel;

TEST(MacroNameTable, NamesKeepTheirRecordsAsTheTableGrows) {
    MacroNameTable table;
    EXPECT_EQ(table.find("X"), nullptr);
    const auto* a = reinterpret_cast<const DefineData*>(0x1000);
    const auto* b = reinterpret_cast<const DefineData*>(0x2000);
    MacroNameTable::Holders& first = table["NAME_0"];
    first.push_back(a);
    for (int i = 1; i < 5000; ++i) table["NAME_" + std::to_string(i)].push_back(i % 2 ? a : b);
    table["NAME_0"].push_back(b);  // the same name again: the same holders
    EXPECT_EQ(table.size(), 5000u);
    EXPECT_EQ(&first, table.find("NAME_0"));  // not moved by the growth
    EXPECT_EQ(first, (std::vector<const DefineData*>{a, b}));
    for (int i = 1; i < 5000; ++i) {
        const MacroNameTable::Holders* holders = table.find("NAME_" + std::to_string(i));
        ASSERT_NE(holders, nullptr) << i;
        EXPECT_EQ(*holders, (std::vector<const DefineData*>{i % 2 ? a : b}));
    }
    for (const char* absent : {"", "NAME_", "NAME_5000", "name_1", "NAME_1 "}) EXPECT_EQ(table.find(absent), nullptr) << absent;
    table["NAME_0 "];  // used, with no records yet
    ASSERT_NE(table.find("NAME_0 "), nullptr);
    EXPECT_TRUE(table.find("NAME_0 ")->empty());
    table.clear();
    EXPECT_EQ(table.find("NAME_1"), nullptr);
    EXPECT_EQ(table.size(), 0u);
    table["NAME_1"].push_back(a);  // found again after a clear
    ASSERT_NE(table.find("NAME_1"), nullptr);
    EXPECT_EQ(*table.find("NAME_1"), (std::vector<const DefineData*>{a}));
}
