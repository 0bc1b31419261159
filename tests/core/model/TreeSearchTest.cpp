#include <gtest/gtest.h>

#include "core/model/EnumData.h"
#include "core/model/TreeSearch.h"

using namespace kestrel;

// The finds themselves (any case, any order, category methods with their class) and the count
// line's nouns run through the terminal's find command and the find panel; these are the corners
// of the keywords and the count line.
TEST(TreeSearch, KeywordsAreCutAtSpacesOnlyAndTheCountIsRightAlignedInThree) {
    EXPECT_EQ(TreeSearch::commandToToken("  view   Draw "), (std::vector<std::string>{"view", "Draw"}));
    EXPECT_TRUE(TreeSearch::commandToToken("    ").empty());
    EXPECT_EQ(TreeSearch::commandToToken("a\tb"), (std::vector<std::string>{"a\tb"}));
    EXPECT_EQ(TreeSearch::countLine(TreeSearch::kFindMethods, 1234), "1234 methods found");
    EXPECT_EQ(TreeSearch::countLine(TreeSearch::kFindFunctions, 0), "");
    EXPECT_EQ(TreeSearch::countLine(TreeSearch::kFindConstants, 1), "  1 constant found");
    EXPECT_EQ(TreeSearch::countLine(4, 1), "");
}

// A constant is found by its name, its value or its enum's name; a record stored before
// constants were kept is searched through its body.
TEST(TreeSearch, ConstantsAreFoundByTheirTextAndTheirEnum) {
    auto mask = std::make_shared<EnumData>();
    mask->setName("NSWindowStyleMask");
    mask->setConstants({{"NSWindowStyleMaskBorderless", "0"}, {"NSWindowStyleMaskTitled", "1 << 0"}});
    auto old = std::make_shared<EnumData>(kestrel::PlistDict());
    old->setStructIndex("{\n    NSScannedOption = (1<<0), NSTitledWindowMask = 1\n}");
    std::vector<std::shared_ptr<EnumData>> enums{mask, nullptr, old};
    auto found = [&](const std::string& text) {
        std::vector<std::string> out;
        for (const auto& r : TreeSearch::doConstantFind(TreeSearch::commandToToken(text), enums))
            out.push_back(r.constant->text() + (r.enumRecord == mask ? " @mask" : " @old"));
        return out;
    };
    // Ranked as every find ranks: "Titled" starts a word in both names, the shorter first.
    EXPECT_EQ(found("TITLED"), (std::vector<std::string>{"NSTitledWindowMask = 1 @old",
                                                         "NSWindowStyleMaskTitled = 1 << 0 @mask"}));
    EXPECT_EQ(found("stylemask <<").size(), 1u);
    EXPECT_EQ(found("windowstylemask").size(), 2u);  // the enum's name: all its constants
    EXPECT_TRUE(found("nothing").empty());
}
