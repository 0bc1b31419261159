#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/MethodMenu.h"
#include "core/model/ProtocolData.h"
#include "core/platform/PrefData.h"
#include "core/platform/ProcessState.h"

using namespace kestrel;
using Kind = MenuItemModel::Kind;

namespace {

class MethodMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        ProcessState::reset();
        ProcessState::prefData() = std::make_shared<PrefData>();
        pref().addMenuSeparetor = false;
    }
    void TearDown() override {
        for (auto& p : protocols) p->setProtocolObjects({});
        ProcessState::reset();
    }
    PrefData& pref() { return *ProcessState::prefData(); }

    std::shared_ptr<ClassData> classWithMethods(int count, std::int32_t id = 1400) {
        auto c = std::make_shared<ClassData>("NSView", "NSResponder");
        std::vector<std::string> methods;
        for (int i = 0; i < count; ++i) methods.push_back("-(void)method" + std::to_string(i));
        c->addMethodList(methods);
        c->setID(id);
        return c;
    }
    std::shared_ptr<ProtocolData> protocol(const std::string& name) {
        auto p = std::make_shared<ProtocolData>(name, std::nullopt);
        p->addMethodList(std::vector<std::string>{"-(id)" + name});
        protocols.push_back(p);
        return p;
    }
    std::vector<std::shared_ptr<ProtocolData>> protocols;
};

// Item kinds and titles, "-" for a separator.
std::vector<std::string> titles(const MenuModel& menu) {
    std::vector<std::string> out;
    for (const auto& item : menu.items) out.push_back(item.kind == Kind::Separator ? "-" : item.title);
    return out;
}

std::size_t separators(const MenuModel& menu) {
    std::size_t n = 0;
    for (const auto& item : menu.items) n += item.kind == Kind::Separator;
    return n;
}

}  // namespace

TEST_F(MethodMenuTest, MethodItemsCarryOwnerIndexAndTagPastTwoHundredMethods) {
    auto c = classWithMethods(220);
    MenuModel menu = MethodMenu::buildPopUpMenu(c, 0, nullptr);
    EXPECT_EQ(menu.title, "NSView");
    ASSERT_EQ(menu.items.size(), 220u);
    EXPECT_EQ(menu.items[3].tag, 1403);
    EXPECT_EQ(menu.items[3].title, "-(void)method3");
    // The 201st method's tag is the next record's number, but the item still knows its owner.
    const MenuItemModel& late = menu.items[200];
    EXPECT_EQ(late.tag, 1600);
    EXPECT_EQ(late.owner.lock(), c);
    EXPECT_EQ(late.index, 200u);
}

TEST_F(MethodMenuTest, SeparatorsFollowEveryTenthItem) {
    pref().addMenuSeparetor = true;
    MenuModel twentyFive = MethodMenu::buildPopUpMenu(classWithMethods(25), 0, nullptr);
    EXPECT_EQ(separators(twentyFive), 2u);
    EXPECT_EQ(twentyFive.items[10].kind, Kind::Separator);
    EXPECT_EQ(twentyFive.items[21].kind, Kind::Separator);
    MenuModel twenty = MethodMenu::buildPopUpMenu(classWithMethods(20), 0, nullptr);
    EXPECT_EQ(separators(twenty), 2u);
    EXPECT_EQ(twenty.items.back().kind, Kind::Separator);
    pref().addMenuSeparetor = false;
    EXPECT_EQ(separators(MethodMenu::buildPopUpMenu(classWithMethods(25), 0, nullptr)), 0u);
}

