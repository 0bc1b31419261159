// A long session on GNUstep's whole tree: a few thousand random gestures of every kind, with the
// invariants checked as it goes, and memory that must not keep growing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <random>
#include <unistd.h>

#include "core/model/AnnotationFiles.h"
#include "core/platform/PlistFile.h"
#include "core/model/ClassData.h"
#include "core/platform/FrameworksRoot.h"
#include "gui/app/PrefController.h"
#include "gui/lists/ClassListView.h"
#include "gui/lists/FindResultView.h"
#include "gui/lists/MethodView.h"
#include "gui/panels/ClassController.h"
#include "gui/panels/FindController.h"
#include "gui/panels/EditCommentController.h"
#include "gui/panels/EditUrlController.h"
#include "gui/panels/FunctionController.h"
#include "support/ShellFixture.h"
#include "ui_Pref.h"

using namespace kestrel;
using namespace kestrel::gui;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

// Resident memory in kilobytes.
long residentKilobytes() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

class LongSession : public test::ShellFixture {
protected:
    void SetUp() override {
        if (!std::filesystem::is_directory(FrameworksRoot::kGNUstepHeaders))
            GTEST_SKIP() << "GNUstep's headers are not installed (libgnustep-base-dev, libgnustep-gui-dev)";
        launch(std::nullopt);
        shell->getTreeWindow()->resize(900, 700);
        QApplication::processEvents();
        ASSERT_GT(shell->app().classStraightList.size(), 300u);
    }

    template <class T>
    const T& pick(const std::vector<T>& items) {
        return items[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(random)];
    }
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

    // The classes the tree shows now (in the view's roots, unfolded).
    std::vector<std::shared_ptr<ClassData>> shownClasses() {
        std::vector<std::shared_ptr<ClassData>> out, pending(view().getTreeData().rbegin(), view().getTreeData().rend());
        while (!pending.empty()) {
            auto c = pending.back();
            pending.pop_back();
            out.push_back(c);
            if (!c->getShowSubTree()) continue;
            for (auto it = c->getSubClassList().rbegin(); it != c->getSubClassList().rend(); ++it)
                if (auto sub = std::dynamic_pointer_cast<ClassData>(*it)) pending.push_back(sub);
        }
        return out;
    }
    QPoint inBox(const ClassData& c, int dx) {
        return QPoint(static_cast<int>(c.getBounds().x) + dx, static_cast<int>(c.getBounds().y) + 9);
    }

    void checkInvariants() {
        std::size_t selected = 0;
        for (const auto& c : shell->app().classStraightList) selected += c->getSelectFlag();
        ASSERT_LE(selected, 1u);
        ASSERT_EQ(view().selectedClass(), shell->getSelectedClass());
        FunctionController& f = *shell->getFunctionController();
        ASSERT_EQ(QString::number(f.getMainView()->rowCount()), f.getFilterdCountView()->text());
        FindController& find = *shell->getFindController();
        const int found = find.getResultView()->rowCount();
        ASSERT_TRUE(find.getResultCountView()->text().isEmpty() ||
                    find.getResultCountView()->text().trimmed().startsWith(QString::number(found)));
    }

