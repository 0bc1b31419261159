#pragma once
// The find panel's search over the loaded tree, without the panel: keywords cut at spaces,
// each of which must occur in the candidate text, compared without regard to case. The hits
// come best first (SearchRank: the exact name, then names that start with a keyword, ...),
// and, where they rank alike, in the order they were met:
//
//   commandToToken("  view   Draw ") -> ["view", "Draw"]
//   classes  ["view"]         -> NSView, NSTableView, ... (then the flat class list order)
//   methods  ["draw", "rect"] -> each class's own methods, then its categories' methods
//   constants ["styleMask", "titled"] -> NSWindowStyleMaskTitled = 1 << 0 (of NSWindowStyleMask)
//   countLine(kFindClasses, 2) -> "  2 classes found"
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/model/EnumConstant.h"

namespace kestrel {

class ClassData;
class EnumData;
class FunctionMacrosData;

class TreeSearch {
public:
    enum Mode { kFindClasses = 0, kFindMethods = 1, kFindFunctions = 2, kFindConstants = 3 };

    // One hit. Methods found in a category report the class the category belongs to.
    struct Result {
        std::shared_ptr<ClassData> classRecord;           // classes and methods
        std::optional<std::string> method;                 // methods
        std::shared_ptr<FunctionMacrosData> function;      // functions and macros
        std::shared_ptr<EnumData> enumRecord = nullptr;    // enum constants: the enum that holds it
        std::optional<EnumConstant> constant = std::nullopt;  // enum constants
    };

    static std::vector<std::string> commandToToken(const std::string& text);
    static bool matches(const std::string& candidate, const std::vector<std::string>& keywords);

    static std::vector<Result> doClassNameFind(const std::vector<std::string>& keywords,
                                               const std::vector<std::shared_ptr<ClassData>>& classes);
    static std::vector<Result> doMethodFind(const std::vector<std::string>& keywords,
                                            const std::vector<std::shared_ptr<ClassData>>& classes);
    static std::vector<Result> doFuncFind(const std::vector<std::string>& keywords,
                                          const std::vector<std::shared_ptr<FunctionMacrosData>>& functions);

    // Every enum constant whose text ("NAME = VALUE") with its enum's name holds every keyword,
    // in enum list order, then in the order of the enum's constants.
    static std::vector<Result> doConstantFind(const std::vector<std::string>& keywords,
                                              const std::vector<std::shared_ptr<EnumData>>& enums);

    // "%3d %@" with the count and the mode's noun; empty for no hit.
    static std::string countLine(int mode, std::size_t count);
};

}  // namespace kestrel
