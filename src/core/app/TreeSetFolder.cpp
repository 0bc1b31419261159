#include "core/app/TreeSetFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <system_error>

#include "core/platform/DataFolder.h"
#include "core/platform/FolderLock.h"
#include "core/platform/InfoPlist.h"
#include "core/platform/PlistFile.h"
#include "core/platform/RegularFile.h"
#include "core/platform/WorkThread.h"

namespace kestrel {

namespace fs = std::filesystem;

const std::array<const char*, TreeSetFolder::kFiles> TreeSetFolder::kFileKeys{
    "classDataFileName", "protocolDataFileName", "categoryDataFileName", "structDataFileName",
    "enumDataFileName",  "functions",            "typedefs",            "typedefNotes",
    "declarationNotes"};

namespace {

constexpr std::size_t kSuffixLength = 6;  // the random part of a set's name, as mkdtemp makes it

// "000007-Ab12Cd": a number, a dash and six letters or digits.
bool isSetName(const std::string& name) {
    const std::size_t dash = name.find('-');
    if (dash == 0 || dash == std::string::npos || name.size() != dash + 1 + kSuffixLength) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (i < dash ? !std::isdigit(c) : i > dash && !std::isalnum(c)) return false;
    }
    return true;
}

bool isThere(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

std::string temporarySetPrefix() {
    std::string prefix(".set");
    return prefix.append(RegularFile::kTemporaryMark);
}

std::string replacedSetPrefix() {
    std::string prefix(".replaced");
    return prefix.append(RegularFile::kTemporaryMark);
}

std::string randomSuffix() {
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device device;
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    std::string suffix;
    for (std::size_t i = 0; i < kSuffixLength; ++i) suffix += kLetters[pick(device)];
    return suffix;
}

}  // namespace

TreeSetFolder::TreeSetFolder(std::string dataFolder)
    : folder(std::move(dataFolder)),
      setsName(InfoPlist::localizedString("treeSetsFolder")),
      linkName(InfoPlist::localizedString("currentTreeSet")) {}

std::string TreeSetFolder::fileName(std::size_t file) { return InfoPlist::localizedString(kFileKeys[file]); }

std::string TreeSetFolder::filesOf(const std::string& id) const {
    return id.empty() ? folder : folder + "/" + setsName + "/" + id;
}

TreeSetFolder::SetId TreeSetFolder::currentIdUnlocked() const {
    std::error_code ec;
    const fs::path link = path(linkName);
    if (fs::is_symlink(fs::symlink_status(link, ec))) {
        const fs::path target = fs::read_symlink(link, ec);
        const std::string prefix = setsName + "/";
        const std::string text = target.string();
        if (!ec && text.starts_with(prefix) && isSetName(text.substr(prefix.size())) &&
            fs::is_directory(path(text), ec))
            return text.substr(prefix.size());
    }
    // The older layout: the seven as files of their own (typedefNotes came later).
    for (std::size_t file = 0; file < kTypedefNotesFile; ++file)
        if (fs::exists(path(fileName(file)), ec)) return std::string();
    return std::nullopt;
}

TreeSetFolder::SetId TreeSetFolder::currentId() const {
    FolderLock lock(folder, FolderLock::Mode::Shared);
    return currentIdUnlocked();
}

bool TreeSetFolder::decisiveFilesPresent() const {
    FolderLock lock(folder, FolderLock::Mode::Shared);
    const SetId id = currentIdUnlocked();
    if (!id) return false;
    std::error_code ec;
    for (File file : {kClassFile, kProtocolFile, kCategoryFile})
        if (!fs::exists(filesOf(*id) + "/" + fileName(file), ec)) return false;
    return true;
}

TreeSetFolder::Contents TreeSetFolder::read(std::size_t maxBytes) const {
    Contents contents;
    FolderLock lock(folder, FolderLock::Mode::Shared);
    contents.id = currentIdUnlocked();
    if (!contents.id) return contents;
    const std::string files = filesOf(*contents.id);
    for (std::size_t file = 0; file < kFiles; ++file) {
        const std::string path = files + "/" + fileName(file);
        contents.present[file] = isThere(path);
        // A set of an older version has no typedefNotes nor declarationNotes (their links may
        // lead nowhere): not a fault.
        std::error_code ec;
        if (file >= kTypedefNotesFile && !fs::exists(path, ec)) contents.present[file] = false;
        if (!contents.present[file]) continue;
        if (file < kTypedefNotesFile)
            contents.bytes[file] = RegularFile::read(path, maxBytes, &contents.problems[file]);
        else
            contents.later[file] = std::make_shared<OpenFile>(path);
    }
    return contents;
}

TreeSetFolder::OpenFile::OpenFile(const std::string& path) {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) problem = RegularFile::describeError(errno);
}

