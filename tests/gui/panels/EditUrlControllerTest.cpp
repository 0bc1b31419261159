#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "core/model/AnnotationFiles.h"
#include "gui/app/QtText.h"
#include "gui/panels/EditUrlController.h"
#include "support/DialogEnded.h"
#include "support/FullDisk.h"
#include "support/ShellFixture.h"

using namespace kestrel;
using namespace kestrel::gui;
using kestrel::test::ShellFixture;
namespace fs = std::filesystem;

namespace {

const std::string kLabelURL = "https://example.org/KitLabel";

class EditUrlTest : public ShellFixture {
protected:
    void SetUp() override { launch(); }
    EditUrlController& open() {
        editor = new EditUrlController(*shell);
        editor->beginDialog();
        return *editor;
    }
    void select(const std::string& name) {
        const auto& rows = editor->getMainView()->records();
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i]->getName() == name) return editor->getMainView()->doClickAction(static_cast<int>(i));
        ADD_FAILURE() << name << " is not in the list";
    }
    // Types over the field's text as a user does; an empty text clears it.
    void type(const QString& text) {
        QLineEdit& field = *editor->getURLView();
        field.selectAll();
        QTest::keyClick(&field, Qt::Key_Backspace);
        QTest::keyClicks(&field, text);
    }
    QString field() { return editor->getURLView()->text(); }
    // Whether the editor has ended: its window hidden, the controller gone.
    bool ended() { return test::dialogEnded(editor); }
    std::string urlFile() { return test::TempHome::contents(home.dataFile("urls.plist")).value_or("(none)"); }

    QPointer<EditUrlController> editor;
};

}  // namespace

TEST_F(EditUrlTest, EditsCommitOnClassChangesAndOnlyOkStoresThem) {
    AnnotationFiles::writeURLDic(StringDic{{"KitLabel", kLabelURL}});
    open();
    EXPECT_EQ(editor->getMainView()->rowCount(), 5);
    EXPECT_TRUE(editor->getURLView()->isReadOnly());  // no class yet
    select("KitView");
    EXPECT_FALSE(editor->getURLView()->isReadOnly());
    EXPECT_FALSE(editor->getOpenButton()->isEnabled());
    type(" https://example.org/KitView ");
    EXPECT_TRUE(editor->getOpenButton()->isEnabled());
    select("KitLabel");
    EXPECT_EQ(field(), qText(kLabelURL));
    EXPECT_EQ(editor->getTargetDic(), (StringDic{{"KitLabel", kLabelURL}, {"KitView", "https://example.org/KitView"}}));
    QTest::keyClick(editor->getWindow(), Qt::Key_Escape);  // Cancel
    EXPECT_TRUE(ended());
    EXPECT_EQ(AnnotationFiles::getURLDic(), (StringDic{{"KitLabel", kLabelURL}}));

    // The filter commits an edit; a class still in the list stays selected. OK takes the edit
    // of the class in the field too.
    open();
    select("KitView");
    type("https://example.org/v1");
    QTest::keyClicks(editor->getFilterView(), "view");
    EXPECT_EQ(editor->getMainView()->rowCount(), 1);
    EXPECT_EQ(field(), "https://example.org/v1");
    editor->getFilterView()->clear();
    select("KitButton");
    type("file:///usr/include/KitButton.h");
    editor->doOkButton();
    EXPECT_TRUE(ended());
    EXPECT_EQ(AnnotationFiles::getURLDic(), (StringDic{{"KitButton", "file:///usr/include/KitButton.h"},
                                                       {"KitLabel", kLabelURL},
                                                       {"KitView", "https://example.org/v1"}}));
}

// Text put in by the program, or typed into another window, is no edit: an OK then writes
// nothing at all.
TEST_F(EditUrlTest, OnlyTheUsersTypingInTheFieldCounts) {
    open();
    select("KitView");
    editor->getURLView()->setText("https://set.by/the/program");
    select("KitLabel");
    QTest::keyClicks(shell->getClassNameView(), "KitObject");
    QTest::keyClicks(editor->getFilterView(), "Kit");
    select("KitButton");
    editor->getMainView()->doClickAction(-1);  // below the rows: no class
    EXPECT_TRUE(editor->getURLView()->isReadOnly());
    EXPECT_TRUE(editor->getTargetDic().empty());
    editor->doOkButton();
    EXPECT_TRUE(ended());
    EXPECT_FALSE(fs::exists(home.dataFile("urls.plist")));
}

TEST_F(EditUrlTest, ClearingRemovesTheEntryAndTheOpenButtonFollows) {
    AnnotationFiles::writeURLDic(StringDic{{"KitLabel", kLabelURL}, {"KitView", "javascript:alert(1)"}});
    open();
    select("KitView");
    editor->getOpenButton()->click();  // not a web, file or mail address: said, not opened
    EXPECT_TRUE(editor->getMessage().contains("not a web, file or mail address"));
    select("KitLabel");
    EXPECT_TRUE(editor->getMessage().isEmpty());
    type("   ");
    EXPECT_FALSE(editor->getOpenButton()->isEnabled());
    select("KitView");
    editor->getWindow()->close();  // the close box is OK
    EXPECT_TRUE(ended());
    EXPECT_EQ(AnnotationFiles::getURLDic(), (StringDic{{"KitView", "javascript:alert(1)"}}));
}

TEST_F(EditUrlTest, AnUnreadableFileIsNeverOverwrittenAndAFailedWriteKeepsTheEdits) {
    const std::string damaged = "<plist><dict><key>KitLabel</key>";
    home.writeData("urls.plist", damaged);
    open();
    EXPECT_TRUE(editor->getMessage().contains("could not be read"));
    select("KitView");
    type("https://example.org/KitView");
    editor->doOkButton();
    editor->getWindow()->close();
    EXPECT_FALSE(ended());
    EXPECT_TRUE(editor->getMessage().contains("could not be read"));
    EXPECT_EQ(urlFile(), damaged);
    editor->doCancelButton();
    EXPECT_TRUE(ended());
    EXPECT_EQ(urlFile(), damaged);

    fs::remove(home.dataFile("urls.plist"));
    open();
    select("KitView");
    type("https://example.org/KitView");
    {
        test::FullDisk full;
        editor->doOkButton();
    }
    EXPECT_FALSE(ended());
    EXPECT_TRUE(editor->getMessage().contains("could not be stored"));
    EXPECT_FALSE(fs::exists(home.dataFile("urls.plist")));
    editor->doOkButton();  // room again: the same edits are stored
    EXPECT_TRUE(ended());
    EXPECT_EQ(AnnotationFiles::getURLDic(), (StringDic{{"KitView", "https://example.org/KitView"}}));
}
