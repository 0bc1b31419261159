#include "core/parse/StaticInline.h"

namespace kestrel {

bool StaticInline::isInlineWord(std::string_view word) {
    return word == "inline" || word == "__inline__" || word == "__inline";
}

}  // namespace kestrel
