// The records that the analysers make from the golden headers under tests/data, checked by
// hand; the dumps beside those headers must say the same.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/model/AppAction2.h"
#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/StructData.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/ProcessState.h"

using namespace kestrel;

namespace {

using Strings = std::vector<std::string>;

std::string inputPath(const std::string& name) { return std::string(KESTREL_TEST_DATA_DIR) + "/" + name + "/input.h"; }

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// As the dump analyses a header: framework "------", header name the file name, not custom.
void analyse(AppAction2& app, const std::string& name) {
    app.analyseHedderFile(inputPath(name), "input.h", "------", false);
}

struct Function {
    std::int32_t kind;
    std::string name;
    bool operator==(const Function&) const = default;
};
void PrintTo(const Function& f, std::ostream* os) { *os << f.kind << " \"" << f.name << "\""; }

std::vector<Function> functionsOf(const AppAction2& app) {
    std::vector<Function> result;
    for (const auto& record : app.functions) {
        EXPECT_EQ(record->frameWorkName(), "------");
        EXPECT_EQ(record->hedderName(), "input.h");
        result.push_back({record->whoAreYou(), record->getName().value_or("<none>")});
    }
    return result;
}

class InterfaceAndFunctionGoldenTest : public ::testing::Test {
protected:
    void SetUp() override { ProcessState::reset(); }
};

TEST_F(InterfaceAndFunctionGoldenTest, InterfaceIvars) {
    AppAction2 app;
    analyse(app, "interface_ivars");
    ASSERT_EQ(app.classList.size(), 1u);
    const auto& widget = app.classList[0];
    EXPECT_EQ(widget->getName(), "NSWidget");
    EXPECT_EQ(widget->superName(), "NSObject");
    EXPECT_EQ(widget->getProtocolNames(), (Strings{"NSCoding", "NSCopying"}));
    EXPECT_EQ(widget->frameWorkName(), "------");
    EXPECT_EQ(widget->hedderName(), "input.h");
    EXPECT_FALSE(widget->getCustomFlag());
    EXPECT_EQ(widget->getMethodList(), (Strings{
        "+(id)widgetWithFrame:(NSRect)frame",
        "-(id)initWithFrame:(NSRect)frameRect",
        "-(NSRect)frame",
        "-(void)setFrame:(NSRect)frame display:(BOOL)flag",
        "-(unsigned int)count",
        "-(const char*)cString",
        "-(unsigned longlong)size",
        "+(id)arrayWithObjects:(id)firstObj ,...",
        "-(id<NSCopying>)key",
        "-(void)setDelegate:(id)anObject",
        "-(id)delegate",
        "-(void)displayAVAILABLE_MAC_OS_X_VERSION_10_4_AND_LATER",
        "-(void)setNeedsDisplay:(BOOL)flag DEPRECATED_IN_MAC_OS_X_VERSION_10_4_AND_LATER",
        "-(void)drawRect:(NSRect)rect withColor:(NSColor*)aColor",
    }));
    // The enum among the instance variables is filed; the struct there is not.
    ASSERT_EQ(app.enumList.size(), 1u);
    EXPECT_EQ(app.enumList[0]->getName(), "_state");
    EXPECT_EQ(app.enumList[0]->getStructIndex(), "{\n    NSWidgetIdle = 0, NSWidgetBusy = 1\n}");
    EXPECT_TRUE(app.structList.empty());
    EXPECT_TRUE(app.categoryList.empty());
    EXPECT_TRUE(app.functions.empty());
}

TEST_F(InterfaceAndFunctionGoldenTest, CategoryBasic) {
    AppAction2 app;
    analyse(app, "category_basic");
    ASSERT_EQ(app.categoryList.size(), 4u);
    auto expect = [&](std::size_t i, const char* name, const char* target, std::optional<Strings> protocols,
                      std::optional<Strings> methods) {
        SCOPED_TRACE(name);
        EXPECT_EQ(app.categoryList[i]->getName(), name);
        EXPECT_EQ(app.categoryList[i]->getTargetClassName(), target);
        EXPECT_EQ(app.categoryList[i]->getProtocolNames(), protocols);
        EXPECT_EQ(app.categoryList[i]->getMethodList(), methods);
    };
    expect(0, "Extras", "NSWidget", std::nullopt, Strings{"-(void)flash", "-(BOOL)isFlashing"});
    expect(1, "Private", "NSWidget", Strings{"NSLocking"}, Strings{"+(void)_setupWidgetClass"});
    expect(2, "EmptyCategory", "NSWidget", std::nullopt, std::nullopt);
    expect(3, "NSWidgetDelegate", "NSObject", std::nullopt,  // the declaration without ";" is lost
           Strings{"-(BOOL)widgetShouldFlash:(NSWidget*)sender", "-(void)widgetDidFlash:(NSNotification*)aNotification"});

    ASSERT_EQ(app.classList.size(), 2u);
    EXPECT_EQ(app.classList[0]->getName(), "NSWidgetCell");
    EXPECT_EQ(app.classList[0]->superName(), "NSObject");
    EXPECT_FALSE(app.classList[0]->getProtocolNames());  // the block before named one
    EXPECT_EQ(app.classList[0]->getMethodList(), Strings{"-(id)owner"});
    EXPECT_EQ(app.classList[1]->getName(), "NSWidgetRoot");
    EXPECT_FALSE(app.classList[1]->superName());
    EXPECT_EQ(app.classList[1]->getMethodList(), Strings{"+(id)alloc"});
}

TEST_F(InterfaceAndFunctionGoldenTest, InterfaceIfInBody) {
    AppAction2 app;
    analyse(app, "interface_if_in_body");
    ASSERT_EQ(app.classList.size(), 1u);
    EXPECT_EQ(app.classList[0]->getName(), "NSWidgetController");
    // OS_API_VERSION(...) is no defined symbol: its branch is rejected. An #elif branch is read
    // along with a taken #if branch.
    EXPECT_EQ(app.classList[0]->getMethodList(), (Strings{
        "-(id)widget",
        "-(void)macOnly",
        "-(BOOL)validateWidget:(id)aWidget error:(NSError**)outError",
        "-(BOOL)validateWidget:(id)aWidget",
        "-(NSWidgetLetter)letter",
    }));
    ASSERT_EQ(app.enumList.size(), 1u);  // the enum under a rejected #if is not seen
    EXPECT_EQ(app.enumList[0]->getName(), "_mode");
    EXPECT_EQ(app.enumList[0]->getStructIndex(),
              "{\n    NSWidgetControllerIdle, NSWidgetControllerRunning, NSWidgetControllerStopped\n}");
    ASSERT_EQ(app.structList.size(), 1u);  // the typedefs inside the block are skipped
    EXPECT_EQ(app.structList[0]->getName(), "_NSWidgetInfo");
    EXPECT_EQ(app.structList[0]->getStructIndex(), "{\n    int depth;\n    int flags;\n}");
    EXPECT_TRUE(app.typedefList.empty());
    EXPECT_EQ(functionsOf(app),
              (std::vector<Function>{{kExternKind, "NSString* NSWidgetControllerDidLoadNotification"}}));
}

TEST_F(InterfaceAndFunctionGoldenTest, FunctionsExtern) {
    AppAction2 app;
    analyse(app, "functions_extern");
    EXPECT_EQ(functionsOf(app), (std::vector<Function>{
        {kExternKind, "NSString* NSStringFromWidget(NSWidget* aWidget)"},
        {kExternKind, "void NSWidgetBeep(void)"},
        {kExternKind, "const char* const NSWidgetVersionString"},
        {kExternKind, "int NSWidgetFlashCount"},
        {kExternKind, "NSRect NSWidgetUnionRect(NSRect aRect, NSRect bRect)"},
        {kExternKind, "double NSWidgetScale(id widget, double factor)"},
        {kAppkitExternKind, "NSString* NSWidgetDidFlashNotification"},
        {kAppkitExternKind, "NSString* NSWidgetWillFlashNotification"},
        {kAppkitExternKind, "void NSWidgetSetDefaultColor(NSColor* aColor)"},
        {kCGExternKind, "void CGWidgetRelease(CGWidgetRef widget)"},
        {kCGExternKind, "CGFloat CGWidgetGetAlpha(CGWidgetRef widget) AVAILABLE_MAC_OS_X_VERSION_10_3_AND_LATER"},
        {kFoundationExportKind, "NSString* NSWidgetErrorDomain"},
        {kFoundationExportKind, "NSString* NSWidgetNameKey"},
        {kFoundationExportKind, "void NSWidgetLog(NSString* format, ...)"},
    }));
    EXPECT_TRUE(app.functionsWasChanged);
}

TEST_F(InterfaceAndFunctionGoldenTest, InlineBodies) {
    AppAction2 app;
    analyse(app, "inline_bodies");
    EXPECT_EQ(functionsOf(app), (std::vector<Function>{
        {kCGInlineKind, "CGPoint CGWidgetPointMake(float x, float y)"},
        {kCGInlineKind, "CGPoint CGWidgetPointMake(float x, float y)"},
        {kCGInlineKind, "CGRect CGWidgetRectMake(float x, float y, float width, float height)"},
        // the extern on the line of the closing brace is skipped with the body
        {kExternKind, "int CGWidgetCount"},
        {kFoundationStaticInlineKind, "NSRange NSWidgetMakeRange(unsigned int loc, unsigned int len)"},
        {kFoundationStaticInlineKind, "BOOL\nNSWidgetEqualRanges(NSRange range1, NSRange range2)\n"},
        {kFoundationStaticInlineKind, "unsigned int NSWidgetMaxRange(NSRange range)"},
    }));
}

// Every golden header cut at every point goes through the driver to its end; whatever was
// completed before the cut is kept, in order.
TEST_F(InterfaceAndFunctionGoldenTest, TruncatedHeadersEnd) {
    for (const char* name :
         {"interface_ivars", "category_basic", "interface_if_in_body", "functions_extern", "inline_bodies"}) {
        SCOPED_TRACE(name);
        const std::string text = readFile(inputPath(name));
        ASSERT_FALSE(text.empty());
        AppAction2 whole;
        analyse(whole, name);
        std::size_t lastCount = 0;
        for (std::size_t n = 0; n <= text.size(); ++n) {
            AppAction2 app;
            TextBuffer buffer(text.substr(0, n));
            app.doAnalyseHedderFile(buffer, "input.h", "------", false);
            // Records only ever grow as the cut moves on, up to the whole header's.
            std::size_t count = app.classList.size() + app.categoryList.size() + app.functions.size();
            ASSERT_LE(count, whole.classList.size() + whole.categoryList.size() + whole.functions.size()) << n;
            ASSERT_GE(count, lastCount) << n;
            lastCount = count;
        }
    }
}

}  // namespace
