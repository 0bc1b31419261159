// The entry point of the desktop program's module (kestrel-gui.so), which kestrel loads when
// it is started without a terminal command.
#include "gui/app/AppShell.h"

extern "C" __attribute__((visibility("default"))) int kestrel_run_gui(int argc, char** argv) {
    return kestrel::gui::AppShell::runApplication(argc, argv);
}
