#pragma once
// What the function and variable analysers share: one declaration read from the buffer (see
// StatementReader) and the names it declares (see CDeclaration), attributes left out.
//
//   after "extern":  "NSString *const A API_AVAILABLE(macos(10.0)), *B;"
//       -> "NSString *const A", "NSString *B"
//
// A declaration that the text ends inside, or that a word of no declaration ends (an
// "@interface" after an export macro), declares nothing; that word is handed back.
#include <optional>
#include <string>
#include <vector>

#include "core/parse/CDeclaration.h"
#include "core/parse/StatementReader.h"
#include "core/parse/TextEngin.h"

namespace kestrel {

class MacroKeywordSource;

class DeclarationEngin : public TextEngin {
public:
    // keywords may be none (attributes are then told by their spelling only); stops as for
    // StatementReader.
    DeclarationEngin(TextBuffer* buffer, CMacroEngin* macro, MacroKeywordSource* keywords = nullptr,
                     StatementReader::Stops stops = {});

    using TextEngin::doAnalyse;
    // The declaration read on from the buffer, first put in front of it.
    CDeclaration readDeclaration(const std::string& first = "");
    // The word that ended the last declaration read and that nobody has read yet, with its
    // status.
    const std::optional<std::string>& handedBack() const { return statement.handedBack; }
    int handedBackStatus() const { return statement.handedBackStatus; }
    // Whether the last declaration defined a function (its body skipped).
    bool hadBody() const { return statement.body; }

protected:
    // The texts of the declared names, each spaced by rule (see FunctionText::normalise).
    std::vector<std::string> texts(const CDeclaration& declaration, int kind) const;

    MacroKeywordSource* keywords;
    StatementReader::Stops stops;
    StatementReader::Statement statement;
};

}  // namespace kestrel
