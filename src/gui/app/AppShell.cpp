#include "gui/app/AppShell.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTimer>
#include <cstdlib>
#include <set>
#include <vector>

#include "core/app/HeaderLocation.h"
#include "core/app/QuickHelpPlace.h"
#include "core/model/AnnotationFiles.h"
#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/ProtocolData.h"
#include "core/model/StructData.h"
#include "core/platform/DataFolder.h"
#include "core/platform/FrameworksRoot.h"
#include "core/platform/NotificationCenter.h"
#include "core/platform/PrefData.h"
#include "core/platform/PrefFile.h"
#include "core/platform/ProcessState.h"
#include "core/platform/SdkLayout.h"
#include "core/text/PlaceFinder.h"
#include "gui/app/AboutController.h"
#include "gui/app/DesktopUrl.h"
#include "gui/app/EditTarget.h"
#include "gui/app/OpeningAboutController.h"
#include "gui/app/PrefController.h"
#include "gui/app/PrefFonts.h"
#include "gui/app/QtText.h"
#include "gui/app/TreeWinAction.h"
#include "gui/app/WindowPlacement.h"
#include "gui/app/reBuildTree.h"
#include "gui/lists/ClassListView.h"
#include "gui/lists/MethodView.h"
#include "gui/lists/TextArrayView.h"
#include "gui/panels/AddPrivateHedders.h"
#include "gui/panels/ClassController.h"
#include "gui/panels/EditCommentController.h"
#include "gui/panels/EditUrlController.h"
#include "gui/panels/FindController.h"
#include "gui/panels/FunctionController.h"
#include "gui/panels/HedderViewer.h"
#include "gui/panels/MargeController.h"
#include "gui/panels/QuickOpenController.h"
#include "gui/panels/StructEnumViewerController.h"
#include "gui/treeview/TreeView.h"
#include "ui_MainWindow.h"

namespace kestrel::gui {

namespace {


// The platform's standard shortcuts of a command, where it has them, else its portable one;
// a sequence with Shift+Tab also as the Backtab key that X11 reports for it.
QList<QKeySequence> shortcutsOf(const MenuCommandEntry& entry) {
    QKeySequence::StandardKey key = QKeySequence::UnknownKey;
    switch (entry.standard) {
        case StandardShortcut::Quit: key = QKeySequence::Quit; break;
        case StandardShortcut::Cut: key = QKeySequence::Cut; break;
        case StandardShortcut::Copy: key = QKeySequence::Copy; break;
        case StandardShortcut::Preferences: key = QKeySequence::Preferences; break;
        case StandardShortcut::Find: key = QKeySequence::Find; break;
        case StandardShortcut::NextTab: key = QKeySequence::NextChild; break;
        case StandardShortcut::PreviousTab: key = QKeySequence::PreviousChild; break;
        case StandardShortcut::Back: key = QKeySequence::Back; break;
        case StandardShortcut::Forward: key = QKeySequence::Forward; break;
        case StandardShortcut::None: break;
    }
    QList<QKeySequence> keys;
    if (key != QKeySequence::UnknownKey) keys = QKeySequence::keyBindings(key);
    const QKeySequence portable(QString::fromLatin1(entry.shortcut));
    if (!portable.isEmpty() && (keys.isEmpty() || entry.standard == StandardShortcut::NextTab ||
                                entry.standard == StandardShortcut::PreviousTab))
        keys.prepend(portable);
    const QKeyCombination backtab(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Backtab);
    if (portable.count() == 1 && portable[0] == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Tab))
        keys.append(QKeySequence(backtab));
    if (const QKeySequence alternate(QString::fromLatin1(entry.alternate)); !alternate.isEmpty()) keys.append(alternate);
    QList<QKeySequence> unique;
    for (const QKeySequence& k : keys)
        if (!unique.contains(k)) unique.append(k);
    return unique;
}

// The focused view that answers Copy and Cut, or the nearest of its parents that does.
EditTarget* focusedEditTarget() {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (auto* target = dynamic_cast<EditTarget*>(w)) return target;
    return nullptr;
}

QLineEdit* focusedLineEdit() { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); }

}  // namespace

AppShell::AppShell(LaunchOptions options, QObject* parent)
    : QObject(parent), options_(std::move(options)), notes_(std::make_shared<const NotesLookup>([this] { app_.ensureNotes(); })) {
    Host::install(this);
}

AppShell::~AppShell() {
    // The windows go first, and focus moves as they do: nothing may update the menus' actions
    // (gone with the main window) meanwhile.
    disconnect(qApp, nullptr, this, nullptr);
    actions_.clear();
    commandOf_.clear();
    NotificationCenter::defaultCenter().removeObserver(this);
    if (treeWindow_) delete treeWindow_.data();
    delete treeWinController_;
    delete about_;
    delete hedderViewer_;
    mainWindow_.reset();
    if (ProcessState::host() == this) Host::install(nullptr);
    PrefFonts::uninstallMeasure();
}

