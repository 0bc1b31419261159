#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text/DeclarationText.h"

using namespace kestrel;
using Rows = std::vector<std::string>;

namespace {

constexpr std::int32_t kDeclaration = 0;
constexpr std::int32_t kCall = 1;

std::string declaration(const std::string& method) {
    return DeclarationText::createExternalDragStrings(method, kDeclaration, "NSView");
}
std::string call(const std::string& method) { return DeclarationText::createExternalDragStrings(method, kCall, "NSView"); }

}  // namespace

TEST(DeclarationText, MethodsInBothStylesWithNSViewAsTheReceiver) {
    struct Case {
        const char* method;
        const char* declaration;
        const char* call;
    };
    const Case cases[] = {
        {"-(id)initWithFrame:(NSRect)frameRect", "-(id)initWithFrame:(NSRect)frameRect;",
         "id_VALUE = [NSView*_VALUE initWithFrame:(NSRect)frameRect];"},
        {"-(void)setFoo:(id)foo bar:(int)x", "-(void)setFoo:(id)foo bar:(int)x;", "[NSView*_VALUE setFoo:(id)foo bar:(int)x];"},
        {"+(id)arrayWithObjects:(id)firstObj ,...", "+(id)arrayWithObjects:(id)firstObj ,...;",
         "id_VALUE = [NSView arrayWithObjects:(id)firstObj ,...];"},
        {"-(NSString*)title", "-(NSString*)title;", "NSString*_VALUE = [NSView*_VALUE title];"},
        {"-(unsigned int)count", "-(unsigned int)count;", "unsigned int_VALUE = [NSView*_VALUE count];"},
        {"+(void)initialize", "+(void)initialize;", "[NSView initialize];"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(declaration(c.method), c.declaration) << c.method;
        EXPECT_EQ(call(c.method), c.call) << c.method;
        // Every style but 0 is the call style.
        EXPECT_EQ(DeclarationText::createExternalDragStrings(c.method, -3, "NSView"), c.call);
    }
}

TEST(DeclarationText, AMethodWithoutItsTypeReturnsIdAndAnEmptyOneGivesNothing) {
    EXPECT_EQ(declaration("-init"), "-init;");
    EXPECT_EQ(call("-init"), "id_VALUE = [NSView*_VALUE init];");
    EXPECT_EQ(call("-foo:(int)x"), "id_VALUE = [NSView*_VALUE foo:(int)x];");
    EXPECT_EQ(call("+new"), "id_VALUE = [NSView new];");
    EXPECT_EQ(call("-()empty"), "id_VALUE = [NSView*_VALUE empty];");
    for (const char* nothing : {"", "-", "+", "- "}) {
        EXPECT_EQ(declaration(nothing), "") << '"' << nothing << '"';
        EXPECT_EQ(call(nothing), "") << '"' << nothing << '"';
        EXPECT_EQ(DeclarationText::methodViewText(nothing, kCall, "NSView", true), "");
    }
}

TEST(DeclarationText, OddMethodTypesStayWhole) {
    // No ")" after the type: the rest is the type and the selector is empty.
    EXPECT_EQ(call("-(id"), "id_VALUE = [NSView*_VALUE ];");
    EXPECT_EQ(call("-("), "id_VALUE = [NSView*_VALUE ];");
    // A type with parentheses of its own (a block or function pointer) ends at its own ")".
    EXPECT_EQ(call("-(void (^)(int))handler"), "void (^)(int)_VALUE = [NSView*_VALUE handler];");
    // A one-way message returns nothing either.
    EXPECT_EQ(call("-(oneway void)release"), "[NSView*_VALUE release];");
    EXPECT_EQ(call("- (id)spaced"), "id_VALUE = [NSView*_VALUE spaced];");
}

// Stored methods of the macOS 14.2 SDK, each with the receiver a user would have in the class
// field. A call's variables and casts take no nullability, __kindof or distributed-message
// qualifier, and "instancetype" is the receiving class; the declaration keeps what the header
// wrote.
TEST(DeclarationText, CallsOfTodaysDeclarationsReadAsObjectiveC) {
    struct Case {
        const char* receiver;
        const char* method;
        const char* call;
    };
    const Case cases[] = {
        {"NSView", "-(NSArray<__kindof NSView*>*)subviews", "NSArray<NSView*>*_VALUE = [NSView*_VALUE subviews];"},
        {"NSView", "-(nullable __kindof NSView*)viewWithTag:(NSInteger)tag",
         "NSView*_VALUE = [NSView*_VALUE viewWithTag:(NSInteger)tag];"},
        {"NSView", "-(nullable instancetype)initWithCoder:(NSCoder*)coder",
         "NSView*_VALUE = [NSView*_VALUE initWithCoder:(NSCoder*)coder];"},
        {"NSMutableArray", "+(instancetype)arrayWithCapacity:(NSUInteger)numItems",
         "NSMutableArray*_VALUE = [NSMutableArray arrayWithCapacity:(NSUInteger)numItems];"},
        {"CLLocationUpdater",
         "+(nullable instancetype)liveUpdaterWithQueue:(dispatch_queue_t)queue handler:(void(^)(CLUpdate*_Nullable update))handler",
         "CLLocationUpdater*_VALUE = [CLLocationUpdater liveUpdaterWithQueue:(dispatch_queue_t)queue "
         "handler:(void(^)(CLUpdate*update))handler];"},
        {"AVMIDIPlayer", "-(void)play:(AVMIDIPlayerCompletionHandler __nullable )completionHandler",
         "[AVMIDIPlayer*_VALUE play:(AVMIDIPlayerCompletionHandler)completionHandler];"},
        {"CLLocationManager", "-(CLLocation*_Nullable )location", "CLLocation*_VALUE = [CLLocationManager*_VALUE location];"},
        {"NSFileManager", "-(nullable NSArray<NSURL*>*)contentsOfDirectoryAtURL:(NSURL*)url error:(NSError*_Nullable *)error",
         "NSArray<NSURL*>*_VALUE = [NSFileManager*_VALUE contentsOfDirectoryAtURL:(NSURL*)url error:(NSError**)error];"},
        {"NSObject", "-(oneway void)release", "[NSObject*_VALUE release];"},
        {"NSPort", "-(id)addTypes:(in bycopy NSArray*)t out:(out id*)o", "id_VALUE = [NSPort*_VALUE addTypes:(NSArray*)t out:(id*)o];"},
        {"", "-(nullable instancetype)init", "id_VALUE = [*_VALUE init];"},  // no class chosen
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DeclarationText::createExternalDragStrings(c.method, kCall, c.receiver), c.call) << c.method;
        EXPECT_EQ(DeclarationText::createExternalDragStrings(c.method, kDeclaration, c.receiver), std::string(c.method) + ";");
    }
    // A C function's call carries no nullability either; a parameter named "in" stays.
    EXPECT_EQ(DeclarationText::functionText("CTFontRef _Nonnull CTFontCreateWithName(CFStringRef _Nonnull name, "
                                            "CGFloat size, const CGAffineTransform * _Nullable matrix)", kCall),
              "CTFontRef_Value =  CTFontCreateWithName(CFStringRef name, CGFloat size, const CGAffineTransform * matrix);");
    EXPECT_EQ(DeclarationText::functionText("void f(const void *in, int out)", kCall), " f(const void *in, int out);");
}

