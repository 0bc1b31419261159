#pragma once
// Where the framework headers are: the one root that the define pass, the build walk and the
// private-header panel all use.
//
//   1. "/System/Library/Frameworks" where it exists;
//   2. else the folder given on the command line (--frameworks-root) or in
//      KESTREL_FRAMEWORKS_ROOT;
//   3. else, where GNUstep's headers are installed, a folder of links that Kestrel keeps in its
//      data folder: <data>/Frameworks/Foundation.framework/Headers -> /usr/include/GNUstep/Foundation,
//      one framework for each folder of /usr/include/GNUstep that holds headers.
//   4. else the system folder, which then simply yields no headers.
#include <optional>
#include <string>

namespace kestrel {

class FrameworksRoot {
public:
    static constexpr const char* kSystemRoot = "/System/Library/Frameworks";
    static constexpr const char* kGNUstepHeaders = "/usr/include/GNUstep";
    static constexpr const char* kEnvironmentName = "KESTREL_FRAMEWORKS_ROOT";
    static constexpr const char* kLinkFolderName = "Frameworks";

    struct Places {
        std::string systemRoot = kSystemRoot;
        std::string gnustepHeaders = kGNUstepHeaders;
    };

    // Picks the root by the rules above. `requested` is the command line's folder, if any;
    // the environment is read when it is absent.
    static std::string resolve(const std::optional<std::string>& requested,
                               const std::string& dataFolder, const Places& places);
    static std::string resolve(const std::optional<std::string>& requested,
                               const std::string& dataFolder) {
        return resolve(requested, dataFolder, Places{});
    }

    // Makes or refreshes the folder of framework-shaped links to the header folders below
    // `headerRoot`: adds missing frameworks, re-points moved ones, removes those whose folder
    // has gone. Answers false when nothing could be made (no header folder, unwritable place).
    static bool makeLinkFolder(const std::string& headerRoot, const std::string& linkRoot);
};

}  // namespace kestrel
