#include "core/platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <system_error>

namespace kestrel {

namespace fs = std::filesystem;

namespace {

void say(std::string* problem, std::string text) {
    if (problem) *problem = std::move(text);
}

bool writeAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string tooLarge(std::size_t size, std::size_t limit) {
    return RegularFile::describeSize(size) + ", larger than the " + RegularFile::describeSize(limit) +
           " such a file can be";
}

std::string kindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    if (S_ISSOCK(mode)) return "a socket";
    return "not a regular file";
}

}  // namespace

std::optional<std::string> RegularFile::read(const std::string& path, std::size_t maxBytes, std::string* problem) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        say(problem, describeError(errno));
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        say(problem, kindOf(info.st_mode));
        ::close(fd);
        return std::nullopt;
    }
    if (static_cast<std::size_t>(info.st_size) > maxBytes) {
        say(problem, tooLarge(static_cast<std::size_t>(info.st_size), maxBytes));
        ::close(fd);
        return std::nullopt;
    }
    // Read straight into the text; a file that grows meanwhile is read to its new end.
    std::string bytes;
    std::size_t used = 0;
    bool ok = true;
    try {
        bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
        for (;;) {
            if (used == bytes.size()) bytes.resize(bytes.size() * 2);
            const ssize_t got = ::read(fd, bytes.data() + used, bytes.size() - used);
            if (got == 0) break;
            if (got < 0) {
                if (errno == EINTR) continue;
                say(problem, describeError(errno));
                ok = false;
                break;
            }
            used += static_cast<std::size_t>(got);
            if (used > maxBytes) {
                say(problem, "larger than the " + describeSize(maxBytes) + " such a file can be");
                ok = false;
                break;
            }
        }
    } catch (const std::bad_alloc&) {
        say(problem, "not enough memory to read it");
        ok = false;
    }
    ::close(fd);
    if (!ok) return std::nullopt;
    bytes.resize(used);
    return bytes;
}

std::optional<std::string> RegularFile::readProblem(const std::string& path, std::size_t maxBytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return describeError(errno);
    struct stat info {};
    std::optional<std::string> problem;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        problem = kindOf(info.st_mode);
    } else if (static_cast<std::size_t>(info.st_size) > maxBytes) {
        problem = tooLarge(static_cast<std::size_t>(info.st_size), maxBytes);
    }
    ::close(fd);
    return problem;
}

bool RegularFile::replace(const std::string& path, std::string_view bytes, std::string* problem, Link link) {
    if (path.empty()) {
        say(problem, "no file name given");
        return false;
    }
    fs::path target(path);
    mode_t mode = 0644;
    struct stat old {};
    if (::lstat(target.c_str(), &old) == 0) {
        if (S_ISLNK(old.st_mode) && link == Link::Follow) {
            std::error_code ec;
            fs::path resolved = fs::weakly_canonical(target, ec);
            if (!ec) target = resolved;
            if (::stat(target.c_str(), &old) != 0) old.st_mode = S_IFREG | 0644;  // dangling: made anew
        }
        if (!S_ISLNK(old.st_mode) && !S_ISREG(old.st_mode)) {
            say(problem, target.string() + " is " + kindOf(old.st_mode) + ", not a file: it is left as it is");
            return false;
        }
        if (S_ISREG(old.st_mode)) mode = old.st_mode & 07777;
    }

    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::string name = target.filename().string();
    std::string temp = (folder / (temporaryPrefix(name) + "XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        say(problem, "cannot write in " + folder.string() + ": " + describeError(errno));
        return false;
    }
    bool ok = writeAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        say(problem, "cannot write " + target.string() + ": " + describeError(error));
        return false;
    }
    syncFolder(folder.string());
    removeStaleTemporaries(folder, name);
    return true;
}

