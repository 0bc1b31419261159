// The golden headers of the struct, enum, typedef and protocol analysers, run through the
// header analysis driver; the records asserted here are the ones the dumps beside them hold.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/model/AppAction2.h"
#include "core/model/EnumData.h"
#include "core/model/ProtocolData.h"
#include "core/model/StructData.h"
#include "core/parse/StructEngin.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/ProcessState.h"

using namespace kestrel;

namespace {

using Strings = std::vector<std::string>;
using NamedBodies = std::vector<std::pair<std::string, std::string>>;

std::string readCase(const std::string& name) {
    std::ifstream in(std::string(KESTREL_TEST_DATA_DIR) + "/" + name + "/input.h", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void analyse(AppAction2& app, const std::string& text) {
    ProcessState::reset();
    TextBuffer buffer(text);
    app.doAnalyseHedderFile(buffer, "input.h", "------", false);
}

template <class Record>
NamedBodies bodies(const std::vector<std::shared_ptr<Record>>& list) {
    NamedBodies out;
    for (const auto& r : list) out.emplace_back(r->getName().value_or("<none>"), r->getStructIndex().value_or("<none>"));
    return out;
}

struct Protocol {
    std::string name;
    std::optional<std::string> superName;
    std::optional<Strings> protocols;
    Strings methods;
    bool operator==(const Protocol&) const = default;
};

std::vector<Protocol> protocols(const AppAction2& app) {
    std::vector<Protocol> out;
    for (const auto& p : app.protocolList) {
        EXPECT_FALSE(p->frameWorkName());  // protocols carry no framework or header name
        out.push_back({p->getName().value_or("<none>"), p->superName(), p->getProtocolNames(),
                       p->getMethodList().value_or(Strings{"<none>"})});
    }
    return out;
}

const char* const kCases[] = {"struct_basic",     "struct_nested",     "enum_basic",      "enum_if_in_body",
                              "typedef_pointers", "protocol_adopting", "protocol_forward"};

}  // namespace

TEST(DeclarationGolden, StructBasic) {
    AppAction2 app;
    analyse(app, readCase("struct_basic"));
    EXPECT_EQ(bodies(app.structList),
              (NamedBodies{
                  {"_NSPoint", "{\n    float x;\n    float y;\n}"},
                  {"_NSSize", "{\n    float width;\n    float height;\n}"},
                  {"_NSRange", "{\n    unsigned int location;\n    unsigned int length;\n}"},
                  {"NSDecimal",
                   "{\n    signed int _exponent : 8;\n    unsigned int _length : 4; unsigned short _mantissa[8];\n}"},
                  {"NSHashEnumerator", "{\n unsigned _pi; unsigned _si; void *_bs;\n}"},
                  {"NSHashTableCallBacks",
                   "{\n    unsigned (*hash) (NSHashTable *table , const void*);\n"
                   "    BOOL (*isEqual) (NSHashTable *table , const void* , const void*);\n}"},
                  {"_NSOpaque", "{\n\n}"},
              }));
    EXPECT_TRUE(app.enumList.empty());
    EXPECT_EQ(app.typedefList, (TypedefList{{"NSPoint", "_NSPoint"}, {"NSSize", "_NSSize"}, {"NSRange", "_NSRange"}}));
}

TEST(DeclarationGolden, StructNested) {
    AppAction2 app;
    analyse(app, readCase("struct_nested"));
    EXPECT_EQ(bodies(app.structList),
              (NamedBodies{
                  {"_NSStreamState",
                   "{\n    int kind;\n    struct{\n    unsigned int open : 1;\n    unsigned int closed : 1;\n} flags;\n"
                   "    union{\n    long l;\n    double d;\n} value;\n}"},
                  {"_GSRunLoopWatcher",
                   "{\n    # if defined (__MINGW32__)\n    HANDLE handle;\n    # else\n    int fd;\n    # endif\n"
                   "    void *data;\n}"},
                  {"_NSZoneStats", "{\n    size_t bytes_used;\n    size_t chunks_used;\n}"},
                  {"GSInner", "{\n    void* (*malloc) (struct _NSZone *zone , size_t size);\n    struct GSInner *next;\n}"},
              }));
    EXPECT_EQ(app.typedefList, (TypedefList{{"GSRunLoopWatcher", "_GSRunLoopWatcher"}}));
}

TEST(DeclarationGolden, EnumBasic) {
    AppAction2 app;
    analyse(app, readCase("enum_basic"));
    EXPECT_EQ(bodies(app.enumList),
              (NamedBodies{
                  {"_NSRectEdge", "{\n    NSMinXEdge = 0, NSMinYEdge = 1, NSMaxXEdge = 2, NSMaxYEdge = 3\n}"},
                  {"NSRoundingMode", "{\n    NSRoundPlain, NSRoundDown, NSRoundUp, NSRoundBankers\n}"},
                  {"NSStringCompareOptions",
                   "{\n    NSCaseInsensitiveSearch = 1, NSLiteralSearch = 2, NSBackwardsSearch = 4, "
                   "NSAnchoredSearch = (1 < < 3)\n}"},
                  {"NSSameName", "{\n    NSSameA, NSSameB\n}"},
              }));
    EXPECT_TRUE(app.structList.empty());
    EXPECT_EQ(app.typedefList, (TypedefList{{"NSRectEdge", "_NSRectEdge"}}));
}

TEST(DeclarationGolden, EnumIfInBody) {
    AppAction2 app;
    analyse(app, readCase("enum_if_in_body"));
    EXPECT_EQ(bodies(app.enumList),
              (NamedBodies{
                  {"_NSWindowButton",
                   "{\n    NSWindowCloseButton, NSWindowMiniaturizeButton, NSWindowZoomButton, NSWindowToolbarButton, "
                   "NSWindowDocumentIconButton\n}"},
                  {"GSOrder", "{\n    GSFirst = 0, GSLast = 4\n}"},
                  {"GSVisibleKind", "{\n    GSVisible = 1\n}"},
              }));
    EXPECT_EQ(app.typedefList, (TypedefList{{"NSWindowButton", "_NSWindowButton"}}));
}

TEST(DeclarationGolden, TypedefPointers) {
    AppAction2 app;
    analyse(app, readCase("typedef_pointers"));
    EXPECT_EQ(app.typedefList, (TypedefList{
                                   {"NSUInteger", "unsigned int"},
                                   {"NSInteger", "int"},
                                   {"NSTimeInterval", "double"},
                                   {"GSUInt64", "unsigned long long"},
                                   {"NSStringEncoding", "NSUInteger"},
                                   {"NSRectPtr", "NSRect*"},
                                   {"NSExceptionName", "NSString*"},
                                   {"GSConstPointer", "const void*"},
                                   {"GSStringList", "char**"},
                                   {"NSZone", "_NSZone"},
                                   {"NSZonePointer", "_NSZone*"},
                                   {"GSSwapped", "unsigned int"},  // the later entry wins
                               }));
    EXPECT_TRUE(app.structList.empty());
    EXPECT_TRUE(app.enumList.empty());
}

TEST(DeclarationGolden, ProtocolAdopting) {
    AppAction2 app;
    analyse(app, readCase("protocol_adopting"));
    std::vector<Protocol> expected{
        {"NSObject", std::nullopt, std::nullopt,
         {"-(BOOL)isEqual:(id)object", "-(unsigned )hash", "-(NSZone*)zone",
          "-(id)performSelector:(SEL)aSelector withObject:(id)object1 withObject:(id)object2", "-(oneway void)release",
          "-(NSString*)description"}},
        {"NSCoding", std::nullopt, Strings{"NSObject"},
         {"-(void)encodeWithCoder:(NSCoder*)aCoder", "-(id)initWithCoder:(NSCoder*)aDecoder"}},
        {"NSSecureCoding", std::nullopt, Strings{"NSCoding", "NSObject"}, {"+(BOOL)supportsSecureCoding"}},
        {"NSDiscardableContent", std::nullopt, Strings{"NSObject"}, {}},
        {"GSArrayBehaviors", "NSObject", Strings{"NSCoding"},
         {"-(void)setFoo:(id)foo bar:(int)x", "-(unsigned int)count", "-(const char*)cString",
          "+(id)arrayWithObjects:(id)firstObj ,...", "-(id<NSCopying>)key", "-(unsigned longlong)size",
          "-(struct_NSRange)rangeValue", "-(enumGSKind)kind:(id)k extern:(id)e",
          "-(void)multiLine:(id)first second:(id)second"}},
        {"NSURLHandleClient", std::nullopt, std::nullopt,
         {"-(void)URLHandle:(NSURLHandle*)sender resourceDataDidBecomeAvailable:(NSData*)newBytes",
          "-(void)URLHandleResourceDidBeginLoading:(NSURLHandle*)sender"}},
        {"NSObjCTypeSerializationCallBack", std::nullopt, std::nullopt,
         {"-(void)serializeObjectAt:(id*)object ofObjCType:(const char*)type intoData:(NSMutableData*)data"}},
        {"GSBraced", std::nullopt, std::nullopt, {"-(id)delegate"}},
    };
    EXPECT_EQ(protocols(app), expected);
    EXPECT_TRUE(app.typedefList.empty());  // a typedef inside a protocol is skipped
    EXPECT_TRUE(app.structList.empty());
}

TEST(DeclarationGolden, ProtocolForward) {
    AppAction2 app;
    analyse(app, readCase("protocol_forward"));
    std::vector<Protocol> expected{
        {"NSFilePresenter", std::nullopt, Strings{"NSObject"}, {"-(NSURL*)presentedItemURL"}},
        {"NSURLSessionTaskDelegate", std::nullopt, Strings{"NSURLSessionDelegate"},
         {"-(void)URLSession:(NSURLSession*)session task:(NSURLSessionTask*)task "
          "didCompleteWithError:(NSError*)error"}},
    };
    EXPECT_EQ(protocols(app), expected);
}

// However a header is cut off, the analysis ends, and never finds more than the whole header.
TEST(DeclarationGolden, EveryCutOfEveryCaseEndsCleanly) {
    for (const char* name : kCases) {
        const std::string text = readCase(name);
        ASSERT_FALSE(text.empty()) << name;
        AppAction2 whole;
        analyse(whole, text);
        for (std::size_t cut = 0; cut < text.size(); ++cut) {
            AppAction2 app;
            analyse(app, text.substr(0, cut));
            ASSERT_LE(app.structList.size(), whole.structList.size()) << name << " cut at " << cut;
            ASSERT_LE(app.enumList.size(), whole.enumList.size()) << name << " cut at " << cut;
            ASSERT_LE(app.protocolList.size(), whole.protocolList.size()) << name << " cut at " << cut;
            ASSERT_LE(app.typedefList.size(), whole.typedefList.size()) << name << " cut at " << cut;
        }
    }
}
