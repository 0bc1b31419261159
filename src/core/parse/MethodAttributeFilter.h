#pragma once
// Leaves attribute macros out of a method declaration's commands. The method maker removes
// every blank, so a macro that expands to an attribute or to nothing would be glued to the
// words around it and change the selector or the argument names:
//
//   + (id) NS_RETURNS_RETAINED leak: (id)anObject;         -> +(id)leak:(id)anObject
//   - (id) retain NS_AUTOMATED_REFCOUNT_UNAVAILABLE;        -> -(id)retain
//   - (id) unique: (id) NS_CONSUMED anObject;               -> -(id)unique:(id)anObject
//   + (id) stringWithFormat: (NSString*)f, ... NS_FORMAT_FUNCTION(1,2);
//                                                           -> +(id)stringWithFormat:(NSString*)f ,...
//
// Only words outside parentheses are looked at, where a method has nothing but selector parts
// and argument names; types in parentheses stay as written: (GS_GENERIC_TYPE(T)), (nullable id).
// Such a word is an attribute when it is written like a macro -- capitals, digits and at least
// one "_" --, as selector parts and argument names never are, or is a reserved word ("__foo"),
// and the header's define records say that it expands to nothing or to an attribute (see
// MacroKeywordSource) or, for the former, know no definition of it; "__attribute__" itself too. A "(" right after a dropped word opens
// its arguments, which go with it.
#include <string>
#include <string_view>

#include "core/parse/TextBuffer.h"

namespace kestrel {

class MacroKeywordSource;

class MethodAttributeFilter {
public:
    // keywords: the driver, or none (then only the spelling decides).
    explicit MethodAttributeFilter(MacroKeywordSource* keywords) : keywords(keywords) {}

    // Whether the command belongs to an attribute and is left out. inDeclaration: a method's
    // sign has come and its ";" not yet. Called for every command of a body: the common way
    // through is kept short.
    bool drops(int status, const std::string& command, bool inDeclaration) {
        if (depth > 0 || afterMacro) return dropsAfterMacro(status, command, inDeclaration);
        if (!inDeclaration) {
            typeDepth = 0;
            return false;
        }
        switch (status) {
        case kOpenParen:
            ++typeDepth;
            return false;
        case kCloseParen:
            if (typeDepth > 0) --typeDepth;
            return false;
        case kWord:
            return typeDepth == 0 && mayBeAttribute(command) && startsAttribute(command);
        default:
            return false;
        }
    }

    // "NS_RETURNS_RETAINED", "GS_API_MACOSX": capitals, digits and "_", with a "_" and a letter.
    static bool isWrittenAsMacro(std::string_view word);

private:
    // Only a capital or "_" can begin an attribute's word.
    static bool mayBeAttribute(const std::string& word) {
        return !word.empty() && (word[0] == '_' || (word[0] >= 'A' && word[0] <= 'Z'));
    }
    bool dropsAfterMacro(int status, const std::string& command, bool inDeclaration);
    bool startsAttribute(const std::string& word);
    bool isAttribute(const std::string& word) const;

    MacroKeywordSource* keywords;
    bool afterMacro = false;  // the command before was a dropped word
    int depth = 0;            // inside a dropped word's arguments
    int typeDepth = 0;        // inside the parentheses of a kept type
};

}  // namespace kestrel
