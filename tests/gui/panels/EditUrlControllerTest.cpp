#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "core/model/AnnotationFiles.h"
#include "gui/app/QtText.h"
#include "gui/panels/EditUrlController.h"
#include "support/DialogFixture.h"
#include "support/FileSizeLimit.h"

using namespace kestrel;
using namespace kestrel::gui;
namespace fs = std::filesystem;

namespace {

const std::string kLabelURL = "https://example.org/KitLabel";

class EditUrlTest : public test::DialogFixture<EditUrlController> {
protected:
    void SetUp() override { launch(); }
    EditUrlController& open() {
        dialog = new EditUrlController(*shell);
        dialog->beginDialog();
        return *dialog;
    }
    void select(const std::string& name) {
        const auto& rows = dialog->getMainView()->records();
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i]->getName() == name) return dialog->getMainView()->doClickAction(static_cast<int>(i));
        ADD_FAILURE() << name << " is not in the list";
    }
    // Types over the field's text as a user does; an empty text clears it.
    void type(const QString& text) {
        QLineEdit& field = *dialog->getURLView();
        field.selectAll();
        QTest::keyClick(&field, Qt::Key_Backspace);
        QTest::keyClicks(&field, text);
    }
    QString field() { return dialog->getURLView()->text(); }
};

}  // namespace

TEST_F(EditUrlTest, EditsCommitOnClassChangesAndOnlyOkStoresThem) {
    AnnotationFiles::writeURLDic(StringDic{{"KitLabel", kLabelURL}});
    open();
    EXPECT_EQ(dialog->getMainView()->rowCount(), 5);
    EXPECT_TRUE(dialog->getURLView()->isReadOnly());  // no class yet
    select("KitView");
    EXPECT_FALSE(dialog->getURLView()->isReadOnly());
    EXPECT_FALSE(dialog->getOpenButton()->isEnabled());
    type(" https://example.org/KitView ");
    EXPECT_TRUE(dialog->getOpenButton()->isEnabled());
    select("KitLabel");
    EXPECT_EQ(field(), qText(kLabelURL));
    EXPECT_EQ(dialog->getTargetDic(), (StringDic{{"KitLabel", kLabelURL}, {"KitView", "https://example.org/KitView"}}));
    QTest::keyClick(dialog->getWindow(), Qt::Key_Escape);  // Cancel
    EXPECT_TRUE(ended());
    EXPECT_EQ(AnnotationFiles::getURLDic(), (StringDic{{"KitLabel", kLabelURL}}));

    // The filter commits an edit; a class still in the list stays selected. OK takes the edit
    // of the class in the field too.
    open();
    select("KitView");
    type("https://example.org/v1");
    QTest::keyClicks(dialog->getFilterView(), "view");
    EXPECT_EQ(dialog->getMainView()->rowCount(), 1);
    EXPECT_EQ(field(), "https://example.org/v1");
    dialog->getFilterView()->clear();
    select("KitButton");
    type("file:///usr/include/KitButton.h");
    dialog->doOkButton();
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
    dialog->getURLView()->setText("https://set.by/the/program");
    select("KitLabel");
    QTest::keyClicks(shell->getClassNameView(), "KitObject");
    QTest::keyClicks(dialog->getFilterView(), "Kit");
    select("KitButton");
    dialog->getMainView()->doClickAction(-1);  // below the rows: no class
    EXPECT_TRUE(dialog->getURLView()->isReadOnly());
    EXPECT_TRUE(dialog->getTargetDic().empty());
    dialog->doOkButton();
    EXPECT_TRUE(ended());
    EXPECT_FALSE(fs::exists(home.dataFile("urls.plist")));
}

TEST_F(EditUrlTest, ClearingRemovesTheEntryAndTheOpenButtonFollows) {
    AnnotationFiles::writeURLDic(StringDic{{"KitLabel", kLabelURL}, {"KitView", "javascript:alert(1)"}});
    open();
    select("KitView");
    dialog->getOpenButton()->click();  // not a web, file or mail address: said, not opened
    EXPECT_TRUE(dialog->getMessage().contains("not a web, file or mail address"));
    select("KitLabel");
    EXPECT_TRUE(dialog->getMessage().isEmpty());
    type("   ");
    EXPECT_FALSE(dialog->getOpenButton()->isEnabled());
    select("KitView");
    dialog->getWindow()->close();  // the close box is OK
    EXPECT_TRUE(ended());
    EXPECT_EQ(AnnotationFiles::getURLDic(), (StringDic{{"KitView", "javascript:alert(1)"}}));
}

TEST_F(EditUrlTest, AnUnreadableFileIsNeverOverwrittenAndAFailedWriteKeepsTheEdits) {
    const std::string damaged = "<plist><dict><key>KitLabel</key>";
    home.writeData("urls.plist", damaged);
    open();
    EXPECT_TRUE(dialog->getMessage().contains("could not be read"));
    select("KitView");
    type("https://example.org/KitView");
    expectOkRefused("could not be read", "urls.plist", damaged);
    dialog->getWindow()->close();  // the close box is OK, refused the same way
    EXPECT_FALSE(ended());
    dialog->doCancelButton();
    EXPECT_TRUE(ended());
    EXPECT_EQ(stored("urls.plist"), damaged);

    fs::remove(home.dataFile("urls.plist"));
    open();
    select("KitView");
    type("https://example.org/KitView");
    {
        test::FileSizeLimit full;
        expectOkRefused("could not be stored", "urls.plist", "none");
    }
    dialog->doOkButton();  // room again: the same edits are stored
    EXPECT_TRUE(ended());
    EXPECT_EQ(AnnotationFiles::getURLDic(), (StringDic{{"KitView", "https://example.org/KitView"}}));
}

// An address longer than any browser takes is refused with the reason (the field used to cut a
// pasted one at 32,767 characters without a word); one just within the size is kept whole.
TEST_F(EditUrlTest, AnAddressLongerThanAnyBrowserTakesIsRefusedWithTheReason) {
    open();
    select("KitView");
    const QString longest = QStringLiteral("https://example.org/") +
                            QString(static_cast<int>(AnnotationFiles::kLongestURL) - 20, QLatin1Char('a'));
    dialog->getURLView()->setText(longest + QStringLiteral("aa"));  // as a paste gives it
    emit dialog->getURLView()->textEdited(dialog->getURLView()->text());
    const std::string before = stored("urls.plist");
    expectOkRefused("longer than any browser accepts", "urls.plist", before);
    select("KitLabel");  // the edit is not kept, and the message says why
    EXPECT_TRUE(dialog->getMessage().contains("not kept")) << dialog->getMessage().toStdString();
    EXPECT_TRUE(dialog->getTargetDic().empty());

    select("KitView");
    dialog->getURLView()->setText(longest);
    emit dialog->getURLView()->textEdited(longest);
    dialog->doOkButton();
    EXPECT_TRUE(ended());
    EXPECT_EQ(AnnotationFiles::getClassURL("KitView")->size(), AnnotationFiles::kLongestURL);
}