TreeSetFolder::OpenFile::~OpenFile() {
    if (fd >= 0) ::close(fd);
}

std::optional<std::string> TreeSetFolder::OpenFile::read(std::size_t maxBytes, std::string& why) const {
    if (fd < 0) {
        why = problem;
        return std::nullopt;
    }
    // The descriptor's own name reaches the file even once it has been removed.
    return RegularFile::read("/proc/self/fd/" + std::to_string(fd), maxBytes, &why);
}

TreeSetFolder::WriteResult TreeSetFolder::write(const std::array<FileToWrite, kFiles>& files, const SetId& base,
                                                Newer onNewer) const {
    WriteResult result;
    auto fail = [&](std::string why) {
        result.outcome = WriteResult::Outcome::Failed;
        result.problem = std::move(why);
        return result;
    };
    FolderLock lock(folder, FolderLock::Mode::Exclusive);
    if (!lock.held())
        return fail(lock.error() != 0 ? DataFolder::describeWriteError(folder, lock.error()) : lock.problem());

    const SetId current = currentIdUnlocked();
    result.id = current;
    if (current && current != base) {
        if (onNewer == Newer::Keep) {
            result.outcome = WriteResult::Outcome::NewerKept;
            return result;
        }
        result.replacedNewer = true;
    }
    std::string problem;
    SetId takeFrom = base;
    if (current && current->empty()) {
        // An older folder's plain files: first they become a set of their own, and the seven
        // paths links into it -- each link leading to the same old file as before, so that a
        // kill meanwhile leaves nothing mixed. The new set then replaces that one at once.
        std::array<Source, kFiles> old;
        for (std::size_t file = 0; file < kFiles; ++file) {
            const std::string name = fileName(file);
            old[file].copyFrom = path(name);
            old[file].optional = true;
        }
        const std::optional<std::string> moved = makeSet(old, "old ", problem);
        if (!moved || !switchTo(*moved, "old ", problem)) return fail(problem);
        placeLinks(result.notes, "old ");
        if (base && base->empty()) takeFrom = *moved;  // the tree's unchanged files are those
    }

    std::array<Source, kFiles> sources;
    for (std::size_t file = 0; file < kFiles; ++file) {
        // An older folder's plain files moved into another's set meanwhile are not this tree's
        // any more (takeFrom stays ""); a base set since removed gives way to the bytes.
        if (files[file].keepBase && takeFrom && !takeFrom->empty())
            sources[file].linkFrom = filesOf(*takeFrom) + "/" + fileName(file);
        sources[file].bytes = &files[file].bytes;
        sources[file].meanwhile = files[file].meanwhile;
    }
    const std::optional<std::string> name = makeSet(sources, "", problem);
    if (!name || !switchTo(*name, "", problem)) return fail(problem);
    result.outcome = WriteResult::Outcome::Written;
    result.id = *name;
    placeLinks(result.notes, "");
    removeOldSets(*name);
    step("clean");
    return result;
}

