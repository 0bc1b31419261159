#pragma once
// Words that a header's define records (its own and, through its imports, the others') name as
// macros for "extern" or for one of the driver's own keywords, directly or through further
// such macros. The driver and the interface analyser handle such a word as that keyword.
//
//   #define GS_EXPORT extern                    GS_EXPORT     -> "extern"
//   #define APPKIT_EXTERN extern                APPKIT_EXTERN -> "extern"  (followed to its end)
//   #define APPKIT_EXPORT APPKIT_EXTERN         APPKIT_EXPORT -> "extern"
//   #define MY_INLINE CG_INLINE (no record of CG_INLINE)      MY_INLINE -> "CG_INLINE"
//   #define GS_EXPORT_CLASS  (empty)            GS_EXPORT_CLASS -> none
//   #define C_BEGIN extern "C" {                C_BEGIN -> none: a block opens, no declaration
//   #define DECLARE_X extern int x;             DECLARE_X -> none: a whole declaration
//
// The records hold definitions with their blanks removed ("extern __declspec(dllimport)" is
// kept as "extern__declspec(dllimport)"), so a definition's leading word ends before a "__"
// that starts a reserved word as well as at any character that is not part of a name.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kestrel {

class DefineData;
class DefinedNames;

class MacroKeywordResolver {
public:
    using IsKeyword = bool (*)(std::string_view word);

    // header: the define record of the header being read (none: no word is a macro);
    // names must be up to date with the process-wide define list and outlive the resolver.
    MacroKeywordResolver(std::shared_ptr<DefineData> header, const DefinedNames& names, IsKeyword isKeyword);

    // The keyword that word stands for, or none.
    std::optional<std::string> keywordFor(const std::string& word);

    // Whether word is a macro that expands to nothing or to an attribute, directly or through
    // further macros:
    //   #define NS_RETURNS_RETAINED __attribute__((ns_returns_retained))   -> yes
    //   #define NS_FORMAT_FUNCTION(F,A) __attribute__((format(...)))       -> yes
    //   #define GS_NORETURN_METHOD  (empty)                                -> yes
    //   #define MY_NORETURN GS_NORETURN_METHOD                             -> yes
    //   #define NSNotFound (0x7fffffff)                                    -> no
    //   #define GS_GENERIC_TYPE(T) id                                      -> no
    // None when the header's define records know no definition of word.
    std::optional<bool> isAttribute(const std::string& word);

    // "extern__declspec(dllimport)\n" -> "extern"; "APPKIT_EXTERN\n" -> "APPKIT_EXTERN";
    // "(x)x+1\n" -> "".
    static std::string leadingWord(const std::string& definition);

private:
    std::optional<std::string> resolve(const std::string& word) const;
    std::optional<bool> resolveAttribute(const std::string& word) const;

    std::shared_ptr<DefineData> header;
    const DefinedNames& names;
    IsKeyword isKeyword;
    std::unordered_map<std::string, std::optional<std::string>> known;  // answers given so far
    std::unordered_map<std::string, std::optional<bool>> knownAttributes;
};

}  // namespace kestrel
