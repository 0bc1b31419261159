#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/ProtocolData.h"
#include "core/model/StructData.h"
#include "core/model/TreeLinker.h"
#include "core/platform/NotificationCenter.h"
#include "support/Forest.h"
#include "support/RecordNames.h"

using namespace kestrel;
using kestrel::test::Forest;
using kestrel::test::namesOf;
using Names = std::vector<std::string>;

TEST(TreeLinker, LinksSubclassesInListOrderUnderEveryClassOfTheirSuperclassName) {
    Forest f;
    auto a1 = f.cls("A", std::nullopt, "one.h");
    auto b = f.cls("B", "A");
    f.cls("C", "B");
    auto d = f.cls("D", "Gone");  // never analysed
    f.cls("Z", "P");
    f.cls("P");
    f.cls("Y", "P");
    f.cls("Self", "Self");  // stays a root
    auto a2 = f.cls("A", std::nullopt, "two.h");
    f.link();
    EXPECT_EQ(f.outline(), "A\n  B\n    C\nD\nP\n  Z\n  Y\nSelf\nA\n  B\n    C\n");
    EXPECT_EQ(namesOf(f.classStraightList), (Names{"A", "B", "C", "D", "Z", "P", "Y", "Self", "A"}));
    EXPECT_EQ(d->superClass(), nullptr);
    // Both classes named A get the subclass, whose superclass is the later one; look-ups answer
    // the first.
    EXPECT_EQ(b->superClass(), a2.get());
    EXPECT_EQ(f.linker.findClassByName("A"), a1);
}

TEST(TreeLinker, SuperclassLoopsAreCutWhereTheWalkFromTheStartOfTheListClosesThem) {
    // A : B, B : A; C : D, D : E, E : C; F : A; and a duplicate name inside a loop.
    Forest f;
    for (auto [n, s] : std::vector<std::pair<const char*, const char*>>{
             {"A", "B"}, {"B", "A"}, {"C", "D"}, {"D", "E"}, {"E", "C"}, {"F", "A"}, {"G", nullptr}, {"H", "G"},
             {"G", "H"}}) {
        f.cls(n, s ? std::optional<std::string>(s) : std::nullopt);
    }
    f.link();
    EXPECT_EQ(f.outline(), "A\n  B\n  F\nC\n  E\n    D\nG\n  H\n    G\nH\n  G\n");
    for (const auto& c : f.classStraightList) {
        if (HasMethodsData* parent = c->superClass()) {  // it is among its superclass's subclasses
            const auto& subs = parent->getSubClassList();
            EXPECT_NE(std::find(subs.begin(), subs.end(), c), subs.end()) << *c->getName();
        }
    }
}

TEST(TreeLinker, ResolvesProtocolNamesInOrderSkippingUnknownOnes) {
    Forest f;
    auto coding = f.protocol("NSCoding");
    auto copying = f.protocol("NSCopying", {"NSCoding", "Nowhere"});
    f.protocol("NSCoding");  // a second of that name: never chosen
    auto c = f.cls("NSString");
    c->setProtocolNames(std::vector<std::string>{"NSCopying", "Unknown", "NSCoding"});
    auto cat = f.category("Extras", "NSString", "NSString.h");
    cat->addProtocolName("NSCoding");
    f.link();
    EXPECT_EQ(c->getProtocolObjects(), (std::vector<std::shared_ptr<ProtocolData>>{copying, coding}));
    EXPECT_EQ(cat->getProtocolObjects(), std::vector<std::shared_ptr<ProtocolData>>{coding});
    EXPECT_EQ(copying->getProtocolObjects(), std::vector<std::shared_ptr<ProtocolData>>{coding});
}

// A category goes to the class it extends, wherever it was declared: an informal protocol on
// NSObject declared in NSMenu.h is NSObject's, not NSMenu's.
TEST(TreeLinker, CategoriesGoWithTheClassTheyExtend) {
    Forest f;
    auto object = f.cls("NSObject", std::nullopt, "NSObject.h");
    auto menu = f.cls("NSMenu", std::nullopt, "NSMenu.h");
    auto string = f.cls("NSString", std::nullopt, "NSString.h");
    auto again = f.cls("NSString", std::nullopt, "Again.h");  // look-ups answer the first NSString
    f.category("Own", "NSString", "NSString.h");
    f.category("NSMenuValidation", "NSObject", "NSMenu.h");  // declared beside another class
    f.category("Lonely", "NSString", "Loose.h");              // no class in its header
    auto orphan = f.category("Orphan", "Missing", "NSMenu.h");  // class never read
    f.category("Starred", "NSString*", "Star.h");              // "*" dropped by the look-up
    f.category("Second", "NSString", "Again.h");               // the NSString of its own header
    f.link();
    EXPECT_EQ(namesOf(object->getCategoryList()), Names{"NSMenuValidation"});
    EXPECT_TRUE(menu->getCategoryList().empty());
    EXPECT_EQ(namesOf(string->getCategoryList()), (Names{"Own", "Lonely", "Starred"}));
    EXPECT_EQ(namesOf(again->getCategoryList()), Names{"Second"});
    for (const auto& c : f.classStraightList)
        for (const auto& cat : c->getCategoryList()) EXPECT_NE(cat, orphan);
    EXPECT_EQ(f.categoryList.size(), 6u);
}

