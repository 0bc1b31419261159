#include <gtest/gtest.h>

#include "core/model/FunctionMacrosData.h"
#include "core/text/PlaceFinder.h"
#include "support/Forest.h"

using namespace kestrel;
using kestrel::test::Forest;
using Place = NavigationHistory::Place;

TEST(PlaceFinder, FindsPlacesByNameInTheTreeAsItIsNow) {
    Forest f;
    f.cls("NSObject")->addMethodList(std::vector<std::string>{"-(id)init"});
    auto view = f.cls("NSView", "NSObject");
    view->addMethodList(std::vector<std::string>{"-(instancetype)initWithFrame:(NSRect)frameRect"});
    f.category("Drawing", "NSView", "NSView.h")->addMethodList(std::vector<std::string>{"-(void)drawRect:(NSRect)r"});
    f.link();
    auto beep = std::make_shared<FunctionMacrosData>(kExternKind);
    beep->setName("void NSBeep(void) API_AVAILABLE(macos(10.0))");
    const std::vector<std::shared_ptr<FunctionMacrosData>> functions{beep};
    PlaceFinder finder(f.classStraightList, functions);

    EXPECT_EQ(finder.find(Place::ofClass("NSView"))->classRecord, view);
    EXPECT_FALSE(finder.exists(Place::ofClass("NSWindow")));
    // A method by its text; by its selector where the text changed; inherited and from a
    // category alike.
    auto same = finder.find(Place::ofMethod("NSView", "-(id)initWithFrame:(NSRect)r"));
    ASSERT_TRUE(same);
    EXPECT_EQ(same->classRecord, view);
    EXPECT_EQ(same->method, "-(instancetype)initWithFrame:(NSRect)frameRect");
    EXPECT_EQ(finder.find(Place::ofMethod("NSView", "-(id)init"))->method, "-(id)init");
    EXPECT_TRUE(finder.exists(Place::ofMethod("NSView", "-(void)drawRect:(NSRect)r")));
    EXPECT_FALSE(finder.exists(Place::ofMethod("NSView", "+(id)initWithFrame:(NSRect)r")));  // another sign
    EXPECT_FALSE(finder.exists(Place::ofMethod("NSObject", "-(void)drawRect:(NSRect)r")));
    EXPECT_FALSE(finder.exists(Place::ofMethod("NSWindow", "-(id)init")));
    // A function by its name, its text as the tree has it now.
    EXPECT_EQ(finder.find(Place::ofFunction("void NSBeep(void)"))->function, beep);
    EXPECT_FALSE(finder.exists(Place::ofFunction("void NSBoop(void)")));
}
