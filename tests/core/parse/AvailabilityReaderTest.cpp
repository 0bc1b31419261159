// Availability read from attribute texts: the attribute forms clang accepts, the SDK macros left
// unexpanded, bad bytes, and the 14.2 SDK's own macros expanded through the define pass.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "core/model/Availability.h"
#include "core/parse/AvailabilityReader.h"
#include "core/parse/CompileTarget.h"
#include "core/parse/DefineData.h"
#include "core/parse/DefineEngin.h"
#include "core/parse/MacroExpander.h"
#include "core/parse/MacroScope.h"
#include "core/platform/PlistValue.h"
#include "core/platform/ProcessState.h"

using namespace kestrel;

namespace {

// The availability as its stored dictionary's XML-free form: "macos{10.7,-10.14} ios{x} msg=m".
std::string summary(const Availability& a) {
    std::string s;
    for (const auto& [name, p] : a.entries()) {
        s += (s.empty() ? "" : " ") + name + "{" + p.introduced.value_or("");
        if (p.deprecated) s += ",-" + *p.deprecated;
        if (p.obsoleted) s += ",x" + *p.obsoleted;
        if (p.unavailable) s += ",unavailable";
        s += "}";
    }
    if (!a.getMessage().empty()) s += " msg=" + a.getMessage();
    if (!a.getReplacement().empty()) s += " rep=" + a.getReplacement();
    return s;
}

std::string read(const std::string& text) { return summary(AvailabilityReader::read(text)); }

}  // namespace

TEST(AvailabilityReaderTest, AttributeForms) {
    EXPECT_EQ(read("__attribute__((availability(macos,introduced=10.7,deprecated=10.14,message=\"Use -newThing\")))"),
              "macos{10.7,-10.14} msg=Use -newThing");
    EXPECT_EQ(read("__attribute__ ( ( availability ( macosx , introduced = 10_7 ) , availability(ios,unavailable) ) )"),
              "macos{10.7} ios{,unavailable}");
    EXPECT_EQ(read("__attribute__((availability(ios,introduced=2.0,obsoleted=9.0,replacement=\"newThing\")))"),
              "ios{2.0,x9.0} rep=newThing");
    EXPECT_EQ(read("__attribute__((availability(swift,unavailable,message=\"not for Swift\")))"), "");
    EXPECT_EQ(read("__attribute__((availability(macOSApplicationExtension,unavailable)))"),
              "macos_app_extension{,unavailable}");
    EXPECT_EQ(read("__attribute__((availability(macos,strict,introduced=10.9)))"), "macos{10.9}");
    // CF_DEPRECATED's message="" __VA_ARGS__: adjacent strings join
    EXPECT_EQ(read("__attribute__((availability(macosx,introduced=10_0,deprecated=10_8,message=\"\" \"Use \\\"X\\\"\")))"),
              "macos{10.0,-10.8} msg=Use \"X\"");
    EXPECT_EQ(read("__attribute__((deprecated))"), "*{,-}");
    EXPECT_EQ(read("__attribute__((__deprecated__(\"m\", \"newer\")))"), "*{,-} msg=m rep=newer");
    EXPECT_EQ(read("__attribute__((unavailable(\"not in ARC\")))"), "*{,unavailable} msg=not in ARC");
    EXPECT_EQ(read("[[deprecated(\"m\")]] [[clang::availability(tvos, introduced=9.0)]]"), "*{,-} tvos{9.0} msg=m");
    EXPECT_EQ(read("__attribute__((visibility(\"default\"), objc_designated_initializer, deprecated))"), "*{,-}");
    // A pushed attribute is for the declarations after it, not this one.
    EXPECT_EQ(read("_Pragma(\"clang attribute push(__attribute__((availability(macos,introduced=11.0))), apply_to=any)\")"),
              "");
    EXPECT_EQ(read("__attribute__((availability(macos,introduced=10.10))) __attribute__((availability(ios,introduced=8.0)))"),
              "macos{10.10} ios{8.0}");
}