void AppShell::applicationWillFinishLaunching() {
    seViewWere = nullptr;
    MargeEditor = nullptr;
    NotificationCenter& center = NotificationCenter::defaultCenter();
    center.addObserver(this, "ClassObjSelectedMessage", [this](const Notification& n) {
        if (const auto* record = std::any_cast<std::shared_ptr<ClassData>>(&n.object); record && *record)
            selectedClass_ = *record;
        updateCommands();
        // The tree marks the class selected once everyone is told: validate again then.
        QTimer::singleShot(0, this, &AppShell::updateCommands);
    });
    center.addObserver(this, "ClassDidUnselectedMessage", [this](const Notification&) {
        updateCommands();
        QTimer::singleShot(0, this, &AppShell::updateCommands);
    });
    observeHistory();
    ProcessState::defineList().clear();
    ProcessState::frameworkPathCache().clear();
    PrefFile::setUpPref();
    ProcessState::frameworksRoot() = chooseFrameworksRoot();
    customClassEditor_ = false;
    PrefFonts::installMeasure();
    makeMainWindow();
    mainWindow_->show();
    showTreeWindow();
    placeWindows();
    beginOpening(tr("Starting Kestrel"));
}

void AppShell::applicationDidFinishLaunching() {
    loadOrBuild();
    endOpening();
    NotificationCenter::defaultCenter().post("CommentDicWasChangedNotification");
    NotificationCenter::defaultCenter().post("TreeFileWasChangedMessage");
    selectRequestedClass();
    updateCommands();
    // The keys go to the main window from the start (also where no window manager gives the
    // focus to a window that is shown).
    mainWindow_->activateWindow();
}

void AppShell::loadOrBuild() {
    QStatusBar* status = mainWindow_->statusBar();
    if (!app_.loadOrBuild()) {
        // Stored files that could not be read are named, with what a build does about them.
        if (!app_.getStartUpNote().empty()) return status->showMessage(QString::fromStdString(app_.getStartUpNote()));
        status->showMessage(tr("%1 classes, %2 protocols, %3 categories")
                                .arg(app_.classStraightList.size())
                                .arg(app_.protocolList.size())
                                .arg(app_.categoryList.size()));
        return;
    }
    const std::string& note = app_.getStartUpNote();
    status->showMessage(note.empty() ? tr("Built the class tree from %1 headers").arg(app_.getHedderCount())
                                     : QString::fromStdString(note));
    const std::string& root = ProcessState::frameworksRoot();
    status->setToolTip(tr("Frameworks of %1, read from %2").arg(qText(SdkLayout::describe(root)), qText(root)));
}

std::string AppShell::chooseFrameworksRoot() const {
    FrameworksRoot::Request request;
    request.frameworksRoot = options_.frameworksRoot;
    if (const std::shared_ptr<PrefData>& pref = ProcessState::prefData(); pref && !pref->sdkPath.empty())
        request.preferredSdk = pref->sdkPath;
    return FrameworksRoot::resolve(request, DataFolder::getMainFolderPath());
}

std::string AppShell::defaultFrameworksRoot() const {
    return FrameworksRoot::resolve(FrameworksRoot::Request{}, DataFolder::getMainFolderPath());
}

void AppShell::sdkChosen() {
    const std::string root = chooseFrameworksRoot();
    if (root == ProcessState::frameworksRoot()) {
        const char* environment = std::getenv(FrameworksRoot::kEnvironmentName);
        if (options_.frameworksRoot || (environment && *environment))
            mainWindow_->statusBar()->showMessage(tr("The SDK chosen is read once neither --sdk, --frameworks-root "
                                                     "nor KESTREL_FRAMEWORKS_ROOT chooses the frameworks"));
        return;
    }
    // Another SDK: nothing that the define pass learnt from the last one holds for it.
    ProcessState::frameworksRoot() = root;
    ProcessState::defineList().clear();
    ProcessState::frameworkPathCache().clear();
    beginOpening(tr("Reading the Chosen SDK"));
    app_.initTreeFile();
    endOpening();
    mainWindow_->statusBar()->showMessage(tr("Built the class tree of %1 from %2 headers")
                                              .arg(qText(SdkLayout::describe(root)))
                                              .arg(app_.getHedderCount()));
    NotificationCenter::defaultCenter().post("TreeFileWasChangedMessage");
}

void AppShell::beginOpening(const QString& title) {
    delete about_;
    about_ = new OpeningAboutController(this);
    about_->beginOpening(title);
    about_->setSdkName(SdkLayout::describe(ProcessState::frameworksRoot()), ProcessState::frameworksRoot());
}

void AppShell::endOpening() {
    delete about_;
    about_ = nullptr;
}

