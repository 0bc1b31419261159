#include "core/platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace kestrel {

std::optional<std::string> RegularFile::read(const std::string& path, std::size_t maxBytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || static_cast<std::size_t>(info.st_size) > maxBytes) {
        ::close(fd);
        return std::nullopt;
    }
    // Read straight into the text; a file that grows meanwhile is read to its new end.
    std::string bytes;
    std::size_t used = 0;
    bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
    bool ok = true;
    for (;;) {
        if (used == bytes.size()) bytes.resize(bytes.size() * 2);
        const ssize_t got = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            ok = false;
            break;
        }
        used += static_cast<std::size_t>(got);
    }
    ::close(fd);
    if (!ok || used > maxBytes) return std::nullopt;
    bytes.resize(used);
    return bytes;
}

}  // namespace kestrel
