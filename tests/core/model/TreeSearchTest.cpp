#include <gtest/gtest.h>

#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/TreeSearch.h"

using namespace kestrel;

namespace {

std::shared_ptr<ClassData> makeClass(const std::string& name, std::vector<std::string> methods) {
    auto c = std::make_shared<ClassData>(name, std::string("NSObject"));
    c->addMethodList(std::move(methods));
    return c;
}

std::vector<std::string> names(const std::vector<TreeSearch::Result>& results) {
    std::vector<std::string> out;
    for (const auto& r : results) out.push_back(*r.classRecord->getName() + (r.method ? " " + *r.method : ""));
    return out;
}

}  // namespace

TEST(TreeSearch, KeywordsAreCutAtSpacesOnly) {
    EXPECT_EQ(TreeSearch::commandToToken("  view   Draw "), (std::vector<std::string>{"view", "Draw"}));
    EXPECT_TRUE(TreeSearch::commandToToken("    ").empty());
    EXPECT_TRUE(TreeSearch::commandToToken("").empty());
    EXPECT_EQ(TreeSearch::commandToToken("a\tb"), (std::vector<std::string>{"a\tb"}));
}

TEST(TreeSearch, EveryKeywordMustOccurInAnyCaseAndOrder) {
    std::vector<std::shared_ptr<ClassData>> classes{makeClass("NSView", {}), makeClass("NSTableView", {}),
                                                    makeClass("NSString", {})};
    auto lower = TreeSearch::doClassNameFind({"view"}, classes);
    auto upper = TreeSearch::doClassNameFind({"VIEW"}, classes);
    EXPECT_EQ(names(lower), (std::vector<std::string>{"NSView", "NSTableView"}));
    EXPECT_EQ(names(lower), names(upper));
    EXPECT_EQ(names(TreeSearch::doClassNameFind({"view", "table"}, classes)), (std::vector<std::string>{"NSTableView"}));
    EXPECT_EQ(names(TreeSearch::doClassNameFind({"table", "view"}, classes)), (std::vector<std::string>{"NSTableView"}));
    EXPECT_TRUE(TreeSearch::doClassNameFind({"window"}, classes).empty());
}

TEST(TreeSearch, MethodsOfCategoriesAreReportedWithTheirClass) {
    auto string = makeClass("NSString", {"-(NSUInteger)length", "-(unichar)characterAtIndex:(NSUInteger)index"});
    auto category = std::make_shared<CategoryData>("NSStringExtensionMethods", "NSString");
    category->addMethodList(std::vector<std::string>{"-(NSUInteger)lengthOfBytesUsingEncoding:(NSStringEncoding)enc"});
    string->addCategory(category);
    auto hits = TreeSearch::doMethodFind({"LENGTH"}, {string});
    EXPECT_EQ(names(hits), (std::vector<std::string>{"NSString -(NSUInteger)length",
                                                     "NSString -(NSUInteger)lengthOfBytesUsingEncoding:(NSStringEncoding)enc"}));
}

TEST(TreeSearch, FunctionsAndTheCountLine) {
    auto f = std::make_shared<FunctionMacrosData>(13);
    f->setName("NSString* NSStringFromClass(Class aClass)");
    EXPECT_EQ(TreeSearch::doFuncFind({"fromclass"}, {f}).size(), 1u);
    EXPECT_EQ(TreeSearch::countLine(TreeSearch::kFindClasses, 2), "  2 clases found");
    EXPECT_EQ(TreeSearch::countLine(TreeSearch::kFindClasses, 1), "  1 class found");
    EXPECT_EQ(TreeSearch::countLine(TreeSearch::kFindMethods, 1234), "1234 methods found");
    EXPECT_EQ(TreeSearch::countLine(TreeSearch::kFindFunctions, 3), "  3 Functions/Macros found");
    EXPECT_EQ(TreeSearch::countLine(TreeSearch::kFindFunctions, 0), "");
}
