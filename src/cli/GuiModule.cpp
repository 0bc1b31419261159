#include "cli/GuiModule.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace kestrel::cli {

namespace fs = std::filesystem;

void* GuiModule::entry(const char* name, std::ostream& err) {
    static void* handle = nullptr;
    if (!handle) {
        // Beside the executable (the build folder), else in lib/kestrel beside the executable's
        // folder (an installation: PREFIX/bin/kestrel and PREFIX/lib/kestrel/kestrel-gui.so, as
        // cmake/Install.cmake lays them out). Without /proc/self/exe, the bare name, for the
        // dynamic loader's own search.
        std::error_code ec;
        const fs::path self = fs::read_symlink("/proc/self/exe", ec);
        fs::path module = "kestrel-gui.so";
        if (!ec && !self.empty()) {
            const fs::path beside = self.parent_path() / "kestrel-gui.so";
            const fs::path installed = self.parent_path().parent_path() / "lib" / "kestrel" / "kestrel-gui.so";
            // A module that is there but does not load (a Qt library missing) is reported as
            // such, not passed over for another copy.
            module = fs::exists(beside, ec) || !fs::exists(installed, ec) ? beside : installed;
        }
        handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            err << "kestrel: cannot load the desktop program (" << dlerror() << ")\n"
                << "It is kestrel-gui.so, beside kestrel or in ../lib/kestrel from kestrel's folder.\n"
                << "Run `kestrel --help` for the terminal commands.\n";
            return nullptr;
        }
    }
    void* symbol = dlsym(handle, name);
    if (!symbol) err << "kestrel: the desktop program's module has no " << name << "\n";
    return symbol;
}

int GuiModule::runDesktopProgram(int argc, char** argv, std::ostream& err) {
    using Entry = int (*)(int, char**);
    auto run = reinterpret_cast<Entry>(entry("kestrel_run_gui", err));
    return run ? run(argc, argv) : 1;
}

int GuiModule::drawTreePicture(const TreePictureRequest& request, std::ostream& err) {
    using Entry = int (*)(const char* frameworksRoot, const char* file, int svg, const char* className);
    auto draw = reinterpret_cast<Entry>(entry("kestrel_tree_picture", err));
    if (!draw) return 1;
    return draw(request.frameworksRoot ? request.frameworksRoot->c_str() : nullptr, request.file.c_str(),
                request.svg ? 1 : 0, request.className ? request.className->c_str() : nullptr);
}

}  // namespace kestrel::cli