void AppShell::applicationWillTerminate() {
    // Nothing is lost without a word: a newer tree stored beside this window is replaced only
    // when the user says so, and a write that failed is offered again (after making room).
    auto onNewer = TreeFileStore::OnNewer::Keep;
    bool asked = false;
    for (;;) {
        const TreeFileStore::StoreReport report = app_.applicationWillTerminate(onNewer);
        if (report.newerTreeKept && !asked) {
            asked = true;
            QMessageBox box(QMessageBox::Question, tr("Kestrel"),
                            tr("Another Kestrel stored a class tree after this window loaded or built its own."),
                            QMessageBox::Yes | QMessageBox::No, mainWindow_.get());
            box.setInformativeText(tr("Keep that newer tree, or replace it with this window's tree, with your "
                                      "folding and selection?"));
            box.button(QMessageBox::Yes)->setText(tr("Replace It"));
            box.button(QMessageBox::No)->setText(tr("Keep the Newer Tree"));
            box.setDefaultButton(QMessageBox::No);
            if (box.exec() == QMessageBox::Yes) {
                onNewer = TreeFileStore::OnNewer::Replace;
                continue;
            }
        }
        if (report.ok()) return;
        QStringList problems;
        for (const std::string& problem : report.problems) problems << QString::fromStdString(problem);
        QMessageBox box(QMessageBox::Warning, tr("Kestrel"), tr("Your changes could not all be saved."),
                        QMessageBox::Retry | QMessageBox::Discard, mainWindow_.get());
        box.setInformativeText(problems.join(QLatin1Char('\n')) +
                               tr("\n\nMake room or make the folder writable, then try again; or quit without "
                                  "them."));
        box.button(QMessageBox::Discard)->setText(tr("Quit Anyway"));
        box.setDefaultButton(QMessageBox::Retry);
        if (box.exec() != QMessageBox::Retry) return;
    }
}

void AppShell::makeMainWindow() {
    mainWindow_ = std::make_unique<QMainWindow>();
    ui_ = std::make_unique<Ui::MainWindow>();
    ui_->setupUi(mainWindow_.get());
    dragStyleView_ = new QButtonGroup(mainWindow_.get());
    dragStyleView_->addButton(ui_->declarationStyleButton, 0);
    dragStyleView_->addButton(ui_->callStyleButton, 1);
    dragStyleView_->addButton(ui_->snippetStyleButton, 2);
    // The choice is the preferences': kept for the next start.
    if (QAbstractButton* chosen = dragStyleView_->button(ProcessState::prefData() ? ProcessState::prefData()->dragStyleMode : 0))
        chosen->setChecked(true);
    connect(dragStyleView_, &QButtonGroup::idClicked, this, [](int style) {
        if (const std::shared_ptr<PrefData>& pref = ProcessState::prefData(); pref && pref->dragStyleMode != style) {
            pref->dragStyleMode = style;
            pref->prefChanged = true;
        }
    });
    makeMenus();
    makeToolBar();
    makePanels();
    connect(qApp, &QApplication::focusChanged, this, [this] { updateCommands(); });
    connect(ui_->tabView, &QTabWidget::currentChanged, this, [this] { updateCommands(); });
    // A shortcut finds its command in the state it has at that moment: a row chosen since the
    // last focus change, a class selected, ... (asked before the shortcut is looked up).
    qApp->installEventFilter(this);
}

