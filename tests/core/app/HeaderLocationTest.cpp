#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/app/HeaderLocation.h"
#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "support/TempDir.h"

using namespace kestrel;
using kestrel::test::TempDir;
using Target = HeaderLocation::Target;
using Kind = Target::Kind;

namespace {

// A header written the ways real ones are: forward declarations and comments that name what is
// declared further down, generics, macros before the directive, declarations across lines.
const char* const kHeader =
    "/* @interface NSView : NSResponder -- an old comment */\n"   // 1
    "@class NSView;\n"                                            // 2
    "@protocol NSCoding, NSCopying;\n"                            // 3
    "@protocol NSCoding;\n"                                       // 4
    "// NSMakeRect(x, y, w, h) makes a rectangle\n"               // 5
    "#define NSMakeRect(x, y, w, h) _NSMake(x, y, w, h)\n"        // 6
    "static const char *s = \"@interface NSView // no\";\n"      // 7
    "APPKIT_EXPORT_CLASS\n"                                       // 8
    "@interface NSView<ObjectType> : NSResponder <NSCoding>\n"    // 9
    "{\n"                                                         // 10
    "  int _tag; /* - (void)display; */\n"                        // 11
    "}\n"                                                         // 12
    "- (instancetype)initWithFrame: (NSRect)frameRect;\n"         // 13
    "- (void)setFoo: (id)foo\n"                                   // 14
    "           bar: (int)x API_AVAILABLE(macos(10.0));\n"        // 15
    "- (void)setFoo: (id)foo;\n"                                  // 16
    "@property (getter=isHidden) BOOL hidden;\n"                  // 17
    "@end\n"                                                      // 18
    "@protocol NSCoding <NSObject>\n"                             // 19
    "- (void)display;\n"                                          // 20
    "@end\n"                                                      // 21
    "@interface NSView (Drawing)\n"                               // 22
    "- (void)display;\n"                                          // 23
    "@end\n"                                                      // 24
    "@interface NSView ()\n"                                      // 25
    "@end\n"                                                      // 26
    "typedef struct _NSRect { float x; } NSRect;\n"               // 27
    "typedef NS_ENUM(NSInteger, NSKind) {\n"                      // 28
    "  NSKindA\n"                                                 // 29
    "} NSKind2;\n"                                                // 30
    "APPKIT_EXTERN NSRect NSMakeRect (CGFloat x, CGFloat y);\n"   // 31
    "APPKIT_EXTERN NSString *const NSViewKey;\n"                  // 32
    "@interface GS_GENERIC_CLASS(NSArray, T) : GS_GENERIC_CLASS(NSSet, T)\n"  // 33
    "@interface GS_GENERIC_CLASS(NSArray, T) (Uniquing)\n";             // 34

}  // namespace