// The golden dumps pin the numbers (classes, then categories, then protocols, 200 apart from
// 1000), and the tree builder's and store's tests the counters; these are the look-ups.
TEST(TreeLinker, NumbersFindTheirRecords) {
    Forest f;
    f.cls("A");
    f.cls("B", "A");
    f.category("X", "A", "A.h");
    f.protocol("P");
    f.link();
    f.linker.setupDataID();  // numbering again changes nothing
    EXPECT_EQ(f.linker.findDataByID(1200), f.classStraightList[1]);
    EXPECT_EQ(f.linker.findDataByID(1400), f.categoryList[0]);
    EXPECT_EQ(f.linker.findDataByID(1600), f.protocolList[0]);
    EXPECT_EQ(f.linker.getProtocolMaxId(), 1600);
    for (std::int32_t nothing : {1200 + 5, 1800, 0})  // 1205: a method address, to be rounded down first
        EXPECT_EQ(f.linker.findDataByID(nothing), nullptr) << nothing;
}

TEST(TreeLinker, LookupsDropOnlyTheFirstAsteriskAndFollowChangesToTheLists) {
    Forest f;
    auto s = f.cls("NSString");
    f.link();
    const std::pair<const char*, bool> asked[] = {
        {"NSString*", true}, {"*NSString", true}, {"NSString *", false}, {"NSString**", false}, {"nsstring", false}};
    for (auto [name, found] : asked) EXPECT_EQ(f.linker.findClassByName(name), found ? s : nullptr) << name;

    // Changed after the index was made: appended, erased, renamed in place.
    auto b = std::make_shared<ClassData>("B", std::nullopt);
    f.classStraightList.push_back(b);
    EXPECT_EQ(f.linker.findClassByName("B"), b);
    f.classStraightList.erase(f.classStraightList.begin());
    EXPECT_EQ(f.linker.findClassByName("NSString"), nullptr);
    EXPECT_EQ(f.linker.findClassByName("B"), b);
    b->setName("Renamed");
    EXPECT_EQ(f.linker.findClassByName("B"), nullptr);
    f.linker.reindex();
    EXPECT_EQ(f.linker.findClassByName("Renamed"), b);

    auto named = [](auto record, const char* name) {
        record->setName(name);
        return record;
    };
    auto range = named(std::make_shared<StructData>(), "_NSRange");
    auto result = named(std::make_shared<EnumData>(), "NSComparisonResult");
    f.structList.push_back(range);
    f.enumList.push_back(result);
    EXPECT_EQ(f.linker.findStructByName("_NSRange"), range);
    EXPECT_EQ(f.linker.findEnumByName("NSComparisonResult"), result);
    EXPECT_EQ(f.linker.findEnumByName("_NSRange"), nullptr);
    // Refilled in place: the same buffer and as many records as before.
    auto point = named(std::make_shared<StructData>(), "_NSPoint");
    f.structList.clear();
    f.structList.push_back(point);
    EXPECT_EQ(f.linker.findStructByName("_NSPoint"), point);
    EXPECT_EQ(f.linker.findStructByName("_NSRange"), nullptr);
}

TEST(TreeLinker, CuttingSelectedClassesTakesTheirSubtreesAndUnselectingAnnouncesItOnce) {
    Forest f;
    auto root = f.cls("Root");
    auto a = f.cls("A", "Root");
    auto a1 = f.cls("A1", "A");
    f.cls("A11", "A1");
    f.cls("B", "Root");
    auto lone = f.cls("Lone");
    f.cls("Keep");
    f.category("Cat", "A1", "A1.h");
    f.link();
    EXPECT_FALSE(f.linker.removeSelectedClass());  // nothing selected

    a1->setSelectFlag(true);
    a->setSelectFlag(true);  // its ancestor, selected as well
    lone->setSelectFlag(true);
    EXPECT_TRUE(f.linker.removeSelectedClass());
    EXPECT_EQ(f.outline(), "Root\n  B\nKeep\n");
    EXPECT_EQ(namesOf(f.classStraightList), (Names{"Root", "B", "Keep"}));
    EXPECT_EQ(f.categoryList.size(), 1u);  // categories of removed classes stay
    EXPECT_EQ(f.linker.findClassByName("A11"), nullptr);

    root->setSelectFlag(true);
    f.classStraightList[1]->setSelectFlag(true);
    int posted = 0;
    NotificationCenter::defaultCenter().addObserver(
        &posted, "ClassDidUnselectedMessage", [&](const Notification& n) { posted += n.object.has_value() ? 100 : 1; });
    f.linker.unSelectAll();
    NotificationCenter::defaultCenter().removeObserver(&posted);
    EXPECT_EQ(posted, 1);
    for (const auto& c : f.classStraightList) EXPECT_FALSE(c->getSelectFlag());
}

TEST(TreeLinker, RemovalAndUnlinkingEndOnLinksThatLoop) {
    Forest f;
    auto a = f.cls("A");
    auto b = f.cls("B");
    f.cls("C");
    f.classStraightList = f.linker.copyToStraightList();
    a->addSub(b);
    b->addSub(a);  // made by hand: linking never leaves a loop
    b->addSub(b);
    f.linker.removeClass(a);
    EXPECT_EQ(namesOf(f.classStraightList), Names{"C"});

    std::weak_ptr<ProtocolData> gone;
    {
        Forest g;
        auto p = g.protocol("P", {"Q"});
        g.protocol("Q", {"P"});  // protocols adopting each other hold each other
        g.link();
        gone = p;
        ASSERT_EQ(p->getProtocolObjects().size(), 1u);
    }
    EXPECT_TRUE(gone.expired());
}
