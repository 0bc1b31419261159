#include "cli/GuiModule.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace kestrel::cli {

void* GuiModule::entry(const char* name, std::ostream& err) {
    static void* handle = nullptr;
    if (!handle) {
        std::error_code ec;
        std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
        std::filesystem::path module = (ec ? std::filesystem::path("kestrel") : self).parent_path() / "kestrel-gui.so";
        handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            err << "kestrel: cannot load the desktop program (" << dlerror() << ")\n"
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
