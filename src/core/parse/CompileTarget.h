#pragma once
// The target that conditions are evaluated for: the macros a compiler predefines for it, what
// its built-in queries answer (__has_feature, __has_attribute, __is_target_os, ...), and where
// its headers are looked up (__has_include, and the includes the define pass follows). The
// tables are data (CompileTargetTables); a target only picks its table and adds the deployment
// version and the folders.
//
// The target of a frameworks root (forFrameworksRoot):
//
//   <sdk>/System/Library/Frameworks of an SDK with <sdk>/usr/include
//       macOS for that SDK: clang's predefines for <arch>-apple-macos, the deployment version
//       (__ENVIRONMENT_MAC_OS_X_VERSION_MIN_REQUIRED__ ...) taken from the SDK's version
//       (SDKSettings.json, else its folder name MacOSX14.2.sdk), headers in <sdk>/usr/include
//   a root holding GNUstepBase.framework (the link folder Kestrel makes on Linux)
//       GNUstep: clang's predefines for x86_64 Linux with the GNU runtime's and GNUstep's own
//       (GNUSTEP, GNUSTEP_BASE_LIBRARY, GNU_GUI_LIBRARY, GNU_RUNTIME, _NATIVE_OBJC_EXCEPTIONS),
//       headers in GNUstep's include folder, then /usr/local/include, /usr/include and GCC's;
//       the define pass reads those of GNUstep's folder and GCC's (the Objective-C runtime's),
//       not the C library's, which the machine has and GNUstep's conditions do not ask about
//   anything else (the Mac OS X 10.4 headers, a user's folder)
//       the default: macOS 14.0 on x86_64 with no SDK headers, so TARGET_OS_* and the
//       availability macros are undefined (0) unless the root's own headers define them
//
// Frameworks are looked up in the root and in each <root>/<Name>.framework/Frameworks
// (umbrella frameworks' sub-frameworks, as -F gives them to a compiler).
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/parse/CompileTargetTables.h"
#include "core/parse/MacroDefinition.h"
#include "core/parse/StringHash.h"

namespace kestrel {

class CompileTarget {
public:
    enum class Family { AppleSdk, GNUstep, Default };
    static constexpr std::string_view kDefaultArchitecture = "x86_64";
    static constexpr int kDefaultVersion = 140000;  // macOS 14.0, for a root with no SDK

    static std::shared_ptr<const CompileTarget> forFrameworksRoot(const std::string& frameworksRoot,
                                                                  std::string_view architecture = kDefaultArchitecture);
    // The target of the process's frameworks root, chosen on the first call for that root and
    // kept in ProcessState (the define pass calls it before any analysis; later calls only read).
    static std::shared_ptr<const CompileTarget> current();
    // "1.2.3" -> 10203-style number that the version macros hold: 140200 for 14.2, 1040 for 10.4.
    static int versionNumber(std::string_view version);

    // includeFolders are searched in order; the define pass reads the headers of readFolders
    // (all of them when none are given).
    CompileTarget(Family family, std::string frameworksRoot, std::string_view architecture, int version,
                  std::vector<std::string> includeFolders, std::vector<std::string> readFolders = {});

    Family getFamily() const { return family; }
    const std::string& getName() const { return name; }  // "macOS 14.2 SDK (x86_64)"
    const std::string& getArchitecture() const { return architecture; }
    const std::string& getFrameworksRoot() const { return frameworksRoot; }
    // The folders that hold frameworks: the root, then the umbrella frameworks' Frameworks.
    const std::vector<std::string>& getFrameworkFolders() const { return frameworkFolders; }
    // The folders searched for <name.h> that no framework holds, in order.
    const std::vector<std::string>& getIncludeFolders() const { return includeFolders; }
    // Does the define pass read the header at path, found in an include folder? (The target's
    // own headers: all of an SDK's, GNUstep's and its compiler's but not the C library's.)
    bool readsHeader(const std::string& path) const;

    const MacroDefinition* predefined(std::string_view name) const;
    const std::unordered_map<std::string, MacroDefinition, StringHash, std::equal_to<>>& getPredefined() const { return predefines; }
    // Does the query answer 1 for name? Names are taken as clang takes them: "__nonnull__" is
    // "nonnull" for the feature and attribute queries.
    bool answers(CompileTargetTables::Query query, std::string_view name) const;

private:
    void addPredefines(std::string_view lines);

    Family family;
    std::string name;
    std::string frameworksRoot;
    std::string architecture;
    std::vector<std::string> frameworkFolders;
    std::vector<std::string> includeFolders;
    std::vector<std::string> readFolders;
    std::unordered_map<std::string, MacroDefinition, StringHash, std::equal_to<>> predefines;
    const CompileTargetTables::Table* table = nullptr;
};

}  // namespace kestrel
