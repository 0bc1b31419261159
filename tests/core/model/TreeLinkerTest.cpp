#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/ProtocolData.h"
#include "core/model/StructData.h"
#include "core/model/TreeLinker.h"
#include "core/platform/NotificationCenter.h"

using namespace kestrel;

namespace {

// The controller's lists and a linker over them.
struct Forest {
    TreeLinker::ClassList classList, classStraightList;
    TreeLinker::ProtocolList protocolList;
    TreeLinker::CategoryList categoryList;
    TreeLinker::StructList structList;
    TreeLinker::EnumList enumList;
    TreeLinker linker{classList, classStraightList, protocolList, categoryList, structList, enumList};

    ~Forest() { linker.unlinkAll(); }

    std::shared_ptr<ClassData> cls(const std::string& name, std::optional<std::string> super = std::nullopt,
                                   const std::string& header = "") {
        auto c = std::make_shared<ClassData>(name, std::move(super));
        c->setHedderName(header.empty() ? name + ".h" : header);
        classList.push_back(c);
        return c;
    }
    std::shared_ptr<CategoryData> category(const std::string& name, const std::string& target, const std::string& header) {
        auto c = std::make_shared<CategoryData>(name, target);
        c->setHedderName(header);
        categoryList.push_back(c);
        return c;
    }
    std::shared_ptr<ProtocolData> protocol(const std::string& name, std::vector<std::string> adopted = {}) {
        auto p = std::make_shared<ProtocolData>(name, std::nullopt);
        if (!adopted.empty()) p->setProtocolNames(std::move(adopted));
        protocolList.push_back(p);
        return p;
    }
    void link() {
        classStraightList = linker.copyToStraightList();
        linker.makeTreeList();
        linker.buildProtocolList();
        linker.buildCategoryList();
        linker.setupDataID();
    }
};

std::vector<std::string> names(const std::vector<std::shared_ptr<ClassData>>& list) {
    std::vector<std::string> out;
    for (const auto& c : list) out.push_back(c->getName().value_or("?"));
    return out;
}
template <class T>
std::vector<std::string> namesOf(const std::vector<std::shared_ptr<T>>& list) {
    std::vector<std::string> out;
    for (const auto& c : list) out.push_back(c->getName().value_or("?"));
    return out;
}

// Walks down from the roots, visiting each record at most `limit` times in all: answers the
// records reached, or fails the test when the walk does not end.
std::multiset<const HasMethodsData*> walkDown(const Forest& f, std::size_t limit = 10000) {
    std::multiset<const HasMethodsData*> seen;
    std::vector<const HasMethodsData*> pending;
    for (const auto& root : f.classList) pending.push_back(root.get());
    while (!pending.empty()) {
        const HasMethodsData* node = pending.back();
        pending.pop_back();
        seen.insert(node);
        if (seen.size() > limit) {
            ADD_FAILURE() << "the tree walk does not end";
            break;
        }
        for (const auto& sub : node->getSubClassList()) pending.push_back(sub.get());
    }
    return seen;
}

}  // namespace

TEST(TreeLinker, LinksSubclassesAndKeepsTheRoots) {
    Forest f;
    auto a = f.cls("A");
    auto b = f.cls("B", "A");
    auto c = f.cls("C", "B");
    auto d = f.cls("D", "X");  // X never analysed
    f.link();
    EXPECT_EQ(names(f.classList), (std::vector<std::string>{"A", "D"}));
    EXPECT_EQ(names(f.classStraightList), (std::vector<std::string>{"A", "B", "C", "D"}));
    EXPECT_EQ(namesOf(a->getSubClassList()), std::vector<std::string>{"B"});
    EXPECT_EQ(namesOf(b->getSubClassList()), std::vector<std::string>{"C"});
    EXPECT_EQ(c->superClass(), b.get());
    EXPECT_EQ(d->superClass(), nullptr);
}