bool AppShell::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && !actions_.empty()) updateCommands();
    // The mouse's back and forward buttons, over the main window or the tree window.
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
        const auto button = static_cast<QMouseEvent*>(event)->button();
        if (button == Qt::BackButton || button == Qt::ForwardButton) {
            const QWidget* window = static_cast<QWidget*>(watched)->window();
            if (window == mainWindow_.get() || (treeWindow_ && window == treeWindow_.data())) {
                runCommand(button == Qt::BackButton ? MenuCommand::Back : MenuCommand::Forward);
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void AppShell::showFind() {
    showTab(kFindTab);
    if (findController_) findController_->focusKeywordView();
}

void AppShell::showTab(int index) {
    QTabWidget* tabs = getTabView();
    if (!tabs || tabs->count() == 0) return;
    index = (index % tabs->count() + tabs->count()) % tabs->count();  // round and round
    mainWindow_->show();
    mainWindow_->raise();
    mainWindow_->activateWindow();
    tabs->setCurrentIndex(index);
    // The keys go on into the tab shown: to its first field or list.
    QWidget* page = tabs->widget(index);
    QWidget* focused = QApplication::focusWidget();
    if (focused && page->isAncestorOf(focused)) return;
    if (index == kFindTab && findController_) return findController_->focusKeywordView();
    for (QWidget* w = page->nextInFocusChain(); w && w != page; w = w->nextInFocusChain()) {
        if (!page->isAncestorOf(w)) break;
        if (w->isVisibleTo(page) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(Qt::ShortcutFocusReason);
            return;
        }
    }
}

void AppShell::makePanels() {
    classController_ = new ClassController(*this, ui_->classTab, ui_->classNameView);
    findController_ = new FindController(*this, ui_->findTab, classController_);
    functionController_ = new FunctionController(*this, ui_->functionTab);
    quickOpen_ = new QuickOpenController(*this);
}

void AppShell::makeMenus() {
    QMenuBar* bar = mainWindow_->menuBar();
    std::map<std::string, QMenu*> menus;
    for (const MenuCommandEntry& entry : MenuCommands::entries()) {
        QMenu*& menu = menus[entry.menu];
        if (!menu) {
            menu = bar->addMenu(QString::fromUtf8(entry.menu));
            connect(menu, &QMenu::aboutToShow, this, &AppShell::updateCommands);
        }
        if (entry.command == MenuCommand::Separator) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromUtf8(entry.title));
        action->setData(entry.tag);
        action->setCheckable(MenuCommands::isCheckable(entry.command));
        action->setShortcuts(shortcutsOf(entry));
        // Copy in the tree window, Find from a modeless dialog: the commands are the program's.
        action->setShortcutContext(Qt::ApplicationShortcut);
        if (entry.command == MenuCommand::Quit) action->setMenuRole(QAction::QuitRole);
        if (entry.command == MenuCommand::About) action->setMenuRole(QAction::AboutRole);
        if (entry.command == MenuCommand::Preferences) action->setMenuRole(QAction::PreferencesRole);
        const MenuCommand command = entry.command;
        connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
        actions_[command] = action;
        commandOf_[action] = command;
    }
}

QAction* AppShell::actionFor(MenuCommand command) const {
    auto found = actions_.find(command);
    return found == actions_.end() ? nullptr : found->second;
}

void AppShell::runCommand(MenuCommand command) {
    // A shortcut runs a command without its menu having been validated.
    if (!validateCommand(command)) return;
    switch (command) {
        case MenuCommand::About: doAbout(); break;
        case MenuCommand::ReBuildTree: reBuildTree(); break;
        case MenuCommand::ShowTreeWindow: showTreeWindow(); break;
        case MenuCommand::ShowStructEnumViewer: ShowStructEnumViewer(); break;
        case MenuCommand::OpenURL: openURL(); break;
        case MenuCommand::Preferences: doPref(); break;
        case MenuCommand::EditComment: EditComment(); break;
        case MenuCommand::MargeComment: MargeComment(); break;
        case MenuCommand::EditURL: EditURL(); break;
        case MenuCommand::AddPrivateHedders: addPrivateHedders(); break;
        case MenuCommand::Quit: quit(); break;
        case MenuCommand::Copy: copy(); break;
        case MenuCommand::Cut: cut(); break;
        case MenuCommand::ShowHeader: showHeader(); break;
        case MenuCommand::HideDeprecated: setHideDeprecated(!hidesDeprecated()); break;
        case MenuCommand::Find: showFind(); break;
        case MenuCommand::ShowClassTab: showTab(kClassTab); break;
        case MenuCommand::ShowFindTab: showTab(kFindTab); break;
        case MenuCommand::ShowFunctionTab: showTab(kFunctionTab); break;
        case MenuCommand::NextTab: showTab(getTabView() ? getTabView()->currentIndex() + 1 : 0); break;
        case MenuCommand::PreviousTab: showTab(getTabView() ? getTabView()->currentIndex() - 1 : 0); break;
        case MenuCommand::QuickOpen: quickOpen(); break;
        case MenuCommand::Back: goBack(); break;
        case MenuCommand::Forward: goForward(); break;
        default: break;
    }
    updateCommands();
}

bool AppShell::validateCommand(MenuCommand command) const {
    if (command == MenuCommand::Separator) return false;
    switch (command) {
        case MenuCommand::Quit:
            return true;
        case MenuCommand::Find:
        case MenuCommand::ShowClassTab:
        case MenuCommand::ShowFindTab:
        case MenuCommand::ShowFunctionTab:
        case MenuCommand::NextTab:
        case MenuCommand::PreviousTab: {
            // From the main and tree windows; a dialog keeps these keys for itself.
            const QWidget* active = QApplication::activeWindow();
            return !active || active == mainWindow_.get() || active == treeWindow_.data();
        }
        case MenuCommand::QuickOpen:
            // From every window of the program (the header viewer, the struct and enum viewer
            // too), and again from its own: the text is selected to be typed over. Not over a
            // dialog that waits for an answer.
            return !QApplication::activeModalWidget();
        case MenuCommand::Back:
            return navigationState().first;
        case MenuCommand::Forward:
            return navigationState().second;
        case MenuCommand::Copy:
            if (QLineEdit* field = focusedLineEdit()) return field->hasSelectedText() && field->echoMode() == QLineEdit::Normal;
            if (auto* text = qobject_cast<QPlainTextEdit*>(QApplication::focusWidget()))
                return text->textCursor().hasSelection();
            if (auto* text = qobject_cast<QTextEdit*>(QApplication::focusWidget())) return text->textCursor().hasSelection();
            if (EditTarget* target = focusedEditTarget()) return target->canCopy();
            return false;
        case MenuCommand::Cut:
            if (QLineEdit* field = focusedLineEdit()) return field->hasSelectedText() && !field->isReadOnly();
            if (EditTarget* target = focusedEditTarget()) return target->canCut();
            return false;
        default: {
            QAction* action = actionFor(command);
            return action && validateMenuItem(action->data().toInt());
        }
    }
}

bool AppShell::validateMenuItem(std::int32_t tag) const {
    MenuState state;
    state.customClassEditor = customClassEditor_;
    state.margeEditor = MargeEditor != nullptr;
    state.commentEditor = CommentEditor != nullptr;
    state.selectedClass = getSelectedClass() != nullptr;
    state.seViewer = seViewWere != nullptr;
    const std::shared_ptr<TreeData> subject = headerSubject().first;
    state.selectionHasHeader = subject && subject->hedderName();
    return MenuCommands::validateMenuItem(tag, state);
}

void AppShell::updateCommands() {
    for (const auto& [command, action] : actions_) action->setEnabled(validateCommand(command));
    if (QAction* hide = actionFor(MenuCommand::HideDeprecated)) hide->setChecked(hidesDeprecated());
}

bool AppShell::hidesDeprecated() {
    const std::shared_ptr<PrefData>& pref = ProcessState::prefData();
    return pref && pref->hideDeprecated;
}

void AppShell::setHideDeprecated(bool hide) {
    const std::shared_ptr<PrefData>& pref = ProcessState::prefData();
    if (pref && pref->hideDeprecated != hide) {
        pref->hideDeprecated = hide;
        pref->prefChanged = true;
    }
    if (QAction* action = actionFor(MenuCommand::HideDeprecated)) action->setChecked(hidesDeprecated());
    NotificationCenter::defaultCenter().post("DeprecatedVisibilityChangedMessage");
}

void AppShell::setNotesLookup(std::shared_ptr<const NotesLookup> lookup) {
    notes_ = lookup ? std::move(lookup) : std::make_shared<const NotesLookup>([this] { app_.ensureNotes(); });
    NotificationCenter::defaultCenter().post("DeprecatedVisibilityChangedMessage");
}

void AppShell::showQuickHelpPlace(const QuickHelpText::Content& content) {
    const std::vector<std::string> privates = AnnotationFiles::getPrivateHedders().value_or(std::vector<std::string>{});
    std::optional<QuickHelpPlace::Target> target = QuickHelpPlace::of(content, ProcessState::frameworksRoot(), privates);
    if (target) getHedderViewer().show(target->place.path, target->place.line, target->declarationName);
}

void AppShell::doAbout() {
    AboutController about(app_.classStraightList.size());
    about.beginModalDialog();
}

void AppShell::reBuildTree() {
    auto* dialog = new gui::reBuildTree(this);
    if (dialog->beginModalDialog() == 1) {
        beginOpening(tr("Rebuilding the Class Tree"));
        app_.initTreeFile();
        endOpening();
        mainWindow_->statusBar()->showMessage(tr("Rebuilt the class tree from %1 headers").arg(app_.getHedderCount()));
    }
    NotificationCenter::defaultCenter().post("TreeFileWasChangedMessage");
}

void AppShell::showTreeWindow() {
    if (treeWindow_) {
        treeWindow_->show();
        treeWindow_->raise();
        treeWindow_->activateWindow();
        return;
    }
    auto* controller = new TreeWinAction(*this);
    treeWindow_ = controller->getWindow();
    connect(treeWindow_, &QObject::destroyed, this, [this] { updateCommands(); });
    mainView_->setTreeData(app_.classList);
    const std::shared_ptr<PrefData>& pref = ProcessState::prefData();
    const double alpha = pref ? pref->cWindowAlphaValue : 1.0;
    // An alpha of 0 (or less) in a preferences file would make the window unreachable.
    treeWindow_->setWindowOpacity(alpha >= 0.1 && alpha <= 1.0 ? alpha : 1.0);
    if (mainWindow_ && mainWindow_->isVisible()) WindowPlacement::sideBySide(*mainWindow_, *treeWindow_);
    treeWindow_->show();
    updateCommands();
}

void AppShell::ShowStructEnumViewer() {
    if (seViewWere) return;
    seViewWere = new StructEnumViewerController(*this);
    seViewWere->begin();
    updateCommands();
}

void AppShell::EndStructEnumViewer() {
    seViewWere = nullptr;
    updateCommands();
}

void AppShell::openURL() {
    if (!selectedClass_ || !selectedClass_->getName()) return;
    std::optional<std::string> stored = AnnotationFiles::getClassURL(*selectedClass_->getName());
    if (!stored || stored->empty()) {
        // Said, with the way to store one.
        const QString name = qText(*selectedClass_->getName());
        QMessageBox box(QMessageBox::Information, tr("Open Class URL"), tr("No URL is stored for %1.").arg(name),
                        QMessageBox::Close, mainWindow_.get());
        box.setInformativeText(tr("Store one, such as the address of its documentation, in Edit > Class URLs."));
        QPushButton* store = box.addButton(tr("Class &URLs\u2026"), QMessageBox::ActionRole);
        box.exec();
        if (box.clickedButton() == store) {
            EditURL();
            if (URLeditor) URLeditor->selectClassNamed(*selectedClass_->getName());
        }
        return;
    }
    // Only web, file and mail addresses go to the desktop; nothing is run through a shell.
    const QString problem = DesktopUrl::open(qText(*stored));
    if (!problem.isEmpty())
        QMessageBox::warning(mainWindow_.get(), tr("Open Documentation"),
                             tr("The address stored for %1 cannot be opened.\n%2")
                                 .arg(qText(*selectedClass_->getName()), problem));
}

void AppShell::doPref() {
    if (prefController_) {
        if (QDialog* window = prefController_->getWindow()) {
            window->raise();
            window->activateWindow();
        }
        return;
    }
    prefController_ = new PrefController(*this);
    prefController_->begin();
}

void AppShell::EndPref(PrefController* dialog) {
    if (prefController_ == dialog) prefController_ = nullptr;
}

void AppShell::preferencesChanged() {
    // Display names are cut to the box by the font's measure.
    auto remeasure = [](const auto& list) {
        for (const auto& record : list)
            if (record) record->makeDisplayName();
    };
    remeasure(app_.classStraightList);
    remeasure(app_.categoryList);
    remeasure(app_.protocolList);
    remeasure(app_.structList);
    remeasure(app_.enumList);
    if (mainView_) mainView_->reLayout();
    for (QWidget* top : QApplication::topLevelWidgets())
        for (TextArrayView* list : top->findChildren<TextArrayView*>()) list->rowsRestyled();
    if (treeWindow_) {
        const std::shared_ptr<PrefData>& pref = ProcessState::prefData();
        if (pref && pref->cWindowAlphaValue > 0) treeWindow_->setWindowOpacity(pref->cWindowAlphaValue);
    }
}

void AppShell::EditComment() {
    if (CommentEditor) {
        CommentEditor->orderFrontWindow();
        return;
    }
    if (MargeEditor) return;  // a merge is open: the editor would write over what it imports
    CommentEditor = new EditCommentController(*this);
    CommentEditor->beginDialog();
    updateCommands();
}

void AppShell::MargeComment() {
    if (MargeEditor || CommentEditor) return;
    MargeEditor = new MargeController(*this);
    MargeEditor->beginDialog();
    updateCommands();
}

bool AppShell::EndEditComment(int, EditCommentController* editor) {
    if (CommentEditor == editor) CommentEditor = nullptr;
    updateCommands();
    return true;
}

bool AppShell::EndMargeComment(int, MargeController* dialog) {
    if (MargeEditor == dialog) MargeEditor = nullptr;
    updateCommands();
    return true;
}

void AppShell::EditURL() {
    if (URLeditor) {
        URLeditor->orderFrontWindow();
        return;
    }
    URLeditor = new EditUrlController(*this);
    URLeditor->beginDialog();
}

bool AppShell::EndEditURL(int code, EditUrlController* editor) {
    if (URLeditor == editor) URLeditor = nullptr;
    // The class panel's button follows a stored change at once.
    if (code == 1 && classController_) classController_->classObjSelected(getSelectedClass());
    updateCommands();
    return true;
}

void AppShell::addPrivateHedders() {
    if (customClassEditor_) {
        if (privateHedderEditor_) privateHedderEditor_->orderFrontWindow();
        return;
    }
    customClassEditor_ = true;
    privateHedderEditor_ = new AddPrivateHedders(*this, AnnotationFiles::getPrivateHedders().value_or(std::vector<std::string>{}));
    privateHedderEditor_->beginDialog();
    updateCommands();
}

bool AppShell::sendAddPrivateHedderMessage(int code, bool edited, const std::vector<std::string>& paths,
                                           const std::vector<std::string>& opened) {
    if (code == 1 && edited) {
        // Merged into the file as it is now: paths another window added meanwhile stay.
        if (!AnnotationFiles::mergePrivateHedders(opened, paths)) return false;  // the dialog stays, and says so
        customClassEditor_ = false;
        privateHedderEditor_ = nullptr;
        reBuildTree();
    }
    customClassEditor_ = false;
    privateHedderEditor_ = nullptr;
    updateCommands();
    return true;
}

std::pair<std::shared_ptr<TreeData>, std::string> AppShell::headerSubject() const {
    if (!ui_) return {};
    if (ui_->tabView->currentWidget() == ui_->functionTab && functionController_)
        return {functionController_->getMainView()->selectedRecord(), ""};
    std::shared_ptr<ClassData> selected = getSelectedClass();
    if (!selected) return {};
    std::string method;
    // The method the Class tab shows is the selected class's (another class empties it).
    if (ui_->tabView->currentWidget() == ui_->classTab && classController_)
        method = classController_->getMethodView()->getMethod().value_or("");
    return {selected, method};
}

void AppShell::showHeader() {
    const auto [record, method] = headerSubject();
    if (!record || !record->hedderName()) return;
    const std::string& root = ProcessState::frameworksRoot();
    app_.ensureNotes();  // the line the build stored
    const std::vector<std::string> privates = AnnotationFiles::getPrivateHedders().value_or(std::vector<std::string>{});
    std::optional<HeaderLocation::Place> place = HeaderLocation::locate(*record, root, privates, method);
    // A header not found is said in the viewer, at the place where it was looked for.
    if (!place) place = HeaderLocation::Place{HeaderLocation::expectedPath(root, *record), 0};
    getHedderViewer().show(place->path, place->line, HeaderLocation::declarationName(*record, method));
}

HedderViewer& AppShell::getHedderViewer() {
    if (!hedderViewer_) hedderViewer_ = new HedderViewer(this);
    return *hedderViewer_;
}

void AppShell::placeWindows() {
    if (mainWindow_ && treeWindow_) WindowPlacement::sideBySide(*mainWindow_, *treeWindow_);
}

void AppShell::quit() { QCoreApplication::quit(); }

void AppShell::copy() {
    if (QLineEdit* field = focusedLineEdit()) return field->copy();
    if (auto* text = qobject_cast<QPlainTextEdit*>(QApplication::focusWidget())) return text->copy();
    if (auto* text = qobject_cast<QTextEdit*>(QApplication::focusWidget())) return text->copy();  // Quick Help
    if (EditTarget* target = focusedEditTarget(); target && target->canCopy()) target->copy();
}

void AppShell::cut() {
    if (QLineEdit* field = focusedLineEdit()) return field->cut();
    if (EditTarget* target = focusedEditTarget(); target && target->canCut()) target->cut();
    navigationState_.reset();  // a class cut from the tree may have been a place of the history
}

QMainWindow* AppShell::getMainWindow() const { return mainWindow_.get(); }
QLineEdit* AppShell::getClassNameView() const { return ui_ ? ui_->classNameView : nullptr; }
QTabWidget* AppShell::getTabView() const { return ui_ ? ui_->tabView : nullptr; }

void AppShell::setTreeWindow(QWidget* window) { treeWindow_ = window; }

void AppShell::setMainView(TreeView* view) { mainView_ = view; }

void AppShell::setTabViewPage(int) {
    if (QTabWidget* tabs = getTabView()) tabs->setCurrentIndex(0);
}

std::shared_ptr<ClassData> AppShell::getSelectedClass() const {
    for (const auto& record : app_.classStraightList)
        if (record && record->getSelectFlag()) return record;
    return nullptr;
}

QFont AppShell::treeFont() const { return PrefFonts::currentFont(); }

void AppShell::selectRequestedClass() {
    if (!options_.selectClass || !mainView_) return;
    std::shared_ptr<ClassData> record = app_.findClassByName(*options_.selectClass);
    if (!record) {
        mainWindow_->statusBar()->showMessage(tr("No class named %1").arg(QString::fromStdString(*options_.selectClass)));
        return;
    }
    mainView_->selectClass(record, true);
}

void AppShell::makeToolBar() {
    QToolBar* bar = ui_->navigationBar;
    QStyle* style = mainWindow_->style();
    const std::pair<MenuCommand, QIcon> buttons[] = {
        {MenuCommand::Back, style->standardIcon(QStyle::SP_ArrowBack)},
        {MenuCommand::Forward, style->standardIcon(QStyle::SP_ArrowForward)},
        {MenuCommand::QuickOpen,
         QIcon::fromTheme(QStringLiteral("edit-find"), style->standardIcon(QStyle::SP_FileDialogContentsView))},
    };
    for (const auto& [command, icon] : buttons) {
        QAction* action = actionFor(command);
        if (!action) continue;
        action->setIcon(icon);
        // "Back (Alt+Left)": the button says its keys.
        QString tip = action->text().remove(QLatin1Char('&')).remove(QChar(0x2026));
        action->setIconText(tip);  // the button's words, without the menu's ellipsis
        if (!action->shortcut().isEmpty()) tip += QStringLiteral(" (%1)").arg(action->shortcut().toString(QKeySequence::NativeText));
        action->setToolTip(tip);
        if (command == MenuCommand::QuickOpen) bar->addSeparator();
        bar->addAction(action);
        if (command == MenuCommand::QuickOpen)
            if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action)))
                button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }
}

