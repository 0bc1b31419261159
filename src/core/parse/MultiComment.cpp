#include "core/parse/MultiComment.h"

#include "core/parse/TextBuffer.h"

namespace kestrel {

std::shared_ptr<TreeData> MultiComment::doAnalyse(const std::string&) {
    if (textBuffer) textBuffer->skipPast("*/");
    return nullptr;
}

}  // namespace kestrel
