#include <gtest/gtest.h>

#include <limits>

#include "core/platform/PlistValue.h"

using namespace kestrel;

TEST(PlistDict, KeepsInsertionOrderAndReplacesInPlace) {
    PlistDict d;
    d.set("zeta", PlistValue(1));
    d.set("alpha", PlistValue(2));
    d.set("mid", PlistValue(3));
    d.set("zeta", PlistValue("again"));  // replaced where it stands, not moved to the end
    ASSERT_EQ(d.size(), 3u);
    EXPECT_EQ(d.entries()[0].first, "zeta");
    EXPECT_EQ(*d.getString("zeta"), "again");
    EXPECT_EQ(d.entries()[1].first, "alpha");

    EXPECT_TRUE(d.remove("alpha"));
    EXPECT_FALSE(d.remove("alpha"));
    // The index still finds the keys that moved up.
    EXPECT_EQ(d.getInteger("mid"), 3);
    EXPECT_EQ(d.entries()[1].first, "mid");
    d.set("alpha", PlistValue(4));
    EXPECT_EQ(d.entries()[2].first, "alpha");
}

TEST(PlistDict, StrictAccessorsAnswerNoneOnTheWrongType) {
    PlistDict d;
    d.set("n", PlistValue(7));
    d.set("s", PlistValue("7"));
    d.set("list", PlistValue::fromStrings({"a", "b"}));
    d.set("mixed", PlistValue(PlistArray{PlistValue("a"), PlistValue(1)}));
    EXPECT_EQ(d.getString("n"), nullptr);
    EXPECT_EQ(d.getInteger("s"), std::nullopt);
    EXPECT_EQ(d.getBoolean("n"), std::nullopt);
    EXPECT_EQ(d.getArray("s"), nullptr);
    EXPECT_EQ(d.getDict("list"), nullptr);
    EXPECT_EQ(d.getInteger("absent"), std::nullopt);
    EXPECT_EQ(d.getStringArray("list"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(d.getStringArray("mixed"), std::nullopt);
}

TEST(PlistValue, IntegerValueAcceptsDigitsInText) {
    EXPECT_EQ(PlistValue("1200").integerValue(), 1200);
    EXPECT_EQ(PlistValue("  -12px").integerValue(), -12);
    EXPECT_EQ(PlistValue("+3").integerValue(), 3);
    EXPECT_EQ(PlistValue("abc").integerValue(), std::nullopt);
    EXPECT_EQ(PlistValue("").integerValue(), std::nullopt);
    EXPECT_EQ(PlistValue("-").integerValue(), std::nullopt);
    EXPECT_EQ(PlistValue(true).integerValue(), 1);
    EXPECT_EQ(PlistValue(-2.9).integerValue(), -2);
    EXPECT_EQ(PlistValue(PlistArray{}).integerValue(), std::nullopt);
    // Overflow clamps instead of wrapping.
    EXPECT_EQ(PlistValue("99999999999999999999999").integerValue(), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(PlistValue("-99999999999999999999999").integerValue(), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(PlistValue("-9223372036854775808").integerValue(), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(PlistValue(1e300).integerValue(), std::numeric_limits<std::int64_t>::max());
}

TEST(PlistValue, BoolValueReadsFlagsWrittenAsText) {
    EXPECT_EQ(PlistValue("1").boolValue(), true);
    EXPECT_EQ(PlistValue("0010").boolValue(), true);
    EXPECT_EQ(PlistValue("YES").boolValue(), true);
    EXPECT_EQ(PlistValue("true").boolValue(), true);
    EXPECT_EQ(PlistValue("0").boolValue(), false);
    EXPECT_EQ(PlistValue("no").boolValue(), false);
    EXPECT_EQ(PlistValue("").boolValue(), false);
    EXPECT_EQ(PlistValue(0).boolValue(), false);
    EXPECT_EQ(PlistValue(5).boolValue(), true);
    EXPECT_EQ(PlistValue(PlistData{"\x01"}).boolValue(), std::nullopt);
}

TEST(PlistValue, RealValueIgnoresTheLocaleAndTrailingText) {
    EXPECT_EQ(PlistValue("12.7pt").realValue(), 12.7);
    EXPECT_EQ(PlistValue(12).realValue(), 12.0);
    EXPECT_EQ(PlistValue("x").realValue(), std::nullopt);
    EXPECT_EQ(PlistValue(PlistDict{}).realValue(), std::nullopt);
}

TEST(PlistValue, EqualityComparesTypeAndContents) {
    EXPECT_EQ(PlistValue(1), PlistValue(std::int64_t{1}));
    EXPECT_NE(PlistValue(1), PlistValue(true));
    EXPECT_NE(PlistValue("a"), PlistValue(PlistData{"a"}));
    PlistDict a, b;
    a.set("x", PlistValue(1));
    a.set("y", PlistValue(2));
    b.set("y", PlistValue(2));
    b.set("x", PlistValue(1));
    EXPECT_NE(a, b);  // order is part of a dictionary here
}

namespace {
std::string keyNumber(int i) {
    std::string key("k");
    key += std::to_string(i);  // not "k" + ...: GCC 12 warns falsely on that at -O3
    return key;
}
}  // namespace

TEST(PlistDict, KeepsOrderAndLookupsAcrossTheIndexThreshold) {
    PlistDict d;
    for (int i = 0; i < 40; ++i) d.set(keyNumber(i), PlistValue(i));
    d.set("k3", PlistValue(300));  // replaced where it stands
    ASSERT_EQ(d.size(), 40u);
    EXPECT_EQ(d.entries()[3].first, "k3");
    EXPECT_EQ(d.getInteger("k3"), 300);
    for (int i = 39; i >= 5; --i) EXPECT_TRUE(d.remove(keyNumber(i)));
    EXPECT_FALSE(d.remove("k39"));
    EXPECT_EQ(d.size(), 5u);
    EXPECT_EQ(d.getInteger("k4"), 4);
    EXPECT_FALSE(d.contains("k20"));
    d.set("k20", PlistValue(20));
    EXPECT_EQ(d.entries().back().first, "k20");
    EXPECT_EQ(d.getInteger("k20"), 20);
}