TEST(DeclarationText, FunctionsInBothStyles) {
    EXPECT_EQ(DeclarationText::functionText("NSString* NSStringFromRect(NSRect aRect)", kCall),
              "NSString*_Value =  NSStringFromRect(NSRect aRect);");
    EXPECT_EQ(DeclarationText::functionText("void NSBeep(void)", kCall), " NSBeep();");
    EXPECT_EQ(DeclarationText::functionText("unsigned int NSCountFrames(void)", kCall),
              "unsigned_int_Value =  NSCountFrames();");
    EXPECT_EQ(DeclarationText::functionText("void NSBeep(void)", kDeclaration), "void NSBeep(void);");
    // Only the first "(void)" becomes "()".
    EXPECT_EQ(DeclarationText::functionText("void f(void) (void)", kCall), " f() (void);");
    // A constant without parentheses stays as it is, without ";".
    EXPECT_EQ(DeclarationText::functionText("NSString* const NSViewFrameDidChangeNotification", kCall),
              "NSString* const NSViewFrameDidChangeNotification");
    EXPECT_EQ(DeclarationText::functionText("", kCall), "");
    EXPECT_EQ(DeclarationText::functionText("", kDeclaration), "");
    // Without a return type before the name it is the bare call.
    EXPECT_EQ(DeclarationText::functionText("MAX(a,b)", kCall), "MAX(a,b);");
    EXPECT_EQ(DeclarationText::functionText("NSBeep(void)", kCall), "NSBeep();");
    // A call carries no attribute; the declaration keeps what the header wrote.
    EXPECT_EQ(DeclarationText::functionText("void NSLog(NSString* format, ...)NS_FORMAT_FUNCTION(1,2)", kCall),
              " NSLog(NSString* format, ...);");
    EXPECT_EQ(DeclarationText::functionText("NSUInteger NSPageSize(void)__attribute__((const))", kCall),
              "NSUInteger_Value =  NSPageSize();");
    EXPECT_EQ(DeclarationText::functionText("void f(int (*g)(int)) attribute ((unused))", kCall), " f(int (*g)(int));");
    EXPECT_EQ(DeclarationText::functionText("NSPoint NSMakePoint(CGFloat x, CGFloat y)GS_GEOM_ATTR", kDeclaration),
              "NSPoint NSMakePoint(CGFloat x, CGFloat y)GS_GEOM_ATTR;");
    EXPECT_EQ(DeclarationText::functionText("void f(int x", kCall), " f(int x;");  // unbalanced: as it stands
}

