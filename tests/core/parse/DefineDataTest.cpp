#include <gtest/gtest.h>

#include <memory>

#include "core/parse/DefineData.h"

using kestrel::DefineData;
using kestrel::DefineList;

TEST(DefineData, CheckDefineVisitsEachImportOnce) {
    // A imports B and C; B imports A (a cycle), Missing.h and Null.h (no records); C imports D.
    DefineList group;
    auto add = [&](const std::string& name) { return group[name] = std::make_shared<DefineData>(name); };
    auto a = add("A.h"), b = add("B.h"), c = add("C.h"), d = add("D.h");
    group["Null.h"] = nullptr;
    for (auto [from, to] : {std::pair{a, "B.h"}, {a, "C.h"}, {b, "A.h"}, {b, "Missing.h"}, {b, "Null.h"}, {c, "D.h"}})
        from->addImportHeader(to);
    a->addDefine("", "OWN");
    d->addDefine("x\n", "DEEP");

    std::vector<std::string> checked;
    EXPECT_TRUE(a->checkDefine("OWN", group, checked));
    EXPECT_TRUE(checked.empty());
    EXPECT_TRUE(a->checkDefine("DEEP", group, checked));
    EXPECT_EQ(checked, (std::vector<std::string>{"B.h", "A.h", "C.h", "D.h"}));
    checked.clear();
    EXPECT_FALSE(b->checkDefine("NOWHERE", group, checked));
    EXPECT_EQ(checked.size(), 6u);
    checked = {"C.h"};  // already visited: not asked again
    EXPECT_FALSE(a->checkDefine("DEEP", group, checked));
}

TEST(DefineData, LongImportChainEnds) {
    // Deep chains must neither exhaust the call stack nor scan the checked list per header.
    DefineList group;
    const int n = 100000;
    for (int i = 0; i < n; ++i) {
        auto data = group[std::to_string(i)] = std::make_shared<DefineData>(std::to_string(i));
        data->addImportHeader(std::to_string(i + 1));
    }
    group[std::to_string(n - 1)]->addDefine("", "END");
    std::vector<std::string> checked;
    EXPECT_TRUE(group["0"]->checkDefine("END", group, checked));
}
