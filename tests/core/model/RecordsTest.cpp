#include <gtest/gtest.h>

#include <string>
#include <typeinfo>
#include <vector>

#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/ProtocolData.h"
#include "core/model/StructData.h"
#include "core/platform/PlistFile.h"
#include "core/text/TextMeasure.h"
#include "support/TempDir.h"

using namespace kestrel;

namespace {

std::vector<std::string> keysOf(const PlistDict& d) {
    std::vector<std::string> keys;
    for (const auto& [key, value] : d) keys.push_back(key);
    return keys;
}

PlistDict dictionaryOf(const TreeData& record) {
    PlistDict d;
    record.makeDictionary(d);
    return d;
}

// The display-name rule as written: drop one character at a time, measuring again each time.
std::string cutOneByOne(std::string text) {
    if (TextMeasure::width(text) < TreeData::kDisplayWidth) return text;
    const double dots = TextMeasure::width("..");
    while (!text.empty() && TextMeasure::width(text) + dots > TreeData::kDisplayWidth) text.pop_back();
    return text + "..";
}

class MeasureGuard {
public:
    ~MeasureGuard() { TextMeasure::setFunction(nullptr); }
};

}  // namespace

TEST(TreeData, DisplayNameKeepsNarrowNamesAndCutsWideOnes) {
    // 7 points a character by default: 19 characters are 133 points, 20 are 140.
    ClassData fits("NSATSTypesetterBase", "NSObject");
    EXPECT_EQ(fits.getDisplayName(), "NSATSTypesetterBase");
    ClassData wide("NSATSTypesetterBaseX", "NSObject");
    // 17 characters (119) + ".." (14) = 133 fits; 18 would be 140.
    EXPECT_EQ(wide.getDisplayName(), "NSATSTypesetterBa..");
    ClassData none;
    EXPECT_EQ(none.getDisplayName(), std::nullopt);
}

TEST(TreeData, DisplayNameLimitIsStrictlyBelow137Points) {
    MeasureGuard guard;
    TextMeasure::setFunction([](std::string_view t) { return t == ".." ? 2.0 : 137.0 * t.size() / 10.0; });
    TreeData exact;
    exact.setName("0123456789");  // exactly 137.0: cut
    EXPECT_EQ(exact.getDisplayName(), "012345678..");
    TreeData below;
    below.setName("012345678");
    EXPECT_EQ(below.getDisplayName(), "012345678");
}

TEST(TreeData, DisplayNameAgreesWithCuttingOneCharacterAtATime) {
    MeasureGuard guard;
    // A proportional font: "W" is wide, "i" narrow.
    TextMeasure::setFunction([](std::string_view t) {
        double w = 0;
        for (char c : t) w += c == 'W' ? 13.5 : c == 'i' ? 3.25 : c == '.' ? 3.0 : 7.0;
        return w;
    });
    std::string name;
    for (int n = 0; n < 60; ++n) {
        name += "WiiWxi"[n % 6];
        TreeData record;
        record.setName(name);
        EXPECT_EQ(record.getDisplayName(), cutOneByOne(name)) << name;
    }
}

TEST(TreeData, DisplayNameNeverSplitsAUtf8Character) {
    std::string name;
    for (int i = 0; i < 30; ++i) name += "\xe6\x97\xa5";  // 30 characters, 90 bytes
    ClassData record(name, std::nullopt);
    std::string expected;
    for (int i = 0; i < 17; ++i) expected += "\xe6\x97\xa5";
    EXPECT_EQ(record.getDisplayName(), expected + "..");
}

TEST(Records, KindsAreFixedByClass) {
    EXPECT_EQ(TreeData().whoAreYou(), 0);
    EXPECT_EQ(HasMethodsData().whoAreYou(), 1);
    EXPECT_EQ(ClassData("A", std::nullopt).whoAreYou(), 2);
    EXPECT_EQ(CategoryData("Extras", "A").whoAreYou(), 3);
    EXPECT_EQ(ProtocolData("P", std::nullopt).whoAreYou(), 4);
    EXPECT_EQ(StructEnumData().whoAreYou(), 5);
    EXPECT_EQ(StructData().whoAreYou(), 6);
    EXPECT_EQ(EnumData().whoAreYou(), 7);
    EXPECT_EQ(FunctionMacrosData(kCGInlineKind).whoAreYou(), 11);

    // Whatever the dictionary says, kinds 0 to 7 come from the class.
    PlistDict d;
    d.set("kind", PlistValue(5));
    EXPECT_EQ(ClassData(d).whoAreYou(), 2);
    EXPECT_EQ(EnumData(d).whoAreYou(), 7);
    d.set("kind", PlistValue(12));
    EXPECT_EQ(FunctionMacrosData(d).whoAreYou(), 12);
}

