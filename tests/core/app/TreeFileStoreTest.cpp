#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>

#include "core/app/AppAction2.h"
#include "core/app/TreeFileStore.h"
#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/ProtocolData.h"
#include "core/model/StructData.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/Host.h"
#include "core/platform/PrefData.h"
#include "core/platform/PrefFile.h"
#include "core/platform/ProcessState.h"
#include "support/Plists.h"
#include "support/RecordNames.h"
#include "support/TempHome.h"

using namespace kestrel;
using namespace kestrel::test;
using Names = std::vector<std::string>;
namespace fs = std::filesystem;

namespace {

// What a build leaves: the lists filled from a header and linked, flags set on some classes,
// every change flag set.
void build(AppAction2& app) {
    PrefFile::setUpPref();
    TextBuffer header(
        "@interface NSObject\n- (id)init;\n+ (id)new;\n@end\n@interface NSResponder : NSObject\n@end\n"
        "@interface NSView : NSResponder <NSCoding, NSUnknown>\n- (void)display;\n@end\n"
        "@interface NSButton : NSView\n@end\n@protocol NSCoding\n@end\n@interface NSView (Drawing)\n@end\n"
        "typedef struct { float x; float y; } NSPoint;\ntypedef enum { NSOne = 1 } NSMask;\n"
        "typedef long NSInteger;\ntypedef double CGFloat;\nextern NSString* NSStringFromPoint(NSPoint aPoint);\n");
    app.doAnalyseHedderFile(header, "NSView.h", "AppKit.framework", false);
    app.linkTree();
    app.findClassByName("NSButton")->setSelectFlag(true);
    app.findClassByName("NSResponder")->setShowSubTree(false);
    app.findClassByName("NSObject")->setCustomFlag(true);
    ProcessState::prefData()->treeChanged = app.functionsWasChanged = app.typedefListWasChanged = true;
}

void load(AppAction2& app) {
    PrefFile::setUpPref();
    app.initTreeFromFile();
}

// Every file below the home, with its bytes and time.
using Snapshot = std::map<std::string, std::pair<std::string, fs::file_time_type>>;
Snapshot snapshot(const TempHome& home) {
    Snapshot shot;
    for (const auto& entry : fs::recursive_directory_iterator(home.dir().path()))
        if (entry.is_regular_file()) shot[entry.path()] = {*TempHome::contents(entry.path()), entry.last_write_time()};
    return shot;
}
// Puts every file's time in the past, so that any rewrite shows.
void ageFiles(const TempHome& home) {
    const auto yesterday = fs::file_time_type::clock::now() - std::chrono::hours(24);
    for (const auto& entry : fs::recursive_directory_iterator(home.dir().path()))
        if (entry.is_regular_file()) fs::last_write_time(entry.path(), yesterday);
}

}  // namespace

