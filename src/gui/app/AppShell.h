#pragma once
// The application delegate of the desktop program: owns the controller (AppAction2) and the
// windows, answers the core's host requests (the opening window's progress, the tree view),
// carries the menu commands with their validation, and runs the start-up and the termination.
//
// Start-up: preferences; the main window; the tree window with an empty tree; the opening
// window; then the stored tree is loaded when the class, protocol and category files are there
// (and readable), else built from the headers; CommentDicWasChangedNotification and
// TreeFileWasChangedMessage. Termination (Quit, the last window closed, the desktop session
// ending): the termination writes, which write only what changed; a write that fails is offered
// again in a dialog (or given up), and a tree stored meanwhile by another Kestrel is replaced
// only when the user says so.
#include <QFont>
#include <QObject>
#include <QPointer>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "core/app/MenuCommands.h"
#include "core/app/AppAction2.h"
#include "core/model/NavigationHistory.h"
#include "core/platform/Host.h"
#include "core/text/QuickOpenText.h"
#include "core/text/QuickHelpText.h"

class QAction;
class QButtonGroup;
class QLineEdit;
class QMainWindow;
class QMenu;
class QTabWidget;
#include <QWidget>

namespace Ui {
class MainWindow;
}

namespace kestrel {
class TreeData;
}

namespace kestrel::gui {

class AddPrivateHedders;
class ClassController;
class EditCommentController;
class EditUrlController;
class MargeController;
class PrefController;
class FindController;
class QuickOpenController;
class FunctionController;
class HedderViewer;
class OpeningAboutController;
class StructEnumViewerController;
class TreeView;
class TreeWinAction;

struct LaunchOptions {
    std::optional<std::string> frameworksRoot;  // --frameworks-root DIR, or --sdk SDK's frameworks
    std::optional<std::string> selectClass;     // --select CLASS: shown selected once loaded
};

class AppShell : public QObject, public Host {
    Q_OBJECT
public:
    explicit AppShell(LaunchOptions options = {}, QObject* parent = nullptr);
    ~AppShell() override;

    void applicationWillFinishLaunching();
    void applicationDidFinishLaunching();
    void applicationWillTerminate();

    // Commands.
    void doAbout();
    void reBuildTree();
    void showTreeWindow();
    void ShowStructEnumViewer();
    void EndStructEnumViewer();
    // Opens the selected class's URL through the desktop, when it is a web, file or mail address.
    void openURL();
    // The annotation editors, each open once at most: the commands open one or bring it
    // forward; each editor tells its end here (answering true lets it go).
    void EditComment();
    bool EndEditComment(int code, EditCommentController* editor);
    void MargeComment();
    bool EndMargeComment(int code, MargeController* dialog);
    void EditURL();
    bool EndEditURL(int code, EditUrlController* editor);
    void addPrivateHedders();
    // OK (1) with a changed list stores it and then runs the rebuild command. Answers false,
    // storing nothing else and offering no rebuild, when the list could not be written: the
    // dialog then stays open and says so. opened: the list as the dialog began with it (what
    // changed since is merged into the file as it is now).
    bool sendAddPrivateHedderMessage(int code, bool edited, const std::vector<std::string>& paths,
                                     const std::vector<std::string>& opened);
    // The preferences dialog, one at a time; after its OK, what depends on the preferences is
    // measured and drawn again (display names, the tree, the lists).
    void doPref();
    void EndPref(PrefController* dialog);
    void preferencesChanged();
    // After the preferences' SDK changed: the tree is built again from the SDK now chosen
    // (unless the command line or the environment chose the frameworks for this run, which
    // the status bar then says).
    void sdkChosen();
    // The frameworks root read when the preferences choose no SDK.
    std::string defaultFrameworksRoot() const;
    void quit();
    void copy();
    void cut();
    // View > Show Header: the header of what is selected (the function chosen in the Functions
    // tab, else the class selected in the tree, at the method the Class tab shows), in the
    // header viewer, at the line that declares it.
    void showHeader();
    // The one header viewer of the program (made when first asked for).
    HedderViewer& getHedderViewer();
    // Quick Help's link: the header viewer at the declaration Quick Help shows.
    void showQuickHelpPlace(const QuickHelpText::Content& content);
    // The notes of declarations (documentation, availability, line) the panels show: the ones
    // stored on the records, unless a test gives others.
    const NotesLookup& notes() const { return *notes_; }
    const std::shared_ptr<const NotesLookup>& sharedNotes() const { return notes_; }
    void setNotesLookup(std::shared_ptr<const NotesLookup> lookup);
    // View > Hide Deprecated: kept in the preferences; the lists and menus follow
    // (DeprecatedVisibilityChangedMessage).
    void setHideDeprecated(bool hide);
    static bool hidesDeprecated();
    // Find: the Find tab, its keyword field focused with its text selected. The tabs by index
    // (out of range: round and round), the keys going on into the tab shown.
    static constexpr int kClassTab = 0, kFindTab = 1, kFunctionTab = 2;
    void showFind();
    void showTab(int index);

    // Open Quickly (Ctrl+K, Ctrl+Shift+O): one field over everything (QuickOpenController).
    void quickOpen();
    // Where a quick-open result leads: the class selected in the tree (its superclasses unfolded,
    // scrolled into view), the method shown in the Class tab as its class's menu shows it, the
    // function selected in the Functions tab, the struct, enum or constant in the struct and enum
    // viewer; what leads nowhere is said in the status bar.
    void showDestination(const QuickOpenText::Destination& to);
    // The history of the classes, methods and functions shown in this session: every class
    // selected, method shown in the Class tab and function shown in the Functions tab, by
    // whatever way, is a place; Back and Forward (Alt+Left, Alt+Right, the mouse's back and
    // forward buttons, the toolbar) show them again, passing over what the tree no longer has.
    void goBack();
    void goForward();
    const NavigationHistory& history() const { return history_; }

