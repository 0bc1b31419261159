#pragma once
// The availability that attribute text says, in the stored form of DeclarationNotes: the text
// of the attributes written on a declaration, its macros already expanded.
//
//   __attribute__((availability(macos,introduced=10.7)))        -> {"macos": {"introduced": "10.7"}}
//   __attribute__((availability(macosx,introduced=10.0,deprecated=10.14,replacement="newThing")))
//                       -> {"macos": {"introduced": "10.0", "deprecated": "10.14"}, "replacement": "newThing"}
//   __attribute__((availability(ios,unavailable)))              -> {"ios": {"unavailable": true}}
//   __attribute__((deprecated("use bar")))                       -> {"*": {"deprecated": ""}, "message": "use bar"}
//   __attribute__((unavailable))                                 -> {"*": {"unavailable": true}}
//
// Versions are kept as written, "_" read as "." (10_7 -> "10.7"); "macosx" is "macos". Other
// attributes, and Swift's availability (NS_SWIFT_UNAVAILABLE: no platform), are passed over. None when the text says nothing of availability.
#include <optional>
#include <string_view>

#include "core/platform/PlistValue.h"

namespace kestrel {

class AttributeAvailability {
public:
    static std::optional<PlistDict> read(std::string_view expanded);
    // Whether the text holds an attribute at all (a cheap test before reading).
    static bool mayHold(std::string_view expanded) {
        return expanded.find("__attribute__") != std::string_view::npos;
    }
};

}  // namespace kestrel
