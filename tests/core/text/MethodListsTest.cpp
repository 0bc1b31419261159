#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "core/text/MethodLists.h"
#include "core/text/MethodOwners.h"
#include "support/Forest.h"
#include "support/SmallStack.h"

using namespace kestrel;
using kestrel::test::Forest;
using Methods = std::vector<std::string>;

namespace {

// "distance source method", one an entry.
std::vector<std::string> rows(const std::vector<InheritedMethod>& methods) {
    std::vector<std::string> out;
    for (const auto& m : methods) out.push_back(std::to_string(m.distance) + " " + m.source + " " + m.method);
    return out;
}

// NSObject (+ category Copying) <- NSView <NSCoding> (+ category Drawing <Dragging>) <- NSButton;
// NSCoding adopts NSBase. NSButton and NSView each declare drawRect: again, NSView init.
class MethodListsTest : public testing::Test {
protected:
    void SetUp() override {
        object = f.cls("NSObject");
        object->addMethodList(Methods{"-(id)init", "+(id)new"});
        f.category("Copying", "NSObject", "NSObject.h")->addMethodList(Methods{"-(id)copy"});
        view = f.cls("NSView", "NSObject");
        view->addMethodList(Methods{"-(void)drawRect:(NSRect)rect", "-(id)init"});
        view->addProtocolName("NSCoding");
        auto drawing = f.category("Drawing", "NSView", "NSView.h");
        drawing->addMethodList(Methods{"-(void)lockFocus"});
        drawing->addProtocolName("Dragging");
        f.category("Empty", "NSView", "NSView.h");  // no method list
        button = f.cls("NSButton", "NSView");
        button->addMethodList(Methods{"-(void)setTitle:(NSString*)aString", "-(void)drawRect:(NSRect)dirty"});
        f.protocol("NSCoding", {"NSBase"})->addMethodList(Methods{"-(void)encodeWithCoder:(NSCoder*)aCoder"});
        f.protocol("NSBase")->addMethodList(Methods{"-(BOOL)isBase", "-(id)init"});
        f.protocol("Dragging")->addMethodList(Methods{"-(void)draggingEnded:(id)sender"});
        f.link();
    }

    Forest f;
    std::shared_ptr<ClassData> object, view, button;
};

}  // namespace

TEST_F(MethodListsTest, FlatListsTakeClassesThenCategoriesThenProtocols) {
    EXPECT_EQ(MethodLists::makeMethodListAndCategory(f.classStraightList, f.protocolList, false, false),
              (Methods{"-(id)init", "+(id)new", "-(void)drawRect:(NSRect)rect", "-(id)init",
                       "-(void)setTitle:(NSString*)aString", "-(void)drawRect:(NSRect)dirty"}));
    EXPECT_EQ(MethodLists::makeMethodListAndCategory(f.classStraightList, f.protocolList, true, true),
              (Methods{"-(id)init", "+(id)new", "-(id)copy", "-(void)drawRect:(NSRect)rect", "-(id)init",
                       "-(void)lockFocus", "-(void)setTitle:(NSString*)aString", "-(void)drawRect:(NSRect)dirty",
                       "-(void)encodeWithCoder:(NSCoder*)aCoder", "-(BOOL)isBase", "-(id)init",
                       "-(void)draggingEnded:(id)sender"}));
    EXPECT_EQ(MethodLists::makeMethodListAndCategory(f.classStraightList, {}, false, true).size(), 6u);
    EXPECT_TRUE(MethodLists::makeMethodListAndCategory({}, {}, true, true).empty());
}

TEST_F(MethodListsTest, InheritedMethodsComeNearestFirstAndEachSelectorOnce) {
    EXPECT_EQ(rows(MethodLists::inheritedMethods(*button)),
              (Methods{
                  "0 NSButton -(void)setTitle:(NSString*)aString",
                  "0 NSButton -(void)drawRect:(NSRect)dirty",
                  "1 NSView -(id)init",
                  "1 NSView (Drawing) -(void)lockFocus",
                  "1 <NSCoding> -(void)encodeWithCoder:(NSCoder*)aCoder",
                  "1 <NSBase> -(BOOL)isBase",
                  "1 <Dragging> -(void)draggingEnded:(id)sender",
                  "2 NSObject +(id)new",
                  "2 NSObject (Copying) -(id)copy",
              }));
    EXPECT_EQ(rows(MethodLists::inheritedMethods(*object)),
              (Methods{"0 NSObject -(id)init", "0 NSObject +(id)new", "0 NSObject (Copying) -(id)copy"}));
}