void AppShell::quickOpen() {
    if (quickOpen_) quickOpen_->open();
}

void AppShell::observeHistory() {
    NotificationCenter& center = NotificationCenter::defaultCenter();
    auto visited = [this](NavigationHistory::Place place) {
        history_.visit(std::move(place));
        navigationState_.reset();
        updateCommands();
    };
    center.addObserver(this, "ClassObjSelectedMessage", [visited](const Notification& n) {
        if (const auto* record = std::any_cast<std::shared_ptr<ClassData>>(&n.object); record && *record)
            visited(NavigationHistory::Place::ofClass((*record)->getName().value_or("")));
    });
    center.addObserver(this, "ClassMethodWasSelectedMessage", [this, visited](const Notification& n) {
        // On the class the panel shows (the tree's selection, or the class found).
        const auto* method = std::any_cast<std::string>(&n.object);
        if (!method || method->empty()) return;
        const QLineEdit* field = getClassNameView();
        visited(NavigationHistory::Place::ofMethod(field ? field->text().toStdString() : std::string(), *method));
    });
    center.addObserver(this, "FunctionWasSelectedMessage", [visited](const Notification& n) {
        if (const auto* declaration = std::any_cast<std::string>(&n.object); declaration && !declaration->empty())
            visited(NavigationHistory::Place::ofFunction(*declaration));
    });
    center.addObserver(this, "TreeFileWasChangedMessage", [this](const Notification&) {
        navigationState_.reset();
        updateCommands();
    });
}

