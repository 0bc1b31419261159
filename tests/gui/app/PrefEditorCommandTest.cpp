#include <QLabel>
#include <QLineEdit>

#include "gui/app/PrefController.h"
#include "support/ShellFixture.h"
#include "ui_Pref.h"

using namespace kestrel;
using kestrel::test::ShellFixture;

namespace {

class PrefEditorCommandTest : public ShellFixture {
protected:
    void SetUp() override { launch(); }
};

}  // namespace

// A command that cannot be cut into words is said on OK, and nothing changes until it is mended.
TEST_F(PrefEditorCommandTest, AnOpenQuoteKeepsTheDialogUntilMended) {
    PrefData& pref = *ProcessState::prefData();
    pref.editorCommand = "gvim +%l %f";
    pref.prefChanged = false;
    auto* dialog = new gui::PrefController(*shell);
    dialog->begin();
    Ui::Pref& ui = dialog->ui();
    EXPECT_EQ(ui.editorCommandView->text(), "gvim +%l %f");
    EXPECT_FALSE(ui.editorProblemView->isVisible());
    for (QLabel* note : {ui.editorNoteView, ui.alphaNoteView})  // wrapped, and whole
        EXPECT_GE(note->height(), note->heightForWidth(note->width())) << note->objectName().toStdString();

    ui.editorCommandView->setText("code --goto \"%f:%l");
    dialog->doOkButton();
    EXPECT_TRUE(dialog->getWindow()->isVisible());
    EXPECT_TRUE(ui.editorProblemView->isVisible());
    EXPECT_TRUE(ui.editorProblemView->text().contains("not closed"));
    EXPECT_EQ(pref.editorCommand, "gvim +%l %f");
    EXPECT_FALSE(pref.prefChanged);

    ui.editorCommandView->setText("  code --goto \"%f:%l\"  ");
    dialog->doOkButton();
    EXPECT_EQ(pref.editorCommand, "code --goto \"%f:%l\"");
    EXPECT_TRUE(pref.prefChanged);
}
