#pragma once
// A small memory file system mounted on a folder for the life of the object, where the test
// runs as root and mounting is allowed: the disk that fills up, or the read-only folder, of a
// real machine. mounted() tells whether it is there; tests skip that part without it.
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace kestrel::test {

class TmpfsMount {
public:
    TmpfsMount(const std::string& folder, const std::string& options, bool readOnly = false) : folder_(folder) {
        if (geteuid() != 0) return;
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        mounted_ = ::mount("tmpfs", folder.c_str(), "tmpfs", readOnly ? MS_RDONLY : 0, options.c_str()) == 0;
    }
    ~TmpfsMount() {
        if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
    }
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;
    bool mounted() const { return mounted_; }

private:
    std::string folder_;
    bool mounted_ = false;
};

}  // namespace kestrel::test
