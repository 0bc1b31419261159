#pragma once
// What an availability says, as the program shows it: for one platform (macOS unless the
// caller names another), in Quick Help's lines and in the terminal's brackets.
//
//   macos {introduced 10.7, deprecated 10.14}, message "Use -newThing"
//     introduced   -> "macOS 10.7+"
//     deprecated   -> "Deprecated in macOS 10.14: use -newThing"
//     brackets     -> "[macOS 10.7+] [deprecated macOS 10.14: use -newThing]"
//   ios {unavailable}, for iOS   -> unavailable "Unavailable in iOS", brackets "[unavailable iOS]"
//   "*" {deprecated ""}          -> "Deprecated", brackets "[deprecated]"
//
// The advice after the colon is "use " and the replacement where there is one, else the
// message with its first word made lower case ("Use -x" -> "use -x"; "NSFoo is gone" stays).
// A deprecation announced for a future version (API_TO_BE_DEPRECATED) reads "To be deprecated
// in macOS" and has no bracket.
#include <string>
#include <string_view>
#include <vector>

#include "core/model/Availability.h"

namespace kestrel {

class AvailabilityText {
public:
    // "macOS", "iOS", "Mac Catalyst", "tvOS", "watchOS", "visionOS", "DriverKit",
    // "macOS app extension"; a platform not known as written; "" for "*".
    static std::string platformName(std::string_view platform);

    static std::string introduced(const Availability& a, std::string_view platform = Availability::defaultPlatform);
    static std::string deprecated(const Availability& a, std::string_view platform = Availability::defaultPlatform);
    static std::string unavailable(const Availability& a, std::string_view platform = Availability::defaultPlatform);
    // The three above that say something, in that order: Quick Help's lines.
    static std::vector<std::string> lines(const Availability& a,
                                          std::string_view platform = Availability::defaultPlatform);
    // For a terminal's lists; "" when there is nothing to say.
    static std::string brackets(const Availability& a, std::string_view platform = Availability::defaultPlatform);
    // Every platform the declaration is on: "macOS 10.7+, iOS 5.0+, Mac Catalyst 13.1–14.0".
    static std::string allPlatforms(const Availability& a);
    // "use newThing", else the message as advice; "" when neither is given.
    static std::string advice(const Availability& a);
};

}  // namespace kestrel
