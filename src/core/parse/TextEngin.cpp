#include "core/parse/TextEngin.h"

#include "core/parse/CMacroEngin.h"
#include "core/parse/DirectiveLines.h"
#include "core/parse/MultiComment.h"

#include "core/parse/TextBuffer.h"

namespace kestrel {

TextEngin::TextEngin(TextBuffer* buffer, CMacroEngin* macro) : textBuffer(buffer), macroEngin(macro) {}

TextEngin::~TextEngin() = default;

std::shared_ptr<TreeData> TextEngin::doAnalyse(const std::string&) { return nullptr; }

void TextEngin::makeStruct() {
    if (!textBuffer) return;
    int status = 0;
    textBuffer->getCommandWithStatus(status);
    bool braceOpen = status == kOpenBrace;
    while (status != kEnd) {
        textBuffer->getCommandWithStatus(status);
        if (status == kOpenBrace) {
            braceOpen = true;
        } else if (status == kSemicolon) {
            if (!braceOpen) break;
        } else if (status == kCloseBrace) {
            break;
        } else if (status == kLineComment) {
            textBuffer->deleteLineBuffer();
        }
    }
    while (status != kEnd && status != kCR && status != kLF) textBuffer->getCommandWithStatus(status);
}

void TextEngin::deleteAllSpace(std::string& s) { std::erase(s, ' '); }

void TextEngin::deleteTopSpace(std::string& s) {
    std::size_t n = s.find_first_not_of(' ');
    s.erase(0, n == std::string::npos ? s.size() : n);
}

void TextEngin::deleteLastSpace(std::string& s) {
    std::size_t n = s.find_last_not_of(' ');
    s.erase(n == std::string::npos ? 0 : n + 1);
}

void TextEngin::find(const std::string& search, const std::string& replacement, std::string& target) {
    // Pairs that can never end (an empty search, or a replacement that holds the search) would
    // loop for ever; they get one left-to-right pass instead.
    if (search.empty()) return;
    if (replacement.find(search) != std::string::npos) {
        for (std::size_t at = target.find(search); at != std::string::npos;
             at = target.find(search, at + replacement.size()))
            target.replace(at, search.size(), replacement);
        return;
    }
    // Before a replacement at p no occurrence started earlier, and the text before p is
    // unchanged, so the next first occurrence cannot start before p - (search length - 1):
    // searching from there gives the same result as searching from the start, in linear time.
    std::size_t from = 0;
    for (std::size_t at = target.find(search); at != std::string::npos; at = target.find(search, from)) {
        target.replace(at, search.size(), replacement);
        from = at >= search.size() - 1 ? at - (search.size() - 1) : 0;
    }
}

std::optional<std::vector<std::string>> TextEngin::commandToChunk(const std::optional<std::string>& text) {
    if (!text || text->empty()) return std::nullopt;
    TextBuffer buffer(*text);
    std::vector<std::string> words;
    int status = 0;
    for (auto command = buffer.getCommandWithStatus(status); command;
         command = buffer.getCommandWithStatus(status)) {
        if (status != kWord) continue;
        std::size_t star = command->find('*');
        if (star != std::string::npos) command->erase(star, 1);
        words.push_back(std::move(*command));
    }
    return words;
}

void TextEngin::doDirective() {
    if (textBuffer) DirectiveLines::run(*textBuffer, macroEngin);
}

void TextEngin::skipComment(const std::string& opener) { MultiComment(textBuffer, macroEngin).doAnalyse(opener); }

}  // namespace kestrel
