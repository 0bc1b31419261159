#pragma once
// Where the framework headers are: the one root that the define pass, the build walk and the
// private-header panel all use. The first that applies:
//
//   1. the command line's choice: --sdk SDK (its System/Library/Frameworks) or
//      --frameworks-root DIR (a bare folder of frameworks);
//   2. KESTREL_FRAMEWORKS_ROOT;
//   3. the SDK chosen in the preferences, while it is an SDK;
//   4. the platform's own headers. On macOS: "/System/Library/Frameworks" when its frameworks
//      hold headers (older systems), else the SDK that `xcrun --sdk macosx --show-sdk-path`
//      names, else the Command Line Tools' SDK. Elsewhere: "/System/Library/Frameworks" when
//      it holds headers, else, where GNUstep's headers are installed, a folder of links that
//      Kestrel keeps in its data folder: <data>/Frameworks/Foundation.framework/Headers ->
//      /usr/include/GNUstep/Foundation, one framework for each folder of /usr/include/GNUstep
//      that holds headers;
//   5. else "/System/Library/Frameworks", which then simply yields no headers.
//
// The root is kept as chosen, also when its path runs through link files (see LinkFile): the
// listings follow them, and the SDK it belongs to stays known (SdkLayout::describe).
#include <optional>
#include <string>
#include <vector>

namespace kestrel {

class FrameworksRoot {
public:
    static constexpr const char* kSystemRoot = "/System/Library/Frameworks";
    static constexpr const char* kGNUstepHeaders = "/usr/include/GNUstep";
    static constexpr const char* kCommandLineToolsSdk = "/Library/Developer/CommandLineTools/SDKs/MacOSX.sdk";
    static constexpr const char* kEnvironmentName = "KESTREL_FRAMEWORKS_ROOT";
    static constexpr const char* kLinkFolderName = "Frameworks";

    // The places of rule 4, which tests point elsewhere.
    struct Places {
#ifdef __APPLE__
        bool macOS = true;
#else
        bool macOS = false;
#endif
        std::string systemRoot = kSystemRoot;
        std::string gnustepHeaders = kGNUstepHeaders;
        // Run as it stands, without a shell; its first line of output, when it ends well, is
        // the SDK's folder.
        std::vector<std::string> xcrun = {"xcrun", "--sdk", "macosx", "--show-sdk-path"};
        std::string commandLineToolsSdk = kCommandLineToolsSdk;
    };

    struct Request {
        std::optional<std::string> sdk;             // --sdk
        std::optional<std::string> frameworksRoot;  // --frameworks-root
        std::optional<std::string> preferredSdk;    // the preferences' choice
    };

    // A folder named from the working folder ("../MacOSX.sdk"), or through "..", by its own
    // path: the build then meets every header by one path, however it reaches it (from the
    // frameworks' walk or from an include), and reads it once. A path that cannot be worked out
    // stays as given.
    static std::string ownPath(const std::string& path);

    // Picks the root by the rules above; the environment is read for rule 2 (by its own path).
    static std::string resolve(const Request& request, const std::string& dataFolder, const Places& places);
    static std::string resolve(const Request& request, const std::string& dataFolder) {
        return resolve(request, dataFolder, Places{});
    }
    // The command line's --frameworks-root only (the preferences not consulted).
    static std::string resolve(const std::optional<std::string>& requestedRoot, const std::string& dataFolder) {
        return resolve(Request{std::nullopt, requestedRoot, std::nullopt}, dataFolder, Places{});
    }

    // Whether some framework below root has a header in its Headers folder.
    static bool holdsFrameworkHeaders(const std::string& root);

    // Makes or refreshes the folder of framework-shaped links to the header folders below
    // `headerRoot`: adds missing frameworks, re-points moved ones, removes those whose folder
    // has gone. Answers false when nothing could be made (no header folder, unwritable place).
    static bool makeLinkFolder(const std::string& headerRoot, const std::string& linkRoot);

    // The first line that command prints, when it runs and ends with status 0; none otherwise
    // (no such program, a failure, nothing printed). No shell is involved; its standard error
    // is dropped.
    static std::optional<std::string> firstLineOf(const std::vector<std::string>& command);
};

}  // namespace kestrel
