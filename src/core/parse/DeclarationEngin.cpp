#include "core/parse/DeclarationEngin.h"

#include "core/parse/FunctionText.h"

namespace kestrel {

DeclarationEngin::DeclarationEngin(TextBuffer* buffer, CMacroEngin* macro, MacroKeywordSource* keywords,
                                   StatementReader::Stops stops)
    : TextEngin(buffer, macro), keywords(keywords), stops(std::move(stops)) {}

CDeclaration DeclarationEngin::readDeclaration(const std::string& first) {
    statement = {};
    if (!textBuffer) return {};
    statement = StatementReader(*textBuffer, macroEngin, stops).read(first);
    if (!statement.complete) return {};
    return CDeclaration::read(statement.text, keywords);
}

std::vector<std::string> DeclarationEngin::texts(const CDeclaration& declaration, int kind) const {
    std::vector<std::string> out;
    for (const DeclaredName& name : declaration.names) {
        std::string text = name.text;
        FunctionText::normalise(text, kind);
        out.push_back(std::move(text));
    }
    return out;
}

}  // namespace kestrel
