#include "core/platform/FolderIndex.h"

#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

namespace kestrel {

namespace {

using Listing = std::shared_ptr<const FolderListing>;

// name -> the first folder of that name.
using FolderNames = std::unordered_map<std::string, std::string>;
// name -> every file of that name, in walk order, with its path below the walk's folder.
struct FileAt {
    std::string relative;
    std::string path;
};
using FileNames = std::unordered_map<std::string, std::vector<FileAt>>;

void dropLast(std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return;
    path.erase(slash == 0 ? 1 : slash);
}

std::string below(const std::string& prefix, const std::string& name) {
    return prefix.empty() ? name : prefix + "/" + name;
}

}  // namespace

struct FolderIndex::Cache {
    std::mutex mutex;
    std::unordered_map<std::string, Listing> listings;
    std::unordered_map<std::string, std::shared_ptr<const FolderNames>> folderNames;
    std::unordered_map<std::string, std::shared_ptr<const FileNames>> fileNames;

    Listing list(const std::string& folder) {
        {
            std::lock_guard lock(mutex);
            if (auto found = listings.find(folder); found != listings.end()) return found->second;
        }
        auto listing = std::make_shared<const FolderListing>(FolderListing::read(folder));
        std::lock_guard lock(mutex);
        return listings.try_emplace(folder, std::move(listing)).first->second;
    }

    // Depth first below folder: visit(entry, path of the entry's folder below folder) for
    // every entry, each folder entered once.
    template <typename Visit>
    void depthFirst(const std::string& folder, Visit visit) {
        Listing top = list(folder);
        if (!top->opened()) return;
        struct Level {
            Listing listing;
            std::size_t next;
            std::string prefix;
        };
        std::set<std::pair<dev_t, ino_t>> entered{top->identity()};
        std::vector<Level> levels;
        levels.push_back({std::move(top), 0, std::string()});
        while (!levels.empty()) {
            Level& level = levels.back();
            if (level.next == level.listing->entries().size()) {
                levels.pop_back();
                continue;
            }
            const FolderEntry& entry = level.listing->entries()[level.next++];
            visit(entry, level.prefix);
            if (!entry.isFolder) continue;
            Listing sub = list(entry.path);
            if (sub->opened() && entered.insert(sub->identity()).second)
                levels.push_back({std::move(sub), 0, below(level.prefix, entry.name)});
        }
    }

    template <typename Index, typename Make>
    std::shared_ptr<const Index> indexOf(std::unordered_map<std::string, std::shared_ptr<const Index>>& indexes,
                                         const std::string& folder, Make make) {
        {
            std::lock_guard lock(mutex);
            if (auto found = indexes.find(folder); found != indexes.end()) return found->second;
        }
        auto index = std::make_shared<const Index>(make());
        std::lock_guard lock(mutex);
        return indexes.try_emplace(folder, std::move(index)).first->second;
    }
};

FolderIndex::FolderIndex() = default;
FolderIndex::~FolderIndex() = default;

FolderIndex::Session::Session(FolderIndex& index) : index(index) {
    std::lock_guard lock(index.mutex);
    if (index.sessions++ == 0) index.kept = std::make_shared<Cache>();
}

FolderIndex::Session::~Session() {
    std::lock_guard lock(index.mutex);
    if (--index.sessions == 0) index.kept.reset();
}

std::shared_ptr<FolderIndex::Cache> FolderIndex::cache() {
    std::lock_guard lock(mutex);
    return kept ? kept : std::make_shared<Cache>();
}

void FolderIndex::clear() {
    std::lock_guard lock(mutex);
    if (kept) kept = std::make_shared<Cache>();
}

std::shared_ptr<const FolderListing> FolderIndex::list(const std::string& folder) { return cache()->list(folder); }

std::optional<FolderEntry> FolderIndex::lookup(const std::string& folder, std::string_view relative) {
    std::shared_ptr<Cache> c = cache();
    std::string at = folder;
    std::optional<FolderEntry> reached;  // none: still at folder itself
    for (std::size_t begin = 0; begin <= relative.size();) {
        std::size_t end = relative.find('/', begin);
        if (end == std::string_view::npos) end = relative.size();
        const std::string_view part = relative.substr(begin, end - begin);
        begin = end + 1;
        if (part.empty() || part == ".") continue;
        if (reached && !reached->isFolder) return std::nullopt;  // a file in the middle
        if (part == "..") {
            dropLast(at);
            reached.reset();
            continue;
        }
        const FolderEntry* entry = c->list(at)->find(part);
        if (!entry) return std::nullopt;
        reached = *entry;
        at = entry->path;
    }
    if (reached) return reached;
    if (!c->list(at)->opened()) return std::nullopt;
    const std::size_t slash = at.find_last_of('/');
    return FolderEntry{slash == std::string::npos ? at : at.substr(slash + 1), at, true};
}

std::optional<std::string> FolderIndex::firstFolderNamed(const std::string& folder, const std::string& name) {
    std::shared_ptr<Cache> c = cache();
    auto names = c->indexOf(c->folderNames, folder, [&] {
        FolderNames made;
        c->depthFirst(folder, [&](const FolderEntry& entry, const std::string&) {
            if (entry.isFolder) made.try_emplace(entry.name, entry.path);
        });
        return made;
    });
    auto found = names->find(name);
    if (found == names->end()) return std::nullopt;
    return found->second;
}

std::optional<std::string> FolderIndex::firstFileNamed(const std::string& folder, const std::string& name) {
    std::shared_ptr<Cache> c = cache();
    auto names = c->indexOf(c->fileNames, folder, [&] {
        FileNames made;
        c->depthFirst(folder, [&](const FolderEntry& entry, const std::string& prefix) {
            if (!entry.isFolder) made[entry.name].push_back({below(prefix, entry.name), entry.path});
        });
        return made;
    });
    const std::size_t slash = name.find_last_of('/');
    auto found = names->find(slash == std::string::npos ? name : name.substr(slash + 1));
    if (found == names->end()) return std::nullopt;
    if (slash == std::string::npos) return found->second.front().path;
    const std::string tail = "/" + name;
    for (const FileAt& file : found->second) {
        if (file.relative == name ||
            (file.relative.size() > tail.size() &&
             file.relative.compare(file.relative.size() - tail.size(), tail.size(), tail) == 0))
            return file.path;
    }
    return std::nullopt;
}

}  // namespace kestrel