std::optional<std::string> TreeSetFolder::makeSet(const std::array<Source, kFiles>& sources, const std::string& stepPrefix,
                                                  std::string& problem) const {
    const std::string sets = path(setsName);
    std::error_code ec;
    fs::create_directory(sets, ec);
    if (!fs::is_directory(sets, ec)) {
        problem = DataFolder::describeWriteError(folder, ec ? ec.value() : ENOTDIR);
        return std::nullopt;
    }
    std::string temporary = sets + "/" + temporarySetPrefix() + "XXXXXX";
    if (!::mkdtemp(temporary.data())) {
        problem = DataFolder::describeWriteError(folder, errno);
        return std::nullopt;
    }
    auto abandon = [&](std::string why) -> std::optional<std::string> {
        std::error_code ignored;
        fs::remove_all(temporary, ignored);
        problem = std::move(why);
        return std::nullopt;
    };
    // Made from its bytes: false with the reason when it could not be. The files made so are
    // synced before the folder takes its name.
    auto fromBytes = [](const Source& source, const std::string& target, const std::string& name, std::string& why) {
        std::optional<FileBytes> bytes = source.bytes && *source.bytes ? (*source.bytes)() : std::nullopt;
        if (!bytes) why = "the stored " + name + " could not be made";
        return bytes && RegularFile::createUnsynced(target, *bytes, &why);
    };
    // Each synced on a thread of its own as soon as it is made: a sync waits for the disk, not
    // for the processor, while the next file is made. The thread is the last member, so that it
    // is joined before what it reads and writes goes.
    struct Syncing {
        std::string path;
        std::string why;
        WorkThread<bool> synced;
    };
    std::vector<std::unique_ptr<Syncing>> syncing;
    auto syncSoon = [&syncing](const std::string& path) {
        Syncing& file = *syncing.emplace_back(std::make_unique<Syncing>());
        file.path = path;
        file.synced.start([&file] { return RegularFile::sync(file.path, &file.why); });  // else synced below
    };
    auto allSynced = [&syncing, &problem] {
        bool ok = true;
        for (const auto& file : syncing) {
            const bool synced = file->synced.started() ? file->synced.get() : RegularFile::sync(file->path, &file->why);
            if (!synced && ok) problem = file->why;
            ok = ok && synced;
        }
        return ok;
    };
    // The files made meanwhile are synced on their threads too.
    struct Meanwhile {
        std::string why;
        WorkThread<bool> made;  // joined first, as above
    };
    std::array<std::unique_ptr<Meanwhile>, kFiles> meanwhile;
    auto joinAll = [&meanwhile] {
        for (auto& m : meanwhile) m.reset();
    };
    for (std::size_t file = 0; file < kFiles; ++file) {
        const Source& source = sources[file];
        if (!source.meanwhile || !source.linkFrom.empty() || !source.copyFrom.empty() || source.optional) continue;
        auto& m = meanwhile[file] = std::make_unique<Meanwhile>();
        const std::string target = temporary + "/" + fileName(file), name = fileName(file);
        const bool started = m->made.start([&fromBytes, &source, target, name, m = m.get()] {
            return fromBytes(source, target, name, m->why) && RegularFile::sync(target, &m->why);
        });
        if (!started) meanwhile[file].reset();  // no thread to be had: made in turn below
    }
    for (std::size_t file = 0; file < kFiles; ++file) {
        const Source& source = sources[file];
        const std::string name = fileName(file);
        const std::string target = temporary + "/" + name;
        if (meanwhile[file]) {
            if (!meanwhile[file]->made.get()) {
                const std::string why = meanwhile[file]->why;
                joinAll();
                return abandon(why);
            }
            step(stepPrefix + "file " + name);
            continue;
        }
        bool done = !source.linkFrom.empty() && ::link(source.linkFrom.c_str(), target.c_str()) == 0;
        if (!done && !source.copyFrom.empty()) {
            // Read as tools read it (through a link); anything that is no regular file, or larger
            // than a stored file can be, is not taken.
            std::optional<std::string> bytes = RegularFile::read(source.copyFrom, PlistFile::kLargestFile);
            if (bytes && !RegularFile::create(target, *bytes, &problem)) {
                joinAll();
                return abandon(problem);
            }
            done = bytes.has_value();
        }
        if (!done && !source.optional) {
            if (!fromBytes(source, target, name, problem)) {
                joinAll();
                return abandon(problem);
            }
            syncSoon(target);
        }
        step(stepPrefix + "file " + name);
    }
    if (!allSynced()) return abandon(problem);
    RegularFile::syncFolder(temporary);
    const std::optional<std::string> name = nextSetName(temporary.substr(temporary.size() - kSuffixLength));
    if (!name) return abandon("the sets in " + sets + " cannot be listed");
    if (::rename(temporary.c_str(), (sets + "/" + *name).c_str()) != 0)
        return abandon("cannot store the new tree in " + sets + ": " + RegularFile::describeError(errno));
    RegularFile::syncFolder(sets);
    step(stepPrefix + "set");
    return name;
}

