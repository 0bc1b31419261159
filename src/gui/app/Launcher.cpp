#include "gui/app/Launcher.h"

#include <dlfcn.h>

#include <QApplication>
#include <QIcon>
#include <QSessionManager>
#include <cstdlib>
#include <iostream>
#include <vector>

#include "core/platform/SdkLayout.h"
#include "gui/app/AppShell.h"
#include "gui/app/PlatformCheck.h"
#include "gui/app/StartupProbe.h"
#include "gui/app/TerminationSignals.h"

namespace kestrel::gui {

namespace {
using XcbConnect = void* (*)(const char*, int*);
using XcbHasError = int (*)(void*);
using XcbDisconnect = void (*)(void*);

}  // namespace

namespace {
// The probe's connection stays open until Qt has made its own: an X server with no client
// left resets itself, and would refuse Qt while it does.
struct DisplayProbe {
    void* library = nullptr;
    void* connection = nullptr;
    XcbDisconnect disconnect = nullptr;
    ~DisplayProbe() { release(); }
    void release() {
        if (connection && disconnect) disconnect(connection);
        if (library) dlclose(library);
        library = connection = nullptr;
    }
};
DisplayProbe& displayProbe() {
    static DisplayProbe probe;
    return probe;
}
}  // namespace

std::optional<std::string> Launcher::displayProblem(const std::vector<std::string>& qtArgs) {
    // A platform asked for by name is Qt's to start; only X, which it would abort on without a
    // display, is probed here as well.
    const std::optional<PlatformCheck::Request> request = PlatformCheck::requested(qtArgs);
    if (request && request->names != std::vector<std::string>{"xcb"}) return std::nullopt;
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const char* display = std::getenv("DISPLAY");
    if (!request && (!display || !*display) && wayland && *wayland) return std::nullopt;
    if (!display || !*display) return std::string("no display is set (DISPLAY is empty)");
    // Ask the X server itself, as Qt would, but without Qt's abort when it does not answer.
    DisplayProbe& probe = displayProbe();
    probe.release();
    probe.library = dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL);
    if (!probe.library) return std::nullopt;
    auto connect = reinterpret_cast<XcbConnect>(dlsym(probe.library, "xcb_connect"));
    auto hasError = reinterpret_cast<XcbHasError>(dlsym(probe.library, "xcb_connection_has_error"));
    probe.disconnect = reinterpret_cast<XcbDisconnect>(dlsym(probe.library, "xcb_disconnect"));
    if (!connect || !hasError || !probe.disconnect) return std::nullopt;
    probe.connection = connect(nullptr, nullptr);
    if (!hasError(probe.connection)) return std::nullopt;
    probe.release();
    return "the display " + std::string(display) + " does not answer";
}

int Launcher::run(int argc, char** argv) {
    LaunchOptions options;
    std::optional<std::string> sdk;
    std::vector<char*> qtArgs{argv[0]};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](const std::string& name) -> std::optional<std::string> {
            if (arg == name && i + 1 < argc) return std::string(argv[++i]);
            if (arg.rfind(name + "=", 0) == 0) return arg.substr(name.size() + 1);
            return std::nullopt;
        };
        if (auto root = value("--frameworks-root")) {
            options.frameworksRoot = root;
        } else if (auto given = value("--sdk")) {
            sdk = given;
        } else if (auto cls = value("--select")) {
            options.selectClass = cls;
        } else if (arg == "--frameworks-root" || arg == "--sdk" || arg == "--select") {
            std::cerr << "kestrel: " << arg << " needs a value\n";
            return 2;
        } else {
            qtArgs.push_back(argv[i]);
        }
    }
    if (sdk) {
        if (options.frameworksRoot) {
            std::cerr << "kestrel: give --sdk or --frameworks-root, not both\n";
            return 2;
        }
        options.frameworksRoot = SdkLayout::frameworksRootOf(*sdk);
        if (!options.frameworksRoot) {
            std::cerr << "kestrel: --sdk: " << *sdk << " is no SDK (it has no System/Library/Frameworks)\n";
            return 2;
        }
    }
    // Qt would abort the program for want of the platform asked for; said here instead.
    const std::vector<std::string> qtArgList(qtArgs.begin(), qtArgs.end());
    if (std::optional<std::string> problem = PlatformCheck::problem(qtArgList)) {
        std::cerr << "kestrel: cannot open the desktop program's windows: " << *problem << ".\n";
        const std::optional<PlatformCheck::Request> request = PlatformCheck::requested(qtArgList);
        return request && request->byArgument ? 2 : 1;
    }
    if (std::optional<std::string> problem = displayProblem(qtArgList)) {
        std::cerr << "kestrel: cannot open the desktop program's windows: " << *problem << ".\n"
                  << "Start it on a desktop, or use the terminal commands, which need no display:\n"
                  << "  kestrel build               read the framework headers and store the class tree\n"
                  << "  kestrel tree [CLASS]        print the class tree\n"
                  << "  kestrel tree --png FILE     draw the class tree as a picture (also --svg)\n"
                  << "  kestrel find KEYWORD...     find classes, methods or functions\n"
                  << "  kestrel info CLASS          print a class with its methods\n"
                  << "Run `kestrel --help` for all of them.\n";
        return 1;
    }
    int qtArgc = static_cast<int>(qtArgs.size());
    qtArgs.push_back(nullptr);
    QApplication application(qtArgc, qtArgs.data());
    displayProbe().release();
    QApplication::setApplicationName(QStringLiteral("Kestrel"));
    QApplication::setApplicationVersion(QStringLiteral(KESTREL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("kestrel"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/kestrel.png")));
    if (StartupProbe::mode() == "empty") return StartupProbe::runEmptyWindow();
    AppShell shell(options);
    TerminationSignals::install([] { QCoreApplication::quit(); });
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &shell, &AppShell::applicationWillTerminate);
    // The desktop session ending: write what changed before the session manager lets us go.
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &shell,
                     [&shell](QSessionManager&) { shell.applicationWillTerminate(); });
    shell.applicationWillFinishLaunching();
    shell.applicationDidFinishLaunching();
    return QApplication::exec();
}

}  // namespace kestrel::gui
