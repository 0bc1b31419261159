#pragma once
// Reads a whole regular file (links followed) in one open, one fstat and as few reads as the
// kernel needs. Anything else is none: a missing or unreadable path, a folder, and a FIFO or
// device, which could block for ever (hence the non-blocking open, and the check on the opened
// file itself, so nothing can be swapped in between). A read error is none, never half a file.
#include <cstddef>
#include <limits>
#include <optional>
#include <string>

namespace kestrel {

class RegularFile {
public:
    // None as well for a file of more than maxBytes, checked before anything is read.
    static std::optional<std::string> read(const std::string& path,
                                           std::size_t maxBytes = std::numeric_limits<std::size_t>::max());
};

}  // namespace kestrel
