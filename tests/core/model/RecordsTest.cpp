#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/StructData.h"
#include "core/platform/TextMeasure.h"
#include "support/Plists.h"

using namespace kestrel;
using kestrel::test::dict;
using Names = std::vector<std::string>;

namespace {

PlistDict dictionaryOf(const TreeData& record) {
    PlistDict d;
    record.makeDictionary(d);
    return d;
}

std::optional<std::string> displayed(const std::string& name) {
    TreeData record;
    record.setName(name);
    return record.getDisplayName();
}

}  // namespace

TEST(TreeData, DisplayNameCutAgreesWithDroppingOneCharacterAtATime) {
    // 7 points a character by default: 17 characters (119) and ".." (14) fit, 18 would not; the
    // cut falls between characters (three bytes each here).
    EXPECT_EQ(ClassData().getDisplayName(), std::nullopt);
    std::string wide, expected;
    for (int i = 0; i < 30; ++i) wide += "\xe6\x97\xa5";
    for (int i = 0; i < 17; ++i) expected += "\xe6\x97\xa5";
    EXPECT_EQ(displayed(wide), expected + "..");

    struct Restore {
        ~Restore() { TextMeasure::setFunction(nullptr); }
    } restore;
    // The limit is strictly below 137 points: a name of exactly 137 is cut.
    TextMeasure::setFunction([](std::string_view t) { return t == ".." ? 2.0 : 137.0 * t.size() / 10.0; });
    EXPECT_EQ(displayed("0123456789"), "012345678..");
    EXPECT_EQ(displayed("012345678"), "012345678");

    // A proportional font ("W" wide, "i" narrow): the cut, found by halving, matches the rule as
    // written.
    TextMeasure::setFunction([](std::string_view t) {
        double w = 0;
        for (char c : t) w += c == 'W' ? 13.5 : c == 'i' ? 3.25 : c == '.' ? 3.0 : 7.0;
        return w;
    });
    auto oneByOne = [](std::string text) {
        if (TextMeasure::width(text) < TreeData::kDisplayWidth) return text;
        while (!text.empty() && TextMeasure::width(text) + TextMeasure::width("..") > TreeData::kDisplayWidth)
            text.pop_back();
        return text + "..";
    };
    std::string name;
    for (int n = 0; n < 60; ++n) {
        name += "WiiWxi"[n % 6];
        EXPECT_EQ(displayed(name), oneByOne(name)) << name;
    }
}

// The golden dumps pin the stored form of every kind that the analysers make, and the stored
// tree reads each back into its class. Records made in code take kinds 0 to 7 from their class
// whatever a dictionary says; a number given to a struct is still not stored.
TEST(Records, RecordsMadeInCodeTakeTheirKindFromTheirClass) {
    EXPECT_EQ(ClassData(dict({{"kind", 5}})).whoAreYou(), 2);
    EXPECT_EQ(EnumData(dict({{"kind", 5}})).whoAreYou(), 7);
    StructData s;
    s.setID(1200);
    EXPECT_EQ(dictionaryOf(s), dict({{"kind", 6}}));
    ClassData root("NSObject", std::nullopt);
    root.addProtocolName(std::nullopt);  // neither adds anything
    root.addProtocolObject(nullptr);
    EXPECT_TRUE(root.getProtocolObjects().empty());
    EXPECT_EQ(dictionaryOf(root), dict({{"kind", 2}, {"name", "NSObject"}, {"idNum", 0}, {"customFlag", false},
                                        {"showSubTree", true}, {"selectFlag", false}}));
}

