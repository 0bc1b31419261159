#pragma once
// Base of every declaration analyser. All analysers of one header share that header's buffer
// and evaluator and take turns reading from it: what one consumes is gone for the others.
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrel {

class CMacroEngin;
class TextBuffer;
class TreeData;

class TextEngin {
public:
    TextEngin(TextBuffer* buffer, CMacroEngin* macro);  // initWithBuffer:macro: (macro may be null)
    virtual ~TextEngin();

    // Reads one declaration whose opening command has already been consumed; the base reads
    // nothing and answers none.
    virtual std::shared_ptr<TreeData> doAnalyse(const std::string& opener);
    // Skips one struct definition, called right after the word "struct". Braces are not
    // counted: the first "}" ends it. Then reads up to and including the next line end.
    void makeStruct();

    static void deleteAllSpace(std::string& s);   // every space (tabs stay)
    static void deleteTopSpace(std::string& s);   // leading spaces only (tabs stay)
    static void deleteLastSpace(std::string& s);  // trailing spaces only
    // find:andReplace:target: -- replaces the first occurrence and searches again from the
    // start until none is left ("a    b" with "  " -> " " gives "a b").
    static void find(const std::string& search, const std::string& replacement, std::string& target);
    // The words (status 0) of a declaration, each without its first asterisk:
    // "-(id)initWithString:(NSString*)aString" -> -, id, initWithString, NSString, aString.
    // None for none or an empty text.
    static std::optional<std::vector<std::string>> commandToChunk(const std::optional<std::string>& text);

protected:
    // After "#": the evaluator handles the directive; with none, the line is dropped, since a
    // directive is never declaration text.
    void doDirective();
    // After "/*": skips the comment (see MultiComment).
    void skipComment(const std::string& opener);

    TextBuffer* textBuffer;
    CMacroEngin* macroEngin;
};

}  // namespace kestrel