TEST(Records, NewClassDefaults) {
    ClassData c("NSView", "NSResponder");
    EXPECT_EQ(c.getName(), "NSView");
    EXPECT_EQ(c.superName(), "NSResponder");
    EXPECT_TRUE(c.getShowSubTree());
    EXPECT_FALSE(c.getSelectFlag());
    EXPECT_FALSE(c.getCustomFlag());
    EXPECT_EQ(c.getProtocolNames(), std::nullopt);
    EXPECT_EQ(c.getMethodList(), std::nullopt);
    EXPECT_EQ(c.getID(), 0);
    EXPECT_EQ(c.superClass(), nullptr);

    c.addProtocolName(std::nullopt);
    EXPECT_EQ(c.getProtocolNames(), std::nullopt);
    c.addProtocolName("NSCoding");
    EXPECT_EQ(c.getProtocolNames(), std::vector<std::string>{"NSCoding"});
    c.addProtocolObject(nullptr);
    EXPECT_TRUE(c.getProtocolObjects().empty());
}

TEST(Records, GetMethodStringStopsAtTheCount) {
    HasMethodsData r("R", std::nullopt);
    EXPECT_EQ(r.getMethodString(0), std::nullopt);
    r.addMethodList(std::vector<std::string>{"-(void)a", "+(id)b"});
    EXPECT_EQ(r.getMethodString(1), "+(id)b");
    EXPECT_EQ(r.getMethodString(2), std::nullopt);
}

TEST(Records, DictionaryKeysInOrderAndOnlyWhenSet) {
    ClassData c("NSView", "NSResponder");
    c.setFwName("AppKit");
    c.setHedderName("NSView.h");
    c.setProtocolNames(std::vector<std::string>{"NSCoding"});
    c.addMethodList(std::vector<std::string>{"-(void)display"});
    EXPECT_EQ(keysOf(dictionaryOf(c)),
              (std::vector<std::string>{"kind", "name", "fwName", "headerName", "idNum", "superName", "protocolNames",
                                        "methodList", "customFlag", "showSubTree", "selectFlag"}));
    EXPECT_EQ(keysOf(dictionaryOf(ClassData("NSObject", std::nullopt))),
              (std::vector<std::string>{"kind", "name", "idNum", "customFlag", "showSubTree", "selectFlag"}));

    CategoryData cat("Extras", "NSView");
    EXPECT_EQ(keysOf(dictionaryOf(cat)), (std::vector<std::string>{"kind", "name", "idNum", "superName", "customFlag"}));

    StructData s;
    s.setName("_NSRect");
    s.setID(1200);  // never stored
    s.setStructIndex("{\n    NSPoint origin;\n}");
    EXPECT_EQ(keysOf(dictionaryOf(s)), (std::vector<std::string>{"kind", "name", "structIndex"}));

    FunctionMacrosData f(kExternKind);
    f.setName("extern NSString*NSDefaultRunLoopMode;");
    f.setHedderName("NSRunLoop.h");
    EXPECT_EQ(keysOf(dictionaryOf(f)), (std::vector<std::string>{"kind", "name", "headerName", "idNum"}));
    EXPECT_EQ(dictionaryOf(f).getInteger("kind"), 13);
}

TEST(Records, RebuildReadsNumbersAndFlagsWrittenAsText) {
    PlistDict d;
    d.set("kind", PlistValue("2"));
    d.set("name", PlistValue("NSView"));
    d.set("idNum", PlistValue("1400"));
    d.set("customFlag", PlistValue("1"));
    d.set("showSubTree", PlistValue("YES"));
    d.set("selectFlag", PlistValue(0));
    std::shared_ptr<TreeData> r = TreeData::makeDataFromDic(d);
    auto* c = dynamic_cast<ClassData*>(r.get());
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->getID(), 1400);
    EXPECT_TRUE(c->getCustomFlag());
    EXPECT_TRUE(c->getShowSubTree());
    EXPECT_FALSE(c->getSelectFlag());
    EXPECT_EQ(c->getDisplayName(), "NSView");
}

