#pragma once
// Skips the body of a block comment whose "/*" the reader has just returned. The text after
// the closing "*/" stays in the line and is read next; a comment never closed swallows the
// rest of the text.
#include "core/parse/TextEngin.h"

namespace kestrel {

class MultiComment : public TextEngin {
public:
    using TextEngin::TextEngin;
    std::shared_ptr<TreeData> doAnalyse(const std::string& opener) override;  // always none
};

}  // namespace kestrel