TEST_F(MethodMenuTest, TitlesAreCutToTheLimitInCharacters) {
    std::string sixty(60, 'x'), fiftyFive(55, 'y');
    EXPECT_EQ(MethodMenu::checkMenuLength(sixty, 55), std::string(52, 'x') + "...");
    EXPECT_EQ(MethodMenu::checkMenuLength(fiftyFive, 55), fiftyFive);
    std::string wide;  // two bytes a character: cut between characters, never inside one
    for (int i = 0; i < 10; ++i) wide += "\xc3\xa9";
    EXPECT_EQ(MethodMenu::checkMenuLength(wide, 5), "\xc3\xa9\xc3\xa9...");

    auto c = std::make_shared<ClassData>("C", std::nullopt);
    c->addMethodList(std::vector<std::string>{"-(void)" + sixty});
    EXPECT_EQ(MethodMenu::buildPopUpMenu(c, 0, nullptr).items[0].title, "-(void)" + std::string(45, 'x') + "...");
    pref().menuWidthHasLimit = false;
    EXPECT_EQ(MethodMenu::buildPopUpMenu(c, 0, nullptr).items[0].title, "-(void)" + sixty);
    // Limits below the sound minimum keep one character before the dots.
    pref().menuWidthHasLimit = true;
    for (std::int32_t limit : {-5, 0, 2}) {
        pref().numLimitCharactors = limit;
        EXPECT_EQ(MethodMenu::buildPopUpMenu(c, 0, nullptr).items[0].title, "-...");
    }
}

TEST_F(MethodMenuTest, CommentsReplaceTitlesWithTheirFirstLine) {
    auto c = classWithMethods(3);
    auto comments = std::make_shared<MethodMenu::CommentDic>(MethodMenu::CommentDic{
        {"-(void)method0", "Draws it.\nSecond line"}, {"-(void)method1", "\nEmpty first line"}, {"-(void)method2", "x"}});
    pref().useCommentInMenu = true;
    std::vector<std::string> expected{"-Draws it.\n", "-(void)method1", "-(void)method2"};
    EXPECT_EQ(titles(MethodMenu::buildPopUpMenu(c, 0, comments)), expected);
    pref().useCommentInMenu = false;
    EXPECT_EQ(titles(MethodMenu::buildPopUpMenu(c, 0, comments))[0], "-(void)method0");
    EXPECT_EQ(MethodMenu::methodTitle("+(id)new", nullptr), "+(id)new");
}

// Titles and nesting of the submenus: the tree view's tests.
TEST_F(MethodMenuTest, SubmenusComeFirstAndTheirMethodsKeepTheirOwner) {
    auto c = std::make_shared<ClassData>("NSView", std::nullopt);
    c->addMethodList(std::vector<std::string>{});
    c->addProtocolObject(protocol("NSCoding"));
    auto category = std::make_shared<CategoryData>("Theming", "NSView");
    category->addMethodList(std::vector<std::string>{"-(void)themed"});
    c->addCategory(category);
    MenuModel menu = MethodMenu::buildPopUpMenu(c, 0, nullptr);
    // An empty method list: the two lists and no separator.
    EXPECT_EQ(titles(menu), (std::vector<std::string>{"Protocols", "Categories"}));
    EXPECT_EQ(menu.items[1].submenu()->items[0].submenu()->items[0].owner.lock(), category);
    c->getCategoryList().clear();
    c->setProtocolObjects({});
    c->addMethodList(std::vector<std::string>{"-(void)display"});
    EXPECT_EQ(titles(MethodMenu::buildPopUpMenu(c, 0, nullptr)), (std::vector<std::string>{"-(void)display"}));
}

TEST_F(MethodMenuTest, ProtocolLoopsEndInADisabledItem) {
    auto p = protocol("P"), q = protocol("Q");
    p->addProtocolObject(q);
    q->addProtocolObject(p);
    auto c = std::make_shared<ClassData>("C", std::nullopt);
    c->addProtocolObject(p);
    MenuModel menu = MethodMenu::buildPopUpMenu(c, 0, nullptr);
    const MenuItemModel& pItem = menu.items[0].submenu()->items[0];           // Protocols > <P>
    const MenuItemModel& qItem = pItem.submenu()->items[0].submenu()->items[0];  // > Protocols > <Q>
    EXPECT_EQ(qItem.title, "<Q>");
    const MenuItemModel& again = qItem.submenu()->items[0].submenu()->items[0];  // > Protocols > <P>
    EXPECT_EQ(again.title, "<P>");
    EXPECT_FALSE(again.enabled);
    EXPECT_EQ(again.submenu(), nullptr);
    // A protocol adopting itself, at the top of its own menu.
    p->addProtocolObject(p);
    EXPECT_FALSE(MethodMenu::buildPopUpMenu(p, 0, nullptr).items[0].submenu()->items[1].enabled);
}
