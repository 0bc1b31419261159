#include <gtest/gtest.h>

#include <string>

#include "core/text/DeclarationText.h"
#include "core/text/SnippetText.h"

using namespace kestrel;

namespace {

constexpr std::int32_t kSnippet = static_cast<std::int32_t>(DragStyle::Snippet);

}  // namespace

// Each stored method as the snippet style copies it, with the receiver a user would have in
// the class field.
TEST(SnippetText, Methods) {
    struct Case {
        const char* receiver;
        const char* method;
        const char* snippet;
    };
    const Case cases[] = {
        {"NSView", "-(id)initWithFrame:(NSRect)frameRect", "[<#NSView *#> initWithFrame:<#(NSRect)#>]"},
        {"NSView", "-(void)setFoo:(id)foo bar:(int)x", "[<#NSView *#> setFoo:<#(id)#> bar:<#(int)#>]"},
        {"NSView", "-(NSString*)title", "[<#NSView *#> title]"},
        {"NSView", "-(void)move:(int)a :(int)b", "[<#NSView *#> move:<#(int)#> :<#(int)#>]"},
        // A class method goes to the class itself; "instancetype" is the receiving class.
        {"NSArray", "+(id)arrayWithObjects:(id)firstObj ,...", "[NSArray arrayWithObjects:<#(id), ...#>]"},
        {"NSString", "+(instancetype)stringWithFormat:(NSString*)format,...",
         "[NSString stringWithFormat:<#(NSString *), ...#>]"},
        {"NSMutableArray", "+(instancetype)arrayWithCapacity:(NSUInteger)numItems",
         "[NSMutableArray arrayWithCapacity:<#(NSUInteger)#>]"},
        {"NSView", "-(BOOL)isEqualTo:(instancetype)other", "[<#NSView *#> isEqualTo:<#(NSView *)#>]"},
        // Types read as source writes them, without nullability or __kindof.
        {"NSArray", "-(void)enumerateObjectsUsingBlock:(void(^)(id obj,NSUInteger idx,BOOL*stop))block",
         "[<#NSArray *#> enumerateObjectsUsingBlock:<#(void (^)(id obj, NSUInteger idx, BOOL *stop))#>]"},
        {"NSFileManager", "-(nullable NSArray<NSURL*>*)contentsOfDirectoryAtURL:(NSURL*)url error:(NSError*_Nullable *)error",
         "[<#NSFileManager *#> contentsOfDirectoryAtURL:<#(NSURL *)#> error:<#(NSError **)#>]"},
        {"NSView", "-(void)addSubviews:(NSArray<__kindof NSView*>*)views",
         "[<#NSView *#> addSubviews:<#(NSArray<NSView *> *)#>]"},
        {"NSObject", "-(id)copyWithZone:(in bycopy NSZone*)zone", "[<#NSObject *#> copyWithZone:<#(NSZone *)#>]"},
        // An argument without a type is an object; attributes after the selector are no part of it.
        {"NSView", "-(void)foo:x bar:(int)y", "[<#NSView *#> foo:<#(id)#> bar:<#(int)#>]"},
        {"NSView", "-(id)init __attribute__((deprecated))", "[<#NSView *#> init]"},
        {"NSView", "-(void)setTag:(NSInteger)tag API_AVAILABLE(macos(10.0))", "[<#NSView *#> setTag:<#(NSInteger)#>]"},
        {"NSView", "-init", "[<#NSView *#> init]"},
        // Without a class chosen, the receiver is a placeholder too.
        {"", "-(nullable instancetype)init", "[<#id#> init]"},
        {"", "+(id)new", "[<#Class#> new]"},
        // Nothing to make a message of.
        {"NSView", "", ""},
        {"NSView", "-", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SnippetText::methodSnippet(c.method, c.receiver), c.snippet) << c.method;
        EXPECT_EQ(DeclarationText::createExternalDragStrings(c.method, kSnippet, c.receiver), c.snippet) << c.method;
    }
    // The method view's form ends with the line break the preferences ask for, as the other styles'.
    EXPECT_EQ(DeclarationText::methodViewText("-(void)display", kSnippet, "NSView", true), "[<#NSView *#> display]\n");
    EXPECT_EQ(DeclarationText::methodViewText("-(void)display", kSnippet, "NSView", false), "[<#NSView *#> display]");
}

