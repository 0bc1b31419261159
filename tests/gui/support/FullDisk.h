#pragma once
// While one lives, no file of the process can grow: every write fails as on a full disk, also
// for root (whom permissions do not stop).
#include <sys/resource.h>

#include <csignal>

namespace kestrel::test {

class FullDisk {
public:
    FullDisk() {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);  // a failed write, not the end of the process
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit none = old_;
        none.rlim_cur = 0;
        setrlimit(RLIMIT_FSIZE, &none);
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
};

}  // namespace kestrel::test
