// Comment merge: the rules for comments already there, the files it reads, and how it ends.
#include <sys/stat.h>

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <tuple>

#include "core/platform/PlistFile.h"
#include "gui/panels/MargeController.h"
#include "support/FileSizeLimit.h"
#include "support/CommentFixture.h"

using namespace kestrel;
using namespace kestrel::gui;
using kestrel::test::FileSizeLimit;
using kestrel::test::CommentFixture;

namespace {

using Question = std::tuple<std::string, std::string, std::string>;

const StringDic kMine{{"a", "mine A"}, {"b", "mine B"}};

class CommentMargeTest : public CommentFixture<MargeController> {
protected:
    void SetUp() override {
        AnnotationFiles::writeCommentDic(kMine);
        launch();
    }
    MargeController& open(MargeController::AskFunction ask = {}) {
        dialog = new MargeController(*shell, std::move(ask));
        dialog->beginDialog();
        QApplication::processEvents();  // the file dialog opens
        posted.clear();
        return *dialog;
    }
    // A comment file to import, its keys in the order given.
    QString importFile(std::initializer_list<std::pair<const char*, const char*>> entries) {
        PlistDict d;
        for (const auto& [key, comment] : entries) d.set(key, PlistValue(comment));
        const std::string path = home.dir().str() + "/import.plist";
        PlistFile::writeXML(path, PlistValue(std::move(d)));
        return QString::fromStdString(path);
    }
    // Opens the dialog, chooses the file, sets the rule and presses OK.
    void merge(const QString& file, int rule, MargeController::AskFunction ask = {}) {
        open(std::move(ask));
        dialog->chooseFile(file);
        dialog->doActionSwitch(rule);
        dialog->doOkButton();
    }
    ino_t inode() {
        struct stat s {};
        stat(AnnotationFiles::getCommentFilePath().c_str(), &s);
        return s.st_ino;
    }
};

}  // namespace

TEST_F(CommentMargeTest, TheThreeRules) {
    const QString file = importFile({{"b", "their B"}, {"c", "their C"}});
    merge(file, 0);
    EXPECT_TRUE(ended());
    EXPECT_EQ(changes(), 1);
    EXPECT_EQ(saved(), (StringDic{{"a", "mine A"}, {"b", "mine B"}, {"c", "their C"}}));

    AnnotationFiles::writeCommentDic(kMine);
    merge(file, 1);
    EXPECT_EQ(saved(), (StringDic{{"a", "mine A"}, {"b", "their B"}, {"c", "their C"}}));

    for (int answer : {1, 0}) {
        AnnotationFiles::writeCommentDic(kMine);
        std::vector<Question> asked;
        merge(file, 2, [&](const std::string& key, const std::string& stored, const std::string& imported) {
            asked.emplace_back(key, stored, imported);
            return answer;
        });
        EXPECT_TRUE(ended());
        EXPECT_EQ(asked, (std::vector<Question>{{"b", "mine B", "their B"}}));  // a new item is never asked
        EXPECT_EQ(saved().at("b"), answer == 1 ? "their B" : "mine B");
        EXPECT_EQ(saved().at("c"), "their C");
    }
}

TEST_F(CommentMargeTest, SameCommentsAreStillAskedAndKeepingWithNothingNewLeavesTheFile) {
    const QString file = importFile({{"a", "mine A"}, {"b", "other B"}});
    const std::string before = bytes();
    const ino_t node = inode();
    merge(file, 0);
    EXPECT_TRUE(ended());
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(inode(), node);  // not even rewritten with the same bytes

    std::vector<Question> asked;
    merge(file, 2, [&](const std::string& key, const std::string& stored, const std::string& imported) {
        asked.emplace_back(key, stored, imported);
        return 0;
    });
    EXPECT_EQ(asked, (std::vector<Question>{{"a", "mine A", "mine A"}, {"b", "mine B", "other B"}}));
    EXPECT_EQ(saved(), kMine);
}

TEST_F(CommentMargeTest, ImportsABinaryFileChosenInTheFileDialog) {
    open();
    QFileDialog* panel = dialog->getImportPanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->windowModality(), Qt::WindowModal);
    EXPECT_EQ(panel->parentWidget(), dialog->getWindow());
    EXPECT_EQ(panel->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(panel->directory().absolutePath(), QString::fromStdString(home.dir().str()));
    EXPECT_EQ(panel->labelText(QFileDialog::Accept), "Import");

    const QString file = QString(KESTREL_TEST_DATA_DIR) + "/plist/comments.bplist";
    QTest::keyClicks(panel->findChild<QLineEdit*>("fileNameEdit"), file);  // typed, as a path may be
    QMetaObject::invokeMethod(panel, "accept");
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(dialog->getTarget(), file);
    EXPECT_EQ(dialog->getTargetView()->text(), "Import the comments of \"comments.bplist\" into your comments?");
    dialog->doOkButton();
    EXPECT_TRUE(ended());
    EXPECT_EQ(saved().at("-(void)display"), "Draws at once \xe2\x80\x94 imported.");
    EXPECT_EQ(saved().at("-(void)setText:(id)text"), "Sets the label's text.");
    EXPECT_EQ(saved().at("a"), "mine A");
}

TEST_F(CommentMargeTest, CancellingTheFileDialogCancelsTheMergeAndReadersStillRefresh) {
    open();
    dialog->getImportPanel()->reject();
    EXPECT_TRUE(ended());
    EXPECT_EQ(changes(), 1);
    EXPECT_EQ(saved(), kMine);
}

TEST_F(CommentMargeTest, ProblemsKeepTheDialogOpenAndSaySo) {
    const std::string before = bytes();
    open();
    dialog->chooseFile(QString::fromStdString(home.dir().write("notes.txt", "just some words\n")));
    expectOkRefused("could not be read as a comment file", before);

    dialog->chooseFile(importFile({{"c", "their C"}}));
    EXPECT_TRUE(dialog->getMessage().isEmpty());
    {
        FileSizeLimit full;
        expectOkRefused("could not be saved", before);
    }

    // The user's own file unreadable: nothing imported, nothing replaced, no success.
    const std::string garbled = "<plist><dict><key>a</key>";
    home.writeData("comments.plist", garbled);
    expectOkRefused("Your comments could not be read", garbled);

    dialog->getWindow()->close();  // the close box cancels
    EXPECT_TRUE(ended());
    EXPECT_EQ(changes(), 1);
    EXPECT_EQ(bytes(), garbled);
}

TEST_F(CommentMargeTest, TheQuestionAnswersWithItsButtons) {
    const QString file = importFile({{"a", "their A"}});
    for (const char* button : {"takeButton", "keepButton"}) {
        AnnotationFiles::writeCommentDic(kMine);
        open();
        dialog->chooseFile(file);
        dialog->doActionSwitch(2);
        QString shown;
        QTimer::singleShot(0, [&] {
            QWidget* sheet = QApplication::activeModalWidget();
            ASSERT_NE(sheet, nullptr);
            shown = sheet->findChild<QLabel*>("titleView")->text();
            sheet->findChild<QPushButton*>(button)->click();
        });
        dialog->doOkButton();  // the question runs application-modally
        EXPECT_TRUE(ended());
        EXPECT_TRUE(shown.contains("<b>a</b>"));
        EXPECT_EQ(saved().at("a"), std::string(button) == "takeButton" ? "their A" : "mine A");
    }
}