// A record written straight into a file writes what its dictionary holds, key for key.
TEST(Records, WrittenStraightIsItsDictionaryWithoutNotes) {
    FunctionMacrosData full(11);
    full.setName("NSRect NSMakeRect(CGFloat x, CGFloat y, CGFloat w, CGFloat h) <&>");
    full.setFwName("Foundation.framework");
    full.setHedderName("NSGeometry.h");
    full.setID(42);
    DeclarationNotes notes;
    notes.line = 7;  // notes are in a file of their own
    full.setNotes(notes);
    FunctionMacrosData bare(8);
    EnumData options;
    options.setName("NSWindowStyleMask");
    options.setHedderName("NSWindow.h");
    options.setUnderlyingType("NSUInteger");
    options.setConstants(EnumConstant::fromBody("{ NSWindowStyleMaskTitled = 1 << 0, NSWindowStyleMaskClosable }"));
    options.setNotes(notes);
    EnumData empty, plain;
    empty.setConstants({});
    for (const TreeData* record : {static_cast<const TreeData*>(&full), static_cast<const TreeData*>(&bare),
                                   static_cast<const TreeData*>(&options), static_cast<const TreeData*>(&empty),
                                   static_cast<const TreeData*>(&plain)}) {
        PlistXmlWriter straight;
        record->writeDictionary(straight);
        PlistDict dic;
        record->makeDictionary(dic, false);
        PlistXmlWriter through;
        through.value(PlistValue(std::move(dic)));
        EXPECT_EQ(std::move(straight).finish(), std::move(through).finish());
    }
}

// Dictionaries from the other tool's files (which the property-list tests read) come here too.
TEST(Records, TheFactoryRefusesWhatIsNoRecordAndReadsWhatItCan) {
    const char* name = "NSApplicationDidFinishLaunchingNotification and more text";
    auto make = [&](PlistValue kind) { return TreeData::makeDataFromDic(dict({{"kind", kind}, {"name", name}})); };
    EXPECT_EQ(TreeData::makeDataFromDic(PlistDict{}), nullptr);
    for (const PlistValue& kind : {PlistValue(-1), PlistValue("abc"), PlistValue(PlistArray{})})
        EXPECT_EQ(make(kind), nullptr);
    EXPECT_EQ(make(9)->getDisplayName(), std::nullopt);  // functions read back have none
    EXPECT_EQ(make(42)->whoAreYou(), 42);
    EXPECT_TRUE(std::dynamic_pointer_cast<FunctionMacrosData>(make(42)));
    std::shared_ptr<TreeData> s = make("6");  // a kind written as text
    EXPECT_TRUE(std::dynamic_pointer_cast<StructData>(s));
    EXPECT_EQ(s->getDisplayName(), "NSApplicationDidF..");  // kinds up to 7 get one

    auto view = std::dynamic_pointer_cast<ClassData>(TreeData::makeDataFromDic(
        dict({{"kind", 2}, {"name", "NSView"}, {"idNum", "1400"}, {"customFlag", "1"}, {"showSubTree", "YES"},
              {"selectFlag", 0}})));
    ASSERT_TRUE(view);
    EXPECT_EQ(view->getID(), 1400);
    EXPECT_TRUE(view->getCustomFlag() && view->getShowSubTree());
    EXPECT_FALSE(view->getSelectFlag());
    // Absent keys leave fields empty, false or zero; values of the wrong type count as absent;
    // elements of the wrong type in a stored list are skipped.
    auto bare = std::dynamic_pointer_cast<ClassData>(TreeData::makeDataFromDic(
        dict({{"kind", 2}, {"name", "NSView"}, {"superName", 42},
              {"methodList", PlistArray{"-(void)a", 3, "-(void)b"}}})));
    ASSERT_TRUE(bare);
    EXPECT_FALSE(bare->getShowSubTree());  // reloads collapsed
    EXPECT_FALSE(bare->getCustomFlag());
    EXPECT_EQ(bare->getID(), 0);
    EXPECT_EQ(bare->frameWorkName(), std::nullopt);
    EXPECT_EQ(bare->superName(), std::nullopt);
    EXPECT_EQ(bare->getMethodList(), (Names{"-(void)a", "-(void)b"}));
    EXPECT_EQ(bare->getMethodString(1), "-(void)b");
    EXPECT_EQ(bare->getMethodString(2), std::nullopt);
}