TEST(TreeLinker, SubclassesComeInListOrderAndASelfSuperclassStaysARoot) {
    Forest f;
    auto z = f.cls("Z", "P");
    auto p = f.cls("P");
    f.cls("Y", "P");
    f.cls("Self", "Self");
    f.cls("X", "P");
    f.link();
    EXPECT_EQ(namesOf(p->getSubClassList()), (std::vector<std::string>{"Z", "Y", "X"}));
    EXPECT_EQ(names(f.classList), (std::vector<std::string>{"P", "Self"}));
    EXPECT_TRUE(f.classStraightList[3]->getSubClassList().empty());
}

TEST(TreeLinker, TwoClassesOfOneNameBothGetTheSubclasses) {
    Forest f;
    auto first = f.cls("A", std::nullopt, "one.h");
    auto b = f.cls("B", "A");
    auto second = f.cls("A", std::nullopt, "two.h");
    f.link();
    EXPECT_EQ(namesOf(first->getSubClassList()), std::vector<std::string>{"B"});
    EXPECT_EQ(namesOf(second->getSubClassList()), std::vector<std::string>{"B"});
    EXPECT_EQ(b->superClass(), second.get());  // the later one
    EXPECT_EQ(names(f.classList), (std::vector<std::string>{"A", "A"}));
    EXPECT_EQ(f.linker.findClassByName("A"), first);  // look-ups answer the first
}