TEST(Records, AbsentKeysLeaveFieldsEmptyFalseOrZero) {
    PlistDict d;
    d.set("kind", PlistValue(2));
    d.set("name", PlistValue("NSView"));
    auto c = std::dynamic_pointer_cast<ClassData>(TreeData::makeDataFromDic(d));
    ASSERT_TRUE(c);
    EXPECT_FALSE(c->getShowSubTree());  // reloads collapsed
    EXPECT_FALSE(c->getCustomFlag());
    EXPECT_EQ(c->getID(), 0);
    EXPECT_EQ(c->frameWorkName(), std::nullopt);
    EXPECT_EQ(c->superName(), std::nullopt);
    EXPECT_EQ(c->getMethodList(), std::nullopt);

    // Elements of the wrong type in a stored list are skipped, the rest kept.
    d.set("methodList", PlistValue(PlistArray{PlistValue("-(void)a"), PlistValue(3), PlistValue("-(void)b")}));
    d.set("superName", PlistValue(42));
    c = std::dynamic_pointer_cast<ClassData>(TreeData::makeDataFromDic(d));
    EXPECT_EQ(c->getMethodList(), (std::vector<std::string>{"-(void)a", "-(void)b"}));
    EXPECT_EQ(c->superName(), std::nullopt);
}

TEST(Records, FactoryPicksTheClassByKind) {
    auto make = [](PlistValue kind) {
        PlistDict d;
        d.set("kind", std::move(kind));
        d.set("name", PlistValue("NSApplicationDidFinishLaunchingNotification and more text"));
        return TreeData::makeDataFromDic(d);
    };
    EXPECT_EQ(TreeData::makeDataFromDic(PlistDict{}), nullptr);
    EXPECT_EQ(make(PlistValue(-1)), nullptr);
    EXPECT_EQ(make(PlistValue("abc")), nullptr);
    EXPECT_EQ(make(PlistValue(PlistArray{})), nullptr);

    std::shared_ptr<TreeData> f = make(PlistValue(9));
    ASSERT_TRUE(std::dynamic_pointer_cast<FunctionMacrosData>(f));
    EXPECT_EQ(f->whoAreYou(), 9);
    EXPECT_EQ(f->getDisplayName(), std::nullopt);  // functions read back have none
    EXPECT_EQ(make(PlistValue(42))->whoAreYou(), 42);
    EXPECT_TRUE(std::dynamic_pointer_cast<FunctionMacrosData>(make(PlistValue(42))));

    std::shared_ptr<TreeData> s = make(PlistValue("6"));
    EXPECT_TRUE(std::dynamic_pointer_cast<StructData>(s));
    EXPECT_EQ(s->getDisplayName(), "NSApplicationDidF..");  // kinds up to 7 get one

    const char* expected[] = {"TreeData",    "HasMethodsData", "ClassData", "CategoryData",
                              "ProtocolData", "StructEnumData", "StructData", "EnumData"};
    for (int kind = 0; kind <= 7; ++kind) {
        std::shared_ptr<TreeData> r = make(PlistValue(kind));
        ASSERT_TRUE(r) << expected[kind];
        EXPECT_EQ(r->whoAreYou(), kind) << expected[kind];
    }
    EXPECT_TRUE(std::dynamic_pointer_cast<CategoryData>(make(PlistValue(3))));
    EXPECT_TRUE(std::dynamic_pointer_cast<ProtocolData>(make(PlistValue(4))));
    EXPECT_FALSE(std::dynamic_pointer_cast<StructData>(make(PlistValue(5))));
}