TEST(HeaderLocation, TheScanFindsTheDeclarationNotItsMentions) {
    struct Case {
        Target target;
        std::int32_t line;
    };
    const Case cases[] = {
        {{Kind::Class, "NSView", ""}, 9},               // not the comment, the @class or the string
        {{Kind::Category, "NSView", "Drawing"}, 22},
        {{Kind::Category, "NSView", ""}, 25},           // the class extension
        {{Kind::Protocol, "NSCoding", ""}, 19},         // not the forward declarations
        {{Kind::Function, "NSMakeRect", ""}, 31},       // a call's shape before the macro of the same name
        {{Kind::Function, "_NSMake", ""}, 6},           // named nowhere else: the line that uses it
        {{Kind::Function, "NSViewKey", ""}, 32},
        {{Kind::Struct, "_NSRect", ""}, 27},
        {{Kind::Enum, "NSKind2", ""}, 30},
        {{Kind::Class, "NSArray", ""}, 33},           // a macro around the name, not its superclass
        {{Kind::Class, "NSSet", ""}, 0},
        {{Kind::Category, "NSArray", "Uniquing"}, 34},
        {{Kind::Class, "NSWindow", ""}, 0},
        {{Kind::Category, "NSView", "Printing"}, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(HeaderLocation::lineOf(kHeader, c.target), c.line) << c.target.name;
    // Line ends of any kind count alike.
    EXPECT_EQ(HeaderLocation::lineOf("// a\r\n// b\r@interface K\n", {Kind::Class, "K", ""}), 3);
    EXPECT_EQ(HeaderLocation::lineOf("/* open\n@interface K\n", {Kind::Class, "K", ""}), 0);  // never closed
    EXPECT_EQ(HeaderLocation::lineOf("", {Kind::Class, "K", ""}), 0);
}

TEST(HeaderLocation, AMethodIsFoundInItsClassThenInItsCategories) {
    EXPECT_EQ(HeaderLocation::lineOfMethod(kHeader, "NSView", "-(id)initWithFrame:(NSRect)frameRect"), 13);
    EXPECT_EQ(HeaderLocation::lineOfMethod(kHeader, "NSView", "-(void)setFoo:(id)foo bar:(int)x"), 14);
    EXPECT_EQ(HeaderLocation::lineOfMethod(kHeader, "NSView", "-(void)setFoo:(id)foo"), 16);
    EXPECT_EQ(HeaderLocation::lineOfMethod(kHeader, "NSView", "-(BOOL)isHidden"), 17);       // a property's
    EXPECT_EQ(HeaderLocation::lineOfMethod(kHeader, "NSView", "-(void)setHidden:(BOOL)h"), 17);
    EXPECT_EQ(HeaderLocation::lineOfMethod(kHeader, "NSView", "-(void)display"), 23);  // the category's, not the protocol's
    EXPECT_EQ(HeaderLocation::lineOfMethod(kHeader, "NSView", "+(void)display"), 0);   // another sign
    EXPECT_EQ(HeaderLocation::lineOfMethod(kHeader, "NSWindow", "-(void)display"), 0);
    EXPECT_EQ(HeaderLocation::lineOfMethod(kHeader, "NSView", ""), 0);
}

TEST(HeaderLocation, HeadersAreFoundByTheBuildsNames) {
    TempDir dir;
    const std::string root = dir.str() + "/Frameworks";
    dir.write("Frameworks/Kit.framework/Headers/Sub/KitView.h", "@interface KitView\n@end\n");
    dir.write("Frameworks/Kit.framework/Frameworks/Inner.framework/Headers/KitView.h", "@interface Inner\n@end\n");
    dir.write("Frameworks/Other.framework/Headers/Only.h", "");
    dir.write("Frameworks/Loose/Kit.framework/Headers/Loose.h", "");
    dir.write("Frameworks/top.h", "");
    const std::string mine = dir.write("mine/My.h", "@interface Mine\n@end\n");
    dir.write("folder/Deep/Own.h", "");
    const std::vector<std::string> privates{mine, dir.str() + "/folder"};

    auto found = [&](const std::string& fw, const std::string& header) {
        std::optional<std::string> path = HeaderLocation::findHedder(root, fw, header, privates);
        return path ? path->substr(dir.str().size() + 1) : std::string("(none)");
    };
    EXPECT_EQ(found("Kit.framework", "KitView.h"), "Frameworks/Kit.framework/Headers/Sub/KitView.h");
    EXPECT_EQ(found("Kit.framework/Inner.framework", "KitView.h"),
              "Frameworks/Kit.framework/Frameworks/Inner.framework/Headers/KitView.h");
    EXPECT_EQ(found("Kit.framework", "Loose.h"), "Frameworks/Loose/Kit.framework/Headers/Loose.h");
    EXPECT_EQ(found("Kit.framework", "Only.h"), "(none)");  // another framework's header is not Kit's
    EXPECT_EQ(found("------", "My.h"), "mine/My.h");
    EXPECT_EQ(found("------", "Own.h"), "folder/Deep/Own.h");
    EXPECT_EQ(found("------", "top.h"), "Frameworks/top.h");
    EXPECT_EQ(found("------", "Gone.h"), "(none)");
    EXPECT_EQ(found("Kit.framework", "../../top.h"), "(none)");
    EXPECT_EQ(found("Kit.framework", ""), "(none)");

    // A record's place: its header and the line of its declaration (a method's, when given).
    ClassData view;
    view.setName("KitView");
    view.setFwName("Kit.framework");
    view.setHedderName("KitView.h");
    std::optional<HeaderLocation::Place> place = HeaderLocation::locate(view, root, privates);
    ASSERT_TRUE(place);
    EXPECT_EQ(place->path, (std::filesystem::canonical(root) / "Kit.framework/Headers/Sub/KitView.h").string());
    EXPECT_EQ(place->line, 1);
    CategoryData category("Extra", "Mine");
    category.setFwName("------");
    category.setHedderName("My.h");
    EXPECT_EQ(HeaderLocation::locate(category, root, privates)->line, 0);  // no such category there
    EnumData anonymous;
    anonymous.setName("");
    anonymous.setConstants({{"KitFirst", "1"}, {"KitSecond", std::nullopt}});
    EXPECT_EQ(HeaderLocation::targetOf(anonymous)->name, "KitFirst");
    FunctionMacrosData function(kExternKind);
    function.setName("int KitCount(void)");
    EXPECT_EQ(HeaderLocation::targetOf(function)->name, "KitCount");
    view.setHedderName("Gone.h");
    EXPECT_FALSE(HeaderLocation::locate(view, root, privates));
    EXPECT_EQ(HeaderLocation::expectedPath("/R", view), "/R/Kit.framework/Headers/Gone.h");
    EXPECT_EQ(HeaderLocation::expectedPath("/R", category), "My.h");

    // What the viewer calls what it shows.
    EXPECT_EQ(HeaderLocation::declarationName(view), "KitView");
    EXPECT_EQ(HeaderLocation::declarationName(view, "-(void)setFoo:(id)foo bar:(int)x"), "-[KitView setFoo:bar:]");
    EXPECT_EQ(HeaderLocation::declarationName(category, "+(id)new"), "+[Mine (Extra) new]");
    EXPECT_EQ(HeaderLocation::declarationName(function), "KitCount");
    EXPECT_EQ(HeaderLocation::declarationName(anonymous), "KitFirst");
}
