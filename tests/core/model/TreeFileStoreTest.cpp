#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <set>

#include "core/model/AppAction2.h"
#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/ProtocolData.h"
#include "core/model/StructData.h"
#include "core/model/TreeFileStore.h"
#include "core/model/TreeLinker.h"
#include "core/platform/Host.h"
#include "core/platform/PlistFile.h"
#include "core/platform/PrefData.h"
#include "core/platform/PrefFile.h"
#include "core/platform/ProcessState.h"
#include "support/TempHome.h"

using namespace kestrel;
using kestrel::test::TempHome;
namespace fs = std::filesystem;

namespace {

const char* const kTreeFiles[] = {"classData", "protocolData", "categoryData", "structData",
                                  "enumData", "functions", "typedefs"};

// A controller with its linker and store, as the program holds them.
struct Controller {
    AppAction2 app;
    TreeLinker linker{app.classList, app.classStraightList, app.protocolList,
                      app.categoryList, app.structList, app.enumList};
    TreeFileStore store{app, linker};
    ~Controller() { linker.unlinkAll(); }

    void link() {
        app.classStraightList = linker.copyToStraightList();
        linker.makeTreeList();
        linker.buildProtocolList();
        linker.buildCategoryList();
        linker.setupDataID();
    }
    std::shared_ptr<ClassData> cls(const std::string& name) { return linker.findClassByName(name); }
};

std::shared_ptr<ClassData> makeClass(const std::string& name, std::optional<std::string> super,
                                     const std::string& header) {
    auto record = std::make_shared<ClassData>(name, std::move(super));
    record->setFwName("Foundation");
    record->setHedderName(header);
    record->addMethodList(std::vector<std::string>{"-(id)init", "+(id)new"});
    return record;
}

// What a build leaves: the lists filled and linked, every change flag set.
void build(Controller& c) {
    PrefFile::setUpPref();
    AppAction2& app = c.app;
    app.classList = {makeClass("NSObject", std::nullopt, "NSObject.h"),
                     makeClass("NSView", "NSResponder", "NSView.h"),
                     makeClass("NSResponder", "NSObject", "NSResponder.h"),
                     makeClass("NSButton", "NSView", "NSButton.h")};
    app.classList[1]->setProtocolNames(std::vector<std::string>{"NSCoding", "NSUnknown"});
    app.classList[3]->setSelectFlag(true);
    app.classList[2]->setShowSubTree(false);
    app.classList[0]->setCustomFlag(true);
    app.protocolList = {std::make_shared<ProtocolData>("NSCoding", std::nullopt)};
    app.categoryList = {std::make_shared<CategoryData>("Drawing", "NSView")};
    app.categoryList[0]->setHedderName("NSView.h");
    auto point = std::make_shared<StructData>();
    point->setName("NSPoint");
    point->setStructIndex("{\n\tfloat x;\n\tfloat y;\n}");
    app.structList = {point};
    auto mask = std::make_shared<EnumData>();
    mask->setName("NSMask");
    mask->setStructIndex("{ NSOne = 1 }");
    app.enumList = {mask};
    auto function = std::make_shared<FunctionMacrosData>(kExternKind);
    function->setName("NSString* NSStringFromPoint(NSPoint aPoint)");
    app.functions = {function};
    app.typedefList = {{"NSInteger", "long"}, {"CGFloat", "double"}};
    c.link();
    ProcessState::prefData()->treeChanged = true;
    app.functionsWasChanged = true;
    app.typedefListWasChanged = true;
}

void load(Controller& c) {
    PrefFile::setUpPref();
    c.store.initTreeFromFile();
}

std::vector<std::string> names(const TreeLinker::ClassList& list) {
    std::vector<std::string> out;
    for (const auto& record : list) out.push_back(record->getName().value_or("?"));
    return out;
}

// Every file of the data folder and the preferences file, with its bytes and time.
using Snapshot = std::map<std::string, std::pair<std::string, fs::file_time_type>>;
Snapshot snapshot(const TempHome& home) {
    Snapshot shot;
    for (const auto& entry : fs::recursive_directory_iterator(home.dir().path())) {
        if (!entry.is_regular_file()) continue;
        std::string path = entry.path().string();
        shot[path] = {*TempHome::contents(path), fs::last_write_time(path)};
    }
    return shot;
}
// Puts every file's time in the past, so that any rewrite shows.
void ageFiles(const TempHome& home) {
    for (const auto& entry : fs::recursive_directory_iterator(home.dir().path())) {
        if (entry.is_regular_file()) {
            fs::last_write_time(entry.path(), fs::file_time_type::clock::now() - std::chrono::hours(24));
        }
    }
}

std::string xml(const PlistValue& value) { return *PlistFile::toXML(value); }

}  // namespace

