#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "core/platform/PlistFile.h"
#include "core/platform/PrefData.h"
#include "core/platform/PrefFile.h"
#include "core/platform/ProcessState.h"
#include "support/TempHome.h"

using namespace kestrel;
using kestrel::test::TempHome;

namespace {

PrefData& setUp() {
    PrefFile::setUpPref();
    return *ProcessState::prefData();
}

void writePrefs(const TempHome& home, PlistDict dic) {
    std::filesystem::create_directories(std::filesystem::path(home.prefFile()).parent_path());
    ASSERT_TRUE(PlistFile::writeXML(home.prefFile(), PlistValue(std::move(dic))));
}

PlistDict completeFile() {
    PrefData pref;
    pref.setFont(PrefFont{"Menlo", 11});
    pref.numLimitCharactors = 40;
    pref.addLF = false;
    pref.cWindowAlphaValue = 0.75f;
    pref.cWindowDisplayDelay = 2.0f;
    return pref.prefToDic();
}

}  // namespace

TEST(PrefData, DefaultsAndAttributeSets) {
    PrefData pref;
    pref.prefChanged = pref.treeChanged = true;
    pref.initPref();
    EXPECT_FALSE(pref.prefChanged);
    EXPECT_FALSE(pref.treeChanged);
    EXPECT_TRUE(pref.menuWidthHasLimit);
    EXPECT_EQ(pref.numLimitCharactors, 55);
    EXPECT_FALSE(pref.useCommentInMenu);
    EXPECT_TRUE(pref.addLF);
    EXPECT_FALSE(pref.addMenuSeparetor);
    EXPECT_FLOAT_EQ(pref.cWindowAlphaValue, 1.0f);
    EXPECT_FLOAT_EQ(pref.cWindowDisplayDelay, 0.0f);
    EXPECT_EQ(pref.getFont(), PrefFont{});
    EXPECT_FALSE(pref.getTextAttributes().foreground);
    EXPECT_EQ(pref.getSelectedTextAttributes().background->role, PrefColor::Role::SelectedTextBackground);
    // Built with the defaults, the inactive selection has a background only.
    EXPECT_FALSE(pref.getInactiveSelectedTextAttributes().foreground);
    EXPECT_FLOAT_EQ(pref.getInactiveSelectedTextAttributes().background->alpha, 0.85f);

    pref.setFont(PrefFont{"Menlo", 13});
    for (const TextAttributes* set : {&pref.getTextAttributes(), &pref.getSelectedTextAttributes(),
                                      &pref.getInactiveSelectedTextAttributes()}) {
        EXPECT_EQ(set->font, (PrefFont{"Menlo", 13}));
    }
    EXPECT_EQ(pref.getInactiveSelectedTextAttributes().foreground->role, PrefColor::Role::SelectedText);
}

TEST(PrefFile, WithoutAFileTheDefaultsAreWrittenInFullAtExit) {
    TempHome home;
    PrefData& pref = setUp();
    EXPECT_TRUE(pref.prefChanged);
    EXPECT_EQ(PrefFile::getPrefFilePath(), home.prefFile());
    ASSERT_TRUE(PrefFile::writePref());
    EXPECT_FALSE(pref.prefChanged);
    std::optional<PlistDict> written = PlistFile::readDictionary(home.prefFile());
    ASSERT_TRUE(written);
    EXPECT_EQ(*written, PrefData().prefToDic());
    EXPECT_EQ(written->size(), 9u);
    EXPECT_FALSE(PrefFile::writePref());  // nothing changed since
}