TEST(TreeFileStore, ABuildWrittenAtExitLoadsBackTheSameTree) {
    struct Recorder : Host {  // the opening window and the tree view, as calls in order
        Names events, roots;
        void addProgressBarValue(double amount) override { note("+%g", amount); }
        void setProgressBarValue(double value) override { note("=%g", value); }
        void viewSetUp(const std::vector<std::shared_ptr<ClassData>>& list) override {
            roots = namesOf(list);
            events.push_back("view");
        }
        void note(const char* format, double value) {
            char text[32];
            std::snprintf(text, sizeof text, format, value);
            events.push_back(text);
        }
    } host;
    TempHome home;
    AppAction2 built;
    build(built);
    built.applicationWillTerminate();
    EXPECT_TRUE(fs::is_regular_file(home.prefFile()));
    // One set of the nine in trees/, named by the link currentTree; each of the nine also
    // stands in the data folder, as a link into the current set. No temporary file is left.
    std::set<std::string> files;
    for (const auto& entry : fs::directory_iterator(home.data())) files.insert(entry.path().filename());
    const std::set<std::string> seven{"categoryData", "classData", "enumData", "functions",
                                      "protocolData", "structData", "typedefs", "typedefNotes",
                                      "declarationNotes"};
    std::set<std::string> expected = seven;
    expected.insert({".kestrel.lock", "currentTree", "trees"});
    EXPECT_EQ(files, expected);
    ASSERT_EQ(std::distance(fs::directory_iterator(home.dataFile("trees")), {}), 1);
    const fs::path set = *fs::directory_iterator(home.dataFile("trees"));
    EXPECT_EQ(fs::read_symlink(home.dataFile("currentTree")), "trees" / set.filename());
    for (const std::string& name : seven) {
        EXPECT_EQ(fs::read_symlink(home.dataFile(name)), "currentTree/" + name);
        EXPECT_TRUE(fs::is_regular_file(set / name)) << name;
    }
    EXPECT_EQ(PlistFile::readArray(home.dataFile("classData"))->front(), PlistValue(1));  // the format number
    EXPECT_FALSE(ProcessState::prefData()->treeChanged || built.functionsWasChanged || built.typedefListWasChanged);

    ASSERT_TRUE(TreeFileStore::treeFilesExist());
    AppAction2 loaded;
    Host::install(&host);
    load(loaded);
    Host::install(nullptr);
    // The opening window's bar moves by the same amounts at every load, the tree shown after
    // the classes are linked into a tree.
    EXPECT_EQ(host.events, (Names{"+7", "+3", "+3", "+3", "+3", "+3", "view", "+3", "+3", "+3", "=100"}));
    EXPECT_EQ(host.roots, Names{"NSObject"});
    auto same = [](const auto& a, const auto& b) {
        EXPECT_EQ(TreeFileStore::classToDic(a), TreeFileStore::classToDic(b));
    };
    loaded.ensureNotes();  // the records' notes too
    same(loaded.classStraightList, built.classStraightList);  // flags and numbers included
    same(loaded.protocolList, built.protocolList);
    same(loaded.categoryList, built.categoryList);
    same(loaded.structList, built.structList);
    same(loaded.enumList, built.enumList);
    same(loaded.functions, built.functions);
    EXPECT_EQ(loaded.typedefList, built.typedefList);
    EXPECT_EQ(loaded.findClassByName("NSButton")->superClass(), loaded.findClassByName("NSView").get());
    EXPECT_EQ(loaded.findClassByName("NSView")->getProtocolObjects().size(), 1u);
    EXPECT_EQ(loaded.findClassByName("NSView")->getCategoryList().size(), 1u);
}

TEST(TreeFileStore, StartupChecksMakeTheDataFolderAndMoveOlderNamesButNeverOntoAFile) {
    TempHome home;
    EXPECT_EQ(TreeFileStore::getMainFolderPath(), home.data());
    TreeFileStore::fileCheck();  // without a data folder: nothing happens
    EXPECT_FALSE(fs::exists(home.data()));
    TreeFileStore::startupCheck();
    EXPECT_TRUE(fs::is_directory(home.data()));

    home.writeData("commentData.KSTC", "old comments");
    home.writeData("URLData.KSTU", "old urls");
    home.writeData("CustomHeaders", "old headers");
    home.writeData("urls.plist", "new urls");
    home.writeData("classData", "classes");
    TreeFileStore::fileCheck();
    EXPECT_EQ(TempHome::contents(home.dataFile("comments.plist")), "old comments");
    EXPECT_EQ(TempHome::contents(home.dataFile("privateHeaders.plist")), "old headers");
    EXPECT_FALSE(fs::exists(home.dataFile("commentData.KSTC")));
    EXPECT_EQ(TempHome::contents(home.dataFile("urls.plist")), "new urls");
    EXPECT_EQ(TempHome::contents(home.dataFile("URLData.KSTU")), "old urls");
    EXPECT_EQ(TempHome::contents(home.dataFile("classData")), "classes");

    fs::remove_all(home.data());
    home.dir().write(".local/share/Kestrel", "a file");  // left in place of the folder
    TreeFileStore::startupCheck();
    EXPECT_EQ(TempHome::contents(home.data()), "a file");
}

