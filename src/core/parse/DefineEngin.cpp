#include "core/parse/DefineEngin.h"

#include <optional>
#include <set>
#include <utility>
#include <vector>

#include "core/platform/FolderIndex.h"
#include "core/platform/Host.h"
#include "core/platform/InfoPlist.h"
#include "core/platform/SdkLayout.h"

namespace kestrel {

namespace {

bool endsWith(const std::string& text, std::string_view tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

DefineEngin::DefineEngin() : mEngin(nullptr, std::nullopt) {}

void DefineEngin::doPass1() {
    Host::current().setMessage(InfoPlist::localizedString("pass1StartMessage"));
    DefineEngin engin;
    engin.doCalc();
}

const DefineList& DefineEngin::doCalc() {
    doCocoaDefinesCalc(ProcessState::frameworksRoot());
    return ProcessState::defineList();
}

void DefineEngin::doCocoaDefinesCalc(const std::string& folder) {
    FolderIndex::Session session(ProcessState::folderIndex());
    Entered entered;
    walkFrameworks(folder, entered);
}

void DefineEngin::calcHeader(const std::string& frameworkPath) {
    FolderIndex::Session session(ProcessState::folderIndex());
    Entered entered;
    readHeaders(frameworkPath, entered);
    if (auto sub = ProcessState::folderIndex().lookup(frameworkPath, "Frameworks"); sub && sub->isFolder)
        walkFrameworks(sub->path, entered);
}

bool DefineEngin::enter(const std::string& folder, Entered& entered) {
    auto listing = ProcessState::folderIndex().list(folder);
    return listing->opened() && entered.insert(listing->identity()).second;
}

void DefineEngin::walkFrameworks(const std::string& folder, Entered& entered) {
    // Depth first without recursion: each framework's headers are read, then the frameworks
    // inside it, before its next sibling, as nested calls would do. The kernel's framework is
    // for drivers, not applications: the build leaves it out, and so does this pass.
    FolderIndex& index = ProcessState::folderIndex();
    if (!enter(folder, entered)) return;
    struct Level {
        std::shared_ptr<const FolderListing> listing;
        std::size_t next = 0;
    };
    std::vector<Level> levels{{index.list(folder)}};
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next == level.listing->entries().size()) {
            levels.pop_back();
            continue;
        }
        const FolderEntry& framework = level.listing->entries()[level.next++];
        if (!framework.isFolder || framework.name == SdkLayout::kKernelFramework) continue;
        readHeaders(framework.path, entered);
        auto sub = index.lookup(framework.path, "Frameworks");
        if (sub && sub->isFolder && enter(sub->path, entered)) levels.push_back({index.list(sub->path)});
    }
}

void DefineEngin::readHeaders(const std::string& frameworkPath, Entered& entered) {
    FolderIndex& index = ProcessState::folderIndex();
    auto headers = index.lookup(frameworkPath, "Headers");
    if (!headers || !headers->isFolder || !enter(headers->path, entered)) return;
    const DefineList& list = ProcessState::defineList();
    for (const FolderEntry& entry : index.list(headers->path)->entries()) {
        if (entry.isFolder || !endsWith(entry.name, ".h") || list.count(entry.name)) continue;
        mEngin.calcHeaderFile(entry.path, entry.name);
    }
}

}  // namespace kestrel
