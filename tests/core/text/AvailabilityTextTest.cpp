// Availability as Quick Help and the terminal show it.
#include <gtest/gtest.h>

#include "core/model/Availability.h"
#include "core/text/AvailabilityText.h"

using namespace kestrel;

namespace {

Availability deprecatedThing() {
    Availability a;
    a.introduce("macosx", "10.7");
    a.deprecate("macos", "10.14");
    a.introduce("ios", "5.0");
    a.setMessage("Use -newThing.");
    return a;
}

}  // namespace

TEST(AvailabilityTextTest, PlatformNames) {
    EXPECT_EQ(AvailabilityText::platformName("macos"), "macOS");
    EXPECT_EQ(AvailabilityText::platformName("maccatalyst"), "Mac Catalyst");
    EXPECT_EQ(AvailabilityText::platformName("visionos"), "visionOS");
    EXPECT_EQ(AvailabilityText::platformName("driverkit"), "DriverKit");
    EXPECT_EQ(AvailabilityText::platformName("ios_app_extension"), "iOS app extension");
    EXPECT_EQ(AvailabilityText::platformName("fuchsia"), "fuchsia");
    EXPECT_EQ(AvailabilityText::platformName("*"), "");
}

TEST(AvailabilityTextTest, QuickHelpLinesAndBrackets) {
    Availability a = deprecatedThing();
    EXPECT_EQ(AvailabilityText::lines(a),
              (std::vector<std::string>{"macOS 10.7+", "Deprecated in macOS 10.14: use -newThing"}));
    EXPECT_EQ(AvailabilityText::brackets(a), "[macOS 10.7+] [deprecated macOS 10.14: use -newThing]");
    EXPECT_EQ(AvailabilityText::brackets(a, "ios"), "[iOS 5.0+]");
    EXPECT_EQ(AvailabilityText::allPlatforms(a), "iOS 5.0+, macOS 10.7\u201310.14");
    a.setReplacement("-newerThing");
    EXPECT_EQ(AvailabilityText::deprecated(a), "Deprecated in macOS 10.14: use -newerThing");

    Availability gone;
    gone.makeUnavailable("ios");
    gone.obsolete("macos", "10.9");
    gone.setMessage("NSFoo replaces it");
    EXPECT_EQ(AvailabilityText::unavailable(gone, "ios"), "Unavailable in iOS: NSFoo replaces it");
    EXPECT_EQ(AvailabilityText::unavailable(gone), "Obsoleted in macOS 10.9: NSFoo replaces it");
    EXPECT_EQ(AvailabilityText::brackets(gone, "ios"), "[unavailable iOS]");
    EXPECT_EQ(AvailabilityText::allPlatforms(gone), "");

    Availability bare;
    bare.deprecate("*");
    EXPECT_EQ(AvailabilityText::lines(bare), std::vector<std::string>{"Deprecated"});
    EXPECT_EQ(AvailabilityText::brackets(bare, "ios"), "[deprecated]");
    bare.makeUnavailable("*");
    EXPECT_EQ(AvailabilityText::brackets(bare), "[deprecated] [unavailable]");

    Availability later;
    later.introduce("macos", "10.15");
    later.deprecate("macos", "100000");
    EXPECT_EQ(AvailabilityText::deprecated(later), "To be deprecated in macOS");
    EXPECT_EQ(AvailabilityText::brackets(later), "[macOS 10.15+]");
    EXPECT_EQ(AvailabilityText::brackets(Availability()), "");
}