namespace {

// Makes the new file at path from pieces (string_views) and what stream makes, on disk before
// it answers.
template <class Pieces>
bool createWith(const std::string& path, const Pieces& pieces, std::string* problem, const FileBytes* made = nullptr,
                bool syncNow = true) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) {
        say(problem, "cannot write " + path + ": " + RegularFile::describeError(errno));
        return false;
    }
    // The disk starts on what is written every few MB, so that the fsync at the end of a large
    // file waits for its last part only (a hint: nothing is lost where it is not taken).
    std::size_t writtenBytes = 0, handedToDisk = 0;
    auto write = [fd, &writtenBytes, &handedToDisk](std::string_view piece) {
        if (!writeAll(fd, piece)) return false;
        writtenBytes += piece.size();
#ifdef SYNC_FILE_RANGE_WRITE
        constexpr std::size_t kWritebackStep = std::size_t{4} << 20;
        if (writtenBytes - handedToDisk >= kWritebackStep) {
            ::sync_file_range(fd, static_cast<off_t>(handedToDisk), static_cast<off_t>(writtenBytes - handedToDisk),
                              SYNC_FILE_RANGE_WRITE);
            handedToDisk = writtenBytes;
        }
#endif
        return true;
    };
    bool ok = true;
    for (std::string_view piece : pieces) ok = ok && write(piece);
    int error = 0;
    if (ok && made && made->stream) {
        bool written = true;
        ok = made->stream([&write, &written](std::string_view piece) { return written = write(piece); });
        std::optional<std::string> instead;
        if (!ok && written && made->instead) instead = made->instead();
        if (instead) ok = ::ftruncate(fd, 0) == 0 && ::lseek(fd, 0, SEEK_SET) == 0 && writeAll(fd, *instead);
        else if (!ok && written) {  // the bytes could not be made: no system error to tell
            ::close(fd);
            ::unlink(path.c_str());
            say(problem, "cannot write " + path + ": its contents could not be made");
            return false;
        }
    }
    if (syncNow) {
        ok = ok && ::fsync(fd) == 0;
    } else if (ok && writtenBytes > handedToDisk) {
#ifdef SYNC_FILE_RANGE_WRITE
        // The rest begins its way to the disk while the next file is made.
        ::sync_file_range(fd, static_cast<off_t>(handedToDisk), 0, SYNC_FILE_RANGE_WRITE);
#endif
    }
    error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(path.c_str());
        say(problem, "cannot write " + path + ": " + RegularFile::describeError(error));
    }
    return ok;
}

}  // namespace

bool RegularFile::create(const std::string& path, std::string_view bytes, std::string* problem) {
    const std::string_view pieces[] = {bytes};
    return createWith(path, pieces, problem);
}

bool RegularFile::createInPieces(const std::string& path, const FileBytes& bytes, std::string* problem) {
    return createWith(path, bytes.pieces, problem, &bytes);
}

bool RegularFile::createUnsynced(const std::string& path, const FileBytes& bytes, std::string* problem) {
    return createWith(path, bytes.pieces, problem, &bytes, false);
}

bool RegularFile::sync(const std::string& path, std::string* problem) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    bool ok = fd >= 0 && ::fsync(fd) == 0;
    const int error = ok ? 0 : errno;
    if (fd >= 0) ::close(fd);
    if (!ok) say(problem, "cannot write " + path + ": " + RegularFile::describeError(error));
    return ok;
}

std::string RegularFile::temporaryPrefix(const std::string& fileName) {
    std::string prefix(".");  // appended: GCC 12 warns falsely on "." + name + "..."
    return prefix.append(fileName).append(kTemporaryMark);
}

void RegularFile::removeStaleTemporaries(const fs::path& folder, const std::string& fileName) {
    const std::string prefix = temporaryPrefix(fileName);
    const auto stale = fs::file_time_type::clock::now() - std::chrono::hours(1);
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() != prefix.size() + 6 || !name.starts_with(prefix)) continue;
        std::error_code entryError;
        if (it->is_symlink(entryError) || !it->is_regular_file(entryError)) continue;
        const auto written = it->last_write_time(entryError);
        if (!entryError && written < stale) fs::remove(it->path(), entryError);
    }
}

std::string RegularFile::describeError(int error) {
    switch (error) {
        case ENOSPC: return "the disk is full";
        case EDQUOT: return "the disk quota is used up";
        case EFBIG: return "the file is larger than this system allows (or the disk is full)";
        case EROFS: return "the file system is read-only";
        case EACCES:
        case EPERM: return "permission denied";
        case ENOENT: return "no such file or folder";
        case ENOTDIR: return "a part of the path is not a folder";
        case EISDIR: return "it is a folder";
        case EIO: return "an input/output error (the disk may be failing)";
        case ENOMEM: return "not enough memory";
        case ELOOP: return "too many links";
        default: return std::error_code(error, std::generic_category()).message();
    }
}

std::string RegularFile::describeSize(std::size_t bytes) {
    char text[32];
    constexpr double kMB = 1024.0 * 1024.0;
    if (bytes >= (std::size_t{1} << 30))
        std::snprintf(text, sizeof text, "%.1f GB", static_cast<double>(bytes) / (kMB * 1024.0));
    else if (bytes >= (std::size_t{1} << 20))
        std::snprintf(text, sizeof text, "%.0f MB", static_cast<double>(bytes) / kMB);
    else
        std::snprintf(text, sizeof text, "%zu bytes", bytes);
    return text;
}

void RegularFile::syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace kestrel
