// Availability as data: platform names, versions compared as numbers, merging several
// attributes, and the stored dictionary read back, whatever a file holds.
#include <gtest/gtest.h>

#include "core/model/Availability.h"
#include "core/platform/PlistValue.h"
#include "core/platform/PlistXmlWriter.h"

using namespace kestrel;

TEST(AvailabilityTest, PlatformNamesAndVersions) {
    EXPECT_EQ(Availability::canonicalPlatform("macosx"), "macos");
    EXPECT_EQ(Availability::canonicalPlatform("macOS"), "macos");
    EXPECT_EQ(Availability::canonicalPlatform("xros"), "visionos");
    EXPECT_EQ(Availability::canonicalPlatform("macCatalyst"), "maccatalyst");
    EXPECT_EQ(Availability::canonicalPlatform("macOSApplicationExtension"), "macos_app_extension");
    EXPECT_EQ(Availability::canonicalPlatform("swift"), "");
    EXPECT_EQ(Availability::canonicalPlatform("mac os"), "");
    EXPECT_EQ(Availability::normalVersion(" 10_7 "), "10.7");
    EXPECT_EQ(Availability::normalVersion("10."), std::nullopt);
    EXPECT_EQ(Availability::normalVersion("1..2"), std::nullopt);
    EXPECT_EQ(Availability::normalVersion("_mac"), std::nullopt);
    EXPECT_GT(Availability::compareVersions("10.10", "10.9"), 0);
    EXPECT_EQ(Availability::compareVersions("10.7", "10.7.0"), 0);
    EXPECT_LT(Availability::compareVersions("9", "10.0"), 0);
    EXPECT_LT(Availability::compareVersions("99999999999999999999999", "100000000000000000000000.1"), 0);
    EXPECT_TRUE(Availability::isFutureVersion("100000"));
}

TEST(AvailabilityTest, DeprecatedAndUnavailableByPlatform) {
    Availability a;
    a.introduce("macosx", "10.7");
    a.deprecate("macos", "10.14");
    a.introduce("ios", "5.0");
    a.deprecate("tvos", "100000");  // API_TO_BE_DEPRECATED: not yet
    a.obsolete("watchos", "2.0");
    a.makeUnavailable("maccatalyst");
    a.introduce("swift", "5.0");
    ASSERT_EQ(a.entries().size(), 5u);
    EXPECT_EQ(a.find("macos")->introduced, "10.7");
    EXPECT_TRUE(a.isDeprecated());
    EXPECT_FALSE(a.isDeprecated("ios"));
    EXPECT_FALSE(a.isDeprecated("tvos"));
    EXPECT_TRUE(a.isUnavailable("watchos"));
    EXPECT_TRUE(a.isUnavailable("maccatalyst"));
    EXPECT_FALSE(a.isUnavailable());

    Availability bare;
    bare.deprecate(Availability::anyPlatform);
    EXPECT_TRUE(bare.isDeprecated("ios"));
    EXPECT_EQ(bare.find("*")->deprecated, "");
}

TEST(AvailabilityTest, MergeKeepsWhatEitherSays) {
    Availability a, b;
    a.introduce("macos", "10.7");
    a.setMessage("first");
    b.introduce("macos", "10.9");
    b.deprecate("macos", "10.14");
    b.deprecate("macos");  // a version says more than none
    b.makeUnavailable("ios");
    b.setMessage("second");
    b.setReplacement("newThing");
    a.merge(b);
    EXPECT_EQ(a.find("macos")->introduced, "10.7");
    EXPECT_EQ(a.find("macos")->deprecated, "10.14");
    EXPECT_TRUE(a.find("ios")->unavailable);
    EXPECT_EQ(a.getMessage(), "first");
    EXPECT_EQ(a.getReplacement(), "newThing");
    a.deprecate("macos", "10.10");  // the earlier deprecation stands
    EXPECT_EQ(a.find("macos")->deprecated, "10.10");
}

TEST(AvailabilityTest, StoredDictionaryRoundTripAndCorruptValues) {
    Availability a;
    a.introduce("macos", "10.7");
    a.deprecate("macos", "10.14");
    a.makeUnavailable("ios");
    a.deprecate("*");
    a.setMessage("Use -newThing");
    PlistDict stored = a.toPlist();
    EXPECT_EQ(*stored.getDict("macos")->getString("deprecated"), "10.14");
    EXPECT_EQ(*stored.getDict("ios")->getBoolean("unavailable"), true);
    EXPECT_EQ(*stored.getDict("*")->getString("deprecated"), "");
    EXPECT_EQ(*stored.getString("message"), "Use -newThing");
    EXPECT_EQ(Availability::fromPlist(PlistValue(stored)), a);

    PlistDict corrupt;
    PlistDict mac;
    mac.set("introduced", PlistValue("ten"));
    mac.set("deprecated", PlistValue(PlistArray{}));
    mac.set("obsoleted", PlistValue(11));  // written by hand
    corrupt.set("macosx", PlistValue(mac));
    corrupt.set("ios", PlistValue("unavailable"));
    corrupt.set("message", PlistValue(3));
    PlistDict both;
    both.set("introduced", PlistValue("10.5"));
    corrupt.set("macos", PlistValue(both));
    Availability read = Availability::fromPlist(PlistValue(corrupt));
    ASSERT_EQ(read.entries().size(), 1u);
    EXPECT_EQ(read.find("macos")->obsoleted, "11");
    EXPECT_EQ(read.find("macos")->introduced, "10.5");
    EXPECT_EQ(read.getMessage(), "");
    EXPECT_TRUE(Availability::fromPlist(PlistValue(7)).empty());
}

