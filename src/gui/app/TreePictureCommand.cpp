#include "gui/app/TreePictureCommand.h"

#include <sys/stat.h>

#include <QGuiApplication>
#include <iostream>

#include "core/app/AppAction2.h"
#include "core/model/ClassData.h"
#include "core/platform/DataFolder.h"
#include "core/platform/FrameworksRoot.h"
#include "core/platform/ProcessState.h"
#include "gui/app/PrefFonts.h"
#include "gui/treeview/TreePicture.h"

namespace kestrel::gui {

namespace {
// A terminal command prints its own messages; the offscreen platform's remarks (no runtime
// folder, no session) are no business of the person asking for a picture.
void onlyCritical(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << qFormatLogMessage(type, context, message).toStdString() << "\n";
}
}  // namespace

int TreePictureCommand::run(const std::optional<std::string>& frameworksRoot, const std::string& file, bool svg,
                            const std::optional<std::string>& className) {
    // Pictures never need a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(onlyCritical);
    int argc = 1;
    char name[] = "kestrel";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);

    // A target that is there and is no file (a FIFO, a device) is refused before anything else.
    struct stat target {};
    if (::stat(file.c_str(), &target) == 0 && !S_ISREG(target.st_mode)) {
        std::cerr << "kestrel tree: " << file << " is not a file (" << (S_ISDIR(target.st_mode) ? "a folder" : "a FIFO or device")
                  << "): it is left as it is; give the name of a picture file\n";
        return 1;
    }
    ProcessState::frameworksRoot() = FrameworksRoot::resolve(frameworksRoot, DataFolder::getMainFolderPath());
    PrefFonts::installMeasure();
    int status = 0;
    {
        AppAction2 app;
        app.startUp();
        if (!app.getStartUpNote().empty()) std::cerr << "kestrel: " << app.getStartUpNote() << "\n";
        std::vector<std::shared_ptr<ClassData>> roots = app.classList;
        if (className) {
            std::shared_ptr<ClassData> record = app.findClassByName(*className);
            if (!record) {
                std::cerr << "kestrel tree: no class named " << *className << "\n";
                status = 1;
            }
            roots = {record};
        }
        QString problem;
        if (status == 0 && !TreePicture::write(roots, PrefFonts::currentFont(), QString::fromStdString(file),
                                               svg ? TreePicture::Format::SVG : TreePicture::Format::PNG, problem)) {
            std::cerr << "kestrel tree: " << problem.toStdString() << "\n";
            status = 1;
        }
        const TreeFileStore::StoreReport report = app.applicationWillTerminate();
        for (const std::string& line : report.notes) std::cerr << "kestrel: " << line << "\n";
        for (const std::string& line : report.problems) std::cerr << "kestrel: " << line << "\n";
        if (!report.ok() && status == 0) status = 3;  // the picture is there, the tree was not stored
    }
    PrefFonts::uninstallMeasure();
    return status;
}

}  // namespace kestrel::gui
