#pragma once
// The SDK as the unit of what Kestrel reads. An SDK is a folder holding
//
//   <sdk>/System/Library/Frameworks     the frameworks (the frameworks root)
//   <sdk>/usr/include                   TargetConditionals.h, Availability*.h, os/availability.h, ...
//   <sdk>/SDKSettings.plist or .json    its name and version (DisplayName, Version)
//
// A bare frameworks folder (the 10.4 headers, GNUstep's link folder, a user's folder) has no
// include folder and no settings. Folders are looked at with links and link files followed
// (see LinkFile).
#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

class SdkLayout {
public:
    static constexpr std::string_view kFrameworksTail = "/System/Library/Frameworks";
    // The kernel's framework, for drivers: no walk of a frameworks root reads it.
    static constexpr std::string_view kKernelFramework = "Kernel.framework";

    // <sdk>/usr/include for a frameworks root of the shape <sdk>/System/Library/Frameworks
    // whose SDK has that folder; none otherwise. Reached through link files, it is the folder
    // they lead to, so that it can be opened as it is.
    static std::optional<std::string> includeFolder(const std::string& frameworksRoot);
    // The SDK folder of a frameworks root of that shape ("/" for "/System/Library/Frameworks");
    // none for any other root.
    static std::optional<std::string> sdkFolder(const std::string& frameworksRoot);
    // <sdk>/System/Library/Frameworks when it is a folder, through link files or not; none when
    // sdk is no SDK. The path is kept as named: its SDK stays known (sdkFolder, describe).
    static std::optional<std::string> frameworksRootOf(const std::string& sdk);

    // What people call the headers below a frameworks root, for the opening window and the
    // build's summary:
    //   - the SDK's settings: DisplayName, with Version when the name lacks it: "macOS 14.2";
    //   - else the SDK folder's name: MacOSX14.2.sdk -> "macOS 14.2", iPhoneOS17.0.sdk ->
    //     "iOS 17.0"; a name without a version is taken from the folder it links to
    //     (CommandLineTools/SDKs/MacOSX.sdk -> MacOSX14.2.sdk);
    //   - else, for the running system's root ("/System/Library/Frameworks"), its
    //     SystemVersion.plist: "macOS 14.2";
    //   - GNUstep's headers (a root holding GNUstepBase.framework) as GNUstep, with the
    //     versions its headers give: "GNUstep (base 1.28.0, gui 0.29.0)";
    //   - else the root's path.
    static std::string describe(const std::string& frameworksRoot);
    // "MacOSX14.2.sdk" -> "macOS 14.2", "MacOSX.sdk" -> "macOS"; none for a name not ending in
    // ".sdk" or not starting with a letter.
    static std::optional<std::string> nameFromFolder(std::string_view folderName);
};

}  // namespace kestrel