bool AppShell::placeExists(const NavigationHistory::Place& place) const {
    return PlaceFinder(app_.classStraightList, app_.functions).exists(place);
}

std::pair<bool, bool> AppShell::navigationState() const {
    if (!navigationState_) {
        auto exists = [this](const NavigationHistory::Place& place) { return placeExists(place); };
        navigationState_ = std::pair{history_.canGoBack(exists), history_.canGoForward(exists)};
    }
    return *navigationState_;
}

void AppShell::goBack() {
    auto exists = [this](const NavigationHistory::Place& place) { return placeExists(place); };
    if (std::optional<NavigationHistory::Place> place = history_.back(exists)) showPlace(*place);
    navigationState_.reset();
    updateCommands();
}

void AppShell::goForward() {
    auto exists = [this](const NavigationHistory::Place& place) { return placeExists(place); };
    if (std::optional<NavigationHistory::Place> place = history_.forward(exists)) showPlace(*place);
    navigationState_.reset();
    updateCommands();
}

void AppShell::showPlace(const NavigationHistory::Place& place) {
    const std::optional<PlaceFinder::Found> found = PlaceFinder(app_.classStraightList, app_.functions).find(place);
    if (!found) return;
    // What is shown now is the history's own step, not a new place.
    NavigationHistory::Replay replay(history_);
    switch (place.kind) {
        case NavigationHistory::Place::Kind::Class: showClassRecord(found->classRecord); break;
        case NavigationHistory::Place::Kind::Method: showMethodOn(found->classRecord, found->method.value_or("")); break;
        case NavigationHistory::Place::Kind::Function: showFunctionRecord(found->function); break;
    }
}