TEST(AvailabilityReaderTest, MacrosLeftUnexpanded) {
    EXPECT_EQ(read("API_AVAILABLE(macos(10.7), ios(5.0)) NS_SWIFT_NAME(x)"), "macos{10.7} ios{5.0}");
    EXPECT_EQ(read("API_DEPRECATED(\"Use Y\", macos(10.0, 10.14)) API_UNAVAILABLE(ios, tvos)"),
              "macos{10.0,-10.14} ios{,unavailable} tvos{,unavailable} msg=Use Y");
    EXPECT_EQ(read("API_DEPRECATED_WITH_REPLACEMENT(\"newY\", macos(10.0, API_TO_BE_DEPRECATED))"),
              "macos{10.0,-100000} rep=newY");
    EXPECT_EQ(read("NS_AVAILABLE(10_7, NA) NS_DEPRECATED_MAC(10_0, 10_5, \"Use Z\")"),
              "macos{10.7,-10.5} ios{,unavailable} msg=Use Z");
    EXPECT_EQ(read("NS_CLASS_AVAILABLE_IOS(4_0) CF_ENUM_AVAILABLE_MAC(10_8)"), "ios{4.0} macos{10.8}");
    EXPECT_EQ(read("__OSX_AVAILABLE_BUT_DEPRECATED(__MAC_10_0, __MAC_10_5, __IPHONE_NA, __IPHONE_NA)"),
              "macos{10.0,-10.5} ios{,unavailable}");
    EXPECT_EQ(read("__OSX_AVAILABLE(10.12) __IOS_PROHIBITED"), "macos{10.12} ios{,unavailable}");
    EXPECT_EQ(read("AVAILABLE_MAC_OS_X_VERSION_10_2_AND_LATER_BUT_DEPRECATED_IN_MAC_OS_X_VERSION_10_4"),
              "macos{10.2,-10.4}");
    EXPECT_EQ(read("DEPRECATED_IN_MAC_OS_X_VERSION_10_4_AND_LATER"), "macos{,-10.4}");
    EXPECT_EQ(read("AVAILABLE_MAC_OS_X_VERSION_10_3_AND_LATER_BUT_DEPRECATED"), "macos{10.3,-}");
    EXPECT_EQ(read("DEPRECATED_MSG_ATTRIBUTE(\"gone\") NS_UNAVAILABLE"), "*{,-,unavailable} msg=gone");
    // Names that only look like the forms
    EXPECT_EQ(read("NS_AVAILABLE_SOMETHING(1) AVAILABLE_MAC_OS_X_VERSION_10_2 NS_DEPRECATED(10_0)"), "");
}

TEST(AvailabilityReaderTest, AnyBytesAreSafe) {
    for (const char* text : {"__attribute__((", "__attribute__((availability(", "__attribute__((availability(macos,introduced=",
                             "[[deprecated(", "API_AVAILABLE(macos(", "\"\\", "__attribute__((availability(macos,message=\"x",
                             "))))((((", "__attribute__((availability(,,,=,=)))", "NS_DEPRECATED(,,,,)"})
        EXPECT_NO_FATAL_FAILURE(AvailabilityReader::read(text)) << text;
    std::string deep = "__attribute__((availability(macos";
    for (int i = 0; i < 100000; ++i) deep += "(";
    EXPECT_EQ(summary(AvailabilityReader::read(deep)), "");
    std::string bytes;
    for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 131) & 0xff);
    EXPECT_NO_FATAL_FAILURE(AvailabilityReader::read(bytes));
}

