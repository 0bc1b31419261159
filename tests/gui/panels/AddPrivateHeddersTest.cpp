#include <QAbstractProxyModel>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "core/model/AnnotationFiles.h"
#include "gui/lists/PrivateHedderView.h"
#include "gui/panels/AddPrivateHedders.h"
#include "support/DialogFixture.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

using namespace kestrel;
using namespace kestrel::gui;
using Paths = std::vector<std::string>;
namespace fs = std::filesystem;

namespace {

class AddPrivateHeddersTest : public test::DialogFixture<AddPrivateHedders> {
protected:
    void SetUp() override {
        launch();
        mine = fs::canonical(dir.path()).string() + "/mine";
        for (const char* name : {"a.h", "b.h", "c.m", "Tool.app/x.h", "sub/d.h"}) dir.write(std::string("mine/") + name, "");
    }
    AddPrivateHedders& open(Paths paths) {
        dialog = new AddPrivateHedders(*shell, std::move(paths));
        dialog->beginDialog();
        return *dialog;
    }
    std::string stored() { return DialogFixture::stored("privateHeaders.plist"); }
    // The names in folder that the open file panel shows, or that its file model holds.
    QStringList namesIn(const std::string& folder, bool shown = true) {
        QAbstractProxyModel* proxy = dialog->getImportPanel()->proxyModel();
        auto* files = qobject_cast<QFileSystemModel*>(proxy->sourceModel());
        const QModelIndex inFiles = files->index(QString::fromStdString(folder));
        const QAbstractItemModel& model = shown ? static_cast<QAbstractItemModel&>(*proxy) : *files;
        const QModelIndex parent = shown ? proxy->mapFromSource(inFiles) : inFiles;
        QStringList names;
        for (int row = 0; row < model.rowCount(parent); ++row) names << model.index(row, 0, parent).data().toString();
        names.sort();
        return names;
    }

    test::TempDir dir;
    std::string mine;
};

}  // namespace

TEST_F(AddPrivateHeddersTest, OkStoresAChangedListAndOffersTheRebuildCancelStoresNothing) {
    ASSERT_TRUE(AnnotationFiles::writePrivateHedders({mine + "/a.h", mine + "/sub"}));
    const std::string before = stored();
    open(*AnnotationFiles::getPrivateHedders());
    EXPECT_FALSE(dialog->getOkButton()->isEnabled());
    answerNextDialog(1);
    dialog->doOkButton();  // nothing changed: nothing stored, no rebuild offered
    EXPECT_TRUE(ended());
    EXPECT_FALSE(dialogAsked);
    EXPECT_EQ(stored(), before);

    open({mine + "/a.h", mine + "/sub"});
    dialog->addPaths({QString::fromStdString(mine + "/b.h")});
    EXPECT_TRUE(dialog->getOkButton()->isEnabled());
    dialog->doCancelButton();
    EXPECT_TRUE(ended());
    EXPECT_EQ(stored(), before);

    open({mine + "/a.h", mine + "/sub"});
    EXPECT_FALSE(dialog->getRemoveButton()->isEnabled());
    dialog->getMainView()->doClickAction(0);
    EXPECT_TRUE(dialog->getRemoveButton()->isEnabled());
    dialog->doRemoveButton();
    EXPECT_EQ(dialog->getMainView()->rowCount(), 1);
    EXPECT_FALSE(dialog->getRemoveButton()->isEnabled());
    answerNextDialog(0);  // declined: the list stays stored for the next rebuild
    dialog->doOkButton();
    EXPECT_TRUE(dialogAsked);
    EXPECT_TRUE(ended());
    EXPECT_EQ(AnnotationFiles::getPrivateHedders(), Paths{mine + "/sub"});
}

TEST_F(AddPrivateHeddersTest, ThePanelOffersHeadersAndFoldersNotYetListed) {
    open({mine + "/b.h"});
    dialog->selectHedderFiles();
    ASSERT_NE(dialog->getImportPanel(), nullptr);
    dialog->getImportPanel()->setDirectory(QString::fromStdString(mine));
    QTRY_COMPARE(namesIn(mine), (QStringList{"a.h", "sub"}));  // not c.m, b.h, Tool.app
    const std::string data = fs::canonical(fs::path(ProcessState::frameworksRoot()).parent_path()).string();
    dialog->getImportPanel()->setDirectory(QString::fromStdString(data));
    QTRY_VERIFY(namesIn(data, false).contains("Frameworks"));
    EXPECT_FALSE(namesIn(data).contains("Frameworks"));
    dialog->getImportPanel()->reject();
    QTRY_VERIFY(!dialog->getImportPanel());

    // What the panel hands back is added once, compared in canonical form.
    fs::create_directory_symlink(mine, dir.path() / "link");
    dialog->addPaths({QString::fromStdString(mine + "/a.h"), QString::fromStdString(dir.str() + "/link/a.h"),
                      QString::fromStdString(mine + "/sub/"), QString::fromStdString(mine + "/../mine/b.h")});
    EXPECT_EQ(dialog->getEditedList(), (Paths{mine + "/b.h", mine + "/a.h", mine + "/sub"}));
    EXPECT_TRUE(dialog->getMessage().isEmpty());
}

TEST_F(AddPrivateHeddersTest, RefusesTheFrameworksAndWhatIsNoHeader) {
    const std::string root = ProcessState::frameworksRoot();
    open({});
    dialog->addPaths({QString::fromStdString(root), QString::fromStdString(root + "/../"),
                      QString::fromStdString(root + "/Kit.framework/Headers/KitView.h"),
                      QString::fromStdString(mine + "/c.m"), QString::fromStdString(mine + "/gone.h")});
    EXPECT_TRUE(dialog->getEditedList().empty());
    EXPECT_FALSE(dialog->getOkButton()->isEnabled());
    const QString message = dialog->getMessage();
    for (const char* reason : {"is where the frameworks' headers are read", "holds the frameworks' headers", "is among the frameworks' headers",
                               "c.m” is neither a header file", "gone.h” is not there"})
        EXPECT_TRUE(message.contains(reason)) << reason << " in " << message.toStdString();
}

TEST_F(AddPrivateHeddersTest, AnUnreadableFileIsNeverOverwrittenAndAFailedWriteOffersNoRebuild) {
    home.writeData("privateHeaders.plist", "damaged");
    open({});
    EXPECT_TRUE(dialog->getMessage().contains("could not be read"));
    dialog->addPaths({QString::fromStdString(mine + "/a.h")});
    answerNextDialog(1);
    expectOkRefused("could not be read", "privateHeaders.plist", "damaged");
    dialog->getWindow()->close();  // the close box is OK, refused the same way
    EXPECT_FALSE(ended());
    dialog->doCancelButton();
    EXPECT_TRUE(ended());
    EXPECT_EQ(stored(), "damaged");

    fs::remove(home.dataFile("privateHeaders.plist"));
    open({});
    dialog->addPaths({QString::fromStdString(mine + "/a.h")});
    answerNextDialog(1);
    {
        test::FileSizeLimit full;
        expectOkRefused("could not be stored", "privateHeaders.plist", "none");
    }
    QApplication::processEvents();
    EXPECT_FALSE(dialogAsked);
}