TEST(TreeFileStore, ABuildWrittenAtExitLoadsBackTheSameTree) {
    TempHome home;
    Controller built;
    build(built);
    built.store.applicationWillTerminate();
    for (const char* name : kTreeFiles) EXPECT_TRUE(fs::is_regular_file(home.dataFile(name))) << name;
    EXPECT_TRUE(fs::is_regular_file(home.prefFile()));
    EXPECT_FALSE(ProcessState::prefData()->treeChanged);
    EXPECT_FALSE(built.app.functionsWasChanged);
    EXPECT_FALSE(built.app.typedefListWasChanged);
    // Written atomically: no temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(home.data()), {}), 7);
    // The record lists start with the format number.
    EXPECT_EQ(PlistFile::readArray(home.dataFile("classData"))->front(), PlistValue(1));

    Controller loaded;
    ASSERT_TRUE(TreeFileStore::treeFilesExist());
    load(loaded);
    AppAction2 &a = built.app, &b = loaded.app;
    EXPECT_EQ(TreeFileStore::classToDic(b.classStraightList), TreeFileStore::classToDic(a.classStraightList));
    EXPECT_EQ(TreeFileStore::classToDic(b.protocolList), TreeFileStore::classToDic(a.protocolList));
    EXPECT_EQ(TreeFileStore::classToDic(b.categoryList), TreeFileStore::classToDic(a.categoryList));
    EXPECT_EQ(TreeFileStore::classToDic(b.structList), TreeFileStore::classToDic(a.structList));
    EXPECT_EQ(TreeFileStore::classToDic(b.enumList), TreeFileStore::classToDic(a.enumList));
    EXPECT_EQ(names(b.classList), (std::vector<std::string>{"NSObject"}));
    EXPECT_EQ(names(b.classStraightList), names(a.classStraightList));
    EXPECT_EQ(loaded.cls("NSButton")->superClass(), loaded.cls("NSView").get());
    EXPECT_TRUE(loaded.cls("NSButton")->getSelectFlag());
    EXPECT_FALSE(loaded.cls("NSResponder")->getShowSubTree());
    EXPECT_TRUE(loaded.cls("NSObject")->getCustomFlag());
    ASSERT_EQ(loaded.cls("NSView")->getProtocolObjects().size(), 1u);
    EXPECT_EQ(loaded.cls("NSView")->getCategoryList().size(), 1u);
    EXPECT_EQ(loaded.linker.getClassMaxId(), built.linker.getClassMaxId());
    EXPECT_EQ(loaded.linker.getCategoryMaxId(), built.linker.getCategoryMaxId());
    EXPECT_EQ(loaded.linker.getProtocolMaxId(), 2000);
    EXPECT_EQ(loaded.linker.findDataByID(1800)->getName(), "Drawing");
    ASSERT_EQ(b.functions.size(), 1u);
    EXPECT_EQ(b.functions[0]->whoAreYou(), kExternKind);
    EXPECT_EQ(b.functions[0]->getName(), a.functions[0]->getName());
    EXPECT_EQ(b.typedefList, a.typedefList);
}

