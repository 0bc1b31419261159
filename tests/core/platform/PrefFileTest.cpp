#include <gtest/gtest.h>

#include <cstdlib>

#include "core/platform/PrefData.h"
#include "core/platform/PrefFile.h"
#include "core/platform/ProcessState.h"
#include "support/Plists.h"
#include "support/TempHome.h"

using namespace kestrel;
using namespace kestrel::test;

namespace {

PrefData& setUp() {
    PrefFile::setUpPref();
    return *ProcessState::prefData();
}

void writePrefs(const TempHome& home, const PlistDict& dic) { home.dir().write(".config/Kestrel.plist", xml(dic)); }

// A complete file, every value away from its default.
PlistDict completeFile() {
    return dict({{"menuWidthHasLimit", false}, {"numLimitCharactors", 40}, {"useCommentInMenu", true}, {"addLF", false},
                 {"dragStyleMode", 2}, {"editorCommand", "code --goto %f:%l"}, {"hideDeprecated", true},
                 {"addMenuSeparetor", true},
                 {"fontName", "Menlo"}, {"pointSize", 11.0}, {"cWindowAlphaValue", 0.75}, {"cWindowDisplayDelay", 2.0}});
}

}  // namespace

TEST(PrefData, TheFontReachesEveryAttributeSet) {
    PrefData pref;
    pref.setFont(PrefFont{"Menlo", 13});
    for (const TextAttributes* set : {&pref.getTextAttributes(), &pref.getSelectedTextAttributes(),
                                      &pref.getInactiveSelectedTextAttributes()}) {
        EXPECT_EQ(set->font, (PrefFont{"Menlo", 13}));
    }
    EXPECT_EQ(pref.getInactiveSelectedTextAttributes().foreground->role, PrefColor::Role::SelectedText);
}

TEST(PrefFile, WithoutAFileTheDefaultsAreWrittenInFullAtExitOnce) {
    TempHome home;
    PrefData& pref = setUp();
    EXPECT_TRUE(pref.prefChanged);
    EXPECT_EQ(PrefFile::getPrefFilePath(), home.prefFile());
    ASSERT_TRUE(PrefFile::writePref());
    EXPECT_FALSE(pref.prefChanged);
    EXPECT_EQ(PlistFile::readDictionary(home.prefFile()), PrefData().prefToDic());  // the keys of completeFile()
    EXPECT_FALSE(PrefFile::writePref());  // nothing changed since
}

TEST(PrefFile, AReadableFileIsTakenAsItIsAndNotRewritten) {
    TempHome home;
    writePrefs(home, completeFile());
    PrefData& pref = setUp();
    EXPECT_EQ(pref.prefToDic(), completeFile());
    EXPECT_FALSE(pref.prefChanged);
    EXPECT_FALSE(PrefFile::writePref());
    EXPECT_EQ(TempHome::contents(home.prefFile()), xml(completeFile()));
}

TEST(PrefFile, MissingKeysKeepDefaultsAndAskForARewrite) {
    TempHome home;
    writePrefs(home, dict({{"fontName", "Menlo"}, {"pointSize", 12.7}}));
    PrefData& pref = setUp();
    EXPECT_EQ(pref.getFont(), (PrefFont{"Menlo", 12}));  // cut to whole points
    EXPECT_EQ(pref.numLimitCharactors, 55);
    EXPECT_TRUE(pref.prefChanged);

    // Without "pointSize" the font takes the default size, and that alone asks for no rewrite.
    PlistDict noSize = completeFile();
    noSize.remove("pointSize");
    writePrefs(home, noSize);
    setUp();
    EXPECT_EQ(pref.getFont(), (PrefFont{"Menlo", 0}));
    EXPECT_FALSE(pref.prefChanged);
}

// The drag style, the editor command and Hide Deprecated came later: a file from before keeps its choices, reads
// as the declaration style and the desktop's editor, and is not rewritten for them alone.
TEST(PrefFile, AFileFromBeforeTheDragStyleEditorAndHideKeysKeepsItsChoices) {
    TempHome home;
    PlistDict older = completeFile();
    older.remove("dragStyleMode");
    older.remove("editorCommand");
    older.remove("hideDeprecated");
    writePrefs(home, older);
    PrefData& pref = setUp();
    EXPECT_EQ(pref.dragStyleMode, 0);
    EXPECT_EQ(pref.editorCommand, "");
    EXPECT_FALSE(pref.hideDeprecated);  // deprecated entries shown, as before the switch
    EXPECT_EQ(pref.numLimitCharactors, 40);
    EXPECT_FALSE(pref.prefChanged);

    // A style this version does not have (a later one's) and a command that is no text are
    // left to whoever wrote them: the defaults are used, the file stays.
    PlistDict later = completeFile();
    later.set("dragStyleMode", 7);
    later.set("editorCommand", 12);
    later.set("hideDeprecated", PlistValue(PlistArray{}));  // no switch at all
    writePrefs(home, later);
    setUp();
    EXPECT_FALSE(pref.hideDeprecated);
    EXPECT_EQ(pref.dragStyleMode, 0);
    EXPECT_EQ(pref.editorCommand, "");
    EXPECT_FALSE(PrefFile::writePref());
    EXPECT_EQ(TempHome::contents(home.prefFile()), xml(later));

    writePrefs(home, completeFile());
    setUp();
    EXPECT_EQ(pref.dragStyleMode, 2);
    EXPECT_EQ(pref.editorCommand, "code --goto %f:%l");
    EXPECT_TRUE(pref.hideDeprecated);
}