TEST_F(MethodListsTest, ClassAndInstanceMethodsOfOneNameAreTwoSelectors) {
    button->addMethodList(Methods{"+(id)init"});
    const auto all = rows(MethodLists::inheritedMethods(*button));
    EXPECT_EQ(all.front(), "0 NSButton +(id)init");
    EXPECT_EQ(std::count(all.begin(), all.end(), "1 NSView -(id)init"), 1);
}

TEST(MethodLists, LoopsInADamagedTreeAreWalkedOnce) {
    Forest f;
    auto a = f.cls("A");
    auto b = f.cls("B");
    a->addMethodList(Methods{"-(void)a"});
    b->addMethodList(Methods{"-(void)b"});
    a->addProtocolName("P");
    f.protocol("P", {"Q"})->addMethodList(Methods{"-(void)p"});
    f.protocol("Q", {"P", "Q"})->addMethodList(Methods{"-(void)q"});
    f.link();
    a->setSuperClass(b.get());  // made by hand: linking never leaves a loop
    b->setSuperClass(a.get());
    EXPECT_EQ(rows(MethodLists::inheritedMethods(*a)), (Methods{"0 A -(void)a", "0 <P> -(void)p", "0 <Q> -(void)q", "1 B -(void)b"}));
}

// The comment editor's rows: the flat list, each row with its owner; a text declared by several
// classes (a class and its categories counting once) or protocols says so.
TEST_F(MethodListsTest, OwnersOfEachRowAndHowManyShareItsComment) {
    view->addMethodList(Methods{"-(void)drawRect:(NSRect)rect", "-(id)init", "-(id)init"});  // twice: one class
    MethodOwners owners(f.classStraightList, f.protocolList);
    EXPECT_EQ(owners.methods(), MethodLists::makeMethodListAndCategory(f.classStraightList, f.protocolList, true, true));
    std::vector<std::string> sides;
    for (std::size_t row = 0; row < owners.methods().size(); ++row) sides.push_back(owners.sideText(row));
    EXPECT_EQ(sides, (Methods{"NSObject  +2", "NSObject", "NSObject (Copying)", "NSView", "NSView  +2", "NSView  +2",
                              "NSView (Drawing)", "NSButton", "NSButton", "<NSCoding>", "<NSBase>", "<NSBase>  +2",
                              "<Dragging>"}));
    EXPECT_EQ(owners.caption("-(id)init").text(), "Comment on -(id)init (shared by 2 classes and 1 protocol)");
    EXPECT_EQ(owners.caption("-(id)copy").text(), "Comment on -(id)copy");
    EXPECT_EQ(owners.caption("-(void)drawRect:(NSRect)rect").rear, "");  // NSButton's has another argument name
    EXPECT_EQ(owners.caption("-(nothing)").text(), "Comment on -(nothing)");
    EXPECT_EQ(owners.ownerOf(99), "");
    EXPECT_EQ(owners.sideText(99), "");

    button->addMethodList(Methods{"-(void)lockFocus"});  // a class and another class's category
    EXPECT_EQ(MethodOwners(f.classStraightList, f.protocolList).caption("-(void)lockFocus").rear,
              " (shared by 2 classes)");
}

// A chain of 100,000 classes under a chain of 100,000 protocols: linking, every walk over it
// and letting it go take a stack of their own size, whatever the depth.
TEST(MethodLists, HundredThousandDeepChainsAreWalkedWithoutRecursion) {
    constexpr int kDepth = 100000;
    auto forest = std::make_unique<Forest>();
    auto named = [](const char* prefix, int i) { return std::string(prefix).append(std::to_string(i)); };
    for (int i = 0; i < kDepth; ++i) {
        auto c = forest->cls(named("C", i), i ? std::optional(named("C", i - 1)) : std::nullopt);
        c->addMethodList(Methods{named("-(void)c", i)});
        auto p = forest->protocol(named("P", i), i ? std::vector{named("P", i - 1)} : std::vector<std::string>{});
        p->addMethodList(Methods{named("-(void)p", i)});
    }
    const auto deepest = forest->classList.back();
    deepest->addProtocolName(named("P", kDepth - 1));
    test::onSmallStack([&] {
        forest->link();
        const std::vector<InheritedMethod> methods = MethodLists::inheritedMethods(*deepest);
        ASSERT_EQ(methods.size(), 2u * kDepth);
        EXPECT_EQ(methods[1].source, named("<P", kDepth - 1).append(">"));
        EXPECT_EQ(methods.back().method, "-(void)c0");
        // Dropped without the linker's help, the root last: the records let go of each other
        // one by one.
        forest->classStraightList.clear();
        forest->protocolList.clear();
        forest->classList.clear();
        forest.reset();
    });
    EXPECT_FALSE(forest);
}