void AppShell::showDestination(const QuickOpenText::Destination& to) {
    using Where = QuickOpenText::Destination::Where;
    // Chosen from another window (the header viewer, ...): the main window comes forward.
    if (to.where == Where::Method || to.where == Where::Function || to.where == Where::Class)
        if (QWidget* active = QApplication::activeWindow();
            active && active != mainWindow_.get() && active != treeWindow_.data()) {
            mainWindow_->raise();
            mainWindow_->activateWindow();
        }
    switch (to.where) {
        case Where::Class: showClassRecord(to.classRecord); break;
        case Where::Method: showMethodOn(to.classRecord, to.method.value_or("")); break;
        case Where::Function: showFunctionRecord(to.function); break;
        case Where::StructEnum:
            ShowStructEnumViewer();
            if (seViewWere) seViewWere->showRecord(to.structEnum, to.constant);
            break;
        case Where::Nowhere:
            mainWindow_->statusBar()->showMessage(QString::fromStdString(to.note), 8000);
            break;
    }
}

void AppShell::showClassRecord(const std::shared_ptr<ClassData>& record) {
    if (!record) return;
    if (mainView_)
        mainView_->selectClass(record);
    else
        NotificationCenter::defaultCenter().post("ClassObjSelectedMessage", record);
    showTab(kClassTab);
}

