#pragma once
// Where a compiler building for a target finds an included header, as __has_include asks and
// as the define pass follows includes that name no framework of the root:
//
//   <AppKit/NSView.h>        <folder>/AppKit.framework/Headers/NSView.h, for each framework folder
//   <os/availability.h>      <include>/os/availability.h, for each include folder in order
//   "Local.h"                the including header's folder first, then as <Local.h>
//   include_next             the include folders after the one that holds the including header
//
// Only looks: no cache, nothing kept, so that analyses on several threads may share it.
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

class CompileTarget;

class HeaderSearch {
public:
    enum class Where { Local, Framework, IncludeFolder };

    explicit HeaderSearch(const CompileTarget& target) : target(target) {}

    // The path of the header written between <> (angled) or "" as seen from the header at
    // includer (none: no including file), or none.
    // where, if given, tells how it was found.
    std::optional<std::string> find(std::string_view written, bool angled, const std::string* includer,
                                    bool next = false, Where* where = nullptr) const;
    // The same without frameworks: only the include folders (and the includer's folder for "").
    std::optional<std::string> findInIncludeFolders(std::string_view written, bool angled,
                                                    const std::string* includer, bool next = false) const;

private:
    const CompileTarget& target;
};

}  // namespace kestrel
