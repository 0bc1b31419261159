#include <gtest/gtest.h>

#include <set>

#include "core/model/NavigationHistory.h"

using namespace kestrel;
using Place = NavigationHistory::Place;

namespace {

// A place written as the user reads it: "NSView", "NSView -(id)init", "fn NSBeep".
Place placeOf(const std::string& text) {
    if (text.rfind("fn ", 0) == 0) return Place::ofFunction("void " + text.substr(3) + "(void)");
    const std::size_t space = text.find(' ');
    if (space == std::string::npos) return Place::ofClass(text);
    return Place::ofMethod(text.substr(0, space), text.substr(space + 1));
}

std::string textOf(const Place& p) {
    switch (p.kind) {
        case Place::Kind::Class: return p.className;
        case Place::Kind::Method: return p.className + " " + p.text;
        case Place::Kind::Function: return "fn " + p.key();
    }
    return "?";
}

// The entries with the current one in brackets.
std::string entries(const NavigationHistory& h) {
    std::string out;
    for (std::size_t i = 0; i < h.places().size(); ++i) {
        const std::string t = textOf(h.places()[i]);
        out += (out.empty() ? "" : ", ") + (h.current() == i ? "[" + t + "]" : t);
    }
    return out;
}

}  // namespace

TEST(NavigationHistory, NavigationsAsABrowserKeepsThem) {
    NavigationHistory h;
    std::set<std::string> gone;  // what a rebuild took away, by name
    const NavigationHistory::Exists exists = [&](const Place& p) {
        return !gone.count(p.kind == Place::Kind::Class ? p.className : p.className + p.key());
    };
    struct Step {
        const char* action;  // a place shown, "back", "forward", or "gone X" (a rebuild dropped X)
        const char* after;
        bool canBack, canForward;
    };
    const Step steps[] = {
        {"back", "", false, false},
        {"NSView", "[NSView]", false, false},
        {"NSView", "[NSView]", false, false},                                // the same again
        {"NSView -(id)initWithFrame:(NSRect)r", "[NSView -(id)initWithFrame:(NSRect)r]", false, false},  // refines
        {"NSView", "[NSView -(id)initWithFrame:(NSRect)r]", false, false},  // its class again
        {"NSView -(id)initWithFrame:(NSRect)frame", "[NSView -(id)initWithFrame:(NSRect)r]", false, false},  // same selector
        {"NSView -(void)display", "NSView -(id)initWithFrame:(NSRect)r, [NSView -(void)display]", true, false},
        {"NSWindow", "NSView -(id)initWithFrame:(NSRect)r, NSView -(void)display, [NSWindow]", true, false},
        {"fn NSBeep", "NSView -(id)initWithFrame:(NSRect)r, NSView -(void)display, NSWindow, [fn NSBeep]", true, false},
        {"back", "NSView -(id)initWithFrame:(NSRect)r, NSView -(void)display, [NSWindow], fn NSBeep", true, true},
        {"back", "NSView -(id)initWithFrame:(NSRect)r, [NSView -(void)display], NSWindow, fn NSBeep", true, true},
        {"forward", "NSView -(id)initWithFrame:(NSRect)r, NSView -(void)display, [NSWindow], fn NSBeep", true, true},
        // A new place after going back drops the ones ahead.
        {"NSButton", "NSView -(id)initWithFrame:(NSRect)r, NSView -(void)display, NSWindow, [NSButton]", true, false},
        {"forward", "NSView -(id)initWithFrame:(NSRect)r, NSView -(void)display, NSWindow, [NSButton]", true, false},
        // A rebuild without NSWindow: Back passes over it.
        {"gone NSWindow", "NSView -(id)initWithFrame:(NSRect)r, NSView -(void)display, NSWindow, [NSButton]", true, false},
        {"back", "NSView -(id)initWithFrame:(NSRect)r, [NSView -(void)display], NSWindow, NSButton", true, true},
        {"gone NSView-initWithFrame:", "NSView -(id)initWithFrame:(NSRect)r, [NSView -(void)display], NSWindow, NSButton",
         false, true},
        {"back", "NSView -(id)initWithFrame:(NSRect)r, [NSView -(void)display], NSWindow, NSButton", false, true},
        {"forward", "NSView -(id)initWithFrame:(NSRect)r, NSView -(void)display, NSWindow, [NSButton]", true, false},
    };
    for (const Step& s : steps) {
        const std::string action = s.action;
        if (action == "back") h.back(exists);
        else if (action == "forward") h.forward(exists);
        else if (action.rfind("gone ", 0) == 0) gone.insert(action.substr(5));
        else h.visit(placeOf(action));
        EXPECT_EQ(entries(h), s.after) << "after " << action;
        EXPECT_EQ(h.canGoBack(exists), s.canBack) << "after " << action;
        EXPECT_EQ(h.canGoForward(exists), s.canForward) << "after " << action;
    }
}

TEST(NavigationHistory, WhatBackShowsIsNotRecorded) {
    NavigationHistory h;
    h.visit(placeOf("A"));
    h.visit(placeOf("B -(id)init"));
    const std::optional<Place> to = h.back(nullptr);
    ASSERT_TRUE(to);
    {
        // Showing A again selects the class and may show a method: neither is a new entry.
        NavigationHistory::Replay replay(h);
        h.visit(placeOf("A"));
        h.visit(placeOf("A -(void)x"));
    }
    EXPECT_EQ(entries(h), "[A], B -(id)init");
    h.visit(placeOf("C"));  // after the replay, visits count again
    EXPECT_EQ(entries(h), "A, [C]");
}

TEST(NavigationHistory, KeepsTheNewestWithinItsLimit) {
    NavigationHistory h;
    for (std::size_t i = 0; i < NavigationHistory::kLimit + 10; ++i) {
        std::string name(1, 'C');
        name += std::to_string(i);
        h.visit(Place::ofClass(std::move(name)));
    }
    EXPECT_EQ(h.places().size(), NavigationHistory::kLimit);
    EXPECT_EQ(h.places().front().className, "C10");
    EXPECT_EQ(h.current(), NavigationHistory::kLimit - 1);
}