TEST(TreeFileStore, LoadsWhatItCanFromFilesWithOddElements) {
    TempHome home;
    PlistDict protocol = dict({{"kind", 4}, {"name", "NSCoding"}});
    // The format number is not looked at; what is no class record is skipped; a kind written
    // as text still counts.
    home.writeData("classData", xml(PlistArray{"format?", dict({{"kind", "2"}, {"name", "NSObject"}}),
                                               dict({{"name", "Nameless"}}), "text", protocol,
                                               dict({{"kind", 2}, {"name", "NSView"}, {"superName", "NSObject"}})}));
    home.writeData("protocolData", xml(PlistArray{1, protocol}));
    home.writeData("categoryData", xml(PlistArray{}));
    home.writeData("functions", xml(PlistArray{7, PlistDict{}}));
    home.writeData("typedefs", xml(dict({{"NSInteger", "long"}, {"Odd", 3}})));
    ASSERT_TRUE(TreeFileStore::treeFilesExist());  // the struct and enum files play no part
    AppAction2 c;
    load(c);
    EXPECT_EQ(namesOf(c.classStraightList), (Names{"NSObject", "NSView"}));
    EXPECT_EQ(namesOf(c.classList), Names{"NSObject"});
    EXPECT_EQ(c.protocolList.size(), 1u);
    EXPECT_TRUE(c.categoryList.empty());
    EXPECT_TRUE(c.structList.empty());
    EXPECT_EQ(c.functions.size(), 1u);
    EXPECT_EQ(c.typedefList, (std::map<std::string, std::string>{{"NSInteger", "long"}}));

    fs::remove(home.dataFile("categoryData"));
    EXPECT_FALSE(TreeFileStore::treeFilesExist());
}

TEST(TreeFileStore, DecisiveFilesThatCannotBeReadLeadToABuildWithTheReason) {
    TempHome home;
    home.dir().write("fw/Kit.framework/Headers/KitObject.h", "@interface KitObject\n- (id)init;\n@end\n");
    ProcessState::frameworksRoot() = home.dir().str() + "/fw";
    home.writeData("classData", "not a property list");
    home.writeData("protocolData", xml(PlistDict{}));  // a dictionary where a list belongs
    home.writeData("categoryData", xml(PlistArray{1}));
    struct Notes : Host {
        std::vector<std::string> notes;
        void setNote(const std::string& text) override { notes.push_back(text); }
    } host;
    Host::install(&host);
    AppAction2 app;
    EXPECT_TRUE(app.startUp());  // built
    Host::install(nullptr);
    EXPECT_EQ(namesOf(app.classStraightList), Names{"KitObject"});
    ASSERT_EQ(host.notes.size(), 1u);
    EXPECT_EQ(host.notes[0], app.getStartUpNote());
    EXPECT_NE(app.getStartUpNote().find("(classData: not a property list; protocolData: not a list)"),
              std::string::npos)
        << app.getStartUpNote();
    // The build's tree replaces them at exit, and the next start loads it.
    app.applicationWillTerminate();
    AppAction2 next;
    EXPECT_FALSE(next.startUp());
    EXPECT_TRUE(next.getStartUpNote().empty());
    EXPECT_EQ(namesOf(next.classStraightList), Names{"KitObject"});
}

TEST(TreeFileStore, QuittingWritesOnlyWhatChangedAndDamagedFilesAreKeptUntilTheirListChanges) {
    TempHome home;
    {  // the files that a build leaves at exit
        AppAction2 built;
        build(built);
        built.applicationWillTerminate();
    }
    // Not a property list; the wrong root; one element the reader cannot take. (A class,
    // protocol or category file that gives no list at all leads to a build instead.)
    home.writeData("structData", "<plist><array><integer>1</integer>");
    home.writeData("enumData", xml(PlistDict{}));
    PlistArray classes = *PlistFile::readArray(home.dataFile("classData"));
    classes[1].getDict()->set("methodList", PlistArray{"-(id)init", 5});
    home.writeData("classData", xml(classes));
    home.writeData("functions", "garbage");
    home.writeData("typedefs", xml(PlistArray{}));
    ageFiles(home);
    Snapshot before = snapshot(home);

    AppAction2 c;
    load(c);
    EXPECT_EQ(c.classStraightList.size(), 4u);
    EXPECT_TRUE(c.structList.empty());
    EXPECT_TRUE(c.functions.empty());
    EXPECT_FALSE(ProcessState::prefData()->prefChanged || c.functionsWasChanged || c.typedefListWasChanged);
    c.applicationWillTerminate();  // quitting right after a load writes nothing
    EXPECT_EQ(snapshot(home), before);

    // A change that leaves the damaged lists as they were loaded (a selection made and taken
    // back) rewrites only the sound files, with the same contents.
    ProcessState::prefData()->treeChanged = true;
    c.applicationWillTerminate();
    Snapshot after = snapshot(home);
    for (const char* kept : {"classData", "structData", "enumData", "functions", "typedefs"})
        EXPECT_EQ(after[home.dataFile(kept)], before[home.dataFile(kept)]) << kept;
    EXPECT_NE(after[home.dataFile("protocolData")].second, before[home.dataFile("protocolData")].second);
    EXPECT_EQ(after[home.dataFile("protocolData")].first, before[home.dataFile("protocolData")].first);

    // The user changes the class list: now its file is replaced.
    c.findClassByName("NSButton")->setSelectFlag(false);
    ProcessState::prefData()->treeChanged = true;
    c.applicationWillTerminate();
    after = snapshot(home);
    EXPECT_NE(after[home.dataFile("classData")].first, before[home.dataFile("classData")].first);
    EXPECT_EQ(after[home.dataFile("structData")], before[home.dataFile("structData")]);
}

