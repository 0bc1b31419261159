#include "core/parse/TypeDefEngin.h"

#include "core/parse/AttributeWord.h"
#include "core/parse/CDeclaration.h"
#include "core/parse/EnumEngin.h"
#include "core/parse/StatementReader.h"
#include "core/parse/TextBuffer.h"

namespace kestrel {

namespace {

// A typedef whose declarator is written through a macro that no record defines, the name among
// its arguments: "CALLBACK_API(OSErr, AEProcPtr)(const AEDesc *d)". A typedef declares a name,
// and here the last word of the macro's arguments is the only one it can be; the type is the
// text as written. None for any other shape.
std::optional<DeclaredName> macroDeclarator(const std::string& text) {
    const CTokens tokens = CTokenizer::tokenize(text);
    if (tokens.size() < 4 || !AttributeWord::isWrittenAsMacro(tokens[0].text) || !tokens[1].is("(")) return std::nullopt;
    const std::size_t close = CTokenizer::skipBalanced(tokens, 1);
    if (close >= tokens.size() || !tokens[close].is("(") || CTokenizer::skipBalanced(tokens, close) != tokens.size())
        return std::nullopt;
    const CToken& last = tokens[close - 2];
    if (!last.isName() || close - 2 <= 2 || !tokens[close - 3].is(",")) return std::nullopt;
    return DeclaredName{last.text, text, CTokenizer::join(tokens), false};
}

}  // namespace

TypeDefEngin::TypeDefEngin(TextBuffer* buffer, CMacroEngin* macro, TypedefList* list, MacroKeywordSource* keywords)
    : TextEngin(buffer, macro), typedefList(list), keywords(keywords) {}

std::shared_ptr<TreeData> TypeDefEngin::doAnalyse(const std::string&) {
    handed.reset();
    if (!textBuffer) return nullptr;
    int status = 0;
    std::optional<std::string> command = textBuffer->getCommandWithStatus(status);
    // "typedef" alone on its line, or before a comment.
    while (command && (status == kCR || status == kLF || status == kLineComment || status == kBlockOpen)) {
        if (status == kLineComment) textBuffer->deleteLineBuffer();
        if (status == kBlockOpen) skipComment(*command);
        command = textBuffer->getCommandWithStatus(status);
    }
    if (!command) return nullptr;
    // "typedef volatile struct _evOffsets {...} evOffsets;": the qualifiers go with the type.
    std::string qualifiers;
    while (command && (*command == "const" || *command == "volatile")) {
        qualifiers += *command + " ";
        command = textBuffer->getCommandWithStatus(status);
    }
    if (!command) return nullptr;
    if (*command == "struct" || *command == "union") {
        StructEngin engin(textBuffer, macroEngin, typedefList, keywords);
        engin.setQualifiers(qualifiers);
        return engin.doAnalyse(*command);
    }
    if (!qualifiers.empty()) *command = qualifiers + *command;
    if (*command == "enum") return EnumEngin(textBuffer, macroEngin, typedefList, keywords).doAnalyse(*command);
    if (status != kWord) return nullptr;

    StatementReader reader(*textBuffer, macroEngin);
    reader.keepBodies();
    StatementReader::Statement statement = reader.read(*command);
    handed = statement.handedBack;
    handedStatus = statement.handedBackStatus;
    // Cut off, or a type with a body that is no struct's (the enum macros).
    if (!statement.complete || statement.text.find('{') != std::string::npos) return nullptr;
    CDeclaration declaration = CDeclaration::read(statement.text, keywords);
    if (declaration.names.empty()) {
        if (std::optional<DeclaredName> declared = macroDeclarator(statement.text))
            declaration.names.push_back(std::move(*declared));
    }
    for (const DeclaredName& declared : declaration.names)
        StructEngin::addTypedef(typedefList, declared.name, declared.type);
    return nullptr;
}

}  // namespace kestrel
