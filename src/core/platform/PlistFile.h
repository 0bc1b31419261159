#pragma once
// Property-list files: the one place that talks to libplist.
//
// Reading takes the XML and the binary ("bplist00") forms. Whatever is wrong with a file
// (missing, a folder, empty, truncated, not a property list, too large) reads as none; it never
// throws or crashes. readDictionary/readArray also answer none for a root of another type.
//
// Writing produces XML and is atomic: the text goes to a temporary file in the same folder,
// which is then renamed over the target. A failed write leaves the old file as it was and no
// temporary file behind, and answers false.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/platform/PlistValue.h"

namespace kestrel {

class PlistFile {
public:
    static std::optional<PlistValue> read(const std::string& path);
    static std::optional<PlistDict> readDictionary(const std::string& path);
    static std::optional<PlistArray> readArray(const std::string& path);

    // Replaces the file at once (through a temporary file beside it, renamed over it).
    static bool writeXML(const std::string& path, const PlistValue& value);
    // A writer killed between making its temporary file and renaming it leaves the file
    // behind (".comments.plist.Ab12Cd"): a later write of the same file removes those an hour
    // old, never one that a write going on elsewhere is still filling.
    static void removeStaleTemporaries(const std::filesystem::path& folder, const std::string& fileName);

    // The same conversions on bytes in memory. XML keeps every byte of a string, UTF-8 or not,
    // up to its first NUL byte (a string read ends there too); dates keep whole seconds.
    static std::optional<PlistValue> parse(std::string_view bytes);
    static std::optional<std::string> toXML(const PlistValue& value);
};

}  // namespace kestrel