TEST(PrefFile, ACompleteFileRoundTripsAndIsNotRewritten) {
    TempHome home;
    writePrefs(home, completeFile());
    std::optional<std::string> before = TempHome::contents(home.prefFile());
    PrefData& pref = setUp();
    EXPECT_FALSE(pref.prefChanged);
    EXPECT_EQ(pref.getFont(), (PrefFont{"Menlo", 11}));
    EXPECT_EQ(pref.numLimitCharactors, 40);
    EXPECT_FALSE(pref.addLF);
    EXPECT_FLOAT_EQ(pref.cWindowAlphaValue, 0.75f);
    EXPECT_FLOAT_EQ(pref.cWindowDisplayDelay, 2.0f);
    EXPECT_EQ(pref.prefToDic(), completeFile());
    EXPECT_FALSE(PrefFile::writePref());
    EXPECT_EQ(TempHome::contents(home.prefFile()), before);
}

TEST(PrefFile, MissingKeysKeepDefaultsAndAskForARewrite) {
    TempHome home;
    PlistDict onlyFont;
    onlyFont.set("fontName", PlistValue("Menlo"));
    onlyFont.set("pointSize", PlistValue(12.7));
    writePrefs(home, onlyFont);
    PrefData& pref = setUp();
    EXPECT_EQ(pref.getFont(), (PrefFont{"Menlo", 12}));  // cut to whole points
    EXPECT_EQ(pref.numLimitCharactors, 55);
    EXPECT_TRUE(pref.prefChanged);

    // Without "pointSize" the font takes the default size, and that alone asks for no rewrite.
    PlistDict noSize = completeFile();
    noSize.remove("pointSize");
    writePrefs(home, noSize);
    PrefData& again = setUp();
    EXPECT_EQ(&again, &pref);  // the record stays the same object
    EXPECT_EQ(again.getFont(), (PrefFont{"Menlo", 0}));
    EXPECT_FALSE(again.prefChanged);
}

TEST(PrefFile, NumbersAndFlagsWrittenAsTextAreRead) {
    TempHome home;
    PlistDict dic = completeFile();
    dic.set("numLimitCharactors", PlistValue("30"));
    dic.set("addMenuSeparetor", PlistValue("YES"));
    dic.set("cWindowAlphaValue", PlistValue("0.5"));
    writePrefs(home, dic);
    PrefData& pref = setUp();
    EXPECT_EQ(pref.numLimitCharactors, 30);
    EXPECT_TRUE(pref.addMenuSeparetor);
    EXPECT_FLOAT_EQ(pref.cWindowAlphaValue, 0.5f);
    EXPECT_FALSE(pref.prefChanged);
}

TEST(PrefFile, ADamagedFileLoadsWhatItCanAndIsKeptUntilTheUserChangesSomething) {
    TempHome home;
    std::filesystem::create_directories(std::filesystem::path(home.prefFile()).parent_path());
    for (std::string damaged : {std::string("not a property list"),
                                *PlistFile::toXML(PlistValue(PlistArray{PlistValue(1)}))}) {
        home.dir().write(".config/Kestrel.plist", damaged);
        PrefData& pref = setUp();
        EXPECT_EQ(pref.prefToDic(), PrefData().prefToDic());
        EXPECT_FALSE(PrefFile::writePref());
        EXPECT_EQ(TempHome::contents(home.prefFile()), damaged);
    }

    // One value of an unreadable type, and a key missing besides: the rest is read.
    PlistDict dic = completeFile();
    dic.set("addLF", PlistValue(PlistArray{PlistValue(true)}));
    dic.set("fontName", PlistValue(PlistDict{}));
    dic.remove("useCommentInMenu");
    writePrefs(home, dic);
    std::optional<std::string> before = TempHome::contents(home.prefFile());
    PrefData& pref = setUp();
    EXPECT_TRUE(pref.addLF);
    EXPECT_EQ(pref.getFont(), PrefFont{});
    EXPECT_EQ(pref.numLimitCharactors, 40);
    EXPECT_FALSE(PrefFile::writePref());
    EXPECT_EQ(TempHome::contents(home.prefFile()), before);

    pref.prefChanged = true;  // what the preferences dialog does on OK
    EXPECT_TRUE(PrefFile::writePref());
    EXPECT_EQ(PlistFile::readDictionary(home.prefFile()), pref.prefToDic());
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