bool TreeSetFolder::switchTo(const std::string& name, const std::string& stepPrefix, std::string& problem) const {
    if (!placeLink(linkName, setsName + "/" + name, problem)) {
        std::error_code ec;
        fs::remove_all(path(setsName) + "/" + name, ec);
        return false;
    }
    RegularFile::syncFolder(folder);
    step(stepPrefix + "switch");
    return true;
}

void TreeSetFolder::placeLinks(std::vector<std::string>& notes, const std::string& stepPrefix) const {
    std::string problem;
    for (std::size_t file = 0; file < kFiles; ++file) {
        if (!placeLink(fileName(file), linkName + "/" + fileName(file), problem)) notes.push_back(problem);
        step(stepPrefix + "link " + fileName(file));
    }
}

bool TreeSetFolder::placeLink(const std::string& name, const std::string& target, std::string& problem) const {
    const std::string where = path(name);
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(where, ec);
    if (fs::is_symlink(status) && fs::read_symlink(where, ec) == target) return true;
    if (fs::is_directory(status)) {
        problem = where + " is a folder, where the link to the stored " + name + " belongs: it is left as it is";
        return false;
    }
    // Another writer holding the lock is the only one who could take the name: a clash is a
    // temporary link of one that died, which the clean-up removes.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::string temporary = path(RegularFile::temporaryPrefix(name) + randomSuffix());
        if (::symlink(target.c_str(), temporary.c_str()) != 0) {
            if (errno == EEXIST) continue;
            problem = DataFolder::describeWriteError(folder, errno);
            return false;
        }
        if (::rename(temporary.c_str(), where.c_str()) == 0) return true;
        const int error = errno;
        ::unlink(temporary.c_str());
        problem = "cannot place " + where + ": " + RegularFile::describeError(error);
        return false;
    }
    problem = "cannot place " + where + ": no free temporary name";
    return false;
}

std::optional<std::string> TreeSetFolder::nextSetName(const std::string& suffix) const {
    unsigned long long highest = 0;
    std::error_code ec;
    for (fs::directory_iterator it(path(setsName), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (isSetName(name)) highest = std::max(highest, std::strtoull(name.c_str(), nullptr, 10));
    }
    if (ec) return std::nullopt;
    char number[32];
    std::snprintf(number, sizeof number, "%06llu-", highest + 1);
    return number + suffix;
}

void TreeSetFolder::removeReplacedSets() const {
    std::error_code ec;
    std::vector<fs::path> replaced;
    for (fs::directory_iterator it(path(setsName), ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code entryError;
        if (it->path().filename().string().starts_with(replacedSetPrefix()) && !it->is_symlink(entryError))
            replaced.push_back(it->path());
    }
    for (const fs::path& set : replaced) {
        std::error_code ignored;  // gone meanwhile (another process removing it too): nothing to do
        fs::remove_all(set, ignored);
    }
}

void TreeSetFolder::removeOldSets(const std::string& keep) const {
    // Under the exclusive lock nobody reads an older set, and a temporary set or link is a dead
    // writer's. Those put aside before and still there (no build removed them since) go now,
    // so that no more than one is ever left.
    removeReplacedSets();
    std::error_code ec;
    for (fs::directory_iterator it(path(setsName), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code entryError;
        if (name == keep || it->is_symlink(entryError) || !it->is_directory(entryError)) continue;
        if (name.starts_with(temporarySetPrefix())) {
            fs::remove_all(it->path(), entryError);
        } else if (isSetName(name)) {
            // Put aside at once; where it cannot be, removed now.
            const std::string aside = path(setsName) + "/" + replacedSetPrefix() + name;
            if (::rename(it->path().c_str(), aside.c_str()) != 0) fs::remove_all(it->path(), entryError);
        }
    }
    std::vector<std::string> prefixes{RegularFile::temporaryPrefix(linkName)};
    for (std::size_t file = 0; file < kFiles; ++file) prefixes.push_back(RegularFile::temporaryPrefix(fileName(file)));
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code entryError;
        if (!it->is_symlink(entryError)) continue;
        for (const std::string& prefix : prefixes)
            if (name.size() == prefix.size() + kSuffixLength && name.starts_with(prefix))
                fs::remove(it->path(), entryError);
    }
}

}  // namespace kestrel