TEST(TreeFileStore, QuittingRightAfterALoadWritesNothing) {
    TempHome home;
    {
        Controller built;
        build(built);
        built.store.applicationWillTerminate();
    }
    ageFiles(home);
    Snapshot before = snapshot(home);
    Controller loaded;
    load(loaded);
    EXPECT_FALSE(ProcessState::prefData()->prefChanged);
    EXPECT_FALSE(loaded.app.functionsWasChanged);
    EXPECT_FALSE(loaded.app.typedefListWasChanged);
    loaded.store.applicationWillTerminate();
    EXPECT_EQ(snapshot(home), before);

    // A selection made and taken back still marks the tree as changed: all five lists are
    // written again, with the same contents.
    ProcessState::prefData()->treeChanged = true;
    loaded.store.applicationWillTerminate();
    Snapshot after = snapshot(home);
    for (const auto& [path, file] : before) EXPECT_EQ(after[path].first, file.first) << path;
    EXPECT_NE(after[home.dataFile("classData")].second, before[home.dataFile("classData")].second);
}

TEST(TreeFileStore, ReportsTheLoadProgressAndHandsTheRootsToTheView) {
    struct Recorder : Host {
        std::vector<double> added;
        std::vector<double> set;
        std::vector<std::string> roots;
        void addProgressBarValue(double amount) override { added.push_back(amount); }
        void setProgressBarValue(double value) override { set.push_back(value); }
        void viewSetUp(const std::vector<std::shared_ptr<ClassData>>& list) override { roots = names(list); }
    };
    TempHome home;
    {
        Controller built;
        build(built);
        built.store.applicationWillTerminate();
    }
    Recorder host;
    Host::install(&host);
    Controller loaded;
    load(loaded);
    Host::install(nullptr);
    EXPECT_EQ(host.added, (std::vector<double>{7, 3, 3, 3, 3, 3, 3, 3, 3}));
    EXPECT_EQ(host.set, (std::vector<double>{100}));
    EXPECT_EQ(host.roots, (std::vector<std::string>{"NSObject"}));
}

TEST(TreeFileStore, FileCheckMovesOlderNamesButNeverOntoAFile) {
    TempHome home;
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
    TreeFileStore::fileCheck();  // without a data folder at all: nothing happens
    fs::remove_all(home.data());
    TreeFileStore::fileCheck();
    EXPECT_FALSE(fs::exists(home.data()));
}

TEST(TreeFileStore, StartupCheckMakesTheDataFolderButLeavesAFileInItsPlace) {
    TempHome home;
    EXPECT_EQ(TreeFileStore::getMainFolderPath(), home.data());
    TreeFileStore::startupCheck();
    EXPECT_TRUE(fs::is_directory(home.data()));
    fs::remove(home.data());
    home.dir().write(".local/share/Kestrel", "a file");
    TreeFileStore::startupCheck();
    EXPECT_EQ(TempHome::contents(home.data()), "a file");
}

TEST(TreeFileStore, LoadsWhatItCanFromFilesWithOddElements) {
    TempHome home;
    PlistDict noKind;
    noKind.set("name", PlistValue("Nameless"));
    PlistDict protocol;
    protocol.set("kind", PlistValue(4));
    protocol.set("name", PlistValue("NSCoding"));
    PlistDict view;
    view.set("kind", PlistValue(2));
    view.set("name", PlistValue("NSView"));
    view.set("superName", PlistValue("NSObject"));
    PlistDict object;
    object.set("kind", PlistValue("2"));  // a number written as text still counts
    object.set("name", PlistValue("NSObject"));
    // The format number is not looked at; what is no class record is skipped.
    home.writeData("classData", xml(PlistArray{PlistValue("format?"), PlistValue(object), PlistValue(noKind),
                                               PlistValue("text"), PlistValue(protocol), PlistValue(view)}));
    home.writeData("protocolData", xml(PlistArray{PlistValue(1), PlistValue(protocol)}));
    home.writeData("categoryData", xml(PlistArray{}));
    home.writeData("functions", xml(PlistArray{PlistValue(7), PlistValue(PlistDict{})}));
    home.writeData("typedefs", xml(PlistDict{}));
    PlistDict typedefs;
    typedefs.set("NSInteger", PlistValue("long"));
    typedefs.set("Odd", PlistValue(3));
    home.writeData("typedefs", xml(typedefs));
    ASSERT_TRUE(TreeFileStore::treeFilesExist());  // the struct and enum files play no part
    Controller c;
    load(c);
    EXPECT_EQ(names(c.app.classStraightList), (std::vector<std::string>{"NSObject", "NSView"}));
    EXPECT_EQ(names(c.app.classList), (std::vector<std::string>{"NSObject"}));
    EXPECT_EQ(c.app.protocolList.size(), 1u);
    EXPECT_TRUE(c.app.categoryList.empty());
    EXPECT_TRUE(c.app.structList.empty());
    EXPECT_EQ(c.app.functions.size(), 1u);
    EXPECT_EQ(c.app.typedefList, (std::map<std::string, std::string>{{"NSInteger", "long"}}));

    fs::remove(home.dataFile("categoryData"));
    EXPECT_FALSE(TreeFileStore::treeFilesExist());
}

