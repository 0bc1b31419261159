#include "core/parse/TypeDefEngin.h"

#include "core/model/EnumData.h"
#include "core/parse/EnumEngin.h"
#include "core/parse/TextBuffer.h"

namespace kestrel {

TypeDefEngin::TypeDefEngin(TextBuffer* buffer, CMacroEngin* macro, TypedefList* list, EnumSources enumSources)
    : TextEngin(buffer, macro), typedefList(list), enumSources(enumSources) {}

std::shared_ptr<TreeData> TypeDefEngin::doAnalyse(const std::string&) {
    if (!textBuffer) return nullptr;
    int status = 0;
    std::optional<std::string> command = textBuffer->getCommandWithStatus(status);
    if (!command) return nullptr;
    if (*command == "struct") return StructEngin(textBuffer, macroEngin, typedefList).doAnalyse(*command);
    if (status == kWord) {
        if (auto record = EnumEngin(textBuffer, macroEngin, typedefList, enumSources).readTypedef(*command))
            return *record;
    }

    // The declaration text with its spacing; tabs and line ends count as one space each.
    std::string text;
    for (; command; command = textBuffer->getCommandWithStatusandSpace(status)) {
        if (status == kSemicolon) break;
        if (status == kTab || status == kCR || status == kLF)
            text += ' ';
        else
            text += *command;
    }
    if (!command) return nullptr;                          // the text ended before the ";"
    if (text.find('(') != std::string::npos) return nullptr;  // a function type

    deleteTopSpace(text);
    deleteLastSpace(text);
    find(" *", "*", text);
    find("  ", " ", text);
    std::size_t space = text.rfind(' ');
    if (space != std::string::npos) StructEngin::addTypedef(typedefList, text.substr(space + 1), text.substr(0, space));
    return nullptr;
}

}  // namespace kestrel