TEST(Records, EveryKindSurvivesAFileRoundTrip) {
    std::vector<std::shared_ptr<TreeData>> records;
    auto cls = std::make_shared<ClassData>("NSView", "NSResponder");
    cls->setFwName("AppKit");
    cls->setHedderName("NSView.h");
    cls->setID(1000);
    cls->setProtocolNames(std::vector<std::string>{"NSCoding", "NSAnimatablePropertyContainer"});
    cls->addMethodList(std::vector<std::string>{"-(id)initWithFrame:(NSRect)frameRect", "+(id)arrayWithObjects:(id)firstObj ,..."});
    cls->setCustomFlag(true);
    cls->setSelectFlag(true);
    cls->setShowSubTree(false);
    records.push_back(cls);
    auto cat = std::make_shared<CategoryData>("NSViewAdditions", "NSView");
    cat->setHedderName("NSView.h");
    records.push_back(cat);
    auto proto = std::make_shared<ProtocolData>("NSCoding", std::nullopt);
    proto->addMethodList(std::vector<std::string>{});  // an empty list is kept as one
    records.push_back(proto);
    records.push_back(std::make_shared<TreeData>());
    records.push_back(std::make_shared<HasMethodsData>("H", "S"));
    auto se = std::make_shared<StructEnumData>();
    se->setName("plain");
    records.push_back(se);
    auto st = std::make_shared<StructData>();
    st->setName("_NSRange");
    st->setStructIndex("{\n    unsigned int location;\n    unsigned int length;\n}");
    records.push_back(st);
    auto en = std::make_shared<EnumData>();
    en->setName("NSComparisonResult");
    en->setStructIndex("{NSOrderedAscending = -1, NSOrderedSame, NSOrderedDescending}");
    records.push_back(en);
    for (std::int32_t kind = 8; kind <= 13; ++kind) {
        auto f = std::make_shared<FunctionMacrosData>(kind);
        f->setName("extern NSString*const NSKind" + std::to_string(kind) + ";");
        f->setFwName("Foundation");
        records.push_back(f);
    }

    PlistArray stored;
    for (const auto& r : records) stored.emplace_back(dictionaryOf(*r));
    kestrel::test::TempDir dir;
    const std::string path = dir.str() + "/records.plist";
    ASSERT_TRUE(PlistFile::writeXML(path, PlistValue(stored)));
    std::optional<PlistArray> back = PlistFile::readArray(path);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->size(), records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        std::shared_ptr<TreeData> again = TreeData::makeDataFromDic(*(*back)[i].getDict());
        ASSERT_TRUE(again) << i;
        EXPECT_EQ(typeid(*again), typeid(*records[i])) << i;
        EXPECT_EQ(dictionaryOf(*again), dictionaryOf(*records[i])) << i;
    }
    // Fields that the dictionary does not show directly.
    auto cat2 = std::dynamic_pointer_cast<CategoryData>(TreeData::makeDataFromDic(*(*back)[1].getDict()));
    EXPECT_EQ(cat2->getTargetClassName(), "NSView");
    auto st2 = TreeData::makeDataFromDic(*(*back)[6].getDict());
    EXPECT_EQ(st2->getID(), 0);
}

TEST(Records, LoadsRecordsWrittenByAnotherTool) {
    std::optional<PlistArray> stored = PlistFile::readArray(std::string(KESTREL_TEST_DATA_DIR) + "/plist/records.bplist");
    ASSERT_TRUE(stored);
    std::vector<std::shared_ptr<TreeData>> loaded;
    for (const PlistValue& v : *stored)
        if (const PlistDict* d = v.getDict())
            if (auto r = TreeData::makeDataFromDic(*d)) loaded.push_back(r);
    ASSERT_EQ(loaded.size(), 4u);  // the one without "kind" and the negative one are skipped
    auto view = std::dynamic_pointer_cast<ClassData>(loaded[0]);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->getMethodString(1), "-(void)display");
    EXPECT_TRUE(view->getShowSubTree());
    auto cat = std::dynamic_pointer_cast<CategoryData>(loaded[1]);
    ASSERT_TRUE(cat);
    EXPECT_EQ(cat->getID(), 1200);      // "1200"
    EXPECT_TRUE(cat->getCustomFlag());  // "1"
    EXPECT_EQ(cat->getTargetClassName(), "NSView");
    EXPECT_EQ(std::dynamic_pointer_cast<StructData>(loaded[2])->getStructIndex(), "{\n    NSPoint origin;\n    NSSize size;\n}");
    EXPECT_EQ(loaded[3]->whoAreYou(), kExternKind);
}
