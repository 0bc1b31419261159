#include "core/parse/HeaderIndex.h"

#include "core/platform/ProcessState.h"

namespace kestrel {

HeaderIndex::HeaderIndex() : session(ProcessState::folderIndex()) {}

std::optional<std::string> HeaderIndex::find(const std::string& folder, const std::string& name) {
    return ProcessState::folderIndex().firstFileNamed(folder, name);
}

}  // namespace kestrel
