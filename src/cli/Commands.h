#pragma once
// The registry of headless commands; each command lives in its own source file.
#include <vector>

#include "cli/CommandLine.h"

namespace kestrel::cli {

std::vector<Command> allCommands();

}  // namespace kestrel::cli
