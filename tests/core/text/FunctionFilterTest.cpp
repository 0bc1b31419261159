#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/model/FunctionMacrosData.h"
#include "core/platform/InfoPlist.h"
#include "core/text/FunctionFilter.h"
#include "support/RecordNames.h"

using namespace kestrel;
using kestrel::test::namesOf;
using Names = std::vector<std::string>;

namespace {

std::shared_ptr<FunctionMacrosData> record(std::int32_t kind, std::optional<std::string> name,
                                           std::optional<std::string> framework, std::optional<std::string> header) {
    auto r = std::make_shared<FunctionMacrosData>(kind);
    r->setName(std::move(name));
    r->setFwName(std::move(framework));
    r->setHedderName(std::move(header));
    return r;
}

class FunctionFilterTest : public testing::Test {
protected:
    FunctionFilter::List functions{
        record(kAppkitExternKind, "void NSBeep(void)", "AppKit", "NSGraphics.h"),
        record(kFoundationExportKind, "NSString* const NSFooKey", "Foundation", "NSString.h"),
        record(kAppkitExternKind, "NSString* const NSViewKey", "AppKit", "NSView.h"),
        record(kFoundationExportKind, "NSRange NSMakeRange(unsigned a, unsigned b)", "Foundation", "NSRange.h"),
        record(kAppkitExternKind, std::nullopt, std::nullopt, std::nullopt),
        record(kCGExternKind, "void CGFoo(int x)", "AppKit", "NSGraphics.h"),
    };
    const std::string showAll = InfoPlist::localizedString("showAllMenu");
};

}  // namespace

// Kind 0 and filter 0 keep everything: the function browser's test.
TEST_F(FunctionFilterTest, KindAndParenthesesNarrowTheList) {
    EXPECT_EQ(namesOf(FunctionFilter::createFuncList(functions, kAppkitExternKind, 0)),
              (Names{"void NSBeep(void)", "NSString* const NSViewKey", "?"}));
    EXPECT_EQ(namesOf(FunctionFilter::createFuncList(functions, 0, 1)),
              (Names{"void NSBeep(void)", "NSRange NSMakeRange(unsigned a, unsigned b)", "void CGFoo(int x)"}));
    // Any other filter keeps the names without "(", and records without a name.
    for (int filter : {2, -1, 7})
        EXPECT_EQ(namesOf(FunctionFilter::createFuncList(functions, kAppkitExternKind, filter)),
                  (Names{"NSString* const NSViewKey", "?"}));
    EXPECT_TRUE(FunctionFilter::createFuncList(functions, kExternKind, 0).empty());
}

TEST_F(FunctionFilterTest, TitlesComeOnceInFirstMetOrderAfterShowAll) {
    EXPECT_EQ(FunctionFilter::frameworkTitles(functions), (Names{showAll, "AppKit", "Foundation"}));
    EXPECT_EQ(FunctionFilter::headerTitles(functions), (Names{showAll, "NSGraphics.h", "NSString.h", "NSView.h", "NSRange.h"}));
    EXPECT_TRUE(FunctionFilter::frameworkTitles({}).empty());
    EXPECT_TRUE(FunctionFilter::headerTitles({}).empty());
}

TEST_F(FunctionFilterTest, ByFrameworkAndHeaderKeepListOrder) {
    EXPECT_EQ(namesOf(FunctionFilter::byFramework(functions, "AppKit")),
              (Names{"void NSBeep(void)", "NSString* const NSViewKey", "void CGFoo(int x)"}));
    EXPECT_EQ(namesOf(FunctionFilter::byHeader(functions, "NSGraphics.h")), (Names{"void NSBeep(void)", "void CGFoo(int x)"}));
    EXPECT_TRUE(FunctionFilter::byFramework(functions, "Nothing").empty());
    EXPECT_TRUE(FunctionFilter::byFramework(functions, "").empty());
}
