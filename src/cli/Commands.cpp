#include "cli/Commands.h"

namespace kestrel::cli {

std::vector<Command> allCommands() {
    return {};
}

}  // namespace kestrel::cli
