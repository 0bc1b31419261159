#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/parse/MethodStringMaker.h"
#include "core/parse/TextBuffer.h"

using namespace kestrel;

namespace {

// The stored strings of the declarations in text, cut as the body readers cut them.
std::vector<std::string> normalised(const std::string& text) {
    TextBuffer buffer(text);
    MethodStringMaker maker;
    int status = 0;
    while (auto command = buffer.getCommandWithStatus(status))
        if (status != kCR && status != kLF) maker.addCommand(status, *command);
    return maker.getMethodList();
}

}  // namespace

// The golden header method_qualifiers holds the qualifiers in method types, and "@optional" /
// "@required" markers come in interface_properties; these pin qualifier words as argument names, and
// a declaration added from elsewhere.
TEST(MethodStringMakerTest, QualifierWordsOutsideTypesAndAddedDeclarations) {
    EXPECT_EQ(normalised("- (void) copy: (id)in;\n- (void) a: (id)x in: (id)y out: (id)z;"),
              (std::vector<std::string>{"-(void)copy:(id)in", "-(void)a:(id)x in:(id)y out:(id)z"}));

    // A declaration added from elsewhere drops the unfinished text before it, so that the text
    // is not glued to the next declaration.
    MethodStringMaker maker;
    maker.addCommand(kWord, "STRAY_MACRO");
    maker.addMethod("-(int)count");
    const std::pair<int, const char*> next[] = {{kWord, "-"}, {kOpenParen, "("}, {kWord, "void"}, {kCloseParen, ")"},
                                                {kWord, "next"}, {kSemicolon, ";"}};
    for (const auto& [status, text] : next) maker.addCommand(status, text);
    EXPECT_EQ(maker.getMethodList(), (std::vector<std::string>{"-(int)count", "-(void)next"}));
}

// What keeps a space so that words stay apart: an argument name before an empty selector part,
// a qualifier after a name (also written after stars), a tag after "struct".
TEST(MethodStringMakerTest, SpacesThatKeepWordsApart) {
    EXPECT_EQ(normalised("+ (id)withPoints:(float)x :(float)y :(float)z;\n"
                         "- (void)play:(Handler __nullable)h then:(Block _Nullable_result)b;\n"
                         "- (void)each:(void (^)(Item *_Nullable item))f;\n"
                         "- (NSString * _Nullable)name;\n"
                         "- (void)send:(const struct List *)l kind:(enum Kind)k;"),
              (std::vector<std::string>{"+(id)withPoints:(float)x :(float)y :(float)z",
                                        "-(void)play:(Handler __nullable )h then:(Block _Nullable_result )b",
                                        "-(void)each:(void(^)(Item*_Nullable item))f", "-(NSString*_Nullable )name",
                                        "-(void)send:(const struct List*)l kind:(enum Kind)k"}));
}
