#pragma once
// The notes of every declaration a header gave records: the line of its declared name, the
// documentation comment right before it, and the availability its attributes say. A pass of
// its own, beside the analysers: the driver hands it the header's text and the evaluator's
// decisions while it reads, and when the header is done, the records filed meanwhile; the pass
// finds each one's declaration in the text the analysis saw (DeclarationSites) and sets its
// notes (DeclarationNotes): on classes, categories, protocols, structs, enums, functions and
// variables, on each method and property accessor (methodNotes), each enum constant
// (constantNotes) and each typedef (typedefNotes).
//
// The comment taken is the last one between the declaration and the one before it, standing
// first on its line: a documentation comment ("/**", "/*!", "///", "//!") wherever it stands
// there, a plain one ("/* */", a run of "//" lines) only directly above. An enum constant's
// "///<" or "//!<" after it is its own. A directive between comment and declaration parts them.
//
// The attributes are the macros written on the declaration (API_AVAILABLE(...),
// NS_DEPRECATED(...), DEPRECATED_ATTRIBUTE, NS_UNAVAILABLE, __attribute__((...)), ...),
// expanded as the header sees them when it ends, then read (AvailabilityReader, which also
// reads the availability macros a header uses without the define pass knowing them).
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "core/model/DeclarationNotes.h"
#include "core/parse/DeclarationSites.h"
#include "core/parse/PreprocessorLexer.h"
#include "core/platform/ByteHash.h"

namespace kestrel {

class CMacroEngin;
class MacroDefinition;
struct RecordLists;

class DeclarationNotesPass {
public:
    // The attribute macros' expansions in the headers before, kept by the driver across the
    // headers of one define list: "API_AVAILABLE(macos(10.7))" is expanded once, not in every
    // header that writes it, while its macro is the same definition.
    class Memory {
    public:
        void clear() {
            byText.clear();
            byInvocation.clear();
            readings.clear();
            byDeclaration.clear();
            wordsKept.clear();
        }

    private:
        friend class DeclarationNotesPass;
        struct Said {
            const MacroDefinition* definition;  // of the macro invoked
            // The shape's expansion spelt, with where each placeholder stands in it (at, the
            // literal's index): its literals are put in without spelling it again.
            std::string spelt;
            std::vector<std::pair<std::size_t, std::size_t>> places;
            bool intact = true;  // no placeholder inside another token
        };
        // By the invocation's shape: its tokens with each number and string literal standing for
        // whichever one is written, "API_DEPRECATED("Use X", macos(10.0, 10.14))" and
        // "API_DEPRECATED("Use Y", macos(10.2, 10.15))" expanding alike.
        std::unordered_map<std::string, Said, ByteHash> byText;
        struct SaidAsWritten {
            const MacroDefinition* definition;
            std::string expansion;
        };
        std::unordered_map<std::string, SaidAsWritten, ByteHash> byInvocation;  // the same invocation, as written
        std::unordered_map<std::string, Availability, ByteHash> readings;  // attributes' expansions -> what they say
        // A declaration's invocations as written, and what they said in the header before that
        // wrote them so, while each macro is the same definition there (none of a header's own).
        struct SaidOnDeclaration {
            std::vector<const MacroDefinition*> definitions;  // of each invocation, in order
            Availability availability;
        };
        std::unordered_map<std::string, SaidOnDeclaration, ByteHash> byDeclaration;
        // The macros whose expansion makes new tokens of a word of their arguments (# or ##):
        // their shapes keep the words as written.
        std::unordered_set<const MacroDefinition*> wordsKept;
    };

    // records, text and memory must outlive the pass; what records hold now is not this header's.
    DeclarationNotesPass(RecordLists& records, std::string_view text, Memory& memory);

    // A condition the evaluator decided (CMacroEngin::Decision's offset and value).
    void decided(std::size_t offset, bool value) { sites.decided(offset, value); }
    // Sets the notes of the records filed since the pass was made; protocols also get the
    // framework and header names.
    void attach(CMacroEngin& macro, const std::string& fwName, const std::string& hedderName);

private:
    using Index = std::size_t;
    struct Range {
        Index from = 0;
        Index to = 0;  // past the end
    };