TEST(PrefFile, ADamagedFileLoadsWhatItCanAndIsKeptUntilTheUserChangesSomething) {
    TempHome home;
    for (std::string damaged : {std::string("not a property list"), xml(PlistArray{1})}) {
        home.dir().write(".config/Kestrel.plist", damaged);
        PrefData& pref = setUp();
        EXPECT_EQ(pref.prefToDic(), PrefData().prefToDic());
        EXPECT_FALSE(PrefFile::writePref());
        EXPECT_EQ(TempHome::contents(home.prefFile()), damaged);
    }

    // Values of an unreadable type, and a key missing besides: the rest is read, numbers and
    // flags written as text too.
    PlistDict dic = completeFile();
    dic.set("addLF", PlistArray{true});
    dic.set("fontName", PlistDict{});
    dic.remove("useCommentInMenu");
    dic.set("numLimitCharactors", "30");
    dic.set("addMenuSeparetor", "YES");
    dic.set("cWindowAlphaValue", "0.5");
    writePrefs(home, dic);
    PrefData& pref = setUp();
    EXPECT_EQ(&setUp(), &pref);  // the record stays the same object
    EXPECT_TRUE(pref.addLF && pref.addMenuSeparetor);
    EXPECT_EQ(pref.getFont(), PrefFont{});
    EXPECT_EQ(pref.numLimitCharactors, 30);
    EXPECT_FLOAT_EQ(pref.cWindowAlphaValue, 0.5f);
    EXPECT_FALSE(PrefFile::writePref());
    EXPECT_EQ(TempHome::contents(home.prefFile()), xml(dic));

    pref.prefChanged = true;  // what the preferences dialog does on OK
    EXPECT_TRUE(PrefFile::writePref());
    const PlistDict written = *PlistFile::readDictionary(home.prefFile());
    EXPECT_EQ(written.size(), pref.prefToDic().size());
    for (const auto& [key, value] : pref.prefToDic()) EXPECT_EQ(*written.find(key), value) << key;
}

TEST(PrefFile, TheFolderIsXdgConfigHomeWhenItIsAnAbsolutePath) {
    TempHome home;
    setenv("XDG_CONFIG_HOME", (home.dir().path() / "elsewhere").c_str(), 1);
    EXPECT_EQ(PrefFile::getPrefFilePath(), (home.dir().path() / "elsewhere/Kestrel.plist").string());
    setenv("XDG_CONFIG_HOME", "relative/config", 1);
    EXPECT_EQ(PrefFile::getPrefFilePath(), home.prefFile());
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(PrefFile::getPrefFilePath(), home.prefFile());
}

// The SDK chosen in the preferences has a key of its own, written only while one is chosen: a
// file without it (as older ones are) means the platform's own headers and is not rewritten.
TEST(PrefFile, TheChosenSdkIsStoredUnderAKeyOfItsOwn) {
    TempHome home;
    PlistDict file = completeFile();
    file.set("sdkPath", PlistValue(std::string("/SDKs/MacOSX14.2.sdk")));
    writePrefs(home, file);
    PrefData& pref = setUp();
    EXPECT_EQ(pref.sdkPath, "/SDKs/MacOSX14.2.sdk");
    EXPECT_FALSE(pref.prefChanged);
    EXPECT_EQ(pref.prefToDic(), file);
    pref.sdkPath.clear();
    EXPECT_EQ(pref.prefToDic(), completeFile());
}

// Keys Kestrel does not know -- a later version's, the user's own -- stay where they are when
// Kestrel writes the file, and so does one written into the file while Kestrel ran.
TEST(PrefFile, KeysKestrelDoesNotKnowAreKeptWhenItWritesTheFile) {
    TempHome home;
    PlistDict file = completeFile();
    file.set("sdkPath", "/opt/sdk");
    file.set("recentClasses", PlistArray{"NSView", "NSString"});
    writePrefs(home, file);
    PrefData& pref = setUp();
    PlistDict meanwhile = file;
    meanwhile.set("windowFrames", dict({{"main", "0 0 800 600"}}));
    writePrefs(home, meanwhile);

    pref.addLF = true;
    pref.prefChanged = true;
    ASSERT_TRUE(PrefFile::writePref());
    PlistDict expected = meanwhile;
    expected.set("addLF", true);
    EXPECT_EQ(PlistFile::readDictionary(home.prefFile()), expected);
}

// No font has a name of thousands of characters: such a name is refused before the window
// would look for it (for half a minute), and the file is kept as it is.
TEST(PrefFile, AFontNameLongerThanAnyFontsIsRefused) {
    TempHome home;
    PlistDict file = completeFile();
    file.set("fontName", std::string(1000000, 'M'));
    writePrefs(home, file);
    PrefData& pref = setUp();
    EXPECT_EQ(pref.getFont(), PrefFont{});
    EXPECT_EQ(pref.numLimitCharactors, 40);  // the rest is read
    EXPECT_FALSE(PrefFile::writePref());
    file.set("fontName", std::string(PrefData::kLongestFontName, 'M'));
    writePrefs(home, file);
    EXPECT_EQ(setUp().getFont().name.size(), PrefData::kLongestFontName);
}
