#include "core/parse/ExternEngin.h"

#include "core/model/TreeData.h"
#include "core/parse/TextBuffer.h"

namespace kestrel {

namespace {

// The unread text from its first character that is no blank.
std::string_view ahead(TextBuffer& buffer) {
    std::string_view rest = buffer.unreadText();
    std::size_t at = rest.find_first_not_of(" \t\r\n");
    return at == std::string_view::npos ? std::string_view() : rest.substr(at);
}

}  // namespace

bool ExternEngin::readLinkageBlock() {
    // extern "C", extern "C++": a linkage, which no stored text keeps.
    if (!textBuffer || !ahead(*textBuffer).starts_with("\"")) return false;
    int status = kWord;
    for (int quoteMarks = 0; quoteMarks < 2;) {  // the opening quote, C, the closing quote
        if (!textBuffer->getCommandWithStatus(status)) return false;
        if (status == kQuote) ++quoteMarks;
    }
    if (!ahead(*textBuffer).starts_with("{")) return false;
    textBuffer->getCommandWithStatus(status);  // the "{": the block's declarations are the driver's
    return true;
}

CDeclaration ExternEngin::readExtern() {
    statement = {};
    if (readLinkageBlock()) return {};
    return readDeclaration();
}

std::vector<std::string> ExternEngin::analyseAll() { return texts(readExtern(), kExternKind); }

std::optional<std::string> ExternEngin::doAnalyse() {
    std::vector<std::string> all = analyseAll();
    if (all.empty()) return std::nullopt;
    return all.front();
}

}  // namespace kestrel