// Written as it goes, the dictionary is the stored one byte for byte.
TEST(AvailabilityTest, WrittenAsItGoesIsTheStoredDictionary) {
    Availability a;
    a.introduce("macos", "10.7");
    a.obsolete("macos", "12.0");
    a.makeUnavailable("ios");
    a.deprecate("*");
    a.setMessage("Use <b> & -newThing");
    a.setReplacement("newThing");
    for (const Availability& each : {a, Availability()}) {
        PlistXmlWriter writer;
        each.writeTo(writer);
        EXPECT_EQ(std::move(writer).finish(), PlistXmlWriter::toXML(PlistValue(each.toPlist())));
    }
}

TEST(AvailabilityTest, ShortFormRoundTripAndWhatItCannotSay) {
    Availability a;
    a.introduce("macosx", "10.7");
    a.deprecate("macos", "10_14");
    a.obsolete("macos", "10.15");
    a.makeUnavailable("watchos");
    a.deprecate("*");
    a.introduce("macOSApplicationExtension", "10.10");
    a.makeUnavailable("ios");
    a.deprecate("ios", "12.0");
    const std::optional<std::string> text = a.shortText();
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, "macos 10.7 deprecated 10.14 obsoleted 10.15, watchos unavailable, * deprecated, "
                     "macos_app_extension 10.10, ios deprecated 12.0 unavailable");
    EXPECT_EQ(Availability::fromShortText(*text), a);
    EXPECT_EQ(Availability::fromPlist(PlistValue(*text)), a);  // as a stored value
    EXPECT_EQ(Availability().shortText(), "");

    Availability withMessage = a;
    withMessage.setMessage("Use -newThing");
    EXPECT_FALSE(withMessage.shortText());
    Availability withReplacement;
    withReplacement.deprecate("macos", "10.9");
    withReplacement.setReplacement("newThing");
    EXPECT_FALSE(withReplacement.shortText());

    // What is not of the form is passed over, platform by platform.
    EXPECT_EQ(Availability::fromShortText("macos 10.7 frobbed, ios 8.0").shortText(), "ios 8.0");
    EXPECT_EQ(Availability::fromShortText("macos deprecated deprecated, tvos 9..0, 10.7").shortText(), "");
    EXPECT_EQ(Availability::fromShortText(" , ,,  macosx   10_9  , ").shortText(), "macos 10.9");
    EXPECT_EQ(Availability::fromShortText("mac-os 10.9, ios obsoleted").shortText(), "");
    EXPECT_EQ(Availability::fromShortText(std::string("macos 10.9\0 x", 13)).shortText(), "");
    EXPECT_TRUE(Availability::fromPlist(PlistValue(std::int64_t{7})).empty());
}

// Copies share what they say until one of them changes; a change is the changed copy's alone,
// also when it merges the one it was copied from.
TEST(AvailabilityTest, ACopyChangedLeavesTheOthersAsTheyWere) {
    Availability original;
    original.introduce("macos", "10.7");
    Availability copy = original;
    Availability third = copy;
    copy.deprecate("macos", "10.14");
    copy.setMessage("Use Y");
    EXPECT_EQ(original.shortText(), "macos 10.7");
    EXPECT_EQ(third, original);
    EXPECT_NE(copy, original);
    EXPECT_EQ(copy.getMessage(), "Use Y");
    EXPECT_TRUE(original.getMessage().empty());

    Availability merged = original;
    merged.merge(original);
    merged.merge(copy);
    EXPECT_EQ(merged.find("macos")->deprecated, "10.14");
    EXPECT_FALSE(original.find("macos")->deprecated);

    Availability empty, alsoEmpty;
    alsoEmpty.setMessage("");
    alsoEmpty.introduce("macos", "not a version");
    EXPECT_TRUE(empty.empty());
    EXPECT_TRUE(alsoEmpty.empty());
    EXPECT_EQ(empty, alsoEmpty);
    EXPECT_TRUE(empty.entries().empty());
}
