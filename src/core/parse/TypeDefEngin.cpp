#include "core/parse/TypeDefEngin.h"

#include "core/model/EnumData.h"
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

TypeDefEngin::TypeDefEngin(TextBuffer* buffer, CMacroEngin* macro, TypedefList* list, EnumSources sources)
    : TextEngin(buffer, macro), typedefList(list), sources(sources) {}

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
        StructEngin engin(textBuffer, macroEngin, typedefList, sources.keywords);
        engin.setQualifiers(qualifiers);
        return engin.doAnalyse(*command);
    }
    if (status != kWord) return nullptr;
    // "typedef enum ...", "typedef NS_ENUM(NSInteger, NSFoo) {...};"
    if (auto record = EnumEngin(textBuffer, macroEngin, typedefList, sources).readTypedef(*command)) return *record;
    if (!qualifiers.empty()) *command = qualifiers + *command;

    StatementReader reader(*textBuffer, macroEngin);
    reader.keepBodies();
    StatementReader::Statement statement = reader.read(*command);
    handed = statement.handedBack;
    handedStatus = statement.handedBackStatus;
    // Cut off, or a macro with a body that opens no enum.
    if (!statement.complete || statement.text.find('{') != std::string::npos) return nullptr;
    CDeclaration declaration = CDeclaration::read(statement.text, sources.keywords);
    if (declaration.names.empty()) {
        if (std::optional<DeclaredName> declared = macroDeclarator(statement.text))
            declaration.names.push_back(std::move(*declared));
    }
    for (const DeclaredName& declared : declaration.names)
        StructEngin::addTypedef(typedefList, declared.name, declared.type);
    return nullptr;
}

}  // namespace kestrel
