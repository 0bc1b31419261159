// The comment editor on the small framework: what is committed when, what the filters show,
// and what reaches the comment file at the end.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>

#include "core/model/ClassData.h"
#include "gui/panels/EditCommentController.h"
#include "support/FileSizeLimit.h"
#include "support/CommentFixture.h"

using namespace kestrel;
using namespace kestrel::gui;
using kestrel::test::FileSizeLimit;
using kestrel::test::CommentFixture;

namespace {

const std::string kDisplay = "-(void)display";
const std::string kInit = "-(id)init";
const std::string kTitle = "-(void)setTitle:(id)title";

class CommentEditorTest : public CommentFixture<EditCommentController> {
protected:
    void SetUp() override {
        AnnotationFiles::writeCommentDic({{kDisplay, "Draws the view."}, {"void KitBeep(void)", "Beeps."}});
        launch();
    }
    EditCommentController& open() {
        dialog = new EditCommentController(*shell);
        dialog->beginDialog();
        QApplication::processEvents();
        posted.clear();
        return *dialog;
    }
    // Clicks the row of item, as the user does.
    void select(const std::string& item) {
        const auto& rows = dialog->getFilterdList();
        const auto found = std::find(rows.begin(), rows.end(), item);
        ASSERT_NE(found, rows.end()) << item;
        dialog->getMethodListView()->doClickAction(static_cast<int>(found - rows.begin()));
    }
    void type(const QString& text) { QTest::keyClicks(dialog->getCommentView(), text); }
    bool shows(const std::string& item) {
        const auto& rows = dialog->getFilterdList();
        return std::find(rows.begin(), rows.end(), item) != rows.end();
    }
    QString comment() { return dialog->getCommentView()->toPlainText(); }
};

}  // namespace

TEST_F(CommentEditorTest, CommitsOnLeavingALineAndOkWritesOnce) {
    open();
    EXPECT_TRUE(dialog->getCommentView()->isReadOnly());  // nothing selected: nothing to type into
    select(kDisplay);
    EXPECT_EQ(comment(), "Draws the view.");
    EXPECT_FALSE(dialog->getCommentView()->isReadOnly());
    EXPECT_FALSE(dialog->commentWasEdited());  // the editor's own filling is no edit
    type(" Twice.");
    EXPECT_TRUE(dialog->commentWasEdited());

    select(kTitle);  // leaving the line commits it, to the working copy only
    EXPECT_TRUE(dialog->dicWasEdited());
    EXPECT_FALSE(dialog->commentWasEdited());
    EXPECT_TRUE(comment().isEmpty());
    EXPECT_EQ(saved().at(kDisplay), "Draws the view.");
    type("Sets it.");
    // The comment being typed is kept by OK without leaving its line.
    dialog->doOkButton();
    EXPECT_TRUE(ended());
    EXPECT_EQ(saved(), (StringDic{{kDisplay, "Draws the view. Twice."}, {kTitle, "Sets it."}, {"void KitBeep(void)", "Beeps."}}));
    EXPECT_EQ(changes(), 1);
}

TEST_F(CommentEditorTest, LookingIsNoEditing) {
    const std::string before = bytes();
    open();
    select(kDisplay);
    select(kInit);
    type("x");
    QTest::keyClick(dialog->getCommentView(), Qt::Key_Backspace);  // typed and taken back
    select(kDisplay);
    dialog->getMethodListView()->doClickAction(-1);  // below the rows: nothing selected
    EXPECT_TRUE(dialog->getCommentView()->isReadOnly());
    EXPECT_TRUE(comment().isEmpty());
    EXPECT_FALSE(dialog->dicWasEdited());
    dialog->getWindow()->close();  // the close box is OK: nothing changed, nothing written
    EXPECT_TRUE(ended());
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(changes(), 0);
}

TEST_F(CommentEditorTest, CancelLosesEverythingAndTheCloseBoxKeepsIt) {
    const std::string before = bytes();
    open();
    select(kInit);
    type("Lost.");
    select(kTitle);
    dialog->doCancelButton();
    EXPECT_TRUE(ended());
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(changes(), 0);

    open();
    select(kDisplay);
    dialog->getCommentView()->clear();  // erased completely: stored as an empty comment
    dialog->getWindow()->close();
    EXPECT_TRUE(ended());
    EXPECT_EQ(saved().at(kDisplay), "");
    EXPECT_EQ(changes(), 1);
}