TEST(SnippetText, FunctionsMacrosAndConstants) {
    struct Case {
        const char* declaration;
        const char* snippet;
    };
    const Case cases[] = {
        {"NSRect NSMakeRect(CGFloat x, CGFloat y, CGFloat w, CGFloat h)",
         "NSMakeRect(<#CGFloat x#>, <#CGFloat y#>, <#CGFloat w#>, <#CGFloat h#>)"},
        {"NSString* NSStringFromRect(NSRect aRect)", "NSStringFromRect(<#NSRect aRect#>)"},
        {"void NSBeep(void)", "NSBeep()"},
        {"NSBeep()", "NSBeep()"},
        {"void NSLog(NSString* format, ...)NS_FORMAT_FUNCTION(1,2)", "NSLog(<#NSString *format, ...#>)"},
        {"int f(int, char*)", "f(<#int#>, <#char *#>)"},
        {"void qsort(void* base, size_t n, size_t w, int(*compar)(const void*,const void*))",
         "qsort(<#void *base#>, <#size_t n#>, <#size_t w#>, <#int (*compar)(const void *, const void *)#>)"},
        {"CTFontRef _Nonnull CTFontCreateWithName(CFStringRef _Nonnull name, CGFloat size, "
         "const CGAffineTransform * _Nullable matrix)",
         "CTFontCreateWithName(<#CFStringRef name#>, <#CGFloat size#>, <#const CGAffineTransform *matrix#>)"},
        // What the stored text carries after the list or before the name stays out.
        {"NSRect NSMakeRect(CGFloat x, CGFloat y)GS_GEOM_ATTR", "NSMakeRect(<#CGFloat x#>, <#CGFloat y#>)"},
        {"NSPoint NSMakePoint(CGFloat x, CGFloat y){", "NSMakePoint(<#CGFloat x#>, <#CGFloat y#>)"},
        {"CF_RETURNS_RETAINED CFStringRef CFCopy(CFStringRef s)", "CFCopy(<#CFStringRef s#>)"},
        {"void NS_FUNC(int a)", "NS_FUNC(<#int a#>)"},  // a name in capitals after a type word
        // A function-like macro.
        {"MAX(a,b)", "MAX(<#a#>, <#b#>)"},
        // Constants and variables: the name alone.
        {"NSString* const NSViewFrameDidChangeNotification", "NSViewFrameDidChangeNotification"},
        {"NSString* const NSFooKey API_AVAILABLE(macos(10.10)) API_UNAVAILABLE(ios)", "NSFooKey"},
        {"const double NS_LIMIT", "NS_LIMIT"},
        {"int KitCount", "KitCount"},
        {"void (*NSHookFunction)(int)", "NSHookFunction"},
        // An unclosed list is taken as far as it goes; nothing gives nothing.
        {"void f(int x", "f(<#int x#>)"},
        {"", ""},
        {"   ", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SnippetText::functionSnippet(c.declaration), c.snippet) << c.declaration;
        EXPECT_EQ(DeclarationText::functionText(c.declaration, kSnippet), c.snippet) << c.declaration;
    }
}

TEST(SnippetText, TypesAreSpacedAsSourceWritesThem) {
    EXPECT_EQ(SnippetText::readableType("NSString*"), "NSString *");
    EXPECT_EQ(SnippetText::readableType("NSError**"), "NSError **");
    EXPECT_EQ(SnippetText::readableType("const char*const*"), "const char *const *");
    EXPECT_EQ(SnippetText::readableType("id<NSCopying>"), "id<NSCopying>");
    EXPECT_EQ(SnippetText::readableType("NSDictionary<NSString*,id>*"), "NSDictionary<NSString *, id> *");
    EXPECT_EQ(SnippetText::readableType("NSString*(^)(id)"), "NSString *(^)(id)");
    EXPECT_EQ(SnippetText::readableType("  unsigned   int "), "unsigned int");
}

// The style numbers: 0 and 1 are what older preferences hold; the snippet style is its own,
// and any other number is still the call style.
TEST(SnippetText, EveryStyleNumberHasItsText) {
    EXPECT_EQ(dragStyleOf(0), DragStyle::Declaration);
    EXPECT_EQ(dragStyleOf(1), DragStyle::Call);
    EXPECT_EQ(dragStyleOf(2), DragStyle::Snippet);
    EXPECT_EQ(dragStyleOf(7), DragStyle::Call);
    EXPECT_EQ(dragStyleOf(-1), DragStyle::Call);
    EXPECT_FALSE(DeclarationText::isCallStyle(2));
    EXPECT_EQ(DeclarationText::functionText("void NSBeep(void)", 2), "NSBeep()");
    EXPECT_EQ(DeclarationText::functionText("void NSBeep(void)", 1), " NSBeep();");
}
