#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/parse/CMacroEngin.h"
#include "core/parse/PropertyDeclaration.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/ProcessState.h"
#include "support/RestOfText.h"

using namespace kestrel;

namespace {

using Strings = std::vector<std::string>;

struct Read {
    PropertyDeclaration property;
    std::string rest;  // the commands left after the declaration, joined by "|"
};

// Reads text, which starts right after the word "@property".
Read readProperty(const std::string& text) {
    ProcessState::reset();
    TextBuffer buffer(text);
    CMacroEngin macro(&buffer, std::nullopt);
    Read result{PropertyDeclaration::read(buffer, &macro), {}};
    result.rest = test::restOf(buffer, false);
    return result;
}

Strings accessors(const std::string& text) { return readProperty(text).property.accessors; }

}  // namespace

// The golden case interface_properties pins the common declarations; these are the corners.
TEST(PropertyDeclarationTest, AccessorStrings) {
    const std::pair<const char*, Strings> cases[] = {
        {"(getter = isOn, setter = turn:) BOOL on;", {"-(BOOL)isOn", "-(void)turn:(BOOL)on"}},
        {"(readonly) unsigned long long size;", {"-(unsigned longlong)size"}},
        {"(readonly) NSString * _Nullable name;", {"-(NSString*_Nullable )name"}},
        {"(readonly) __kindof NSView *view;", {"-(__kindof NSView*)view"}},
        {"(readonly) const char *cString;", {"-(const char*)cString"}},
        // Several names share the type before the first name; stars belong to each name.
        {"(readonly) NSString *a, *b, c;", {"-(NSString*)a", "-(NSString*)b", "-(NSString)c"}},
        {"(readonly) NSDictionary<NSString*, id> *map;", {"-(NSDictionary<NSString*,id>*)map"}},
        // Function-pointer types name the word after "*", as block types after "^".
        {"(readonly) int (*compare)(id, id);", {"-(int(*)(id,id))compare"}},
        // A function-like attribute macro after the name is no name; nor is a word written like
        // a macro, unless nothing else can be the name.
        {"(readonly) NSRect frame NS_AVAILABLE(10_5, 2_0);", {"-(NSRect)frame"}},
        {"(readonly) BOOL on NS_SWIFT_UI_ACTOR __WATCHOS_PROHIBITED;", {"-(BOOL)on"}},
        {"(readonly) NSUInteger MAX_COUNT;", {"-(NSUInteger)MAX_COUNT"}},
        {"(readonly) int (*compare)(id, id) KIT_DEPRECATED(\"use -order:; (sorted)\");", {"-(int(*)(id,id))compare"}},
        {"(readonly) void (KIT_SENDABLE ^done)(BOOL) KIT_X;", {"-(void(^)(BOOL))done"}},
        {"(readonly) Block _Nullable block;", {"-(Block _Nullable )block"}},
        // A comment or a line end inside the declaration is passed over.
        {"(readonly) /* note */ int\n count; // the end", {"-(int)count"}},
        // Nothing to name: no accessor.
        {"(readonly);", {}}, {"int *;", {}}, {";", {}},
        // Directives inside are evaluated: __OBJC__ counts as defined, every unknown symbol as not.
        {"(readonly)\n#ifdef __OBJC__\n int shown;\n#else\n int hidden;\n#endif\n", {"-(int)shown"}},
        {"(readonly)\n#ifdef UNKNOWN_SYMBOL\n float f;\n#endif\n int i;", {"-(int)i"}},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(accessors(text), expected);
    }
}

TEST(PropertyDeclarationTest, WhereTheReadingStops) {
    Read read = readProperty("int x; - (void)next;\n");
    EXPECT_EQ(read.property.accessors, (Strings{"-(int)x", "-(void)setX:(int)x"}));
    EXPECT_FALSE(read.property.blockEnded);
    EXPECT_EQ(read.rest, "-|(|void|)|next|;|");

    // The text ends inside the declaration, even inside the attribute list ("@end" before the
    // ";" ends the block: golden case interface_properties).
    for (const char* cut : {"(readonly) int count", "(readonly, getter=", "(", ""}) {
        SCOPED_TRACE(cut);
        read = readProperty(cut);
        EXPECT_TRUE(read.property.accessors.empty());
        EXPECT_FALSE(read.property.blockEnded);
    }
}