TEST_F(CommentEditorTest, FiltersAndModes) {
    open();
    EXPECT_EQ(dialog->getTotalCountView()->text(), "12");
    EXPECT_EQ(dialog->getVisibleCountView()->text(), "12");
    select(kInit);
    type("Fresh.");
    // Without a comment in the file on disk: the comment just typed is not there yet.
    dialog->getWithoutCommentSwitchView()->setChecked(true);
    EXPECT_TRUE(dialog->dicWasEdited());  // the line was left, and committed
    EXPECT_FALSE(shows(kDisplay));
    EXPECT_TRUE(shows(kInit));
    EXPECT_EQ(dialog->getVisibleCountView()->text(), "11");

    // Keywords apply on the find button only.
    QLineEdit* keywords = dialog->getKeywordView();
    QPushButton* find = dialog->getFindButtonView();
    EXPECT_FALSE(keywords->isEnabled());
    dialog->getKeywordSwitchView()->setChecked(true);
    EXPECT_TRUE(keywords->isEnabled());
    EXPECT_FALSE(find->isEnabled());
    QTest::keyClicks(keywords, "INIT with");
    EXPECT_TRUE(find->isEnabled());
    EXPECT_EQ(dialog->getFilterdList().size(), 11u);
    QTest::keyClick(keywords, Qt::Key_Return);  // finds; it does not end the dialog
    EXPECT_EQ(dialog->getFilterdList(), (std::vector<std::string>{"-(id)initWithFrame:(int)frame", "-(id)initWithCoder:(id)coder"}));
    EXPECT_EQ(dialog->getVisibleCountView()->text(), "2");
    EXPECT_FALSE(find->isEnabled());
    dialog->getWithoutCommentSwitchView()->setChecked(false);  // any other filter drops the keywords
    EXPECT_EQ(dialog->getFilterdList().size(), 12u);

    // Functions: the whole list, the keywords kept in their field.
    select("-(void)dealloc");
    type("Frees.");
    dialog->getModeMenu()->setCurrentIndex(1);
    EXPECT_EQ(dialog->getEditMode(), 1);
    EXPECT_EQ(dialog->getTotalCountView()->text(), "3");
    EXPECT_EQ(dialog->getVisibleCountView()->text(), "3");
    EXPECT_EQ(keywords->text(), "INIT with");
    select("void KitBeep(void)");
    EXPECT_EQ(comment(), "Beeps.");
    dialog->doOkButton();
    EXPECT_TRUE(ended());
    EXPECT_EQ(saved().at("-(id)init"), "Fresh.");
    EXPECT_EQ(saved().at("-(void)dealloc"), "Frees.");  // committed by the change of mode
}

TEST_F(CommentEditorTest, AnUnreadableFileIsNeverReplaced) {
    home.writeData("comments.plist", "<?xml version=\"1.0\"?><plist><dict><key>-(void)display");
    const std::string before = bytes();
    open();
    EXPECT_TRUE(dialog->getMessage().contains("could not be read"));
    select(kDisplay);
    EXPECT_TRUE(comment().isEmpty());
    EXPECT_TRUE(dialog->getCommentView()->isReadOnly());  // nothing typed that could not be kept
    expectOkRefused("could not be read", before);
    dialog->getWindow()->close();  // the close box is OK, refused too
    EXPECT_TRUE(dialog->getWindow()->isVisible());
    dialog->doCancelButton();
    EXPECT_TRUE(ended());
    EXPECT_EQ(bytes(), before);
}

TEST_F(CommentEditorTest, AFailedWriteKeepsTheDialogOpen) {
    const std::string before = bytes();
    open();
    select(kInit);
    type("Kept for a second try.");
    {
        FileSizeLimit full;
        expectOkRefused("could not be saved", before);
    }
    dialog->doOkButton();
    EXPECT_TRUE(ended());
    EXPECT_EQ(saved().at(kInit), "Kept for a second try.");
    EXPECT_EQ(changes(), 1);
}

// A comment belongs to the text: two classes declaring -(void)display show one comment. The
// rows say whose each is, and the caption how many share it, however narrow the dialog.
TEST_F(CommentEditorTest, RowsNameTheirOwnersAndTheCaptionTheSharing) {
    auto twin = std::make_shared<ClassData>("KitTwin", std::nullopt);
    twin->addMethodList(std::vector<std::string>{kDisplay});
    shell->app().classStraightList.push_back(twin);
    open();
    TextArrayView& list = *dialog->getMethodListView();
    const auto& rows = dialog->getFilterdList();
    std::vector<std::string> owners;
    for (int i = 0; i < list.rowCount(); ++i)
        if (rows[static_cast<std::size_t>(i)] == kDisplay) owners.push_back(list.getSideText(i).value_or("?"));
    EXPECT_EQ(owners, (std::vector<std::string>{"KitView  +1", "KitTwin  +1"}));
    const auto alloc = std::find(rows.begin(), rows.end(), "+(id)alloc");
    EXPECT_EQ(list.getSideText(static_cast<int>(alloc - rows.begin())), "KitObject");  // KitObject's alone

    const auto twinRow = std::find(rows.rbegin(), rows.rend(), kDisplay);
    list.doClickAction(static_cast<int>(rows.rend() - twinRow) - 1);
    ASSERT_EQ(list.getSideText(dialog->getTargetLine()), "KitTwin  +1");
    EXPECT_EQ(comment(), "Draws the view.");
    EXPECT_EQ(dialog->getCommentCaption(), "Comment on -(void)display (shared by 2 classes)");
    QLabel* caption = dialog->getWindow()->findChild<QLabel*>("commentTitleView");
    dialog->getWindow()->resize(260, dialog->getWindow()->height());
    QApplication::processEvents();
    EXPECT_TRUE(caption->text().endsWith("(shared by 2 classes)")) << caption->text().toStdString();
    EXPECT_LE(caption->fontMetrics().horizontalAdvance(caption->text()), caption->width());

    // Filters keep each row with its owner.
    dialog->getKeywordSwitchView()->setChecked(true);
    QTest::keyClicks(dialog->getKeywordView(), "display");
    QTest::keyClick(dialog->getKeywordView(), Qt::Key_Return);
    std::vector<std::string> shown;
    for (int i = 0; i < list.rowCount(); ++i) shown.push_back(*list.getTextFromArray(i) + " " + *list.getSideText(i));
    EXPECT_EQ(shown, (std::vector<std::string>{"-(void)display KitView  +1", "-(void)setNeedsDisplay:(BOOL)flag KitView",
                                               "-(void)display KitTwin  +1"}));
    dialog->doCancelButton();
    shell->app().classStraightList.pop_back();
}
