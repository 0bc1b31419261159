#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text/HedderSyntax.h"

using namespace kestrel;
using Kind = HedderSyntax::Kind;

namespace {

// The line's spans as "kind:text" words, and the state it leaves.
struct Coloured {
    std::vector<std::string> spans;
    int state = 0;
};

// Characters beyond ASCII as "?".
std::string ascii(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

Coloured colour(std::u16string_view line, int state = HedderSyntax::kNormal) {
    static const char* const kNames[] = {"kw", "dir", "pre", "com", "str", "chr", "num"};
    std::vector<HedderSyntax::Span> spans;
    Coloured out;
    out.state = HedderSyntax::spans(line, state, spans);
    for (const auto& s : spans)
        out.spans.push_back(std::string(kNames[static_cast<int>(s.kind)]) + ":" + ascii(line.substr(s.start, s.length)));
    return out;
}

using Words = std::vector<std::string>;

}  // namespace

TEST(HedderSyntax, EachKindOfTextGetsItsColour) {
    EXPECT_EQ(colour(u"@interface NSView : NSResponder <NSCoding>").spans, Words{"dir:@interface"});
    EXPECT_EQ(colour(u"- (nullable instancetype)initWithFrame:(NSRect)r; // designated").spans,
              (Words{"kw:nullable", "kw:instancetype", "com:// designated"}));
    EXPECT_EQ(colour(u"static const int kMax = 0x1F + 10UL + 1.5e-3f + .5 + x2;").spans,
              (Words{"kw:static", "kw:const", "kw:int", "num:0x1F", "num:10UL", "num:1.5e-3f", "num:.5"}));
    EXPECT_EQ(colour(uR"(NSString *s = @"a \"quoted\" // not a comment"; char c = '\''; s = "x";)").spans,
              (Words{R"(str:@"a \"quoted\" // not a comment")", "kw:char", R"(chr:'\'')", R"(str:"x")"}));
    EXPECT_EQ(colour(u"@property (copy) NSString *title;").spans, (Words{"dir:@property"}));
    EXPECT_EQ(colour(u"intValue inside_name _Bool").spans, Words{"kw:_Bool"});  // words, not their parts
    // Text that is not ASCII is no keyword and moves nothing.
    EXPECT_EQ(colour(u"/* é */ int café;").spans, (Words{"com:/* ? */", "kw:int"}));
}

TEST(HedderSyntax, PreprocessorLinesAndCommentsRunOn) {
    Coloured import = colour(u"#import <AppKit/NSView.h> // the view");
    EXPECT_EQ(import.spans, (Words{"pre:#import ", "str:<AppKit/NSView.h>", "pre: ", "com:// the view"}));
    EXPECT_EQ(colour(u"  #  include \"Local.h\"").spans, (Words{"pre:  #  include ", "str:\"Local.h\""}));
    // In a condition, "<" compares; keywords and numbers take the line's colour.
    EXPECT_EQ(colour(u"#if MAC_OS_X_VERSION_MIN_REQUIRED < 1050").spans, Words{"pre:#if MAC_OS_X_VERSION_MIN_REQUIRED < 1050"});

    Coloured define = colour(u"#define NS_ENUM(type, name) \\");
    EXPECT_EQ(define.state, HedderSyntax::kInPreprocessor);
    Coloured body = colour(u"    enum name : type", define.state);
    EXPECT_EQ(body.spans, Words{"pre:    enum name : type"});
    EXPECT_EQ(body.state, HedderSyntax::kNormal);

    Coloured open = colour(u"int x; /* a comment");
    EXPECT_EQ(open.spans, (Words{"kw:int", "com:/* a comment"}));
    EXPECT_EQ(open.state, HedderSyntax::kInComment);
    Coloured middle = colour(u"   still @interface in it", open.state);
    EXPECT_EQ(middle.spans, Words{"com:   still @interface in it"});
    EXPECT_EQ(middle.state, HedderSyntax::kInComment);
    Coloured close = colour(u"end */ @end", middle.state);
    EXPECT_EQ(close.spans, (Words{"com:end */", "dir:@end"}));
    EXPECT_EQ(close.state, HedderSyntax::kNormal);
    Coloured empty = colour(u"", HedderSyntax::kInComment);  // an empty line keeps it open, with no span
    EXPECT_EQ(empty.state, HedderSyntax::kInComment);
    EXPECT_TRUE(empty.spans.empty());
    EXPECT_EQ(colour(u"int", -1).spans, Words{"kw:int"});                               // "not known" is normal
    // Unclosed strings and constants end with the line.
    EXPECT_EQ(colour(u"s = \"open").spans, Words{"str:\"open"});
    EXPECT_EQ(colour(u"c = '").spans, Words{"chr:'"});
}
