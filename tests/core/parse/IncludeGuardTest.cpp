#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/parse/CMacroEngin.h"
#include "core/parse/DefineData.h"
#include "core/parse/DefineMacroEngin.h"
#include "core/parse/IncludeGuard.h"
#include "core/platform/ProcessState.h"
#include "support/VisibleWords.h"

using namespace kestrel;

namespace {

using test::visibleWords;

const char* const kGuarded = "#ifndef GUARD_H\n#define GUARD_H\nbody\n#else\nelsePart\n#endif\nafter\n";

}  // namespace

TEST(IncludeGuardTest, NextDirectiveMustDefineTheSymbol) {
    const std::pair<const char*, bool> cases[] = {
        {"\n#define X\n", true},
        {" // the guard\n\n  #  define   X 1\n", true},
        {"\n/* a comment\n#define Y\n*/\n#define X\n", true},       // a "#" in a comment is none
        {"\nint a; /* text between */\n#define X\n", true},          // the next directive counts
        {"\n#define XY\n", false}, {"\n#define Y\n#define X\n", false}, {"\n#defined X\n", false},
        {"\n#import <A/B.h>\n#define X\n", false},
        {"\nint a # define X\n", false},                              // "#" not first on its line
        {"\n/* never closed\n#define X\n", false},
        {"", false}, {"\n#define", false},
        {"\n#define X(...)\n", false},  // a stand-in (os/availability.h's API_AVAILABLE), no guard
        {"\n#define X (a)\n", true},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(IncludeGuard::defineFollows(text, "X"), expected);
    }
    EXPECT_FALSE(IncludeGuard::defineFollows("\n#define\n", ""));
}

TEST(IncludeGuardTest, GuardTakesItsBranchInBothPasses) {
    ProcessState::reset();
    EXPECT_EQ(visibleWords<DefineMacroEngin>(kGuarded, std::nullopt), "body after");

    // A header of another framework that uses the same guard: a compiler that met it first
    // would skip this one, but here each header is read for its own declarations.
    auto other = std::make_shared<DefineData>("Other.h");
    other->addDefine("\n", "GUARD_H");
    other->addDefine("\n", "OTHER");
    ProcessState::defineList()["Other.h"] = other;
    const std::string imports = "#import <Kit/Other.h>\n";
    EXPECT_EQ(visibleWords<CMacroEngin>(imports + kGuarded, std::string("Guarded.h")), "body after");
    EXPECT_EQ(visibleWords<CMacroEngin>(imports + "#ifndef OTHER\n#define GUARD_H\nbody\n#endif\nafter\n",
                                        std::string("Guarded.h")),
              "after");
    // #ifdef is no guard.
    EXPECT_EQ(visibleWords<CMacroEngin>(imports + "#ifdef GUARD_H\n#define GUARD_H\nbody\n#endif\n",
                                        std::string("Guarded.h")),
              "body");
    ProcessState::reset();
}

TEST(IncludeGuardTest, CutOffGuardsEnd) {
    ProcessState::reset();
    for (const char* text : {"#ifndef", "#ifndef X", "#ifndef X\n", "#ifndef X\n#define", "#ifndef X\n/*"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(visibleWords<DefineMacroEngin>(text, std::nullopt), "");
        EXPECT_EQ(visibleWords<CMacroEngin>(text, std::nullopt), "");
    }
}
