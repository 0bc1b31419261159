#include "core/platform/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "core/platform/RegularFile.h"

namespace kestrel {

FolderLock::FolderLock(const std::string& folder, Mode mode, std::chrono::milliseconds patience) {
    const std::string path = folder + "/" + kFileName;
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
    if (fd_ < 0) fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd_ < 0) {
        error_ = errno;
        problem_ = "cannot open " + path + ": " + RegularFile::describeError(errno);
        return;
    }
    const int operation = (mode == Mode::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
    const auto until = std::chrono::steady_clock::now() + patience;
    for (;;) {
        if (::flock(fd_, operation) == 0) {
            held_ = true;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            error_ = errno;
            problem_ = "cannot lock " + path + ": " + RegularFile::describeError(errno);
            return;
        }
        if (std::chrono::steady_clock::now() >= until) {
            problem_ = "another Kestrel has been holding " + path + " for too long";
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

FolderLock::~FolderLock() {
    if (fd_ >= 0) ::close(fd_);  // closing drops the lock
}

}  // namespace kestrel
