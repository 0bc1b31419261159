#pragma once
// Where an SDK keeps what its frameworks' conditions depend on. An SDK is a folder holding
//
//   <sdk>/System/Library/Frameworks     the frameworks (the frameworks root)
//   <sdk>/usr/include                   TargetConditionals.h, Availability*.h, os/availability.h, ...
//
// A bare frameworks folder (the 10.4 headers, GNUstep's link folder, a user's folder) has no
// include folder.
#include <optional>
#include <string>

namespace kestrel {

class SdkLayout {
public:
    // <sdk>/usr/include for a frameworks root of the shape <sdk>/System/Library/Frameworks
    // whose SDK has that folder; none otherwise.
    static std::optional<std::string> includeFolder(const std::string& frameworksRoot);
};

}  // namespace kestrel
