#include <QApplication>
#include <QCheckBox>
#include <QFontMetricsF>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QFontComboBox>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <filesystem>

#include "core/model/MethodMenu.h"
#include "core/platform/PlistFile.h"
#include "gui/app/PrefController.h"
#include "gui/app/PrefFonts.h"
#include "gui/lists/MethodView.h"
#include "gui/panels/ClassController.h"
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

// A larger font measures everything again: the tree's boxes and gaps grow with its height (the
// names fit again, nothing overlaps, clicks land where the boxes are drawn), the lists' rows
// grow, and so does the method view, which is kept a few rows high. The default font gives the
// classic sizes back.
TEST_F(PrefControllerTest, ALargerFontGrowsBoxesRowsAndFields) {
    gui::PrefController& dialog = open();
    dialog.ui().fontSizeView->setValue(14);
    dialog.doOkButton();
    const double line = QFontMetricsF(gui::PrefFonts::currentFont()).height();
    ASSERT_GT(line, 18);  // taller than the classic box holds

    const TreeRect button = named("KitButton")->getBounds(), label = named("KitLabel")->getBounds();
    EXPECT_GE(button.height, line + 2);
    EXPECT_GT(button.width, 140 * line / 16 - 1);
    EXPECT_GT(label.y, button.maxY());  // rows apart
    EXPECT_EQ(named("KitButton")->getDisplayName(), "KitButton");
    click(QPoint(static_cast<int>(label.x + label.width / 2), static_cast<int>(label.maxY() - 2)));
    EXPECT_EQ(view().selectedClass(), named("KitLabel"));
    const TreeRect kitView = named("KitView")->getBounds();
    click(QPoint(static_cast<int>(kitView.maxX() - 4), static_cast<int>(kitView.y + 2)));  // its fold zone
    EXPECT_FALSE(named("KitView")->getShowSubTree());

    gui::MethodView& method = *shell->getClassController()->getMethodView();
    EXPECT_GE(method.rowHeight(), line);
    NotificationCenter::defaultCenter().post("ClassMethodWasSelectedMessage", std::string("-(void)setNeedsDisplay:(BOOL)flag"));
    EXPECT_GE(method.minimumHeight(), 2 * method.rowHeight());
    for (QWidget* top : QApplication::topLevelWidgets())
        for (gui::TextArrayView* list : top->findChildren<gui::TextArrayView*>())
            EXPECT_EQ(list->rowHeight(), method.rowHeight()) << list->objectName().toStdString();

    gui::PrefController& back = open();
    back.ui().fontSizeView->setValue(static_cast<int>(QGuiApplication::font().pointSize()));
    back.doOkButton();
    EXPECT_EQ(named("KitView")->getBounds().width, 140);  // (KitButton is folded away)
    EXPECT_EQ(named("KitView")->getBounds().height, 18);
    EXPECT_EQ(method.rowHeight(), gui::TextArrayView::kRowHeight);
}

// Said beside the opacity slider, whole: it only shows where windows are composited.
TEST_F(PrefControllerTest, TheOpacityNoteStandsUnderItsSlider) {
    gui::PrefController& dialog = open();
    QLabel* note = dialog.ui().alphaNoteView;
    EXPECT_TRUE(note->isVisible());
    EXPECT_TRUE(note->text().contains("composit"));
    EXPECT_GE(note->geometry().top(), dialog.ui().alfaSlider->geometry().bottom());
    EXPECT_GE(note->height(), note->heightForWidth(note->width()));
    dialog.doCancelButton();
}

// The about box offers no mail to a made-up address: its only button is OK.
TEST_F(PrefControllerTest, TheAboutBoxLinksToNothing) {
    QStringList buttons;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box) return;
        for (QPushButton* button : box->findChildren<QPushButton*>()) buttons << button->text();
        for (QLabel* label : box->findChildren<QLabel*>()) EXPECT_FALSE(label->text().contains("@")) << label->text().toStdString();
        qobject_cast<QDialog*>(box)->done(1);
    });
    shell->doAbout();
    EXPECT_EQ(buttons, QStringList{"OK"});
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
