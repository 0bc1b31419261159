#include "core/app/HedderWalk.h"

#include <set>
#include <utility>

#include "core/platform/FolderIndex.h"
#include "core/platform/LinkFile.h"
#include "core/platform/ProcessState.h"
#include "core/platform/SdkLayout.h"

namespace kestrel {

namespace {

bool endsWith(const std::string& text, std::string_view tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string lastComponent(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string withoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

struct Item {
    std::string path;
    std::string name;
    bool isFolder = false;
    std::optional<std::string> fwName;
    bool physical = false;  // path holds no real link (link files are already followed)
};

// The ".framework" components of where a framework really is below the walk's top:
// "<top>/ApplicationServices.framework/Versions/A/Frameworks/ATS.framework"
//     -> "ApplicationServices.framework/ATS.framework". None when it is not below the top.
std::optional<std::string> realFrameworkName(const std::string& top, const std::string& physicalPath) {
    if (physicalPath.size() <= top.size() + 1 || physicalPath.compare(0, top.size(), top) != 0 ||
        (top != "/" && physicalPath[top.size()] != '/'))
        return std::nullopt;
    std::string name;
    std::size_t begin = top == "/" ? 1 : top.size() + 1;
    while (begin <= physicalPath.size()) {
        std::size_t end = physicalPath.find('/', begin);
        if (end == std::string::npos) end = physicalPath.size();
        const std::string part = physicalPath.substr(begin, end - begin);
        if (endsWith(part, ".framework")) name += (name.empty() ? "" : "/") + part;
        begin = end + 1;
    }
    if (!endsWith(physicalPath, ".framework") || name.empty()) return std::nullopt;
    return name;
}

}  // namespace

void HedderWalk::walk(const std::string& path, const std::optional<std::string>& fwName, bool custom,
                      std::vector<HedderStep>& steps) {
    const std::string given = withoutTrailingSlash(path);
    const std::optional<LinkFile::Target> start = LinkFile::resolve(given);
    if (!start) return;  // nothing there, or a dangling link
    FolderIndex& index = ProcessState::folderIndex();
    const std::string& top = start->path;
    std::set<std::pair<dev_t, ino_t>> entered;

    // Depth first in listing order, as nested calls would go: an item's children are pushed
    // in reverse so that the first is taken next.
    std::vector<Item> pending{{top, lastComponent(given), start->isFolder, fwName, true}};
    while (!pending.empty()) {
        Item item = std::move(pending.back());
        pending.pop_back();
        if (!item.isFolder) {
            if (endsWith(item.name, ".h")) steps.push_back({HedderStep::Kind::Hedder, item.path, item.name, item.fwName, custom});
            continue;
        }
        if (item.name == SdkLayout::kKernelFramework) continue;
        auto listing = index.list(item.path);
        if (!listing->opened() || !entered.insert(listing->identity()).second) continue;  // a loop
        auto child = [&](const FolderEntry& entry, std::optional<std::string> framework) {
            const bool physical = entry.via == FolderEntry::Via::LinkFile ||
                                  (item.physical && entry.via == FolderEntry::Via::Plain);
            return Item{entry.path, entry.name, entry.isFolder, std::move(framework), physical};
        };
        if (endsWith(item.name, ".framework")) {
            std::string real = item.path;
            if (!item.physical) {
                if (auto target = LinkFile::resolve(item.path)) real = target->path;
            }
            if (lastComponent(real) == SdkLayout::kKernelFramework) continue;
            std::string name = realFrameworkName(top, real)
                                   .value_or(item.fwName ? *item.fwName + "/" + item.name : item.name);
            steps.push_back({HedderStep::Kind::Framework, std::string(), name, std::nullopt, custom});
            if (const FolderEntry* frameworks = listing->find("Frameworks")) pending.push_back(child(*frameworks, name));
            if (const FolderEntry* headers = listing->find("Headers")) pending.push_back(child(*headers, name));
            continue;
        }
        const auto& entries = listing->entries();
        for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
            if (entry->name.find("i386") != std::string::npos) continue;
            pending.push_back(child(*entry, item.fwName));
        }
    }
}

}  // namespace kestrel