// Every stored file that is there but cannot be read is named, with the reason, and what a
// build does about it: before, damaged functions or typedefs gave an empty list and no word.
TEST(TreeFileStore, FilesThatCannotBeReadAreNamedWithTheirReason) {
    TempHome home;
    {
        AppAction2 built;
        build(built);
        ASSERT_TRUE(built.applicationWillTerminate().ok());
    }
    home.writeData("functions", "garbage");
    home.writeData("typedefs", xml(PlistArray{}));
    const std::string structs = fs::canonical(home.dataFile("structData")).string();
    ASSERT_EQ(::truncate(structs.c_str(), (off_t{200} << 20)), 0);  // sparse: larger than any stored tree
    AppAction2 app;
    PrefFile::setUpPref();
    EXPECT_FALSE(app.loadOrBuild());
    EXPECT_EQ(app.classStraightList.size(), 4u);
    const std::string& note = app.getStartUpNote();
    for (const char* said : {"structData could not be read (200 MB, larger than the 128 MB such a file can be): the "
                             "structs are left out until a build makes it again.",
                             "functions could not be read (not a property list)",
                             "typedefs could not be read (not a dictionary)"})
        EXPECT_NE(note.find(said), std::string::npos) << said << "\n" << note;
    EXPECT_EQ(note.find("enumData"), std::string::npos);

    // A class file that holds entries but not one class is built again, and says so; one that
    // is sound and simply empty loads, with a word that the tree holds no class.
    home.writeData("classData", xml(PlistArray{1, "text", PlistDict{}}));
    AppAction2 rebuilt;
    rebuilt.getTreeBuilder().doPass1 = nullptr;
    ProcessState::frameworksRoot() = home.dir().str() + "/none";
    EXPECT_TRUE(rebuilt.loadOrBuild());
    EXPECT_NE(rebuilt.getStartUpNote().find("(classData: no class in it)"), std::string::npos) << rebuilt.getStartUpNote();
    home.writeData("classData", xml(PlistArray{1}));
    AppAction2 empty;
    EXPECT_FALSE(empty.loadOrBuild());
    EXPECT_NE(empty.getStartUpNote().find("The stored class tree holds no class (classData)"), std::string::npos)
        << empty.getStartUpNote();
}

namespace {

// The class file's and the functions file's stored dictionaries, with no key of the notes.
bool recordFilesHoldNoNotes(const TempHome& home) {
    for (const char* name : {"classData", "functions"}) {
        const std::optional<PlistArray> file = PlistFile::readArray(home.dataFile(name));
        if (!file) return false;
        for (const PlistValue& element : *file)
            if (const PlistDict* dic = element.getDict())
                for (const char* key : {"line", "doc", "availability", "methodNotes"})
                    if (dic->contains(key)) return false;
    }
    return true;
}

const char* const kNotedHeader =
    "/** The root. */\n@interface NSObject\n/** Makes one. */\n- (id)init "
    "__attribute__((availability(macos,introduced=10.2)));\n@end\n"
    "@interface NSObject (Extras)\n/// Extra.\n- (void)extra;\n@end\n"
    "/** A choice. */\ntypedef enum {\n    /** The first. */\n    NSOne = 1\n} NSChoice;\n"
    "/** Says hello. */\nextern void NSHello(void);\n/** A count. */\ntypedef long NSCount;\n";

}  // namespace

