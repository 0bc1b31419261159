#include "core/platform/LinkFile.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace kestrel {

namespace {

using Target = LinkFile::Target;

std::string joined(const std::string& folder, std::string_view name) {
    std::string path = folder;
    if (path.empty() || path.back() != '/') path += '/';
    path += name;
    return path;
}

// "/a/b" -> "/a", "/a" -> "/", "/" stays.
void dropLast(std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return;
    path.erase(slash == 0 ? 1 : slash);
}

std::optional<std::string> readLink(const std::string& path) {
    std::string target(PATH_MAX, '\0');
    const ssize_t size = ::readlink(path.c_str(), target.data(), target.size());
    if (size <= 0 || static_cast<std::size_t>(size) >= target.size()) return std::nullopt;
    target.resize(static_cast<std::size_t>(size));
    return target;
}

std::optional<std::string> physical(const std::string& folder) {
    char resolved[PATH_MAX];
    if (::realpath(folder.c_str(), resolved)) return std::string(resolved);
    return std::nullopt;
}

std::optional<Target> walk(std::string at, std::string_view relative, int& hops, int depth);

// One step from the physical folder `at` into the entry called name. Real links and link
// files are followed (each costs a hop); a file is a place to end only as the last step.
// depth: 0 on the path asked about, 1 and more within the targets of links.
std::optional<Target> step(const std::string& at, std::string_view name, bool last, int& hops, int depth) {
    std::string candidate = joined(at, name);
    struct stat info {};
    if (::lstat(candidate.c_str(), &info) != 0) return std::nullopt;
    if (S_ISDIR(info.st_mode)) return Target{std::move(candidate), true};
    if (S_ISLNK(info.st_mode)) {
        std::optional<std::string> target = readLink(candidate);
        if (!target || ++hops > LinkFile::kMaxHops) return std::nullopt;
        return walk(target->front() == '/' ? std::string("/") : at, *target, hops, depth + 1);
    }
    if (!S_ISREG(info.st_mode)) return std::nullopt;
    if (info.st_size > 0 && static_cast<std::size_t>(info.st_size) <= LinkFile::kMaxBytes) {
        if (std::optional<std::string> text = LinkFile::text(candidate)) {
            int tried = hops + 1;
            std::optional<Target> reached;
            if (tried <= LinkFile::kMaxHops) reached = walk(at, *text, tried, depth + 1);
            if (reached) {
                hops = tried;
                return reached;
            }
            // A loop (the hops ran out) ends every link it runs through; the path asked about
            // then ends at the file, as at any file whose text leads nowhere.
            if (tried > LinkFile::kMaxHops && depth > 0) {
                hops = tried;
                return std::nullopt;
            }
        }
    }
    // Not a link file that leads anywhere: the file itself, where a file may end the path.
    if (last) return Target{std::move(candidate), false};
    return std::nullopt;
}

// From the physical folder `at` through the components of relative.
std::optional<Target> walk(std::string at, std::string_view relative, int& hops, int depth) {
    std::vector<std::string_view> parts;
    for (std::size_t begin = 0; begin <= relative.size();) {
        std::size_t end = relative.find('/', begin);
        if (end == std::string_view::npos) end = relative.size();
        std::string_view part = relative.substr(begin, end - begin);
        if (!part.empty() && part != ".") parts.push_back(part);
        begin = end + 1;
    }
    bool isFolder = true;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (!isFolder) return std::nullopt;  // a file in the middle of a path
        if (parts[i] == "..") {
            dropLast(at);
            continue;
        }
        std::optional<Target> reached = step(at, parts[i], i + 1 == parts.size(), hops, depth);
        if (!reached) return std::nullopt;
        at = std::move(reached->path);
        isFolder = reached->isFolder;
    }
    return Target{std::move(at), isFolder};
}

}  // namespace

std::optional<std::string> LinkFile::text(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    std::string bytes;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
        static_cast<std::size_t>(info.st_size) <= kMaxBytes) {
        bytes.resize(kMaxBytes + 1);
        std::size_t used = 0;
        for (;;) {
            const ssize_t got = ::read(fd, bytes.data() + used, bytes.size() - used);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) break;
            used += static_cast<std::size_t>(got);
            if (used == bytes.size()) break;
        }
        bytes.resize(used);
    }
    ::close(fd);
    if (bytes.empty() || bytes.size() > kMaxBytes || bytes.front() == '/') return std::nullopt;
    if (bytes.find_first_of(std::string_view("\n\r\0", 3)) != std::string::npos) return std::nullopt;
    return bytes;
}

std::optional<Target> LinkFile::follow(const std::string& folder, const std::string& name) {
    std::optional<std::string> target = text(joined(folder, name));
    if (!target) return std::nullopt;
    int hops = 1;
    return walk(folder, *target, hops, 1);
}

std::optional<Target> LinkFile::resolve(const std::string& path) {
    if (path.empty()) return std::nullopt;
    int hops = 0;
    if (path.front() == '/') return walk("/", path, hops, 0);
    std::optional<std::string> here = physical(".");
    if (!here) return std::nullopt;
    return walk(*here, path, hops, 0);
}

}  // namespace kestrel
