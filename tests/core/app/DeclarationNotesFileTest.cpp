// The notes file written as it goes (short availability, no indentation) reads back as its
// dictionary does, into the records it was made from.
#include <gtest/gtest.h>

#include "core/app/DeclarationNotesFile.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/RecordLists.h"
#include "core/platform/PlistFile.h"

using namespace kestrel;

namespace {

DeclarationNotes notes(std::int64_t line, const char* doc = nullptr, const char* deprecatedIn = nullptr) {
    DeclarationNotes n;
    n.line = line;
    if (doc) n.doc = doc;
    if (deprecatedIn) {
        n.availability.introduce("macos", "10.0");
        n.availability.deprecate("macos", deprecatedIn);
    }
    return n;
}

}  // namespace

TEST(DeclarationNotesFile, WrittenAsItGoesIsItsDictionary) {
    RecordLists lists;
    DeclarationNotesFile::Classes classes;
    // A second and a third NSView, the third after others: "#2" and "#3".
    for (const char* name : {"NSView", "NSView", "NSBare", "NSEmptyMethods", "NSView"}) {
        auto record = std::make_shared<ClassData>(name, "NSResponder");
        record->setFwName("AppKit");
        record->setHedderName("NSView.h");
        classes.push_back(record);
    }
    classes[0]->setNotes(notes(80, "A view <of> things & more."));
    classes[0]->setMethodNotes({{"-(void)lockFocus", notes(187, nullptr, "10.14")}, {"-(void)plain", {}}});
    classes[1]->setNotes(notes(300));
    classes[3]->setMethodNotes({{"-(void)nothing", {}}});  // a map of empty notes still makes an entry
    classes[4]->setNotes(notes(400));
    auto mode = std::make_shared<EnumData>();
    mode->setName("NSMode");
    mode->setConstants({{"NSModeA", "0"}});
    mode->setConstantNotes({{"NSModeA", notes(12, "The first.")}});
    lists.enumList.push_back(mode);
    auto function = std::make_shared<FunctionMacrosData>(kExternKind);
    function->setName("NSRect NSMakeRect(CGFloat x)");
    function->setNotes(notes(30, "Makes a rect.", "10.9"));
    lists.functions.push_back(function);
    lists.functions.push_back(nullptr);

    std::string streamed;
    ASSERT_TRUE(DeclarationNotesFile::writeXML(classes, lists, [&](std::string_view piece) {
        streamed.append(piece);
        return true;
    }));
    EXPECT_EQ(streamed.find('\t'), std::string::npos);
    EXPECT_NE(streamed.find("<string>macos 10.0 deprecated 10.9</string>"), std::string::npos);
    const PlistDict whole = DeclarationNotesFile::toDict(classes, lists);
    EXPECT_TRUE(whole.getDict("classes")->contains("NSView@AppKit/NSView.h#2"));
    EXPECT_TRUE(whole.getDict("classes")->contains("NSView@AppKit/NSView.h#3"));
    EXPECT_FALSE(whole.getDict("classes")->contains("NSBare@AppKit/NSView.h"));
    const std::optional<PlistValue> read = PlistFile::parse(streamed);
    ASSERT_TRUE(read && read->getDict());
    ASSERT_EQ(read->getDict()->size(), whole.size());

    // Read back into fresh records, from the file and from the dictionary: each gets its own.
    for (const PlistDict* source : {read->getDict(), &whole}) {
        DeclarationNotesFile::Classes fresh;
        for (const auto& record : classes) {
            auto copy = std::make_shared<ClassData>(*record->getName(), "NSResponder");
            copy->setFwName("AppKit");
            copy->setHedderName("NSView.h");
            fresh.push_back(copy);
        }
        RecordLists freshLists;
        auto freshMode = std::make_shared<EnumData>();
        freshMode->setName("NSMode");
        freshLists.enumList.push_back(freshMode);
        auto freshFunction = std::make_shared<FunctionMacrosData>(kExternKind);
        freshFunction->setName("NSRect NSMakeRect(CGFloat x)");
        freshLists.functions.push_back(freshFunction);
        DeclarationNotesFile::apply(*source, fresh, freshLists);
        for (std::size_t i = 0; i < classes.size(); ++i) {
            EXPECT_EQ(fresh[i]->getNotes(), classes[i]->getNotes());
            NotesByName said;  // empty notes are left out
            for (const auto& [method, note] : classes[i]->getMethodNotes())
                if (!note.empty()) said.emplace(method, note);
            EXPECT_EQ(fresh[i]->getMethodNotes(), said);
        }
        EXPECT_TRUE(fresh[0]->notesOfMethod("-(void)lockFocus")->availability.isDeprecated());
        EXPECT_EQ(freshMode->getConstantNotes(), mode->getConstantNotes());
        EXPECT_EQ(freshFunction->getNotes(), function->getNotes());
    }
}
