#include "gui/panels/AddPrivateHedders.h"

#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>

#include "core/model/AnnotationFiles.h"
#include "core/model/PrivateHedderPaths.h"
#include "core/platform/ProcessState.h"
#include "gui/app/AppShell.h"
#include "gui/app/QtText.h"
#include "gui/app/WindowPlacement.h"
#include "gui/lists/PrivateHedderView.h"
#include "gui/panels/PrivateHedderFilter.h"
#include "ui_AddPrivate.h"

namespace kestrel::gui {

AddPrivateHedders::AddPrivateHedders(AppShell& owner, std::vector<std::string> paths)
    : AnnotationDialog(&owner), shell(owner), pathList(std::move(paths)), startList(pathList) {
    setParent(&owner);  // goes with the program when it quits with the dialog open
}

AddPrivateHedders::~AddPrivateHedders() = default;

QDialog* AddPrivateHedders::loadWindow() {
    QDialog* dialog = makeWindow();
    ui_ = std::make_unique<Ui::AddPrivate>();
    ui_->setupUi(dialog);
    watchWindow(*dialog, *ui_->messageBox, *ui_->messageIcon, *ui_->messageView);
    ui_->mainView->setRemoveButtonView(ui_->removeButton);
    ui_->mainView->setPlaceholderText(tr("No private headers"));
    connect(ui_->addFilesButton, &QPushButton::clicked, this, &AddPrivateHedders::selectHedderFiles);
    connect(ui_->addFolderButton, &QPushButton::clicked, this, &AddPrivateHedders::selectHedderFolder);
    connect(ui_->removeButton, &QPushButton::clicked, this, &AddPrivateHedders::doRemoveButton);
    connect(ui_->buttonBox, &QDialogButtonBox::accepted, this, &AddPrivateHedders::doOkButton);
    connect(ui_->buttonBox, &QDialogButtonBox::rejected, this, &AddPrivateHedders::doCancelButton);

    storeUnreadable = !AnnotationFiles::getPrivateHedderStore();
    frameworkFolders = PrivateHedderPaths::frameworkFolders(ProcessState::frameworksRoot());
    panelFolder = QDir::homePath();
    showList();
    showMessage({});
    dialog->resize(dialog->sizeHint().expandedTo(QSize(600, 360)));
    WindowPlacement::centre(*dialog);
    return dialog;
}

PrivateHedderView* AddPrivateHedders::getMainView() const { return ui_ ? ui_->mainView : nullptr; }
QPushButton* AddPrivateHedders::getOkButton() const { return ui_ ? ui_->buttonBox->button(QDialogButtonBox::Ok) : nullptr; }
QPushButton* AddPrivateHedders::getRemoveButton() const { return ui_ ? ui_->removeButton : nullptr; }

void AddPrivateHedders::showList() {
    if (!ui_) return;
    ui_->mainView->setPaths(pathList);
    getOkButton()->setEnabled(isEdited());
}

QString AddPrivateHedders::unreadableMessage() const {
    return tr("Your private headers could not be read from %1. That file is left as it is: no list is stored until "
              "it is repaired or removed.")
        .arg(qText(AnnotationFiles::getPrivateHeddersPath()));
}

QFileDialog* AddPrivateHedders::makePanel(const QString& title) {
    if (importPanel || !window) return nullptr;
    auto* panel = new QFileDialog(window, title);
    panel->setOption(QFileDialog::DontUseNativeDialog);  // a native panel would ignore the filter
    panel->setAttribute(Qt::WA_DeleteOnClose);
    panel->setProxyModel(new PrivateHedderFilter(pathList, frameworkFolders, panel));
    panel->setDirectory(panelFolder);
    panel->setLabelText(QFileDialog::Accept, tr("Add"));
    panel->resize(760, 480);
    connect(panel, &QFileDialog::filesSelected, this, &AddPrivateHedders::addPaths);
    importPanel = panel;
    return panel;
}

void AddPrivateHedders::selectHedderFiles() {
    if (QFileDialog* panel = makePanel(tr("Add Header Files"))) {
        panel->setFileMode(QFileDialog::ExistingFiles);
        panel->setNameFilter(tr("Header files (*.h)"));
        panel->open();
    }
}

void AddPrivateHedders::selectHedderFolder() {
    if (QFileDialog* panel = makePanel(tr("Add a Folder of Headers"))) {
        panel->setFileMode(QFileDialog::Directory);
        panel->setOption(QFileDialog::ShowDirsOnly);
        panel->open();
    }
}

void AddPrivateHedders::addPaths(const QStringList& paths) {
    QStringList problems;
    for (const QString& chosen : paths) {
        const QFileInfo info(chosen);
        const std::string path = QDir::cleanPath(info.absoluteFilePath()).toStdString();
        switch (PrivateHedderPaths::refusal(path, frameworkFolders)) {
            case PrivateHedderPaths::Refusal::FrameworksRoot:
                problems << tr("“%1” is where the frameworks' headers are read from already.").arg(chosen);
                continue;
            case PrivateHedderPaths::Refusal::AboveFrameworks:
                problems << tr("“%1” holds the frameworks' headers: they would be read twice.").arg(chosen);
                continue;
            case PrivateHedderPaths::Refusal::InsideFrameworks:
                problems << tr("“%1” is among the frameworks' headers, which are read already.").arg(chosen);
                continue;
            case PrivateHedderPaths::Refusal::None:
                break;
        }
        if (!info.exists()) {
            problems << tr("“%1” is not there.").arg(chosen);
            continue;
        }
        if (!info.isDir() && !(info.isFile() && chosen.endsWith(QLatin1String(".h")))) {
            problems << tr("“%1” is neither a header file (.h) nor a folder.").arg(chosen);
            continue;
        }
        if (PrivateHedderPaths::contains(pathList, path)) continue;  // listed already
        pathList.push_back(path);
        panelFolder = info.absolutePath();
    }
    showList();
    showMessage(problems.join(QLatin1Char('\n')));
}

void AddPrivateHedders::doRemoveButton() {
    if (!ui_) return;
    const int line = ui_->mainView->getSelectLine();
    if (line < 0 || line >= static_cast<int>(pathList.size())) return;
    ui_->mainView->doClickAction(-1);
    pathList.erase(pathList.begin() + line);
    showList();
}

void AddPrivateHedders::doDialogAction(int code) {
    if (ending_) return;
    if (code == 1 && isEdited() && storeUnreadable) return showMessage({});  // says it again
    ending_ = true;  // the owner's rebuild question runs an event loop
    if (!shell.sendAddPrivateHedderMessage(code, isEdited(), pathList, startList)) {
        ending_ = false;
        storeUnreadable = !AnnotationFiles::getPrivateHedderStore();
        showMessage(storeUnreadable ? QString()
                                    : tr("The list could not be stored in %1. It is still here: make room or make the "
                                         "folder writable and press OK again, or press Cancel to give it up.")
                                          .arg(qText(AnnotationFiles::getPrivateHeddersPath())));
        return;
    }
    end();
}

}  // namespace kestrel::gui
