#pragma once
// The find panel's search over the loaded tree, without the panel: keywords cut at spaces,
// each of which must occur in the candidate text, compared without regard to case. The hits
// come best first (SearchRank: the exact name, then names that start with a keyword, ...),
// and, where they rank alike, in the order they were met:
//
//   commandToToken("  view   Draw ") -> ["view", "Draw"]
//   classes  ["view"]         -> NSView, NSTableView, ... (then the flat class list order)
//   methods  ["draw", "rect"] -> each class's own methods, then its categories' methods
//   countLine(kFindClasses, 2) -> "  2 clases found"
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrel {

class ClassData;
class FunctionMacrosData;

class TreeSearch {
public:
    enum Mode { kFindClasses = 0, kFindMethods = 1, kFindFunctions = 2 };

    // One hit. Methods found in a category report the class the category belongs to.
    struct Result {
        std::shared_ptr<ClassData> classRecord;           // classes and methods
        std::optional<std::string> method;                 // methods
        std::shared_ptr<FunctionMacrosData> function;      // functions and macros
    };

    static std::vector<std::string> commandToToken(const std::string& text);
    static bool matches(const std::string& candidate, const std::vector<std::string>& keywords);

    static std::vector<Result> doClassNameFind(const std::vector<std::string>& keywords,
                                               const std::vector<std::shared_ptr<ClassData>>& classes);
    static std::vector<Result> doMethodFind(const std::vector<std::string>& keywords,
                                            const std::vector<std::shared_ptr<ClassData>>& classes);
    static std::vector<Result> doFuncFind(const std::vector<std::string>& keywords,
                                          const std::vector<std::shared_ptr<FunctionMacrosData>>& functions);

    // "%3d %@" with the count and the mode's noun; empty for no hit.
    static std::string countLine(int mode, std::size_t count);
};

}  // namespace kestrel