TEST(TreeFileStore, NotesLiveInTheirOwnFileAndAreReadOnceWhenFirstAsked) {
    TempHome home;
    PrefFile::setUpPref();
    AppAction2 built;
    TextBuffer header(kNotedHeader);
    built.doAnalyseHedderFile(header, "NSObject.h", "Foundation.framework", false);
    built.linkTree();
    ProcessState::prefData()->treeChanged = built.functionsWasChanged = built.typedefListWasChanged = true;
    ASSERT_TRUE(built.applicationWillTerminate().ok());
    EXPECT_TRUE(recordFilesHoldNoNotes(home));

    AppAction2 loaded;
    load(loaded);
    auto object = loaded.findClassByName("NSObject");
    ASSERT_TRUE(object);
    EXPECT_TRUE(object->getNotes().empty());  // not read by the load
    EXPECT_TRUE(loaded.typedefNotes.empty());
    loaded.ensureNotes();
    ASSERT_TRUE(loaded.typedefNotes.count("NSCount"));
    EXPECT_EQ(loaded.typedefNotes, built.storedTypedefNotes());
    auto same = [](const auto& a, const auto& b) {
        EXPECT_EQ(TreeFileStore::classToDic(a), TreeFileStore::classToDic(b));
    };
    same(loaded.classStraightList, built.classStraightList);
    same(loaded.categoryList, built.categoryList);
    same(loaded.enumList, built.enumList);
    same(loaded.functions, built.functions);
    EXPECT_EQ(object->getNotes().doc, "The root.");
    ASSERT_TRUE(object->notesOfMethod("-(id)init"));
    EXPECT_TRUE(object->notesOfMethod("-(id)init")->hasAvailability());
    ASSERT_EQ(loaded.enumList.size(), 1u);
    ASSERT_TRUE(loaded.enumList[0]->notesOfConstant("NSOne"));
    EXPECT_EQ(loaded.enumList[0]->notesOfConstant("NSOne")->doc, "The first.");

    // Once: a second call reads nothing again.
    object->setNotes({});
    loaded.ensureNotes();
    EXPECT_TRUE(object->getNotes().empty());

    // A change after a load that never asked for the notes keeps them in the new set.
    {
        AppAction2 changed;
        load(changed);
        ProcessState::prefData()->treeChanged = true;
        ASSERT_TRUE(changed.applicationWillTerminate().ok());
    }
    AppAction2 again;
    load(again);
    again.ensureNotes();
    same(again.classStraightList, built.classStraightList);
    same(again.functions, built.functions);
}

TEST(TreeFileStore, MissingOrDamagedNotesLeaveTheNotesEmptyAndOlderStoresKeepTheirs) {
    TempHome home;
    PrefFile::setUpPref();
    {
        AppAction2 built;
        TextBuffer header(kNotedHeader);
        built.doAnalyseHedderFile(header, "NSObject.h", "Foundation.framework", false);
        built.linkTree();
        ProcessState::prefData()->treeChanged = built.functionsWasChanged = built.typedefListWasChanged = true;
        ASSERT_TRUE(built.applicationWillTerminate().ok());
    }
    const std::string notes = fs::canonical(home.dataFile("declarationNotes")).string();
    PlistDict wrongShape;
    wrongShape.set("classes", PlistValue("x"));
    for (const std::string& bytes : {std::string("garbage"), xml(PlistArray{}), xml(PlistValue(wrongShape))}) {
        SCOPED_TRACE(bytes);
        home.writeData("trees/" + fs::path(notes).parent_path().filename().string() + "/declarationNotes", bytes);
        AppAction2 app;
        load(app);
        ASSERT_EQ(app.classStraightList.size(), 1u);
        app.ensureNotes();
        EXPECT_TRUE(app.classStraightList[0]->getNotes().empty());
        EXPECT_TRUE(app.classStraightList[0]->getMethodNotes().empty());
    }
    AppAction2 damaged;
    home.writeData("trees/" + fs::path(notes).parent_path().filename().string() + "/declarationNotes", "garbage");
    load(damaged);
    damaged.ensureNotes();
    ASSERT_EQ(damaged.getTreeFileStore().getLoadNotes().size(), 1u);
    EXPECT_NE(damaged.getTreeFileStore().getLoadNotes()[0].find("declarationNotes could not be read (not a property list)"),
              std::string::npos);

    // A store of older versions: no notes file, the notes inside the records, as read.
    fs::remove(notes);
    PlistArray classes = *PlistFile::readArray(home.dataFile("classData"));
    classes[1].getDict()->set("doc", PlistValue("Kept."));
    home.writeData("trees/" + fs::path(notes).parent_path().filename().string() + "/classData", xml(PlistValue(classes)));
    AppAction2 older;
    load(older);
    older.ensureNotes();
    ASSERT_EQ(older.classStraightList.size(), 1u);
    EXPECT_EQ(older.classStraightList[0]->getNotes().doc, "Kept.");
    EXPECT_TRUE(older.getTreeFileStore().getLoadNotes().empty());
}
