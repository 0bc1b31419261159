#include "core/platform/FileTypeCode.h"

#include <sys/types.h>
#include <sys/xattr.h>

namespace kestrel {

bool FileTypeCode::setHFSTypeCode(const std::string& path, const std::string& code) {
#ifdef __APPLE__
    return setxattr(path.c_str(), kAttributeName, code.data(), code.size(), 0, 0) == 0;
#else
    return setxattr(path.c_str(), kAttributeName, code.data(), code.size(), 0) == 0;
#endif
}

std::optional<std::string> FileTypeCode::getHFSTypeCode(const std::string& path) {
    char buffer[64];
#ifdef __APPLE__
    ssize_t length = getxattr(path.c_str(), kAttributeName, buffer, sizeof buffer, 0, 0);
#else
    ssize_t length = getxattr(path.c_str(), kAttributeName, buffer, sizeof buffer);
#endif
    if (length < 0) return std::nullopt;
    return std::string(buffer, static_cast<std::size_t>(length));
}

}  // namespace kestrel
