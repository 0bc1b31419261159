#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/model/CategoryData.h"
#include "core/model/RecordLists.h"
#include "core/parse/CMacroEngin.h"
#include "core/parse/ClassEngin.h"
#include "core/parse/MethodAttributeFilter.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/ProcessState.h"

using namespace kestrel;

namespace {

using Strings = std::vector<std::string>;

// Runs the interface analyser over text, which starts after the word "@interface".
std::shared_ptr<HasMethodsData> analyse(const std::string& text, RecordLists* records = nullptr) {
    ProcessState::reset();
    TextBuffer buffer(text);
    CMacroEngin macro(&buffer, std::nullopt);
    return std::dynamic_pointer_cast<HasMethodsData>(ClassEngin(&buffer, &macro, records).doAnalyse("@interface"));
}

Strings methodsOf(const std::string& body) {
    auto record = analyse("Foo : NSObject\n" + body + "\n@end\n");
    return record ? record->getMethodList().value_or(Strings{}) : Strings{"<no record>"};
}

// The golden cases interface_ivars, interface_if_in_body and category_basic pin the common
// method strings, the instance variables and the declarations filed from a body; these are the
// corners they do not reach.
TEST(ClassEnginTest, MethodStrings) {
    // Without the define records, a word written as a macro outside parentheses is an attribute.
    EXPECT_EQ(methodsOf("+ (id) stringWithFormat: (NSString*)format, ... NS_FORMAT_FUNCTION(1,2);\n"
                        "- (void)noType:x with:y;\n"
                        "- (void) later API_AVAILABLE(macos(10.12), ios(10.0)) NS_SWIFT_NAME(l());\n"
                        "- (GS_TYPE(T)) first: (GS_TYPE(T))x;\n"
                        "- (void) inArgs: (int)a GS_API(x;\n"  // a ";" ends unbalanced arguments
                        "- (void) after;"),
              (Strings{"+(id)stringWithFormat:(NSString*)format ,...", "-(void)noType:x with:y", "-(void)later",
                       "-(GS_TYPE(T))first:(GS_TYPE(T))x", "-(void)inArgs:(int)a", "-(void)after"}));
    // Where the grammar leaves room for nothing else, any word is an attribute; where a word may
    // be a name, the spelling decides, and the word after it.
    EXPECT_EQ(methodsOf("- (id) copy retained;\n"
                        "- (void) move: (int)x toward;\n"
                        "- (void) setX: (int)X_OFFSET y: (int)y;\n"
                        "- (void) keep: (id) NS_CONSUMED anObject more: (id)b;\n"
                        "- (void)invalidate API_AVAILABLE(ios(17.0)\n#ifdef __OBJC__\n, visionos(1.0)\n#endif\n);\n"
                        "NS_SWIFT_UNAVAILABLE(\"Use -other:; instead\")\n"
                        "- (void) run: (void (NS_SWIFT_SENDABLE NS_NOESCAPE ^)(id))block;"),
              (Strings{"-(id)copy", "-(void)move:(int)x", "-(void)setX:(int)X_OFFSET y:(int)y",
                       "-(void)keep:(id)anObject more:(id)b", "-(void)invalidate", "-(void)run:(void(^)(id))block"}));
    for (const char* word : {"NS_SWIFT_NAME", "API_AVAILABLE", "GS_API_V2"})
        EXPECT_TRUE(MethodAttributeFilter::isWrittenAsMacro(word)) << word;
    for (const char* word : {"NSRect", "URL", "_private", "set_value", "__attribute__", "X1"})
        EXPECT_FALSE(MethodAttributeFilter::isWrittenAsMacro(word)) << word;
}

TEST(ClassEnginTest, DeclarationLine) {
    auto record = analyse("Foo (A) (B)\n- (void)x;\n@end\n");  // only the first name in parentheses counts
    ASSERT_EQ(record->whoAreYou(), kCategoryDataKind);
    EXPECT_EQ(record->getName(), "A");
    EXPECT_EQ(std::static_pointer_cast<CategoryData>(record)->getTargetClassName(), "Foo");

    // A line comment continues the declaration on the next line; "{" there ends it.
    record = analyse("Foo : Bar // note\n <P1>\n{ int x; }\n- (int)x;\n@end\n");
    EXPECT_EQ(record->getProtocolNames(), Strings{"P1"});
    EXPECT_EQ(record->getMethodList(), Strings{"-(int)x"});
    // "{" on the declaration line.
    EXPECT_EQ(analyse("Foo : Bar {\n  id a; }\n- (id)a;\n@end\n")->getMethodList(), Strings{"-(id)a"});

    // Comments: a block comment running on does not leak into the first method, and neither
    // its parenthesis nor a comment's words in the protocol list are read.
    record = analyse("Foo : Bar /* see (Notes)\n   below */\n- (void)x;\n@end\n");
    ASSERT_EQ(record->whoAreYou(), kClassDataKind);
    EXPECT_EQ(record->getMethodList(), Strings{"-(void)x"});
    record = analyse("Foo : Bar <P1, /* not P2 */ P3 // nor P4\n , P5>\n@end\n");
    EXPECT_EQ(record->getProtocolNames(), (Strings{"P1", "P3", "P5"}));

    // Only right after the class name does "(" open a category name; elsewhere an attribute's.
    record = analyse("Foo : Bar API_AVAILABLE(macos(10.15), ios(\"(x)\")) <P1>\n- (void)x;\n@end\n");
    ASSERT_EQ(record->whoAreYou(), kClassDataKind);
    EXPECT_EQ(record->superName(), "Bar");
    EXPECT_EQ(record->getProtocolNames(), Strings{"P1"});
    EXPECT_EQ(record->getMethodList(), Strings{"-(void)x"});
    record = analyse("Foo /* the */ (Extras) API_UNAVAILABLE(ios)\n@end\n");
    EXPECT_EQ(record->getName(), "Extras");
}

TEST(ClassEnginTest, BodySkipsWhatIsNoMethod) {
    EXPECT_EQ(methodsOf("- (void)a;\n{ nested { braces } here; }\ntypedef struct { int x; } Skipped;\n"
                        "typedef int Other;\n/* - (void)c1; */\n// - (void)c2;\n"
                        "#ifdef __OBJC__\n- (void)objc;\n#else\n- (void)other;\n#endif\n#if 0\n- (void)never;\n#endif\n"
                        "- (void)lost"),  // not ended by ";" before "@end"
              (Strings{"-(void)a", "-(void)objc"}));
    // Without record lists the declarations are read all the same, and dropped.
    EXPECT_EQ(methodsOf("extern int FooCount;\nenum E { A };\nstruct S { int a; };\n- (void)x;"), Strings{"-(void)x"});
}

// Wherever the text stops, the analysis ends. Left behind: the record with every method
// completed before the cut; none when the text ends before the class name.
TEST(ClassEnginTest, CutOffBlocks) {
    const std::string full =
        "Foo : Bar <P1, P2>\n{\n  enum { A, B } e;\n  /* c */ int x;\n}\n- (void)one;\n#if 0\n- (void)never;\n"
        "#endif\ntypedef struct { int a; } T;\n- (id)two:(id)a\n     with:(int)b;\n@end\n";
    const std::size_t one = full.find("one;") + 4, two = full.find("b;") + 2;
    for (std::size_t n = 0; n <= full.size(); ++n) {
        SCOPED_TRACE(n);
        RecordLists records;
        auto record = analyse(full.substr(0, n), &records);
        ASSERT_EQ(record != nullptr, n > 0);
        if (!record) continue;
        Strings expected;
        if (n >= one) expected.push_back("-(void)one");
        if (n >= two) expected.push_back("-(id)two:(id)a with:(int)b");
        EXPECT_EQ(record->getMethodList().value_or(Strings{}), expected);
    }
    EXPECT_FALSE(analyse("   "));
}

}  // namespace
