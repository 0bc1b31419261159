#include <gtest/gtest.h>

#include "core/model/ClassData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/SearchRank.h"
#include "core/model/TreeSearch.h"

using namespace kestrel;
using Names = std::vector<std::string>;

namespace {

std::vector<std::shared_ptr<ClassData>> classesNamed(const Names& names) {
    std::vector<std::shared_ptr<ClassData>> out;
    for (const auto& name : names) out.push_back(std::make_shared<ClassData>(name, std::nullopt));
    return out;
}

Names classFind(const std::string& text, const Names& names) {
    Names out;
    for (const auto& r : TreeSearch::doClassNameFind(TreeSearch::commandToToken(text), classesNamed(names)))
        out.push_back(*r.classRecord->getName());
    return out;
}

}  // namespace

TEST(SearchRank, NamesOfMethodsAndFunctions) {
    EXPECT_EQ(SearchRank::selectorOf("-(void)setFoo:(id)foo bar:(int)x"), "setFoo:bar:");
    EXPECT_EQ(SearchRank::selectorOf("+(id)stringWithFormat:(NSString*)format ,..."), "stringWithFormat:");
    EXPECT_EQ(SearchRank::selectorOf("-(NSUInteger)length"), "length");
    EXPECT_EQ(SearchRank::selectorOf("-(void(^)(int))handlerFor:(id(*)(id))f :(int)x"), "handlerFor::");
    EXPECT_EQ(SearchRank::selectorOf("-(id)init"), "init");
    EXPECT_EQ(SearchRank::selectorOf("-(id"), "");  // damaged text: no name, no endless loop

    EXPECT_EQ(SearchRank::functionNameOf("NSString* NSStringFromRect(NSRect aRect)"), "NSStringFromRect");
    EXPECT_EQ(SearchRank::functionNameOf("void (*NSFooHook)(int)"), "NSFooHook");
    EXPECT_EQ(SearchRank::functionNameOf("NSString* const NSFooKey"), "NSFooKey");
    EXPECT_EQ(SearchRank::functionNameOf("const char NSNames[4]"), "NSNames");
    EXPECT_EQ(SearchRank::functionNameOf("#$%"), "#$%");
}

TEST(SearchRank, WordsStartAfterColonsAndUnderscoresAndAtCapitals) {
    const std::string name = "initWithFrame:styleMask:";
    EXPECT_TRUE(SearchRank::isWordStart(name, name.find("Frame")));
    EXPECT_TRUE(SearchRank::isWordStart(name, name.find("style")));
    EXPECT_FALSE(SearchRank::isWordStart(name, name.find("rame")));
    EXPECT_TRUE(SearchRank::isWordStart("NS_ENUM", 3));
    EXPECT_TRUE(SearchRank::isWordStart("UTF8String", 4));
    EXPECT_TRUE(SearchRank::isWordStart("NSView", 2));           // the last capital of NS
    EXPECT_TRUE(SearchRank::isWordStart("NSURLSession", 5));     // ... and of NSURL
    EXPECT_FALSE(SearchRank::isWordStart("NSURLSession", 3));    // inside URL
}

TEST(SearchRank, ExactThenPrefixThenWordStartThenAnywhereShorterFirst) {
    // The orders GNUstep's flat class list gave before ranking.
    EXPECT_EQ(classFind("nsview", {"NSViewController", "NSView", "NSViewAnimation", "NSViewTemplate"}),
              (Names{"NSView", "NSViewTemplate", "NSViewAnimation", "NSViewController"}));
    EXPECT_EQ(classFind("NSData", {"NSDataLinkManager", "NSDataAsset", "NSDataLinkPanel", "NSDataLink", "NSData"})[0],
              "NSData");
    EXPECT_EQ(classFind("nsobject", {"NSObjectController", "NSObjectScripting", "NSObject"})[0], "NSObject");
    // "view": a word inside a name before the same letters mid-word; alike ranks keep list order.
    EXPECT_EQ(classFind("view", {"NSPreview", "NSTableView", "NSView", "ViewKit", "GSViewA", "GSViewB"}),
              (Names{"ViewKit", "NSView", "GSViewA", "GSViewB", "NSTableView", "NSPreview"}));
    // Several keywords: the best of their ranks.
    EXPECT_EQ(classFind("ller NSView", {"NSViewController", "NSController"}), (Names{"NSViewController"}));

    auto methods = classesNamed({"NSPopUpButton", "NSView", "NSOpenGLView"});
    methods[0]->addMethodList(
        Names{"-(id)initWithFrame:(NSRect)frameRect pullsDown:(BOOL)flag", "-(void)drawKnob:(NSRect)knobRect"});
    methods[1]->addMethodList(Names{"-(void)setFrame:(NSRect)frame", "-(id)initWithFrame:(NSRect)frameRect",
                                    "-(NSRect)frame", "-(void)drawRect:(NSRect)rect"});
    methods[2]->addMethodList(Names{"-(void)update"});
    Names found;
    for (const auto& r : TreeSearch::doMethodFind({"FRAME"}, methods)) found.push_back(*r.method);
    EXPECT_EQ(found, (Names{"-(NSRect)frame", "-(void)setFrame:(NSRect)frame", "-(id)initWithFrame:(NSRect)frameRect",
                            "-(id)initWithFrame:(NSRect)frameRect pullsDown:(BOOL)flag"}));
    // A method's name without its closing colon is its exact name; its argument types are not
    // its name.
    found.clear();
    for (const auto& r : TreeSearch::doMethodFind({"setframe"}, methods)) found.push_back(*r.method);
    EXPECT_EQ(found, (Names{"-(void)setFrame:(NSRect)frame"}));
    EXPECT_EQ(SearchRank({"setframe"}).rank("setFrame:"), SearchRank::Exact);
    // Alike in their best keyword, the other keyword in the name counts.
    found.clear();
    for (const auto& r : TreeSearch::doMethodFind({"draw", "rect"}, methods)) found.push_back(*r.method);
    EXPECT_EQ(found, (Names{"-(void)drawRect:(NSRect)rect", "-(void)drawKnob:(NSRect)knobRect"}));
    EXPECT_EQ(SearchRank({"nsrect"}).rank("drawRect:"), SearchRank::Elsewhere);

    std::vector<std::shared_ptr<FunctionMacrosData>> functions;
    for (const char* text : {"NSRect NSMakeRect(CGFloat x, CGFloat y, CGFloat w, CGFloat h)", "NSString* NSStringFromRect(NSRect aRect)",
                             "BOOL NSIsEmptyRect(NSRect aRect)"}) {
        functions.push_back(std::make_shared<FunctionMacrosData>(8));
        functions.back()->setName(std::string(text));
    }
    Names names;
    for (const auto& r : TreeSearch::doFuncFind({"rect"}, functions)) names.push_back(*r.function->getName());
    EXPECT_EQ(names, (Names{"NSRect NSMakeRect(CGFloat x, CGFloat y, CGFloat w, CGFloat h)", "BOOL NSIsEmptyRect(NSRect aRect)",
                            "NSString* NSStringFromRect(NSRect aRect)"}));
}
