#pragma once
// `kestrel dump FILE...`: analyses the headers in order (framework "------", header name the
// file name, not custom, no define pass), links and numbers the result, and prints one JSON
// object: "classes" (the flat class list), "categories", "protocols", "structs", "enums",
// "functions" (each record in its stored dictionary form) and "typedefs".
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "core/platform/PlistValue.h"

namespace kestrel::cli {

class DumpCommand {
public:
    static Command command();
    // The object that the command prints; unreadable files are added to `unreadable`.
    static PlistDict dump(const std::vector<std::string>& files, std::vector<std::string>* unreadable = nullptr);
};

}  // namespace kestrel::cli
