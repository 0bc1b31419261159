#include "gui/app/TreePictureCommand.h"

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

    ProcessState::frameworksRoot() = FrameworksRoot::resolve(frameworksRoot, DataFolder::getMainFolderPath());
    PrefFonts::installMeasure();
    int status = 0;
    {
        AppAction2 app;
        app.startUp();
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
        app.applicationWillTerminate();
    }
    PrefFonts::uninstallMeasure();
    return status;
}

}  // namespace kestrel::gui
