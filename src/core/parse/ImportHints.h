#pragma once
// The headers a header's text names in its #import and #include lines, read without evaluating
// anything: for reading files ahead of the define pass in the order it will want them. A line
// in a rejected branch or in a comment counts too; a macro naming the header
// ("#include SOME_HEADER") and #include_next do not.
//
//   #import <Foundation/NSObject.h>   -> {"Foundation/NSObject.h", angled}
//   #  include "Local.h"              -> {"Local.h", quoted}
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

class ImportHints {
public:
    struct Name {
        std::string written;
        bool angled = false;

        bool operator==(const Name&) const = default;
    };

    static std::vector<Name> scan(std::string_view text);
};

}  // namespace kestrel
