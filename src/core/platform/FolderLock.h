#pragma once
// A lock on a folder shared by every Kestrel process of the user: an advisory lock (flock) on
// the file ".kestrel.lock" in it. Readers of a set of files hold it shared while they read,
// writers exclusively while they replace and clean up, so that no reader meets a set half
// removed and no two writers interleave. The system drops the lock of a process that dies.
//
// Waits at most `patience` for the lock. Where the lock file cannot be made or opened (a
// read-only folder nobody can write in anyway) or the wait runs out, held() answers false and
// problem() says why; readers then go on without it.
#include <chrono>
#include <string>

namespace kestrel {

class FolderLock {
public:
    enum class Mode { Shared, Exclusive };
    static constexpr const char* kFileName = ".kestrel.lock";

    FolderLock(const std::string& folder, Mode mode,
               std::chrono::milliseconds patience = std::chrono::seconds(30));
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    bool held() const { return held_; }
    const std::string& problem() const { return problem_; }
    // The system's error when the lock file could not be opened or locked (0 otherwise).
    int error() const { return error_; }

private:
    int fd_ = -1;
    bool held_ = false;
    int error_ = 0;
    std::string problem_;
};

}  // namespace kestrel
