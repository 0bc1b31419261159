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

// The golden header method_qualifiers holds the qualifiers in method types; these pin the same
// words where they are no qualifiers.
TEST(MethodStringMakerTest, QualifierWordsOutsideTypes) {
    const std::pair<const char*, const char*> cases[] = {
        {"- (void) copy: (id)in;", "-(void)copy:(id)in"},
        {"- (void) a: (id)x in: (id)y out: (id)z;", "-(void)a:(id)x in:(id)y out:(id)z"},
        {"- (oneway void) release;", "-(oneway void)release"},
    };
    for (const auto& [declaration, stored] : cases) {
        SCOPED_TRACE(declaration);
        EXPECT_EQ(normalised(declaration), std::vector<std::string>{stored});
    }
}

TEST(MethodStringMakerTest, MarkersAndAddedDeclarations) {
    EXPECT_EQ(normalised("@optional\n- (void) a;\n@required\n- (void) b;\n"),
              (std::vector<std::string>{"-(void)a", "-(void)b"}));

    // A declaration added from elsewhere drops the unfinished text before it, so that the text
    // is not glued to the next declaration.
    MethodStringMaker maker;
    maker.addCommand(kWord, "STRAY_MACRO");
    maker.addMethod("-(int)count");
    maker.addCommand(kWord, "-");
    maker.addCommand(kOpenParen, "(");
    maker.addCommand(kWord, "void");
    maker.addCommand(kCloseParen, ")");
    maker.addCommand(kWord, "next");
    maker.addCommand(kSemicolon, ";");
    EXPECT_EQ(maker.getMethodList(), (std::vector<std::string>{"-(int)count", "-(void)next"}));
}
