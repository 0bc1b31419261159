#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QGuiApplication>
#include <QFontComboBox>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <filesystem>

#include "core/model/MethodMenu.h"
#include "core/platform/PlistFile.h"
#include "gui/app/PrefController.h"
#include "gui/app/PrefFonts.h"
#include "support/ShellFixture.h"
#include "support/TempDir.h"
#include "ui_Pref.h"

using namespace kestrel;
using kestrel::test::ShellFixture;

namespace {

class PrefControllerTest : public ShellFixture {
protected:
    void SetUp() override { launch(); }
    gui::PrefController& open() {
        auto* dialog = new gui::PrefController(*shell);
        dialog->begin();
        return *dialog;
    }
    PrefData& pref() { return *ProcessState::prefData(); }
};

}  // namespace

TEST_F(PrefControllerTest, OkTakesTheDialogsValues) {
    pref().prefChanged = false;
    gui::PrefController& dialog = open();
    EXPECT_EQ(dialog.ui().mWidthLimitView->value(), 55);
    EXPECT_TRUE(dialog.ui().limitButton->isChecked());
    // The limit cannot go below what the menus would use anyway.
    dialog.ui().mWidthLimitView->setValue(1);
    EXPECT_EQ(dialog.ui().mWidthLimitView->value(), MethodMenu::kMinimumLimit);
    dialog.ui().mWidthLimitView->setValue(40);
    dialog.ui().useCommentSwitch->setChecked(true);
    dialog.ui().addLFSwitch->setChecked(false);
    dialog.ui().delaySlider->setValue(15);  // 1.5 s: whole seconds are kept
    dialog.ui().alfaSlider->setValue(60);
    EXPECT_NEAR(shell->getTreeWindow()->windowOpacity(), 0.6, 0.01);  // shown at once
    dialog.doOkButton();
    EXPECT_TRUE(pref().prefChanged);
    EXPECT_EQ(pref().numLimitCharactors, 40);
    EXPECT_TRUE(pref().useCommentInMenu);
    EXPECT_FALSE(pref().addLF);
    EXPECT_EQ(pref().cWindowDisplayDelay, 1.0f);
    EXPECT_NEAR(pref().cWindowAlphaValue, 0.6, 0.01);

    // No limit keeps the number; a delay of 0.9 s keeps nothing.
    gui::PrefController& again = open();
    again.ui().noLimitButton->click();
    EXPECT_FALSE(again.ui().mWidthLimitView->isEnabled());
    again.ui().delaySlider->setValue(9);
    again.doOkButton();
    EXPECT_FALSE(pref().menuWidthHasLimit);
    EXPECT_EQ(pref().numLimitCharactors, 40);
    EXPECT_EQ(pref().cWindowDisplayDelay, 0.0f);
    // Stored at exit, as confirmed.
    quit();
    auto stored = PlistFile::readDictionary(home.prefFile());
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->boolValue("menuWidthHasLimit"), false);
    EXPECT_EQ(stored->integerValue("numLimitCharactors"), 40);
}

TEST_F(PrefControllerTest, CancelPutsTheOpacityBackAndChangesNothing) {
    gui::PrefController& dialog = open();
    dialog.ui().alfaSlider->setValue(30);
    dialog.ui().addLFSwitch->setChecked(false);
    dialog.doCancelButton();
    EXPECT_NEAR(shell->getTreeWindow()->windowOpacity(), 1.0, 0.01);
    EXPECT_TRUE(pref().addLF);
    EXPECT_EQ(pref().cWindowAlphaValue, 1.0f);
}

TEST_F(PrefControllerTest, ANewFontRemeasuresTheTree) {
    EXPECT_EQ(named("KitButton")->getDisplayName(), "KitButton");
    gui::PrefController& dialog = open();
    dialog.ui().fontSizeView->setValue(30);
    dialog.doOkButton();
    EXPECT_EQ(pref().getFont().pointSize, 30.0);
    // At 30 points the name no longer fits its box: it is cut.
    EXPECT_NE(named("KitButton")->getDisplayName(), "KitButton");
}

TEST(PrefFonts, AnUnknownFontIsTheSystemFontAtTheStoredSize) {
    const QFont font = gui::PrefFonts::font(PrefFont{"No Such Font Family", 17});
    EXPECT_EQ(font.family(), QGuiApplication::font().family());
    EXPECT_EQ(font.pointSize(), 17);
    EXPECT_EQ(gui::PrefFonts::font(PrefFont{}).pointSizeF(), QGuiApplication::font().pointSizeF());
}

// The SDK is checked as it is typed, refused on OK while it is none (the dialog stays as it is),
// and once taken, stored and read at once: the tree is built again from it, and at the next
// start. A command line's choice holds for its run.
TEST_F(PrefControllerTest, AnSdkChoiceIsCheckedThenStoredAndTheTreeBuiltFromIt) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.path() / "Test.sdk/System/Library");
    std::filesystem::create_directory_symlink(std::string(KESTREL_TEST_DATA_DIR) + "/gui_tree/Frameworks",
                                              dir.path() / "Test.sdk/System/Library/Frameworks");
    const std::string sdk = dir.str() + "/Test.sdk";
    launch(std::nullopt);
    gui::PrefController& dialog = open();
    EXPECT_EQ(dialog.ui().sdkPathView->text(), "");
    EXPECT_TRUE(dialog.ui().sdkNameView->text().startsWith("Default: ")) << dialog.ui().sdkNameView->text().toStdString();
    dialog.ui().sdkPathView->setText(QString::fromStdString(dir.str()));
    EXPECT_TRUE(dialog.ui().sdkNameView->text().endsWith("is no SDK: it has no System/Library/Frameworks"));
    dialog.doOkButton();
    EXPECT_TRUE(dialog.getWindow()->isVisible());
    EXPECT_EQ(pref().sdkPath, "");
    dialog.ui().sdkPathView->setText(QString::fromStdString(sdk + "/"));
    EXPECT_EQ(dialog.ui().sdkNameView->text(), "Test");
    dialog.doOkButton();
    EXPECT_EQ(pref().sdkPath, sdk);
    EXPECT_EQ(ProcessState::frameworksRoot(), sdk + "/System/Library/Frameworks");
    EXPECT_TRUE(named("KitButton"));

    quit();
    EXPECT_EQ(*PlistFile::readDictionary(home.prefFile())->getString("sdkPath"), sdk);
    launch(std::nullopt);
    EXPECT_EQ(ProcessState::frameworksRoot(), sdk + "/System/Library/Frameworks");
    launch(dir.str() + "/Test.sdk/System/Library/Frameworks/../Frameworks");  // the command line's
    gui::PrefController& again = open();
    again.ui().defaultSdkButton->click();
    EXPECT_TRUE(again.ui().sdkNameView->text().startsWith("Default: "));
    again.doOkButton();
    EXPECT_EQ(pref().sdkPath, "");
    EXPECT_EQ(ProcessState::frameworksRoot(), dir.str() + "/Test.sdk/System/Library/Frameworks/../Frameworks");
}
