#include "core/parse/DefineEngin.h"

#include <any>
#include <future>
#include <memory>
#include <optional>
#include <set>
#include <system_error>
#include <utility>
#include <vector>

#include "core/parse/CompileTarget.h"
#include "core/parse/DefinePrescan.h"
#include "core/parse/DefinedNames.h"
#include "core/parse/HeaderSearch.h"
#include "core/parse/ImportHints.h"
#include "core/platform/FilePrefetch.h"
#include "core/platform/FolderIndex.h"
#include "core/platform/HeaderTexts.h"
#include "core/platform/Host.h"
#include "core/platform/InfoPlist.h"
#include "core/platform/SdkLayout.h"

namespace kestrel {

namespace {

constexpr std::size_t kAheadBudget = std::size_t{48} << 20;

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
    // The headers in the walk's order are read ahead on another thread: the walk waits for
    // none of the files it comes to in that order, only for the imports it follows first.
    // Those with a record already (a rebuild in the same process) are not read at all.
    std::vector<std::string> paths;
    {
        // Listing a folder is mostly a stat of each of its entries: the later half of the root's
        // frameworks is listed into the same index on another thread meanwhile.
        std::future<void> laterHalf;
        try {
            laterHalf = std::async(std::launch::async, [folder] { listLaterHalf(folder); });
        } catch (const std::system_error&) {
            // No thread to be had: the walk lists them all.
        }
        Entered listed;
        const DefineList& list = ProcessState::defineList();
        walkFrameworks(folder, listed, [&](const FolderEntry& header) {
            if (!list.count(header.name)) paths.push_back(header.path);
        });
        if (laterHalf.valid()) laterHalf.wait();
    }
    // The thread also reads each header as the pass will (DefinePrescan): where its directives
    // stand and what its defines say hang on nothing the pass works out, and the pass takes them
    // as it comes to them. And it reads the headers each one includes
    // right after it, as the pass will ask for them (an umbrella's first, the SDK's own headers
    // in usr/include, which the list lacks); up to 48 MB may wait to be taken.
    std::shared_ptr<const CompileTarget> target = CompileTarget::current();
    auto includes = [target](const std::string& path, const std::string& bytes) {
        std::vector<std::string> found;
        for (const ImportHints::Name& name : ImportHints::scan(bytes)) {
            HeaderSearch::Where where = HeaderSearch::Where::Local;
            std::optional<std::string> at = HeaderSearch(*target).find(name.written, name.angled, &path, false, &where);
            if (at && (where != HeaderSearch::Where::IncludeFolder || target->readsHeader(*at))) found.push_back(std::move(*at));
        }
        return found;
    };
    ProcessState::headerTexts().expect(paths);
    auto ahead = std::make_shared<FilePrefetch>(
        std::move(paths), kAheadBudget, [](std::string& bytes) { return std::any(DefinePrescan::ofBorrowed(bytes)); },
        includes);
    mEngin.setPrefetch(ahead);
    Entered entered;
    walkFrameworks(folder, entered, [this](const FolderEntry& header) { read(header); });
    mEngin.setPrefetch(nullptr);
    // The names the pass kept up to date are the define list's: the analysis's threads share
    // them instead of each gathering them again.
    if (const std::shared_ptr<DefinedNames>& names = mEngin.getNames()) {
        names->settle(ProcessState::defineList());
        ProcessState::definedNames() = names;
    }
}

void DefineEngin::listLaterHalf(const std::string& folder) {
    FolderIndex& index = ProcessState::folderIndex();
    const auto root = index.list(folder);
    const std::vector<FolderEntry>& frameworks = root->entries();
    std::vector<std::string> pending;
    for (std::size_t i = frameworks.size() / 2; i < frameworks.size(); ++i)
        if (frameworks[i].isFolder) pending.push_back(frameworks[i].path);
    Entered entered;  // each folder once, also when links lead back
    while (!pending.empty()) {
        const std::string framework = std::move(pending.back());
        pending.pop_back();
        if (auto headers = index.lookup(framework, "Headers"); headers && headers->isFolder) index.list(headers->path);
        auto sub = index.lookup(framework, "Frameworks");
        if (!sub || !sub->isFolder || !enter(sub->path, entered)) continue;
        for (const FolderEntry& inner : index.list(sub->path)->entries())
            if (inner.isFolder) pending.push_back(inner.path);
    }
}

void DefineEngin::calcHeader(const std::string& frameworkPath) {
    FolderIndex::Session session(ProcessState::folderIndex());
    Entered entered;
    auto read = [this](const FolderEntry& header) { this->read(header); };
    readHeaders(frameworkPath, entered, read);
    if (auto sub = ProcessState::folderIndex().lookup(frameworkPath, "Frameworks"); sub && sub->isFolder)
        walkFrameworks(sub->path, entered, read);
}

void DefineEngin::read(const FolderEntry& header) {
    if (!ProcessState::defineList().count(header.name)) mEngin.calcHeaderFile(header.path, header.name);
}

bool DefineEngin::enter(const std::string& folder, Entered& entered) {
    auto listing = ProcessState::folderIndex().list(folder);
    return listing->opened() && entered.insert(listing->identity()).second;
}

void DefineEngin::walkFrameworks(const std::string& folder, Entered& entered, const HeaderVisit& visit) {
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
        readHeaders(framework.path, entered, visit);
        auto sub = index.lookup(framework.path, "Frameworks");
        if (sub && sub->isFolder && enter(sub->path, entered)) levels.push_back({index.list(sub->path)});
    }
}

void DefineEngin::readHeaders(const std::string& frameworkPath, Entered& entered, const HeaderVisit& visit) {
    FolderIndex& index = ProcessState::folderIndex();
    auto headers = index.lookup(frameworkPath, "Headers");
    if (!headers || !headers->isFolder || !enter(headers->path, entered)) return;
    for (const FolderEntry& entry : index.list(headers->path)->entries()) {
        if (entry.isFolder || !endsWith(entry.name, ".h")) continue;
        visit(entry);
    }
}

}  // namespace kestrel
