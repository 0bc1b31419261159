#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text/ArgumentInfo.h"
#include "support/Forest.h"

using namespace kestrel;
using kestrel::test::Forest;
using Words = std::vector<std::string>;

namespace {

const std::string kSeparator = std::string(25, '-');

// A small tree: the class NSString, the struct _NSRect, the enum NSAlignment and typedefs
// NSRect -> _NSRect, NSRectPtr -> NSRect*, NSUInteger -> unsigned int.
class ArgumentInfoTest : public testing::Test {
protected:
    void SetUp() override {
        f.cls("NSString");
        f.structRecord("_NSRect", "{ NSPoint origin; NSSize size; }");
        f.enumRecord("NSAlignment", "{ NSLeft, NSRight }");
        f.link();
    }

    Forest f;
    ArgumentInfo::TypedefList typedefs{{"NSRect", "_NSRect"}, {"NSRectPtr", "NSRect*"}, {"NSUInteger", "unsigned int"}};
    ArgumentInfo info{f.linker, &typedefs};
};

}  // namespace

TEST_F(ArgumentInfoTest, DeclarationsGiveTheirBlocksBetweenSeparators) {
    EXPECT_EQ(info.forDeclaration("-(NSRect)frame"),
              "typedef  _NSRect  NSRect;\nstruct  _NSRect\n{ NSPoint origin; NSSize size; };");
    EXPECT_EQ(info.forDeclaration("-(id)initWithString:(NSString*)aString"), "NSString is Class");
    EXPECT_EQ(info.forDeclaration("-(void)drawString:(NSString*)s inRect:(NSRect)r align:(NSAlignment)a"),
              "NSString is Class\n" + kSeparator +
                  "\ntypedef  _NSRect  NSRect;\nstruct  _NSRect\n{ NSPoint origin; NSSize size; };\n" + kSeparator +
                  "\nenum  NSAlignment\n{\n    NSLeft,\n    NSRight\n};");
    // A repeated word gives its block once.
    EXPECT_EQ(info.forDeclaration("-(NSString*)join:(NSString*)a with:(NSString*)b"), "NSString is Class");
    // Words of nothing in the tree give an empty text; a text without words gives none.
    EXPECT_EQ(info.forDeclaration("-(void)beep"), "");
    EXPECT_EQ(info.forDeclaration(""), std::nullopt);
    EXPECT_EQ(info.forDeclaration("();"), std::nullopt);
}

TEST_F(ArgumentInfoTest, MakeArgumentStringRemovesRepeatsFromTheWords) {
    Words words{"NSString", "x", "NSString", "y", "x", "NSString", "x"};
    EXPECT_EQ(info.makeArgumentString(words), "NSString is Class");
    EXPECT_EQ(words, (Words{"NSString", "x", "y"}));
    Words none;
    EXPECT_EQ(info.makeArgumentString(none), std::nullopt);
}

TEST_F(ArgumentInfoTest, TypedefsAreFollowedOneLevel) {
    std::string word = "NSRectPtr";
    EXPECT_EQ(info.checkTypeDef(word), "typedef  NSRect*  NSRectPtr;\n");
    EXPECT_EQ(word, "NSRect*");
    // NSRect* names a typedef itself, but the struct check sees "NSRect*", which names no struct.
    Words words{"NSRectPtr"};
    EXPECT_EQ(info.makeArgumentString(words), "typedef  NSRect*  NSRectPtr;");
    // Without a typedef list there are no typedef lines.
    ArgumentInfo bare(f.linker, nullptr);
    std::string rect = "NSRect";
    EXPECT_EQ(bare.checkTypeDef(rect), std::nullopt);
    EXPECT_EQ(rect, "NSRect");
    EXPECT_EQ(bare.forDeclaration("-(NSRect)frame"), "");
}

TEST_F(ArgumentInfoTest, WordsAreLookedUpByTheirKey) {
    EXPECT_EQ(info.checkClassNameByKey("NS String**"), "NSString is Class\n");
    EXPECT_EQ(info.checkClassNameByKey("*"), std::nullopt);
    // The block names the word as given, the look-up its key.
    EXPECT_EQ(info.checkStruct("_NSRect*"), "struct  _NSRect*\n{ NSPoint origin; NSSize size; };\n");
    EXPECT_EQ(info.checkEnum("NSAlignment *"), "enum  NSAlignment *\n{\n    NSLeft,\n    NSRight\n};\n");
    EXPECT_EQ(info.checkEnum("_NSRect"), std::nullopt);
    // A class word is a class only: no typedef, struct or enum of the same name is looked at.
    f.structRecord("NSString", "{ int x; }");
    f.linker.reindex();
    Words words{"NSString"};
    EXPECT_EQ(info.makeArgumentString(words), "NSString is Class");
}

// An argument whose type is a typedef of an enum (as the macro forms file it) shows the enum,
// its type and its constants, one a row; an elaborated word names only its own kind.
TEST_F(ArgumentInfoTest, AnEnumTypedefShowsTheEnumWithItsTypeAndConstants) {
    auto mask = f.enumRecord("NSWindowStyleMask", "");
    mask->setUnderlyingType("NSUInteger");
    mask->setConstants({{"NSWindowStyleMaskBorderless", "0"}, {"NSWindowStyleMaskTitled", "1 << 0"}});
    f.linker.reindex();
    typedefs["NSWindowStyleMask"] = "enum NSWindowStyleMask";
    EXPECT_EQ(info.forDeclaration("-(void)setStyleMask:(NSWindowStyleMask)mask"),
              "typedef  enum NSWindowStyleMask  NSWindowStyleMask;\n"
              "enum  NSWindowStyleMask : NSUInteger\n{\n    NSWindowStyleMaskBorderless = 0,\n"
              "    NSWindowStyleMaskTitled = 1 << 0\n};");
    EXPECT_EQ(info.checkStruct("enum NSWindowStyleMask"), std::nullopt);
    EXPECT_EQ(info.checkEnum("struct _NSRect"), std::nullopt);
    EXPECT_EQ(info.checkStruct("struct _NSRect"), "struct  _NSRect\n{ NSPoint origin; NSSize size; };\n");
}