TEST(DeclarationText, MethodRowsAreTheSelectorPartsOutsideParentheses) {
    EXPECT_EQ(DeclarationText::methodRows("-(void)setFoo:(id)foo bar:(int)x"), (Rows{"-(void)setFoo:(id)foo", "bar:(int)x"}));
    EXPECT_EQ(DeclarationText::methodRows("+(id)arrayWithObjects:(id)firstObj ,..."),
              (Rows{"+(id)arrayWithObjects:(id)firstObj", ",..."}));
    EXPECT_EQ(DeclarationText::methodRows(""), Rows{""});
    EXPECT_EQ(DeclarationText::methodRows("-(unsigned int)count"), Rows{"-(unsigned int)count"});
    // Every space ends a row, even right after another one.
    EXPECT_EQ(DeclarationText::methodRows("a  b "), (Rows{"a", "", "b", ""}));
    // A tab outside parentheses separates too; inside, it stays.
    EXPECT_EQ(DeclarationText::methodRows("-(void)a:(int\tx)y\tb:(id)z"), (Rows{"-(void)a:(int\tx)y", "b:(id)z"}));
    // A stray ")" does not make the depth negative: the next space still separates.
    EXPECT_EQ(DeclarationText::methodRows("a) b (c d)"), (Rows{"a)", "b", "(c d)"}));
}

TEST(DeclarationText, SelectorsKeepTheSignAndTheKeywords) {
    EXPECT_EQ(DeclarationText::selectorOf("-(void)setFoo:(id)foo bar:(int)x"), "-setFoo:bar:");
    EXPECT_EQ(DeclarationText::selectorOf("+(id)new"), "+new");
    EXPECT_EQ(DeclarationText::selectorOf("-(id)init"), "-init");
    EXPECT_EQ(DeclarationText::selectorOf("+(id)arrayWithObjects:(id)firstObj ,..."), "+arrayWithObjects:");
    EXPECT_EQ(DeclarationText::selectorOf("-(void)move:(int)a :(int)b"), "-move::");
    EXPECT_EQ(DeclarationText::selectorOf("-init"), "-init");
    EXPECT_EQ(DeclarationText::selectorOf("-(void (^)(int))handler"), "-handler");
    EXPECT_EQ(DeclarationText::selectorOf("-(id)init __attribute__((deprecated))"), "-init");
    EXPECT_EQ(DeclarationText::selectorOf("-(void)"), "-");
    EXPECT_EQ(DeclarationText::selectorOf("-(id"), "-");
    EXPECT_EQ(DeclarationText::selectorOf(""), "");
    EXPECT_EQ(DeclarationText::selectorOf("+"), "");
}