TEST(TreeLinker, SuperclassLoopsEndAndEveryClassStaysReachable) {
    // A : B, B : A; C : D, D : E, E : C; F : A; and a duplicate name inside a loop.
    Forest f;
    for (auto [n, s] : std::vector<std::pair<const char*, const char*>>{
             {"A", "B"}, {"B", "A"}, {"C", "D"}, {"D", "E"}, {"E", "C"}, {"F", "A"}, {"G", nullptr}, {"H", "G"},
             {"G", "H"}}) {
        f.cls(n, s ? std::optional<std::string>(s) : std::nullopt);
    }
    f.link();
    std::multiset<const HasMethodsData*> seen = walkDown(f);
    for (const auto& c : f.classStraightList) {
        EXPECT_GE(seen.count(c.get()), 1u) << *c->getName() << " is unreachable";
        // A class with a superclass is among that superclass's subclasses.
        if (HasMethodsData* parent = c->superClass()) {
            const auto& subs = parent->getSubClassList();
            EXPECT_NE(std::find(subs.begin(), subs.end(), c), subs.end()) << *c->getName();
        }
    }
    // A loop is cut where the walk from the start of the list closes it: A becomes the root
    // above B (and F), C the root above E above D.
    EXPECT_EQ(names(f.classList), (std::vector<std::string>{"A", "C", "G", "H"}));
    EXPECT_EQ(namesOf(f.classList[0]->getSubClassList()), (std::vector<std::string>{"B", "F"}));
    EXPECT_EQ(namesOf(f.classList[1]->getSubClassList()), std::vector<std::string>{"E"});
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

TEST(TreeLinker, CategoriesGoWithTheClassesOfTheirHeader) {
    Forest f;
    auto string = f.cls("NSString", std::nullopt, "NSString.h");
    auto path = f.cls("NSPathUtilities", std::nullopt, "NSPathUtilities.h");
    auto other = f.cls("NSOtherThing", std::nullopt, "NSPathUtilities.h");
    auto own = f.category("Own", "NSString", "NSString.h");             // same header as its class
    auto paths = f.category("PathExtras", "NSString", "NSPathUtilities.h");  // a header of two other classes
    auto lonely = f.category("Lonely", "NSString", "Loose.h");            // no class in its header
    auto orphan = f.category("Orphan", "Missing", "Nowhere.h");           // class unknown
    auto starred = f.category("Starred", "NSString*", "Star.h");          // "*" dropped by the look-up
    f.link();
    EXPECT_EQ(namesOf(string->getCategoryList()), (std::vector<std::string>{"Own", "Lonely", "Starred"}));
    EXPECT_EQ(namesOf(path->getCategoryList()), std::vector<std::string>{"PathExtras"});
    EXPECT_EQ(namesOf(other->getCategoryList()), std::vector<std::string>{"PathExtras"});
    for (const auto& c : f.classStraightList)
        for (const auto& cat : c->getCategoryList()) EXPECT_NE(cat, orphan);
    EXPECT_EQ(f.categoryList.size(), 5u);
}

TEST(TreeLinker, NumbersClassesThenCategoriesThenProtocols) {
    Forest f;
    f.cls("A");
    f.cls("B", "A");
    f.cls("C");
    f.category("X", "A", "A.h");
    f.category("Y", "B", "B.h");
    f.protocol("P");
    f.link();
    std::vector<std::int32_t> ids;
    for (const auto& c : f.classStraightList) ids.push_back(c->getID());
    for (const auto& c : f.categoryList) ids.push_back(c->getID());
    ids.push_back(f.protocolList[0]->getID());
    EXPECT_EQ(ids, (std::vector<std::int32_t>{1000, 1200, 1400, 1600, 1800, 2000}));
    EXPECT_EQ(f.linker.getClassMaxId(), 1400);
    EXPECT_EQ(f.linker.getCategoryMaxId(), 1800);
    EXPECT_EQ(f.linker.getProtocolMaxId(), 2000);
    f.linker.setupDataID();
    EXPECT_EQ(f.categoryList[1]->getID(), 1800);

    EXPECT_EQ(f.linker.findDataByID(1200), f.classStraightList[1]);
    EXPECT_EQ(f.linker.findDataByID(1200 + 5), nullptr);  // a method address: round it down first
    EXPECT_EQ(f.linker.findDataByID(1800), f.categoryList[1]);
    EXPECT_EQ(f.linker.findDataByID(2000), f.protocolList[0]);
    EXPECT_EQ(f.linker.findDataByID(2200), nullptr);
    EXPECT_EQ(f.linker.findDataByID(0), nullptr);
}

TEST(TreeLinker, EmptyListsNumberNothingAndAllMaximaAre800) {
    Forest f;
    f.link();
    EXPECT_EQ(f.linker.getClassMaxId(), 800);
    EXPECT_EQ(f.linker.getCategoryMaxId(), 800);
    EXPECT_EQ(f.linker.getProtocolMaxId(), 800);
    EXPECT_EQ(f.linker.findDataByID(1000), nullptr);
    EXPECT_EQ(f.linker.findClassByName("A"), nullptr);
    EXPECT_EQ(f.linker.findProtocolByName("P"), nullptr);
}

TEST(TreeLinker, FindClassByNameDropsOnlyTheFirstAsterisk) {
    Forest f;
    auto s = f.cls("NSString");
    f.link();
    EXPECT_EQ(f.linker.findClassByName("NSString*"), s);
    EXPECT_EQ(f.linker.findClassByName("*NSString"), s);
    EXPECT_EQ(f.linker.findClassByName("NSString *"), nullptr);
    EXPECT_EQ(f.linker.findClassByName("NSString**"), nullptr);
    EXPECT_EQ(f.linker.findClassByName("nsstring"), nullptr);
}

TEST(TreeLinker, LookupsFollowChangesToTheLists) {
    Forest f;
    auto a = f.cls("A");
    f.link();
    EXPECT_EQ(f.linker.findClassByName("B"), nullptr);
    auto b = std::make_shared<ClassData>("B", std::nullopt);
    f.classStraightList.push_back(b);  // appended after the index was made
    EXPECT_EQ(f.linker.findClassByName("B"), b);
    f.classStraightList.erase(f.classStraightList.begin());
    EXPECT_EQ(f.linker.findClassByName("A"), nullptr);
    EXPECT_EQ(f.linker.findClassByName("B"), b);
    b->setName("Renamed");  // in place
    EXPECT_EQ(f.linker.findClassByName("B"), nullptr);
    f.linker.reindex();
    EXPECT_EQ(f.linker.findClassByName("Renamed"), b);

    auto s = std::make_shared<StructData>();
    s->setName("_NSRange");
    f.structList.push_back(s);
    auto e = std::make_shared<EnumData>();
    e->setName("NSComparisonResult");
    f.enumList.push_back(e);
    EXPECT_EQ(f.linker.findStructByName("_NSRange"), s);
    EXPECT_EQ(f.linker.findEnumByName("NSComparisonResult"), e);
    EXPECT_EQ(f.linker.findEnumByName("_NSRange"), nullptr);

    // Refilled in place: the same buffer and as many records as before.
    auto point = std::make_shared<StructData>();
    point->setName("_NSPoint");
    f.structList.clear();
    f.structList.push_back(point);
    EXPECT_EQ(f.linker.findStructByName("_NSPoint"), point);
    EXPECT_EQ(f.linker.findStructByName("_NSRange"), nullptr);
}

TEST(TreeLinker, UnSelectAllClearsEveryFlagAndAnnouncesIt) {
    Forest f;
    f.cls("A")->setSelectFlag(true);
    f.cls("B", "A")->setSelectFlag(true);
    f.link();
    int posted = 0;
    NotificationCenter::defaultCenter().addObserver(&posted, "ClassDidUnselectedMessage",
                                                    [&](const Notification& n) { posted += n.object.has_value() ? 100 : 1; });
    f.linker.unSelectAll();
    NotificationCenter::defaultCenter().removeObserver(&posted);
    EXPECT_EQ(posted, 1);
    for (const auto& c : f.classStraightList) EXPECT_FALSE(c->getSelectFlag());
}

TEST(TreeLinker, RemovingSelectedClassesTakesTheirSubtrees) {
    Forest f;
    auto root = f.cls("Root");
    auto a = f.cls("A", "Root");
    auto a1 = f.cls("A1", "A");
    auto a11 = f.cls("A11", "A1");
    auto b = f.cls("B", "Root");
    auto lone = f.cls("Lone");
    auto keep = f.cls("Keep");
    f.category("Cat", "A1", "A1.h");
    f.link();
    EXPECT_FALSE(f.linker.removeSelectedClass());  // nothing selected

    a1->setSelectFlag(true);
    a->setSelectFlag(true);  // its ancestor, selected as well
    lone->setSelectFlag(true);
    EXPECT_TRUE(f.linker.removeSelectedClass());
    EXPECT_EQ(names(f.classStraightList), (std::vector<std::string>{"Root", "B", "Keep"}));
    EXPECT_EQ(namesOf(root->getSubClassList()), std::vector<std::string>{"B"});
    EXPECT_EQ(names(f.classList), (std::vector<std::string>{"Root", "Keep"}));
    EXPECT_EQ(f.categoryList.size(), 1u);  // categories of removed classes stay
    EXPECT_EQ(f.linker.findClassByName("A11"), nullptr);
}

TEST(TreeLinker, RemoveClassEndsOnLinksThatLoop) {
    Forest f;
    auto a = f.cls("A");
    auto b = f.cls("B");
    auto c = f.cls("C");
    f.classStraightList = f.linker.copyToStraightList();
    a->addSub(b);
    b->addSub(a);  // made by hand: linking never leaves a loop
    b->addSub(b);
    f.linker.removeClass(a);
    EXPECT_EQ(names(f.classStraightList), std::vector<std::string>{"C"});
}

TEST(TreeLinker, UnlinkAllLetsRecordsInLoopsGo) {
    std::weak_ptr<ProtocolData> gone;
    {
        Forest f;
        auto p = f.protocol("P", {"Q"});
        f.protocol("Q", {"P"});  // protocols adopting each other hold each other
        f.link();
        gone = p;
        ASSERT_EQ(p->getProtocolObjects().size(), 1u);
    }
    EXPECT_TRUE(gone.expired());
}

namespace {

// The linking rules carried out literally, comparing every class with every other and scanning
// the lists for each look-up: the reference that the indexed linker must match.
void linkOneByOne(Forest& f) {
    f.classStraightList = f.classList;
    auto& list = f.classList;
    for (std::size_t i = 0; i < list.size(); ++i)
        for (std::size_t j = 0; j < list.size(); ++j) {
            if (j == i) continue;
            const auto& a = list[i];
            const auto& b = list[j];
            if (b->superName() && b->superName() != b->getName() && a->getName() == b->superName()) {
                a->addSub(b);
                b->setSuperClass(a.get());
            }
        }
    for (std::size_t k = list.size(); k-- > 0;)
        if (list[k]->superClass()) list.erase(list.begin() + static_cast<std::ptrdiff_t>(k));
    auto findClass = [&](std::string name) -> std::shared_ptr<ClassData> {
        if (auto star = name.find('*'); star != std::string::npos) name.erase(star, 1);
        for (const auto& c : f.classStraightList)
            if (c->getName() == name) return c;
        return nullptr;
    };
    for (const auto& cat : f.categoryList) {
        auto target = findClass(*cat->getTargetClassName());
        if (target && target->hedderName() == cat->hedderName()) {
            target->addCategory(cat);
            continue;
        }
        bool attached = false;
        for (const auto& c : f.classStraightList)
            if (c->hedderName() == cat->hedderName()) {
                c->addCategory(cat);
                attached = true;
            }
        if (!attached && target) target->addCategory(cat);
    }
}

// "C" + number, built by append (GCC 12 warns falsely on "literal" + std::string).
std::string named(const char* prefix, unsigned long number) { return std::string(prefix).append(std::to_string(number)); }

// A random forest without superclass loops: names repeat (a class declared twice), superclasses
// are earlier classes or never analysed, categories sit in their class's header or elsewhere.
void grow(Forest& f, unsigned seed, int classes) {
    std::mt19937 random(seed);
    std::vector<int> nameNumber;
    for (int i = 0; i < classes; ++i) {
        int number = i;
        if (i > 0 && random() % 8 == 0) number = nameNumber[random() % i];  // a name used again
        nameNumber.push_back(number);
        std::optional<std::string> super;
        const unsigned roll = random() % 10;
        if (number > 0 && roll < 7) super = named("C", random() % number);  // a smaller number: no loops
        if (roll == 7) super = named("Gone", i % 3);
        if (roll == 8) super = named("C", number);  // its own name
        f.cls(named("C", number), super, named("H", random() % (classes / 3 + 1)).append(".h"));
    }
    for (int k = 0; k < classes / 2; ++k)
        f.category(named("Cat", k), named("C", random() % (classes + 2)).append(k % 5 ? "" : "*"),
                   named("H", random() % (classes / 2 + 1)).append(".h"));
}

// Every link as positions in the straight list, so that two forests can be compared.
std::map<std::string, std::vector<long>> shape(const Forest& f) {
    std::map<const HasMethodsData*, long> at;
    for (std::size_t i = 0; i < f.classStraightList.size(); ++i) at[f.classStraightList[i].get()] = static_cast<long>(i);
    std::map<const CategoryData*, long> catAt;
    for (std::size_t i = 0; i < f.categoryList.size(); ++i) catAt[f.categoryList[i].get()] = static_cast<long>(i);
    std::map<std::string, std::vector<long>> out;
    for (const auto& root : f.classList) out["roots"].push_back(at[root.get()]);
    for (std::size_t i = 0; i < f.classStraightList.size(); ++i) {
        const auto& c = f.classStraightList[i];
        const std::string key = std::to_string(i);
        out["super " + key].push_back(c->superClass() ? at[c->superClass()] : -1);
        for (const auto& sub : c->getSubClassList()) out["subs " + key].push_back(at[sub.get()]);
        for (const auto& cat : c->getCategoryList()) out["cats " + key].push_back(catAt[cat.get()]);
    }
    return out;
}

}  // namespace

TEST(TreeLinker, MatchesTheOneByOneRulesOnRandomForests) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        Forest indexed, reference;
        grow(indexed, seed, 60);
        grow(reference, seed, 60);
        indexed.classStraightList = indexed.linker.copyToStraightList();
        indexed.linker.makeTreeList();
        indexed.linker.buildCategoryList();
        linkOneByOne(reference);
        ASSERT_EQ(shape(indexed), shape(reference)) << "seed " << seed;
    }
}