    bool isText(Index i, std::string_view what) const { return sites.is(i, what); }
    // Asked for nearly every token the pass passes over: kept inline.
    bool isWord(Index i) const {
        const auto& tokens = sites.getTokens();
        return i < tokens.size() && tokens[i].kind == DeclarationSites::Token::Kind::Word;
    }
    bool isPunct(Index i, char c) const {
        const auto& tokens = sites.getTokens();
        return i < tokens.size() && tokens[i].kind == DeclarationSites::Token::Kind::Punct &&
               sites.getText()[tokens[i].offset] == c;
    }
    // Where the declaration holding token i begins: after the last ";", "{", "}", directive or
    // "@end" before it.
    Index statementStart(Index i) const;
    // The ";" (or a body's "{") that ends the declaration holding token i; brace bodies of types
    // ("struct {...} x;") are passed.
    Index statementEnd(Index i, bool passBodies) const;
    std::optional<std::string> docBefore(Index start) const;
    std::optional<std::string> trailingDoc(Index after, Index to) const;
    // The availability the macros and attributes written in range say (brace bodies left out).
    Availability availabilityIn(Range range);
    bool isMacro(std::string_view word);
    // The same for word token i, worked out once for all the tokens of its word.
    bool isMacroAt(Index i) {
        std::int8_t& known = macroByWord[sites.firstSpelt(i)];
        if (known < 0) known = isMacro(sites.textOf(i)) ? 1 : 0;
        return known != 0;
    }
    const std::string& expansionOf(std::string_view word, std::string_view invocation);
    std::string expandedByShape(PreprocessorTokens tokens, const MacroDefinition* definition, std::string_view invocation);
    std::optional<std::string> expandedByShape(PreprocessorTokens tokens, const MacroDefinition* definition, bool words);
    static Memory::Said spelt(const MacroDefinition* definition, const PreprocessorTokens& expansion, std::size_t literals);
    // The definition the header sees for a macro word (none for __attribute__ and non-macros).
    const MacroDefinition* definitionOf(std::string_view word);
    DeclarationNotes notesAt(Index nameToken, Index start, Range attributes);

    void containers();
    void methodsOf(Index bodyFrom, Index bodyTo, NotesByName& byKey);
    void functions();
    void structs();
    void enums();
    void typedefs();
    // The text without the macros the header sees and their arguments, and __attribute__((...));
    // none when it holds none (most declaration texts, whose attributes the analysis took out).
    std::optional<std::string> withoutMacros(std::string_view text) const;
    // The declared name of a declarator in range, none when it names nothing.
    std::optional<Index> declaratorName(Range range);

    RecordLists& records;
    DeclarationSites sites;
    CMacroEngin* macro = nullptr;
    std::string fwName, hedderName;  // of the header
    std::size_t classesFrom, categoriesFrom, protocolsFrom, structsFrom, enumsFrom, functionsFrom;
    Memory& memory;
    // Looked up by the text as it stands in the header, made a key only when new.
    std::unordered_map<std::string, std::string, ByteHash, std::equal_to<>> invocations;  // a macro with its arguments -> its expansion
    std::unordered_map<std::string, Availability, ByteHash, std::equal_to<>> readByInvocations;  // a declaration's invocations -> what they say
    // What availabilityIn gathers for each declaration, kept from one to the next.
    struct Invocation {
        Index word;
        std::size_t from, to;
    };
    std::string saidScratch;
    std::vector<Invocation> invocationScratch;
    struct MacroWord {
        bool isMacro = false;
        const MacroDefinition* definition = nullptr;
        bool ownLine = false;  // defined by this header itself
    };
    std::unordered_map<std::string_view, MacroWord, ByteHash> macroWords;  // words of the text
    std::vector<std::int8_t> macroByWord;  // by a word's first token: unknown (-1), no, yes
};

}  // namespace kestrel
