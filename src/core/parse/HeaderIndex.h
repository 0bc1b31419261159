#pragma once
// The headers below the framework folders, for the readers of one define pass: find answers
// what DefineMacroEngin::findHeader answers (the first file of that name in a depth-first walk
// in listing order, links and link files followed, each folder entered once). While an index
// lives, the folders it has looked at are listed only once (it holds a FolderIndex session), so
// a pass lists each framework folder once, not once per import.
#include <optional>
#include <string>

#include "core/platform/FolderIndex.h"

namespace kestrel {

class HeaderIndex {
public:
    HeaderIndex();
    std::optional<std::string> find(const std::string& folder, const std::string& name);

private:
    FolderIndex::Session session;
};

}  // namespace kestrel
