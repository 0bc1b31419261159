#pragma once
// Property-list files: the one place that talks to libplist.
//
// Reading takes the XML and the binary ("bplist00") forms. XML in the form the stored files are
// written in is read by PlistXmlReader, without libplist (a start loads some 14 MB of it); all
// other XML, and whatever that reader is not sure of, by libplist. Whatever is wrong with a file
// (missing, a folder, empty, truncated, not a property list, larger than kLargestFile, more than
// the memory there is) reads as none, with the reason in problem when asked; it never throws or
// crashes. readDictionary/readArray also answer none for a root of another type.
//
// Writing produces XML and is atomic (see RegularFile::replace): a failed write leaves the old
// file as it was and no temporary file behind, and answers false with the reason.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/platform/PlistValue.h"

namespace kestrel {

class PlistFile {
public:
    // No file of ours comes near it: the stored tree of a whole SDK is some 5 MB a file, and a
    // tree twenty times its size still fits. Larger files cost memory and time on every start
    // and are refused.
    static constexpr std::size_t kLargestFile = std::size_t{128} << 20;

    static std::optional<PlistValue> read(const std::string& path, std::string* problem = nullptr);
    static std::optional<PlistDict> readDictionary(const std::string& path, std::string* problem = nullptr);
    static std::optional<PlistArray> readArray(const std::string& path, std::string* problem = nullptr);

    // Replaces the file at once. A link at path is followed when it points at a property list,
    // else replaced itself.
    static bool writeXML(const std::string& path, const PlistValue& value, std::string* problem = nullptr);

    // The same conversions on bytes in memory. XML keeps every byte of a string, UTF-8 or not,
    // up to its first NUL byte (a string read ends there too); dates keep whole seconds.
    static std::optional<PlistValue> parse(std::string_view bytes);
    // The same through libplist alone, which parse leaves the XML it does not read itself.
    static std::optional<PlistValue> parseThroughLibplist(std::string_view bytes);
    // Written by PlistXmlWriter where it can (the same bytes, a fraction of the memory), else
    // by libplist.
    static std::optional<std::string> toXML(const PlistValue& value);
    static std::optional<std::string> toXMLThroughLibplist(const PlistValue& value);
};

}  // namespace kestrel
