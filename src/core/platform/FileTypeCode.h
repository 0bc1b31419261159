#pragma once
// The four-character type code that marks a data file as Kestrel's ('KSAC' comments,
// 'KSTU' URLs), kept as the extended attribute user.kestrel.hfs-type. Where the file system
// takes no extended attributes the file simply goes without.
#include <optional>
#include <string>

namespace kestrel {

class FileTypeCode {
public:
    static constexpr const char* kAttributeName = "user.kestrel.hfs-type";

    // Answers whether the code was stored.
    static bool setHFSTypeCode(const std::string& path, const std::string& code);
    static std::optional<std::string> getHFSTypeCode(const std::string& path);
};

}  // namespace kestrel
