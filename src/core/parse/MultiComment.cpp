#include "core/parse/MultiComment.h"

#include "core/parse/TextBuffer.h"

namespace kestrel {

std::shared_ptr<TreeData> MultiComment::doAnalyse(const std::string&) {
    if (!textBuffer) return nullptr;
    for (auto line = textBuffer->getLineStrings(); line; line = textBuffer->getLineStrings()) {
        std::size_t closer = line->find("*/");
        if (closer != std::string_view::npos) {
            textBuffer->deleteLineHead(closer + 2);
            break;
        }
        textBuffer->deleteLineBuffer();
    }
    return nullptr;
}

}  // namespace kestrel
