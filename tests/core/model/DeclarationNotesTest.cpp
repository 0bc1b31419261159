// The notes of declarations in the stored records: they go out and come back whole, a record
// stored before them loads and writes back as it was, and damaged values are passed over.
#include <gtest/gtest.h>

#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/TreeData.h"

using namespace kestrel;

namespace {

DeclarationNotes notes(std::int64_t line, std::optional<std::string> doc, const char* deprecatedIn = nullptr) {
    DeclarationNotes n;
    n.line = line;
    n.doc = std::move(doc);
    if (deprecatedIn) {
        n.availability.introduce("macos", "10.0");
        n.availability.deprecate("macos", deprecatedIn);
        n.availability.setReplacement("-newThing");
    }
    return n;
}

template <class Record>
std::shared_ptr<TreeData> roundTrip(const Record& record, PlistDict* stored = nullptr) {
    PlistDict dic;
    record.makeDictionary(dic);
    if (stored) *stored = dic;
    return TreeData::makeDataFromDic(dic);
}

}  // namespace

TEST(DeclarationNotes, RecordsMethodsAndConstantsKeepTheirNotesThroughTheStoredForm) {
    ClassData view("NSView", "NSResponder");
    view.addMethodList(std::vector<std::string>{"-(void)lockFocus", "-(void)display"});
    view.setNotes(notes(80, "A view.\n@discussion Draws."));
    view.setMethodNotes({{"-(void)lockFocus", notes(187, std::nullopt, "10.14")}});
    PlistDict stored;
    auto back = std::dynamic_pointer_cast<ClassData>(roundTrip(view, &stored));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->getNotes(), view.getNotes());
    EXPECT_EQ(back->getMethodNotes(), view.getMethodNotes());
    ASSERT_TRUE(back->notesOfMethod("-(void)lockFocus"));
    EXPECT_TRUE(back->notesOfMethod("-(void)lockFocus")->availability.isDeprecated());
    EXPECT_FALSE(back->notesOfMethod("-(void)display"));  // a method without notes has no entry
    // The keys as the other tools read them.
    EXPECT_EQ(stored.integerValue("line"), 80);
    const PlistDict* method = stored.getDict("methodNotes")->getDict("-(void)lockFocus");
    EXPECT_EQ(*method->getDict("availability")->getDict("macos")->getString("deprecated"), "10.14");
    EXPECT_EQ(*method->getDict("availability")->getString("replacement"), "-newThing");

    EnumData mode;
    mode.setName("NSMode");
    mode.setConstants({{"NSModeA", "0"}, {"NSModeB", std::nullopt}});
    mode.setConstantNotes({{"NSModeB", notes(12, "The second.")}});
    auto modeBack = std::dynamic_pointer_cast<EnumData>(roundTrip(mode));
    ASSERT_TRUE(modeBack);
    EXPECT_EQ(modeBack->getConstantNotes(), mode.getConstantNotes());

    FunctionMacrosData function(kExternKind);
    function.setName("NSRect NSMakeRect(CGFloat x)");
    function.setNotes(notes(30, "Makes a rect.", "10.9"));
    auto functionBack = roundTrip(function);
    EXPECT_EQ(functionBack->getNotes(), function.getNotes());
}

TEST(DeclarationNotes, ARecordStoredBeforeNotesLoadsWithoutThemAndWritesBackAsItWas) {
    PlistDict old;
    old.set("kind", PlistValue(2));
    old.set("name", PlistValue("NSView"));
    old.set("idNum", PlistValue(1000));
    old.set("methodList", PlistValue::fromStrings({"-(void)display"}));
    old.set("customFlag", PlistValue(false));
    old.set("showSubTree", PlistValue(true));
    old.set("selectFlag", PlistValue(false));
    auto record = std::dynamic_pointer_cast<ClassData>(TreeData::makeDataFromDic(old));
    ASSERT_TRUE(record);
    EXPECT_TRUE(record->getNotes().empty());
    EXPECT_TRUE(record->getMethodNotes().empty());
    PlistDict again;
    record->makeDictionary(again);
    EXPECT_EQ(again, old);
}

TEST(DeclarationNotes, DamagedValuesArePassedOverAndTheRestKept) {
    PlistDict dic;
    dic.set("kind", PlistValue(2));
    dic.set("name", PlistValue("NSView"));
    dic.set("line", PlistValue("80"));  // not a number
    dic.set("doc", PlistValue(7));      // not a text
    dic.set("availability", PlistValue(PlistArray{}));
    PlistDict methodNotes;
    methodNotes.set("-(void)a", PlistValue("not a dictionary"));
    PlistDict zero;
    zero.set("line", PlistValue(0));  // lines count from 1
    methodNotes.set("-(void)b", PlistValue(zero));
    PlistDict good;
    good.set("line", PlistValue(12));
    PlistDict availability;
    PlistDict macos;
    macos.set("introduced", PlistValue("10.7"));
    macos.set("deprecated", PlistValue(true));  // not a version: left out
    availability.set("macos", PlistValue(macos));
    availability.set("ios", PlistValue("bad"));
    good.set("availability", PlistValue(availability));
    methodNotes.set("-(void)c", PlistValue(good));
    dic.set("methodNotes", PlistValue(methodNotes));
    auto record = std::dynamic_pointer_cast<ClassData>(TreeData::makeDataFromDic(dic));
    ASSERT_TRUE(record);
    EXPECT_TRUE(record->getNotes().empty());
    ASSERT_EQ(record->getMethodNotes().size(), 1u);
    const DeclarationNotes* c = record->notesOfMethod("-(void)c");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->line, 12);
    ASSERT_TRUE(c->availability.find("macos"));
    EXPECT_EQ(c->availability.find("macos")->introduced, "10.7");
    EXPECT_FALSE(c->availability.find("macos")->deprecated);
    EXPECT_FALSE(c->availability.find("ios"));
}

// A typedef's notes say where it is; a copy has its own place, and notes compare by it.
TEST(DeclarationNotes, ATypedefsPlaceIsCopiedWholeAndComparedByValue) {
    DeclarationNotes typedefNotes = notes(5, "A length.");
    typedefNotes.fwName = "CoreGraphics";
    typedefNotes.hedderName = "CGBase.h";
    DeclarationNotes copy = typedefNotes;
    EXPECT_EQ(copy, typedefNotes);
    typedefNotes.fwName = "Foundation";
    typedefNotes.hedderName.reset();
    EXPECT_EQ(copy.fwName.value_or(""), "CoreGraphics");
    EXPECT_EQ(*copy.hedderName, "CGBase.h");
    EXPECT_NE(copy, typedefNotes);
    PlistDict dic;
    copy.writeTo(dic);
    const DeclarationNotes back = DeclarationNotes::readFrom(dic);
    EXPECT_EQ(back, copy);
    EXPECT_FALSE(back.empty());
    EXPECT_FALSE(DeclarationNotes{}.fwName);
    EXPECT_TRUE(DeclarationNotes{}.empty());
}
