#include "core/platform/UserFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace kestrel {

std::string UserFolders::home() {
    const char* env = std::getenv("HOME");
    if (env && *env) return env;
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir) {
        return found->pw_dir;
    }
    return "";
}

std::string UserFolders::preferencesFolder() {
#ifdef __APPLE__
    return home() + "/Library/Preferences";
#else
    // A relative XDG_CONFIG_HOME is invalid and must be ignored.
    const char* env = std::getenv("XDG_CONFIG_HOME");
    if (env && env[0] == '/') return env;
    return home() + "/.config";
#endif
}

}  // namespace kestrel
