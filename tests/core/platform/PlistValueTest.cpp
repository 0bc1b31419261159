#include <gtest/gtest.h>

#include <limits>

#include "core/platform/PlistValue.h"
#include "support/Plists.h"

using namespace kestrel;

TEST(PlistDict, KeepsInsertionOrderReplacesInPlaceAndFindsKeysAfterRemovals) {
    for (std::size_t count : {3u, 40u}) {  // small dictionaries are searched in place, large ones indexed
        auto key = [](std::size_t i) { return std::string("k").append(std::to_string(i)); };
        PlistDict d;
        for (std::size_t i = 0; i < count; ++i) d.set(key(i), PlistValue(static_cast<int>(i)));
        d.set("k1", PlistValue("again"));  // replaced where it stands, not moved to the end
        ASSERT_EQ(d.size(), count);
        EXPECT_EQ(d.entries()[1].first, "k1");
        EXPECT_EQ(*d.getString("k1"), "again");
        EXPECT_TRUE(d.remove("k0"));
        EXPECT_FALSE(d.remove("k0"));
        EXPECT_EQ(d.entries()[0].first, "k1");
        EXPECT_EQ(d.getInteger(key(count - 1)), static_cast<std::int64_t>(count - 1));  // found where it moved up to
        for (std::size_t i = count - 1; i >= 2; --i) EXPECT_TRUE(d.remove(key(i))) << count;
        EXPECT_EQ(d.size(), 1u);
        EXPECT_EQ(*d.getString("k1"), "again");
        EXPECT_FALSE(d.contains("k2"));
        d.set("k2", PlistValue(2));
        EXPECT_EQ(d.entries().back().first, "k2");
        EXPECT_EQ(d.getInteger("k2"), 2);
    }
}

TEST(PlistDict, StrictAccessorsAnswerNoneOnTheWrongType) {
    PlistDict d;
    d.set("n", PlistValue(7));
    d.set("s", PlistValue("7"));
    d.set("list", PlistValue::fromStrings({"a", "b"}));
    d.set("mixed", PlistValue(PlistArray{PlistValue("a"), PlistValue(1)}));
    EXPECT_FALSE(d.getString("n") || d.getInteger("s") || d.getBoolean("n") || d.getArray("s") || d.getDict("list") ||
                 d.getInteger("absent") || d.getStringArray("mixed"));
    EXPECT_EQ(d.getStringArray("list"), (std::vector<std::string>{"a", "b"}));
}

TEST(PlistValue, LenientReadersTakeNumbersAndFlagsWrittenAsText) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    const std::pair<PlistValue, std::optional<std::int64_t>> integers[] = {
        {"1200", 1200}, {"  -12px", -12}, {"+3", 3}, {"abc", {}}, {"", {}}, {"-", {}}, {true, 1}, {-2.9, -2},
        {PlistArray{}, {}},
        // Overflow clamps instead of wrapping.
        {"99999999999999999999999", kMax}, {"-99999999999999999999999", kMin}, {"-9223372036854775808", kMin},
        {1e300, kMax}};
    for (std::size_t i = 0; i < std::size(integers); ++i)
        EXPECT_EQ(integers[i].first.integerValue(), integers[i].second) << i;
    const std::pair<PlistValue, std::optional<bool>> flags[] = {
        {"1", true}, {"0010", true}, {"YES", true}, {"true", true}, {"0", false}, {"no", false}, {"", false},
        {0, false},  {5, true},      {PlistData{"\x01"}, {}}};
    for (std::size_t i = 0; i < std::size(flags); ++i) EXPECT_EQ(flags[i].first.boolValue(), flags[i].second) << i;
    // Reals ignore the locale and trailing text.
    EXPECT_EQ(PlistValue("12.7pt").realValue(), 12.7);
    EXPECT_EQ(PlistValue(12).realValue(), 12.0);
    EXPECT_FALSE(PlistValue("x").realValue() || PlistValue(PlistDict{}).realValue());
}

TEST(PlistValue, EqualityComparesTypeContentsAndKeyOrder) {
    EXPECT_EQ(PlistValue(1), PlistValue(std::int64_t{1}));
    EXPECT_NE(PlistValue(1), PlistValue(true));
    EXPECT_NE(PlistValue("a"), PlistValue(PlistData{"a"}));
    EXPECT_NE(test::dict({{"x", 1}, {"y", 2}}), test::dict({{"y", 2}, {"x", 1}}));
}