// The 14.2 SDK's own headers through the define pass: what its macros expand to is read.
TEST(AvailabilityReaderTest, MacOS142SdkMacrosExpanded) {
    const std::string frameworks =
        std::string(KESTREL_SHARED_DIR) + "/data/macos14.2/MacOSX14.2.sdk/System/Library/Frameworks";
    if (!std::filesystem::is_directory(frameworks)) GTEST_SKIP() << "no macOS 14.2 SDK at " << frameworks;
    ProcessState::reset();
    ProcessState::frameworksRoot() = frameworks;
    DefineEngin().doCalc();
    auto found = ProcessState::defineList().find("NSObjCRuntime.h");
    ASSERT_NE(found, ProcessState::defineList().end());
    MacroScope scope(CompileTarget::current(), ProcessState::defineList());
    scope.setOwnRecord(found->second);
    if (const auto& imports = found->second->getImportList())
        for (const std::string& key : *imports) scope.addImport(key);
    MacroExpander expander(scope);
    auto expanded = [&](const std::string& raw) {
        Availability a = AvailabilityReader::readExpanding(raw, expander);
        std::string text = expander.expand(raw);
        EXPECT_EQ(text.find("API_"), std::string::npos) << raw << " -> " << text;
        return summary(a);
    };
    EXPECT_EQ(expanded("API_AVAILABLE(macos(10.7))"), "macos{10.7}");
    EXPECT_EQ(expanded("API_AVAILABLE(macos(10.15), ios(13.0), watchos(6.0), tvos(13.0))"),
              "macos{10.15} ios{13.0} watchos{6.0} tvos{13.0}");
    EXPECT_EQ(expanded("API_DEPRECATED(\"Use -newThing\", macos(10.0, 10.14))"), "macos{10.0,-10.14} msg=Use -newThing");
    EXPECT_EQ(expanded("API_DEPRECATED_WITH_REPLACEMENT(\"newThing\", macos(10.0, 10.14), ios(2.0, 12.0))"),
              "macos{10.0,-10.14} ios{2.0,-12.0} rep=newThing");
    EXPECT_EQ(expanded("API_UNAVAILABLE(ios, watchos, tvos)"), "ios{,unavailable} watchos{,unavailable} tvos{,unavailable}");
    EXPECT_EQ(expanded("API_DEPRECATED(\"later\", macos(10.10, API_TO_BE_DEPRECATED))"), "macos{10.10,-100000} msg=later");
    EXPECT_EQ(expanded("API_AVAILABLE(macos(14.0)) API_UNAVAILABLE(xros)"), "macos{14.0} visionos{,unavailable}");
    EXPECT_EQ(expanded("NS_AVAILABLE_MAC(10_7)"), "macos{10.7}");
    EXPECT_EQ(expanded("NS_DEPRECATED_MAC(10_0, 10_8, \"Use X\")"), "macos{10.0,-10.8} msg=Use X");
    EXPECT_EQ(expanded("CF_AVAILABLE(10_5, 2_0)"), "macos{10.5}");
    EXPECT_EQ(expanded("DEPRECATED_ATTRIBUTE NS_UNAVAILABLE"), "*{,-,unavailable}");
    EXPECT_EQ(expanded("AVAILABLE_MAC_OS_X_VERSION_10_2_AND_LATER_BUT_DEPRECATED_IN_MAC_OS_X_VERSION_10_4"),
              "macos{10.2,-10.4}");
    EXPECT_EQ(expanded("__OSX_AVAILABLE_STARTING(__MAC_10_5, __IPHONE_2_0)"), "macos{10.5}");  // for macOS only
    ProcessState::reset();
}

// The Mac OS X 10.4 headers come without the SDK's usr/include: their availability macros are
// read by name, and every one of the forms they use gives a version.
TEST(AvailabilityReaderTest, MacOSX104HeadersReadByName) {
    const std::string path = std::string(KESTREL_SHARED_DIR) +
                             "/data/macosx10.4/Frameworks/Foundation.framework/Headers/NSObjCRuntime.h";
    const std::string folder = std::string(KESTREL_SHARED_DIR) + "/data/macosx10.4/Frameworks";
    if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "no Mac OS X 10.4 headers at " << folder;
    std::size_t read = 0, deprecated = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.path().extension() != ".h" || !entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::string line;
        while (std::getline(in, line)) {
            if (line.find("AVAILABLE_MAC_OS_X_VERSION_") == std::string::npos || line.find("#define") != std::string::npos)
                continue;
            Availability a = AvailabilityReader::read(line);
            EXPECT_TRUE(a.find("macos") && a.find("macos")->introduced) << entry.path() << ": " << line;
            ++read;
            deprecated += a.isDeprecated();
        }
    }
    EXPECT_GT(read, 200u);
    EXPECT_GT(deprecated, 10u);
}
