#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QMainWindow>
#include <QRadioButton>
#include <QTest>

#include "core/platform/PlistFile.h"
#include "gui/lists/ClassListView.h"
#include "gui/lists/FindResultView.h"
#include "gui/lists/InheritedMethodView.h"
#include "gui/lists/MethodView.h"
#include "gui/panels/ClassController.h"
#include "gui/panels/FindController.h"
#include "gui/panels/FunctionController.h"
#include "support/ShellFixture.h"

using namespace kestrel;
using namespace kestrel::gui;
using kestrel::test::ShellFixture;

namespace {

class SnippetStyleTest : public ShellFixture {
protected:
    void SetUp() override { launch(); }
    QRadioButton* button(const char* name) { return shell->getMainWindow()->findChild<QRadioButton*>(name); }
    // Ctrl+C with the list focused in the main window, as the user presses it.
    QString copiedByKeys(TextArrayView& list) {
        QApplication::clipboard()->clear();
        QApplication::setActiveWindow(shell->getMainWindow());
        list.setFocus();
        QTest::keyClick(&list, Qt::Key_C, Qt::ControlModifier);
        return QApplication::clipboard()->text();
    }
    ClassController& classPanel() { return *shell->getClassController(); }
};

}  // namespace

// Each list that copies in the chosen style copies the snippet once it is chosen.
TEST_F(SnippetStyleTest, EveryListCopiesSnippetsOnceChosen) {
    ProcessState::prefData()->addLF = false;
    QTest::mouseClick(button("snippetStyleButton"), Qt::LeftButton);
    ASSERT_TRUE(button("snippetStyleButton")->isChecked());
    EXPECT_EQ(shell->getDragStyleMode(), 2);

    click(inBox("KitView"));
    NotificationCenter::defaultCenter().post("ClassMethodWasSelectedMessage", std::string("-(id)initWithFrame:(int)frame"));
    MethodView& method = *classPanel().getMethodView();
    QTest::mouseClick(method.viewport(), Qt::LeftButton, {}, QPoint(10, 5));
    EXPECT_EQ(copiedByKeys(method), "[<#KitView *#> initWithFrame:<#(int)#>]");

    classPanel().getInheritedSwitch()->setChecked(true);
    InheritedMethodView& inherited = *classPanel().getInheritedView();
    for (int row = 0; row < inherited.rowCount(); ++row)
        if (inherited.getTextFromArray(row) == "+(id)alloc") inherited.doClickAction(row);
    EXPECT_EQ(copiedByKeys(inherited), "[KitView alloc]");

    FindController& find = *shell->getFindController();
    find.doTargetKindSelect(1);
    find.getKeywordView()->setEditText("setNeeds");
    find.doFindClass();
    find.getResultView()->doClickAction(0);
    EXPECT_EQ(copiedByKeys(*find.getResultView()), "[<#KitView *#> setNeedsDisplay:<#(BOOL)#>]");

    ClassListView& functions = *shell->getFunctionController()->getMainView();
    for (int row = 0; row < functions.rowCount(); ++row)
        if (functions.getTextFromArray(row) == "NSString* KitStringFromRect(KitRect aRect)") functions.doClickAction(row);
    EXPECT_EQ(copiedByKeys(functions), "KitStringFromRect(<#KitRect aRect#>)");

    // The other two styles are as they were.
    QTest::mouseClick(button("callStyleButton"), Qt::LeftButton);
    EXPECT_EQ(copiedByKeys(functions), "NSString*_Value =  KitStringFromRect(KitRect aRect);");
    QTest::mouseClick(button("declarationStyleButton"), Qt::LeftButton);
    EXPECT_EQ(copiedByKeys(functions), "NSString* KitStringFromRect(KitRect aRect);");
}

// The choice is kept in the preferences: 2 for the snippet style, the next start has it again.
TEST_F(SnippetStyleTest, TheChoiceIsKeptForTheNextStart) {
    EXPECT_TRUE(button("declarationStyleButton")->isChecked());
    QTest::mouseClick(button("snippetStyleButton"), Qt::LeftButton);
    quit();
    std::optional<PlistDict> stored = PlistFile::readDictionary(home.prefFile());
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->integerValue("dragStyleMode"), 2);
    launch();
    EXPECT_TRUE(button("snippetStyleButton")->isChecked());
    EXPECT_EQ(shell->getDragStyleMode(), 2);
}