    // The gestures.
    void select() {
        auto shown = shownClasses();
        QTest::mouseClick(&view(), Qt::LeftButton, {}, inBox(*pick(shown), 30));
    }
    void fold() {
        auto shown = shownClasses();
        auto c = pick(shown);
        if (!c->getSubClassList().empty()) QTest::mouseClick(&view(), Qt::LeftButton, {}, inBox(*c, 135));
    }
    void chooseFromMenu() {
        auto shown = shownClasses();
        auto c = pick(shown);
        view().setMenuPresenter([this](QMenu& menu, const QPoint&) {
            std::vector<QAction*> methods;
            for (QAction* a : menu.actions())
                if (!a->menu() && !a->isSeparator() && a->data().toInt() >= 1000) methods.push_back(a);
            if (!methods.empty()) pick(methods)->trigger();
        });
        QTest::mouseDClick(&view(), Qt::LeftButton, {}, inBox(*c, 30));
    }
    void find() {
        static const std::vector<QString> words{"view", "draw", "rect", "init", "string", "NS", "GS", "with", "x", ""};
        FindController& panel = *shell->getFindController();
        panel.doTargetKindSelect(between(0, 2));
        panel.getKeywordView()->setEditText(pick(words) + " " + pick(words));
        panel.doFindClass();
        if (panel.getResultView()->rowCount() > 0) {
            panel.getResultView()->doClickAction(between(-1, panel.getResultView()->rowCount() - 1));
            panel.getResultView()->copy();
        }
    }
    void filterFunctions() {
        FunctionController& f = *shell->getFunctionController();
        switch (between(0, 3)) {
            case 0: {
                const int index = between(0, f.getTargetListMenu()->count() - 1);
                f.getTargetListMenu()->setCurrentIndex(index);
                f.targetMenuSelected(index);
                break;
            }
            case 1: f.functionFilterSelected(between(0, 2)); break;
            case 2:
                if (f.getFrameWorkListMenu()->count() > 0) {
                    const int index = between(0, f.getFrameWorkListMenu()->count() - 1);
                    f.getFrameWorkListMenu()->setCurrentIndex(index);
                    f.frameworkMenuSelected(index);
                }
                break;
            default:
                if (f.getHeaderListMenu()->count() > 0) {
                    const int index = between(0, f.getHeaderListMenu()->count() - 1);
                    f.getHeaderListMenu()->setCurrentIndex(index);
                    f.headerMenuSelected(index);
                }
        }
        if (f.getMainView()->rowCount() > 0) {
            f.getMainView()->doClickAction(between(0, f.getMainView()->rowCount() - 1));
            f.getMainView()->copy();
        }
    }
    void dragStyle() {
        auto* button = shell->getMainWindow()->findChild<QRadioButton*>(between(0, 1) ? "callStyleButton" : "declarationStyleButton");
        button->click();
        MethodView& method = *shell->getClassController()->getMethodView();
        if (method.rowCount() > 0) {
            method.doClickAction(0);
            method.copy();
        }
    }
    void preferences() {
        auto* dialog = new PrefController(*shell);
        dialog->begin();
        dialog->ui().useCommentSwitch->setChecked(between(0, 1));
        dialog->ui().addMenuSeparetorSwitch->setChecked(between(0, 1));
        dialog->ui().mWidthLimitView->setValue(between(0, 120));
        dialog->ui().alfaSlider->setValue(between(10, 100));
        if (between(0, 1))
            dialog->doOkButton();
        else
            dialog->doCancelButton();
    }
    void fade() {
        NotificationCenter::defaultCenter().post(between(0, 1) ? "StartWipeOutNinjyaEffectMessage"
                                                               : "StartWipeInNinjyaEffectMessage");
    }
    // A comment typed on a random line, committed by leaving it; OK or Cancel. What the file on
    // disk holds must follow exactly.
    void comment() {
        shell->EditComment();
        EditCommentController* editor = shell->getCommentEditor();
        ASSERT_NE(editor, nullptr);
        TextArrayView& list = *editor->getMethodListView();
        if (list.rowCount() < 2) return editor->doCancelButton();
        const int line = between(0, list.rowCount() - 1);
        const std::string key = *list.getTextFromArray(line);
        list.doClickAction(line);
        const QString text = QString("note %1").arg(between(0, 999));
        editor->getCommentView()->selectAll();
        QTest::keyClicks(editor->getCommentView(), text);
        list.doClickAction(line == 0 ? 1 : 0);  // leaving the line commits it
        const bool ok = between(0, 3) != 0;
        if (ok) {
            editor->doOkButton();
            expectedComments[key] = text.toStdString();
        } else {
            editor->doCancelButton();
        }
        ASSERT_EQ(shell->getCommentEditor(), nullptr);
        ASSERT_EQ(AnnotationFiles::getCommentDic(), expectedComments);
    }
    void url() {
        shell->EditURL();
        EditUrlController* editor = shell->getURLeditor();
        ASSERT_NE(editor, nullptr);
        ClassListView& list = *editor->getMainView();
        const int line = between(0, list.rowCount() - 1);
        list.doClickAction(line);
        const std::string name = *list.records()[static_cast<std::size_t>(line)]->getName();
        const QString address = QString("https://example.org/%1").arg(between(0, 999));
        editor->getURLView()->selectAll();
        QTest::keyClicks(editor->getURLView(), address);
        const bool ok = between(0, 3) != 0;
        if (ok) {
            editor->doOkButton();
            expectedURLs[name] = address.toStdString();
        } else {
            editor->doCancelButton();
        }
        ASSERT_EQ(shell->getURLeditor(), nullptr);
        ASSERT_EQ(AnnotationFiles::getURLDic().value_or(StringDic{}), expectedURLs);
    }
    void rebuild() {
        answerNextDialog(between(0, 1));
        shell->reBuildTree();
    }

    StringDic expectedComments;
    StringDic expectedURLs;
    std::mt19937 random{20261206};
};

}  // namespace

TEST_F(LongSession, ThousandsOfGesturesKeepEveryInvariant) {
    constexpr int kGestures = 3000;
    long settled = 0;
    for (int i = 0; i < kGestures; ++i) {
        switch (between(0, 20)) {
            case 0: case 1: case 2: case 3: select(); break;
            case 4: case 5: fold(); break;
            case 6: case 7: case 8: chooseFromMenu(); break;
            case 9: case 10: case 11: find(); break;
            case 12: case 13: filterFunctions(); break;
            case 14: dragStyle(); break;
            case 15: preferences(); break;
            case 16: fade(); break;
            case 17: if (between(0, 60) == 0) rebuild(); break;
            case 18: if (between(0, 4) == 0) comment(); break;
            case 19: if (between(0, 4) == 0) url(); break;
            default: QApplication::processEvents(); break;
        }
        // What the program's event loop would do between gestures: windows closed by the
        // gestures go (no event loop runs here to do it otherwise).
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        posted.clear();
        checkInvariants();
        if (HasFatalFailure()) return;
        if (i == kGestures / 3) settled = residentKilobytes();
    }
    // After the first third every cache is warm: what follows must not keep growing. (Under
    // the address sanitizer freed memory waits in its quarantine, hundreds of megabytes, so
    // that the resident size follows what was allocated, not what is kept: its leak check
    // stands in for this one there.)
    const long grown = residentKilobytes() - settled;
    if (!kAddressSanitizer) {
        EXPECT_LT(grown, 40 * 1024) << "resident memory grew by " << grown << " KB";
    }

    // A normal quit: the files hold exactly what was confirmed, as property lists.
    quit();
    EXPECT_EQ(AnnotationFiles::getCommentDic(), expectedComments);
    EXPECT_EQ(AnnotationFiles::getURLDic().value_or(StringDic{}), expectedURLs);
    EXPECT_TRUE(PlistFile::readDictionary(home.prefFile()));
}
