#include "cli/Commands.h"

#include "cli/DumpCommand.h"
#include "cli/TokensCommand.h"
#include "cli/TreeCommands.h"

namespace kestrel::cli {

std::vector<Command> allCommands() {
    return {TreeCommands::build(), TreeCommands::tree(), TreeCommands::find(), TreeCommands::info(),
            DumpCommand::command(), TokensCommand::command()};
}

}  // namespace kestrel::cli