TEST(TreeFileStore, DamagedFilesAreKeptUntilTheirListChanges) {
    TempHome home;
    {
        Controller built;
        build(built);
        built.store.applicationWillTerminate();
    }
    // Not a property list; the wrong root; one element the reader cannot take.
    home.writeData("protocolData", "<plist><array><integer>1</integer>");
    home.writeData("categoryData", xml(PlistDict{}));
    PlistArray classes = *PlistFile::readArray(home.dataFile("classData"));
    PlistDict odd = *classes[1].getDict();
    odd.set("methodList", PlistValue(PlistArray{PlistValue("-(id)init"), PlistValue(5)}));
    classes[1] = PlistValue(odd);
    home.writeData("classData", xml(classes));
    home.writeData("functions", "garbage");
    home.writeData("typedefs", xml(PlistArray{}));
    ageFiles(home);
    Snapshot before = snapshot(home);

    Controller c;
    load(c);
    EXPECT_EQ(c.app.classStraightList.size(), 4u);
    EXPECT_TRUE(c.app.protocolList.empty());
    EXPECT_TRUE(c.app.functions.empty());
    c.store.applicationWillTerminate();
    EXPECT_EQ(snapshot(home), before);

    // A change that leaves the damaged lists as they were loaded rewrites only the sound files.
    ProcessState::prefData()->treeChanged = true;
    c.store.applicationWillTerminate();
    Snapshot after = snapshot(home);
    for (const char* kept : {"classData", "protocolData", "categoryData", "functions", "typedefs"}) {
        EXPECT_EQ(after[home.dataFile(kept)], before[home.dataFile(kept)]) << kept;
    }
    EXPECT_NE(after[home.dataFile("structData")].second, before[home.dataFile("structData")].second);

    // The user changes the class list: now its file is replaced.
    c.cls("NSButton")->setSelectFlag(false);
    ProcessState::prefData()->treeChanged = true;
    c.store.applicationWillTerminate();
    after = snapshot(home);
    EXPECT_NE(after[home.dataFile("classData")].first, before[home.dataFile("classData")].first);
    EXPECT_EQ(after[home.dataFile("protocolData")], before[home.dataFile("protocolData")]);
}

TEST(TreeFileStore, ARemovedSubtreeLeavesTheClassFileButNotItsCategories) {
    TempHome home;
    {
        Controller built;
        build(built);
        built.store.applicationWillTerminate();
    }
    {
        Controller c;
        load(c);
        c.linker.unSelectAll();
        c.cls("NSView")->setSelectFlag(true);
        ASSERT_TRUE(c.linker.removeSelectedClass());
        ProcessState::prefData()->treeChanged = true;
        c.store.applicationWillTerminate();
    }
    Controller again;
    load(again);
    EXPECT_EQ(names(again.app.classStraightList), (std::vector<std::string>{"NSObject", "NSResponder"}));
    ASSERT_EQ(again.app.categoryList.size(), 1u);
    EXPECT_EQ(again.app.categoryList[0]->getTargetClassName(), "NSView");
}
