#pragma once
// The headers below a framework folder, found by one walk per folder instead of one walk per
// import: find answers what DefineMacroEngin::findHeader answers (the first file of that name
// in a depth-first walk in listing order, links to folders followed, each folder entered once),
// as long as the folders do not change. The define pass keeps one index for its whole run.
#include <optional>
#include <string>
#include <unordered_map>

namespace kestrel {

class HeaderIndex {
public:
    std::optional<std::string> find(const std::string& folder, const std::string& name);

private:
    using Files = std::unordered_map<std::string, std::string>;  // file name -> first path
    static Files walk(const std::string& folder);

    std::unordered_map<std::string, Files> folders;
};

}  // namespace kestrel