void AppShell::showMethodOn(const std::shared_ptr<ClassData>& record, const std::string& method) {
    // The class first, as a click on its box shows it; then the method, as its menu shows it.
    if (record) {
        if (!mainView_)
            NotificationCenter::defaultCenter().post("ClassObjSelectedMessage", record);
        else if (mainView_->selectedClass() != record)
            mainView_->selectClass(record);
        else
            mainView_->scrollToselection();
    } else if (mainView_) {
        mainView_->doObjSelectByPt({-1, -1});  // no class: the method alone, on no receiver
    } else {
        NotificationCenter::defaultCenter().post("ClassDidUnselectedMessage");
    }
    showTab(kClassTab);
    NotificationCenter::defaultCenter().post("ClassMethodWasSelectedMessage", method);
    if (classController_) classController_->getMethodView()->setFocus(Qt::OtherFocusReason);
}

void AppShell::showFunctionRecord(const std::shared_ptr<FunctionMacrosData>& record) {
    if (!record || !functionController_) return;
    showTab(kFunctionTab);
    functionController_->showFunction(record);
}

// The host: the opening window and the tree view.
void AppShell::setMessage(const std::string& text) {
    if (about_) about_->setMessage(text);
}
void AppShell::setStatusMessage(const std::string& text) {
    if (about_) about_->setStatusMessage(text);
}
void AppShell::addProgressBarValue(double amount) {
    if (about_) about_->addProgressBarValue(amount);
}
void AppShell::setProgressBarValue(double value) {
    if (about_) about_->setProgressBarValue(value);
}
void AppShell::setIndeterminate(bool flag) {
    if (about_) about_->setIndeterminate(flag);
}
void AppShell::setNote(const std::string& text) {
    if (about_) about_->setNote(text);
}
void AppShell::viewSetUp(const std::vector<std::shared_ptr<ClassData>>& roots) {
    if (mainView_) mainView_->setTreeData(roots);
}
void AppShell::unSelect() {
    if (mainView_) mainView_->unSelect();
}
void AppShell::reLayout() {
    if (mainView_) mainView_->reLayout();
}
std::int32_t AppShell::getDragStyleMode() { return dragStyleView_ ? std::max(dragStyleView_->checkedId(), 0) : 0; }

}  // namespace kestrel::gui
