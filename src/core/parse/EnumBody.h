#pragma once
// Reads the constants of an enum body, after its "{" up to and including its "}". Directives
// inside it are handed to the evaluator (so that a rejected branch leaves no constant),
// comments are passed over, and each constant is cut from its text by EnumConstant::fromText:
//
//   {                                         A = 1 << 0   (the attribute dropped)
//       A API_AVAILABLE(macos(10.12)) = 1 << 0,
//   #if 0                                     B = 'ab  '   (kept as written: blanks, ",")
//       HIDDEN,
//   #endif
//       B = 'ab  ', // a comment
//   }
#include <optional>
#include <vector>

#include "core/model/EnumConstant.h"
#include "core/parse/TextEngin.h"

namespace kestrel {

class EnumBody : public TextEngin {
public:
    using TextEngin::TextEngin;

    // The constants; none when the text ends before the closing brace.
    std::optional<std::vector<EnumConstant>> read();
};

}  // namespace kestrel
