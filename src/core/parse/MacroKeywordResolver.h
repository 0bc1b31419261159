#pragma once
// Words that a header's define records (its own and, through its imports, the others') name as
// macros for "extern" or for one of the driver's own keywords, directly or through further
// such macros, and words that they show to be attributes. The driver and the analysers handle
// such a word as that keyword, or leave it out.
//
//   #define GS_EXPORT extern                    GS_EXPORT     -> "extern"
//   #define APPKIT_EXTERN extern                APPKIT_EXTERN -> "extern"  (followed to its end)
//   #define APPKIT_EXPORT APPKIT_EXTERN         APPKIT_EXPORT -> "extern"
//   #define CSEXTERN __attribute__((visibility("default"))) extern        -> "extern"
//   #define CK_EXTERN extern "C" __attribute__((visibility ("default")))  -> "extern"
//   #define EXPORT_THROUGH WRAP(extern)  with #define WRAP(k) k            -> "extern"
//   #define NS_INLINE static __inline__ __attribute__((always_inline))    -> "CG_INLINE"
//   #define MY_INLINE CG_INLINE (no record of CG_INLINE)      MY_INLINE -> "CG_INLINE"
//   #define GS_EXPORT_CLASS  (empty)            GS_EXPORT_CLASS -> none
//   #define C_BEGIN extern "C" {                C_BEGIN -> none: a block opens, no declaration
//   #define DECLARE_X extern int x;             DECLARE_X -> none: a whole declaration
//
// The definitions are the header's as far as it has been read (the evaluator's records, see
// DefineLookup), each read as a MacroBody.
#include <memory>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/parse/CToken.h"
#include "core/parse/ImportOrder.h"
#include "core/parse/MacroBody.h"
#include "core/platform/ByteHash.h"


namespace kestrel {

class DefineData;
class DefinedNames;
class MacroScope;

class MacroKeywordResolver {
public:
    using IsKeyword = bool (*)(std::string_view word);

    // header: the define record of the header being read (none: no word is a macro);
    // names must be up to date with the process-wide define list and outlive the resolver.
    MacroKeywordResolver(std::shared_ptr<DefineData> header, const DefinedNames& names, IsKeyword isKeyword);

    // The keyword that word stands for, or none.
    std::optional<std::string> keywordFor(const std::string& word);
    // The same for a word read as a view: a string is made only for a name a record defines.
    std::optional<std::string> keywordFor(std::string_view word);

    // Whether word is a macro that expands to nothing or to attributes, directly or through
    // further macros:
    //   #define NS_RETURNS_RETAINED __attribute__((ns_returns_retained))   -> yes
    //   #define NS_FORMAT_FUNCTION(F,A) __attribute__((format(...)))       -> yes
    //   #define GS_NORETURN_METHOD  (empty)                                -> yes
    //   #define MY_NORETURN GS_NORETURN_METHOD                             -> yes
    //   #define NSNotFound (0x7fffffff)                                    -> no
    //   #define GS_GENERIC_TYPE(T) id                                      -> no
    //   #define PICK(A,B,NAME,...) NAME  and  #define AVAIL(...) PICK(__VA_ARGS__,X,Y)
    //                                                          AVAIL       -> none: cannot tell
    // None when the header's define records know no definition of word.
    std::optional<bool> isAttribute(const std::string& word);

    // The definition of word that the header sees, or none.
    const MacroBody* definition(const std::string& word);

    // Finds the definitions through the evaluator's scope of the same header (whose own record
    // is header) rather than an import order of its own: the places of its imports are kept
    // there anyway.
    void useScope(MacroScope& headerScope) { scope = &headerScope; }

    // The bodies of the define pass's lines, read once for the headers of one define list: the
    // caller keeps them across the headers (a header's own lines are read for it alone).
    using ParsedBodies = std::unordered_map<const MacroDefinition*, MacroBody>;
    void useParsedBodies(ParsedBodies& kept) { parsedBodies = &kept; }

private:
    const MacroBody* bodyOf(const std::string& word, const MacroDefinition& macro);
    // The answers so far are dropped once the header has defined another macro.
    void forgetWhenDefined();
    std::optional<std::string> resolve(const std::string& word);
    std::optional<bool> resolveAttribute(const std::string& word, int depth);
    std::optional<bool> attributeOf(const MacroBody& macro, int depth);
    // The tokens word stands for, with the uses of further macros at its front replaced by
    // what they stand for, as far as attributes and keywords need; none for a block or a
    // whole declaration.
    std::optional<std::string> keywordIn(CTokens tokens, int depth);

    std::shared_ptr<DefineData> header;
    const DefinedNames& names;
    IsKeyword isKeyword;
    std::unordered_map<std::string, std::optional<std::string>, ByteHash> known;  // answers given so far
    std::unordered_map<std::string, std::optional<bool>, ByteHash> knownAttributes;
    std::unordered_map<std::string, const MacroBody*, ByteHash> definitions;
    std::deque<MacroBody> ownBodies;  // of the header's own lines: their addresses may be another header's next
    ParsedBodies* parsedBodies = nullptr;
    std::size_t definesSeen = 0;  // the header's define lines when the answers were given
    std::optional<ImportOrder> order;  // of header, for finding definitions without a scope
    MacroScope* scope = nullptr;
};

}  // namespace kestrel
