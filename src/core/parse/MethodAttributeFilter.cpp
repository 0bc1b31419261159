#include "core/parse/MethodAttributeFilter.h"

#include <cctype>

#include "core/parse/AttributeWord.h"
#include "core/parse/LookAhead.h"
#include "core/parse/MethodStringMaker.h"
#include "core/parse/StringLiteral.h"

namespace kestrel {

namespace {

// Only a capital or "_" can begin an attribute's word in a method (the spelling rule's first
// test): "asm" there is a name.
bool mayBeAttribute(std::string_view word) {
    return !word.empty() && (word[0] == '_' || (word[0] >= 'A' && word[0] <= 'Z'));
}

bool startsWord(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }

}  // namespace

bool MethodAttributeFilter::isWrittenAsMacro(std::string_view word) { return AttributeWord::isWrittenAsMacro(word); }

bool MethodAttributeFilter::isAttribute(MacroKeywordSource* keywords, std::string_view word) {
    // The declarations' rule ("URL", "NSRect" are asked of nobody; an unknown reserved word may
    // be an argument's name: "(id)__arg").
    return mayBeAttribute(word) && AttributeWord::isAttribute(word, keywords);
}

char MethodAttributeFilter::afterNextWord() const {
    return buffer ? LookAhead::nextAfterWord(buffer->unreadText()) : '\0';
}

char MethodAttributeFilter::next() const { return buffer ? LookAhead::nextSignificant(buffer->unreadText()) : '\0'; }

void MethodAttributeFilter::reset() {
    slot = Slot::ReturnType;
    argumentType = false;
    typeDepth = 0;
    afterDropped = false;
    depth = 0;
}

bool MethodAttributeFilter::drops(int status, std::string_view command, bool inDeclaration) {
    if (depth > 0 || afterDropped) return dropsArguments(status, command, inDeclaration);
    if (!inDeclaration) {
        reset();
        // Between declarations only what the define records call an attribute goes:
        //   API_DEPRECATED("Use X.", macos(10.5, 10.15))
        //   CORE_IMAGE_EXPORT CIRAWFilterOption const kCIInputAllowDraftModeKey;
        return status == kWord && !command.starts_with('@') && isKnownAttribute(keywords, command) && drop();
    }
    switch (status) {
    case kOpenParen:
        if (typeDepth > 0) {
            ++typeDepth;
        } else if (slot == Slot::ReturnType || slot == Slot::AfterColon) {
            typeDepth = 1;
            argumentType = slot == Slot::AfterColon;
        }
        return false;
    case kCloseParen:
        if (typeDepth > 0 && --typeDepth == 0) slot = argumentType ? Slot::ArgumentName : Slot::Selector;
        return false;
    case kColon:
        if (typeDepth == 0) slot = Slot::AfterColon;
        return false;
    case kComma:
        if (typeDepth == 0 && slot == Slot::AfterArgument) slot = Slot::VariadicTail;
        return false;
    case kQuote:  // no declaration holds a string; an attribute's message that lost its macro
        if (buffer) StringLiteral::skipRest(*buffer);
        return true;
    case kWord:
        if (command.starts_with('@')) return false;  // "@end", "@optional": never an attribute
        return typeDepth > 0 ? dropsInType(command) : dropsWord(command);
    default:
        return false;
    }
}

bool MethodAttributeFilter::dropsWord(std::string_view word) {
    const char after = next();
    switch (slot) {
    case Slot::ReturnType:  // "- init;": no return type
    case Slot::Selector:
        if (after == ':') return false;  // the first selector part
        if (after == '(' || (startsWord(after) && isAttribute(word))) return drop();
        slot = Slot::AfterSelector;
        return false;
    case Slot::AfterSelector:
        return drop();
    case Slot::AfterColon:  // an argument without a type: "object: anObject file:"
        if (after == '(' && isAttribute(word)) return drop();
        slot = Slot::AfterArgument;
        return false;
    case Slot::ArgumentName:
        // "(id) NS_CONSUMED anObject", but "(int)X_OFFSET y:(int)y" names X_OFFSET.
        if (after == '(' || (startsWord(after) && isAttribute(word) && afterNextWord() != ':')) return drop();
        slot = Slot::AfterArgument;
        return false;
    case Slot::AfterArgument:
        if (after == ':') return false;  // the next selector part
        // A directive may hide the next selector part: only the spelling can tell then.
        if (after == '#' && !isAttribute(word)) return false;
        return drop();
    case Slot::VariadicTail:  // "...", or the parameters of an old C-style tail
        if (after == '(' || isAttribute(word)) return drop();
        return false;
    }
    return false;
}

bool MethodAttributeFilter::isKnownAttribute(MacroKeywordSource* keywords, std::string_view word) {
    if (!mayBeAttribute(word) || MethodStringMaker::isTypeQualifier(word)) return false;
    return AttributeWord::isAttributeKeyword(word) || AttributeWord::known(std::string(word), keywords) == true;
}

bool MethodAttributeFilter::dropsInType(std::string_view word) {
    if (isKnownAttribute(keywords, word)) return drop();
    // Before a block's caret only attributes stand: "(void (NS_SWIFT_SENDABLE NS_NOESCAPE ^)(void))".
    return typeDepth > 1 && buffer && mayBeAttribute(word) && !MethodStringMaker::isTypeQualifier(word) &&
           LookAhead::nextAfterWords(buffer->unreadText()) == '^' && drop();
}

bool MethodAttributeFilter::dropsArguments(int status, std::string_view command, bool inDeclaration) {
    // A directive inside the arguments is the evaluator's; the arguments go on after it:
    //   - (void)invalidate API_AVAILABLE(ios(17.0)
    //   #if TARGET_OS_VISION
    //   , visionos(1.0)
    //   #endif
    //   );
    if (status == kHash) return false;
    // What ends a statement or a block is never an attribute's, even in unbalanced arguments.
    if (status == kSemicolon || status == kOpenBrace || status == kCloseBrace ||
        (status == kWord && command == "@end")) {
        reset();
        return false;
    }
    if (depth > 0) {
        if (status == kOpenParen) ++depth;
        if (status == kCloseParen) --depth;
        if (status == kQuote && buffer) StringLiteral::skipRest(*buffer);
        return true;
    }
    afterDropped = false;
    if (status == kOpenParen) {  // the dropped word's arguments
        depth = 1;
        return true;
    }
    return drops(status, command, inDeclaration);
}

}  // namespace kestrel