    // Validation: the application's table for tagged commands; Quit always; Copy and Cut as
    // the focused view answers.
    bool validateCommand(MenuCommand command) const;
    bool validateMenuItem(std::int32_t tag) const;
    // Refreshes every command's enabled state (before a menu shows, and when what they depend
    // on changes, so that shortcuts follow too).
    void updateCommands();
    QAction* actionFor(MenuCommand command) const;

    // Accessors.
    AppAction2& app() { return app_; }
    QMainWindow* getMainWindow() const;
    QLineEdit* getClassNameView() const;
    QTabWidget* getTabView() const;
    QWidget* getTreeWindow() const { return treeWindow_; }
    void setTreeWindow(QWidget* window);
    TreeView* getMainView() const { return mainView_; }
    void setMainView(TreeView* view);
    TreeWinAction* getTreeWinController() const { return treeWinController_; }
    void setTreeWinController(TreeWinAction* controller) { treeWinController_ = controller; }
    OpeningAboutController* getAbout() const { return about_; }
    ClassController* getClassController() const { return classController_; }
    FindController* getFindController() const { return findController_; }
    FunctionController* getFunctionController() const { return functionController_; }
    QuickOpenController* getQuickOpen() const { return quickOpen_; }
    StructEnumViewerController* getStructEnumViewer() const { return seViewWere; }
    EditCommentController* getCommentEditor() const { return CommentEditor; }
    MargeController* getMargeEditor() const { return MargeEditor; }
    EditUrlController* getURLeditor() const { return URLeditor; }
    AddPrivateHedders* getPrivateHeaderEditor() const { return privateHedderEditor_; }
    std::shared_ptr<ClassData> getSelectedClass() const;
    void setTabViewPage(int);
    // The font of the tree and the lists (the preferences' font, or the system font).
    QFont treeFont() const;

    bool eventFilter(QObject* watched, QEvent* event) override;

    // Host.
    void setMessage(const std::string& text) override;
    void setStatusMessage(const std::string& text) override;
    void addProgressBarValue(double amount) override;
    void setProgressBarValue(double value) override;
    void setIndeterminate(bool flag) override;
    void setNote(const std::string& text) override;
    void viewSetUp(const std::vector<std::shared_ptr<ClassData>>& roots) override;
    void unSelect() override;
    void reLayout() override;
    std::int32_t getDragStyleMode() override;

private:
    void makeMainWindow();
    void makeMenus();
    void runCommand(MenuCommand command);
    void makePanels();
    // Lays the main and tree windows out side by side on the screen.
    void placeWindows();
    // The start: load, or build when the stored tree is missing or cannot be read.
    void loadOrBuild();
    // The frameworks root by the command line, the environment, the preferences, the platform.
    std::string chooseFrameworksRoot() const;
    // Shows the opening window, titled by what is being done.
    void beginOpening(const QString& title);
    void endOpening();
    void selectRequestedClass();
    // The toolbar: Back, Forward, Open Quickly.
    void makeToolBar();
    // The history's places recorded as they are shown.
    void observeHistory();
    bool placeExists(const NavigationHistory::Place& place) const;
    void showPlace(const NavigationHistory::Place& place);
    void showClassRecord(const std::shared_ptr<ClassData>& record);
    void showMethodOn(const std::shared_ptr<ClassData>& record, const std::string& method);
    void showFunctionRecord(const std::shared_ptr<FunctionMacrosData>& record);
    // Whether Back and Forward lead anywhere, worked out once per change of the history or the tree.
    std::pair<bool, bool> navigationState() const;
    // What Show Header shows: the record whose header it is, and the method of it, if any.
    std::pair<std::shared_ptr<TreeData>, std::string> headerSubject() const;

    LaunchOptions options_;
    AppAction2 app_;
    std::unique_ptr<QMainWindow> mainWindow_;
    std::unique_ptr<Ui::MainWindow> ui_;
    QButtonGroup* dragStyleView_ = nullptr;
    QPointer<QWidget> treeWindow_;
    TreeView* mainView_ = nullptr;
    TreeWinAction* treeWinController_ = nullptr;
    OpeningAboutController* about_ = nullptr;
    std::shared_ptr<ClassData> selectedClass_;
    std::shared_ptr<const NotesLookup> notes_;
    std::map<MenuCommand, QAction*> actions_;
    std::map<QAction*, MenuCommand> commandOf_;
    bool terminated_ = false;
    // The editors and viewers of the panels to come; none is open yet.
    bool customClassEditor_ = false;
    EditCommentController* CommentEditor = nullptr;
    MargeController* MargeEditor = nullptr;
    EditUrlController* URLeditor = nullptr;
    AddPrivateHedders* privateHedderEditor_ = nullptr;
    PrefController* prefController_ = nullptr;
    StructEnumViewerController* seViewWere = nullptr;
    HedderViewer* hedderViewer_ = nullptr;
    ClassController* classController_ = nullptr;
    FindController* findController_ = nullptr;
    FunctionController* functionController_ = nullptr;
    QuickOpenController* quickOpen_ = nullptr;
    NavigationHistory history_;
    mutable std::optional<std::pair<bool, bool>> navigationState_;
};

}  // namespace kestrel::gui
