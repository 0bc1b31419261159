#include "core/parse/DeclarationNotesPass.h"

#include "core/parse/MacroExpander.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>

#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/ProtocolData.h"
#include "core/model/RecordLists.h"
#include "core/model/SearchRank.h"
#include "core/model/StructData.h"
#include "core/parse/AvailabilityReader.h"
#include "core/parse/CMacroEngin.h"
#include "core/parse/CommentBody.h"
#include "core/parse/DefineData.h"
#include "core/platform/AsciiClass.h"

namespace kestrel {

namespace {

using Kind = DeclarationSites::Token::Kind;

// Words that end the declaration before them, like ";".
bool isSectionWord(std::string_view word) {
    if (word.size() < 4 || word[0] != '@') return false;  // asked for most words of a header
    return word == "@end" || word == "@optional" || word == "@required" || word == "@public" ||
           word == "@private" || word == "@protected" || word == "@package" || word == "@interface" ||
           word == "@protocol" || word == "@implementation";
}

// A word that may be a macro written on a declaration: capitals, digits and "_" only
// (API_AVAILABLE, NS_UNAVAILABLE), or starting with "__" (__OSX_AVAILABLE_STARTING, __deprecated).
bool looksLikeMacro(std::string_view word) {
    if (word.starts_with("__")) return true;
    bool upper = false;
    for (char c : word) {
        if (c >= 'a' && c <= 'z') return false;
        upper = upper || (c >= 'A' && c <= 'Z');
    }
    return upper;
}

// The words of the availability macros' names (API_AVAILABLE, NS_DEPRECATED_MAC,
// __OSX_AVAILABLE_STARTING, AVAILABLE_MAC_OS_X_VERSION_10_5_AND_LATER, UNAVAILABLE_ATTRIBUTE,
// __IOS_PROHIBITED, ...).
bool namesAvailability(std::string_view word) {
    for (std::string_view part : {"AVAILABLE", "DEPRECATED", "OBSOLETE", "PROHIBITED"})
        if (word.find(part) != std::string_view::npos) return true;
    return false;
}

// Whether an attribute's text has a word the availability reader knows (availability, deprecated,
// unavailable, API_AVAILABLE, __OSX_DEPRECATED, __IOS_PROHIBITED, ...), in any case.
bool namesAvailabilityIn(std::string_view text) {
    auto has = [text](std::string_view part) {
        return std::search(text.begin(), text.end(), part.begin(), part.end(), [](char a, char b) {
                   return (a | 0x20) == b;
               }) != text.end();
    };
    return has("vailab") || has("eprecat") || has("rohibit") || has("bsolet");
}

// Whether an expansion closes every bracket it opens (outside literals) and does not begin
// with one: no attribute the reader meets in the text around it can begin or end in it.
bool standsApart(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first != std::string_view::npos && text[first] == '(') return false;
    int depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"' || c == '\'') {
            for (++i; i < text.size() && text[i] != c; ++i)
                if (text[i] == '\\') ++i;
            if (i >= text.size()) return false;
        } else if (c == '(' || c == '[' || c == '{') {
            ++depth;
        } else if ((c == ')' || c == ']' || c == '}') && --depth < 0) {
            return false;
        }
    }
    return depth == 0;
}

std::string methodKey(std::string_view declaration) {
    std::size_t at = declaration.find_first_not_of(" \t");
    const char sign = at != std::string_view::npos && declaration[at] == '+' ? '+' : '-';
    return sign + SearchRank::selectorOf(declaration);
}

}  // namespace

DeclarationNotesPass::DeclarationNotesPass(RecordLists& records, std::string_view text, Memory& memory)
    : records(records),
      sites(text),
      classesFrom(records.classList.size()),
      categoriesFrom(records.categoryList.size()),
      protocolsFrom(records.protocolList.size()),
      structsFrom(records.structList.size()),
      enumsFrom(records.enumList.size()),
      functionsFrom(records.functions.size()),
      memory(memory) {}

DeclarationNotesPass::Index DeclarationNotesPass::statementStart(Index i) const {
    const auto& tokens = sites.getTokens();
    while (i > 0) {
        const Index before = i - 1;
        if (tokens[before].kind == Kind::Boundary || isPunct(before, ';') || isPunct(before, '{')) break;
        if (isPunct(before, '}')) {
            // "} Name;" after a type's body: the declaration began before the body.
            const Index open = tokens[before].partner;
            if (open != before && i < tokens.size() && tokens[i].line == tokens[before].line &&
                (isWord(i) || isPunct(i, '*')) && !isSectionWord(sites.textOf(i))) {
                i = open;
                continue;
            }
            break;
        }
        if (isWord(before) && isSectionWord(sites.textOf(before))) break;
        i = before;
    }
    return i;
}

DeclarationNotesPass::Index DeclarationNotesPass::statementEnd(Index i, bool passBodies) const {
    const auto& tokens = sites.getTokens();
    while (i < tokens.size()) {
        // A directive inside a declaration does not end it:
        //   + (CARenderer *)rendererWithCGLContext:(void *)ctx options:(NSDictionary *)dict
        //   #ifndef GL_SILENCE_DEPRECATION
        //       API_DEPRECATED("+rendererWithMTLTexture", macos(10.5, 10.14));
        if (isPunct(i, ';') || isPunct(i, '}')) return i;
        if (isWord(i) && isSectionWord(sites.textOf(i))) return i;
        if (isPunct(i, '{')) {
            if (!passBodies || tokens[i].partner == i) return i;
            i = tokens[i].partner + 1;
            continue;
        }
        if (isPunct(i, '(') || isPunct(i, '[')) {
            if (tokens[i].partner == i) return i;
            i = tokens[i].partner + 1;
            continue;
        }
        ++i;
    }
    return tokens.size();
}

std::optional<std::string> DeclarationNotesPass::docBefore(Index start) const {
    const auto& comments = sites.getComments();
    const auto& tokens = sites.getTokens();
    if (start >= tokens.size()) return std::nullopt;
    auto lo = std::lower_bound(comments.begin(), comments.end(), start,
                               [](const DeclarationSites::Comment& c, Index at) { return c.nextToken < at; });
    auto hi = lo;
    while (hi != comments.end() && hi->nextToken == start) ++hi;
    if (lo == hi) return std::nullopt;
    // The comments between the declaration and the one before, as blocks: one "/* */" each, or
    // a run of "//" lines one under the other.
    struct Block {
        std::size_t first, last;  // indices into comments
        CommentBody::Style style;
    };
    std::vector<Block> blocks;
    for (auto it = lo; it != hi; ++it) {
        const std::size_t at = static_cast<std::size_t>(it - comments.begin());
        const CommentBody::Style style = CommentBody::styleOf(sites.commentText(*it));
        if (!blocks.empty()) {
            Block& last = blocks.back();
            const auto& previous = comments[last.last];
            if (it->lineComment && previous.lineComment && it->firstOnLine && previous.firstOnLine &&
                it->line == previous.endLine + 1 && style == last.style) {
                last.last = at;
                continue;
            }
        }
        blocks.push_back({at, at, style});
    }
    auto body = [&](const Block& block) {
        if (!comments[block.first].lineComment) return CommentBody::strip(sites.commentText(comments[block.first]));
        std::vector<std::string_view> lines;
        for (std::size_t k = block.first; k <= block.last; ++k) lines.push_back(sites.commentText(comments[k]));
        return CommentBody::stripRun(lines);
    };
    // A documentation comment first on its line, the last one there; else a plain one right above.
    for (auto block = blocks.rbegin(); block != blocks.rend(); ++block) {
        if (block->style == CommentBody::Style::Doc && comments[block->first].firstOnLine) {
            std::string text = body(*block);
            if (!text.empty()) return text;
        }
    }
    const Block& last = blocks.back();
    if (last.style == CommentBody::Style::Plain && comments[last.first].firstOnLine &&
        comments[last.last].endLine + 1 >= tokens[start].line) {
        std::string text = body(last);
        if (!text.empty()) return text;
    }
    return std::nullopt;
}

std::optional<std::string> DeclarationNotesPass::trailingDoc(Index after, Index to) const {
    const auto& comments = sites.getComments();
    auto from = std::upper_bound(comments.begin(), comments.end(), after,
                                 [](Index at, const DeclarationSites::Comment& c) { return at < c.nextToken; });
    for (auto it = from; it != comments.end(); ++it) {
        const auto& comment = *it;
        if (comment.nextToken > to) break;
        if (CommentBody::styleOf(sites.commentText(comment)) == CommentBody::Style::Trailing) {
            std::string text = CommentBody::strip(sites.commentText(comment));
            if (!text.empty()) return text;
        }
    }
    return std::nullopt;
}

bool DeclarationNotesPass::isMacro(std::string_view word) {
    if (word == "__attribute__" || word == "__attribute") return true;
    if (!looksLikeMacro(word)) return false;
    auto [found, fresh] = macroWords.try_emplace(word);
    if (fresh && macro) {
        found->second.definition = macro->getScope().find(word);
        // An availability macro the define pass did not see is read by its name.
        found->second.isMacro = found->second.definition != nullptr || namesAvailability(word);
        const auto& own = macro->getScope().getOwnRecord();
        found->second.ownLine = own && own->findOwn(word);
    }
    return found->second.isMacro;
}

const MacroDefinition* DeclarationNotesPass::definitionOf(std::string_view word) {
    auto found = macroWords.find(word);
    return found == macroWords.end() ? nullptr : found->second.definition;
}

Availability DeclarationNotesPass::availabilityIn(Range range) {
    const auto& tokens = sites.getTokens();
    // The invocations as written, each ended by a NUL (the text holds none): the declarations of
    // a header mostly repeat a few ("API_AVAILABLE(macos(10.15))" on every method of a class),
    // read once in it.
    std::string& said = saidScratch;
    said.clear();
    std::vector<Invocation>& invocations = invocationScratch;
    invocations.clear();
    for (Index i = range.from; i < range.to && i < tokens.size(); ++i) {
        if (isPunct(i, '{') && tokens[i].partner > i) {
            i = tokens[i].partner;  // a type's body: its fields' and constants' attributes are theirs
            continue;
        }
        if (!isWord(i) || !isMacroAt(i)) continue;
        Index end = i + 1;
        if (isPunct(end, '(') && tokens[end].partner > end) end = tokens[end].partner + 1;
        const std::size_t from = tokens[i].offset;
        const std::size_t to = tokens[end - 1].offset + tokens[end - 1].length;
        said.append(sites.span(from, to)) += '\0';
        invocations.push_back({i, from, to});
        i = end - 1;
    }
    if (said.empty() || !macro) return {};
    if (auto read = readByInvocations.find(std::string_view(said)); read != readByInvocations.end()) return read->second;
    const auto known = readByInvocations.try_emplace(said).first;
    // The same invocations of the same definitions expand alike in every header (as in
    // expansionOf), so what they say is read once in a build.
    std::vector<const MacroDefinition*> definitions;
    definitions.reserve(invocations.size());
    bool ownLine = false;
    for (const Invocation& invocation : invocations) {
        const auto word = macroWords.find(sites.textOf(invocation.word));
        const bool listed = word != macroWords.end();
        definitions.push_back(listed ? word->second.definition : nullptr);
        ownLine = ownLine || (listed && word->second.ownLine);
    }
    if (!ownLine) {
        const auto before = memory.byDeclaration.find(known->first);
        if (before != memory.byDeclaration.end() && before->second.definitions == definitions)
            return known->second = before->second.availability;
    }
    std::vector<const std::string*> expansions;
    expansions.reserve(invocations.size());
    bool apart = true;  // each expansion read alone reads as it does among the others
    for (const Invocation& invocation : invocations) {
        expansions.push_back(&expansionOf(sites.textOf(invocation.word), sites.span(invocation.from, invocation.to)));
        apart = apart && standsApart(*expansions.back());
    }
    // The invocations' expansions one after the other, without those that say nothing of
    // availability ("NS_SWIFT_NAME(uniqueName)"): the same reading for many declarations.
    std::string written;
    for (const std::string* expansion : expansions) {
        if (apart && !namesAvailabilityIn(*expansion)) continue;
        if (!written.empty()) written += ' ';
        written += *expansion;
    }
    // What expanded text says depends on nothing else: read once in a build.
    auto [found, read] = memory.readings.try_emplace(std::move(written));
    if (read) found->second = AvailabilityReader::read(found->first);
    if (!ownLine)
        memory.byDeclaration.insert_or_assign(known->first, Memory::SaidOnDeclaration{std::move(definitions), found->second});
    return known->second = found->second;
}

// One macro written with its arguments, expanded as the header sees it: "API_AVAILABLE(macos(10.7))"
// is expanded once in a header, and its shape once in a build while its macro is the same
// definition (each invocation alone, so that "NS_SWIFT_NAME(x) API_AVAILABLE(...)" finds the
// second expanded already). The shape stands a placeholder token for each number and string
// literal, and the literals are put back into its expansion:
//   API_DEPRECATED("Use X", macos(10.0, 10.14))  ->  API_DEPRECATED(\1 0, macos(\1 1, \1 2))
// A macro that makes new tokens of a literal (# or ##) leaves a placeholder inside another
// token: that invocation is expanded as written. A macro of the header's own is its alone: not
// kept for the next one.
const std::string& DeclarationNotesPass::expansionOf(std::string_view word, std::string_view invocation) {
    if (auto written = invocations.find(invocation); written != invocations.end()) return written->second;
    const auto found = invocations.try_emplace(std::string(invocation)).first;
    if (!macro) return found->second = std::string(invocation);
    const MacroDefinition* definition = definitionOf(word);
    const auto known = macroWords.find(word);
    const bool ownLine = known != macroWords.end() && known->second.ownLine;
    if (ownLine) return found->second = macro->expand(invocation);
    auto written = memory.byInvocation.find(found->first);
    if (written != memory.byInvocation.end() && written->second.definition == definition)
        return found->second = written->second.expansion;
    found->second = expandedByShape(PreprocessorLexer::tokenize(invocation), definition, invocation);
    memory.byInvocation.insert_or_assign(found->first, Memory::SaidAsWritten{definition, found->second});
    return found->second;
}

std::string DeclarationNotesPass::expandedByShape(PreprocessorTokens tokens, const MacroDefinition* definition,
                                                  std::string_view invocation) {
    if (!memory.wordsKept.contains(definition)) {
        if (std::optional<std::string> expanded = expandedByShape(tokens, definition, true)) return *std::move(expanded);
        memory.wordsKept.insert(definition);
    }
    if (std::optional<std::string> expanded = expandedByShape(std::move(tokens), definition, false)) return *std::move(expanded);
    return macro->expand(invocation);
}

// The shape stands a placeholder for each literal, and with words, for each word of the
// arguments that is no macro where the header stands: such a word is carried through an
// expansion as it is ("NS_ENUM(NSInteger, NSFoo)" expands alike for every enum), unless the
// macro pastes or quotes it. None when a placeholder comes out inside another token.
std::optional<std::string> DeclarationNotesPass::expandedByShape(PreprocessorTokens tokens,
                                                                 const MacroDefinition* definition, bool words) {
    std::vector<std::string> literals;
    std::string shape;
    bool wordTaken = false;
    for (std::size_t k = 0; k < tokens.size(); ++k) {
        PreprocessorToken& token = tokens[k];
        using TokenKind = PreprocessorToken::Kind;
        bool stands = token.kind == TokenKind::Number || token.kind == TokenKind::String;
        if (!stands && words && k > 0 && token.kind == TokenKind::Identifier && !MacroExpander::isBuiltin(token.text) &&
            !macro->getScope().find(token.text)) {
            stands = wordTaken = true;
        }
        if (stands) {
            literals.push_back(std::move(token.text));
            token.text = '\x01' + std::to_string(literals.size() - 1);
        }
        // Kind, blank and length before each text: no two token sequences share a shape.
        shape += static_cast<char>('0' + static_cast<int>(token.kind));
        shape += token.spaceBefore ? ' ' : '.';
        char length[24];
        shape.append(length, std::to_chars(length, length + sizeof length, token.text.size()).ptr);
        shape += ':';
        shape += token.text;
    }
    if (words && !wordTaken) return std::nullopt;  // the same shape as without words
    auto said = memory.byText.find(shape);
    if (said == memory.byText.end() || said->second.definition != definition)
        said = memory.byText.insert_or_assign(std::move(shape), spelt(definition, macro->expand(tokens), literals.size())).first;
    const Memory::Said& form = said->second;
    if (!form.intact) return std::nullopt;
    std::string text;
    std::size_t from = 0;
    for (const auto& [at, index] : form.places) {
        text.append(form.spelt, from, at - from);
        text += literals[index];
        from = at;
    }
    text.append(form.spelt, from);
    return text;
}

// A shape's expansion as expandedByShape keeps it: "API_DEPRECATED(\1 0, macos(\1 1, \1 2))" as
// the text "__attribute__((availability(macos,introduced=,deprecated=)))" with the places of
// literals 1 and 2 in it (and the message's). A placeholder that is not a token of its own, or
// stands for no literal of the shape, leaves it not intact.
DeclarationNotesPass::Memory::Said DeclarationNotesPass::spelt(const MacroDefinition* definition,
                                                                const PreprocessorTokens& expansion, std::size_t literals) {
    Memory::Said said{definition, {}, {}, true};
    for (std::size_t i = 0; i < expansion.size(); ++i) {
        const std::string& text = expansion[i].text;
        if (i > 0 && expansion[i].spaceBefore) said.spelt += ' ';
        if (text.find('\x01') == std::string::npos) {
            said.spelt += text;
            continue;
        }
        std::size_t index = literals;
        if (text[0] == '\x01' && text.size() > 1 && text.find_first_not_of("0123456789", 1) == std::string::npos &&
            text.size() < 12)
            index = std::stoul(text.substr(1));
        if (index >= literals) {
            said.intact = false;
            return said;
        }
        said.places.emplace_back(said.spelt.size(), index);
    }
    return said;
}

DeclarationNotes DeclarationNotesPass::notesAt(Index nameToken, Index start, Range attributes) {
    DeclarationNotes notes;
    notes.line = sites.getTokens()[nameToken].line;
    notes.doc = docBefore(start);
    notes.availability = availabilityIn(attributes);
    return notes;
}

void DeclarationNotesPass::attach(CMacroEngin& engine, const std::string& framework, const std::string& header) {
    macro = &engine;
    fwName = framework;
    hedderName = header;
    // Protocols and structs, which the driver does not label, name where they come from too.
    for (std::size_t i = protocolsFrom; i < records.protocolList.size(); ++i) {
        if (!records.protocolList[i]) continue;
        records.protocolList[i]->setFwName(fwName);
        records.protocolList[i]->setHedderName(hedderName);
    }
    for (std::size_t i = structsFrom; i < records.structList.size(); ++i) {
        if (!records.structList[i]) continue;
        records.structList[i]->setFwName(fwName);
        records.structList[i]->setHedderName(hedderName);
    }
    sites.scan();
    macroByWord.assign(sites.getTokens().size(), -1);
    containers();
    functions();
    structs();
    enums();
    typedefs();
    macro = nullptr;
}

// Classes, categories and protocols, with their methods.
void DeclarationNotesPass::containers() {
    std::map<std::string, HasMethodsData*> byName;  // "C" class, "C(cat)" category, "<P>" protocol
    auto wrapped = [](char open, const std::string& name, char close) {
        std::string key(1, open);
        key.append(name).push_back(close);
        return key;
    };
    for (std::size_t i = classesFrom; i < records.classList.size(); ++i)
        if (auto& r = records.classList[i]) byName.try_emplace(r->getName().value_or(""), r.get());
    for (std::size_t i = categoriesFrom; i < records.categoryList.size(); ++i)
        if (auto& r = records.categoryList[i])
            byName.try_emplace(r->superName().value_or("") + wrapped('(', r->getName().value_or(""), ')'), r.get());
    for (std::size_t i = protocolsFrom; i < records.protocolList.size(); ++i)
        if (auto& r = records.protocolList[i]) byName.try_emplace(wrapped('<', r->getName().value_or(""), '>'), r.get());
    if (byName.empty()) return;

    const auto& tokens = sites.getTokens();
    // The "@interface" and "@protocol" words, in the order they stand.
    const DeclarationSites::Occurrences interfaceWords = sites.occurrences("@interface");
    std::vector<std::uint32_t> heads(interfaceWords.begin(), interfaceWords.end());
    const std::size_t interfaces = heads.size();
    const DeclarationSites::Occurrences protocols = sites.occurrences("@protocol");
    heads.insert(heads.end(), protocols.begin(), protocols.end());
    std::inplace_merge(heads.begin(), heads.begin() + static_cast<std::ptrdiff_t>(interfaces), heads.end());
    Index past = 0;  // the end of the last container read
    for (const Index h : heads) {
        if (h < past || h + 1 >= tokens.size()) continue;
        const bool isInterface = sites.textOf(h) == "@interface";
        const Index nameAt = h + 1;
        if (!isWord(nameAt)) continue;
        Index j = nameAt + 1;
        std::string key;
        if (isInterface) {
            if (isPunct(j, '<')) {  // generic parameters
                int depth = 0;
                for (; j < tokens.size(); ++j) {
                    if (isPunct(j, '<')) ++depth;
                    else if (isPunct(j, '>') && --depth == 0) break;
                    else if (isPunct(j, ';') || isPunct(j, '{')) break;
                }
                ++j;
            }
            key = std::string(sites.textOf(nameAt));
            if (isPunct(j, '(')) key += wrapped('(', std::string(isWord(j + 1) ? sites.textOf(j + 1) : ""), ')');
        } else {
            if (isPunct(j, ';') || isPunct(j, ',')) continue;  // a forward declaration
            key = wrapped('<', std::string(sites.textOf(nameAt)), '>');
        }
        auto found = byName.find(key);
        if (found == byName.end()) continue;
        HasMethodsData* record = found->second;
        byName.erase(found);  // the first declaration of the name is the record's
        // The head: up to the first member, the ivars or the end.
        Index bodyFrom = j;
        while (bodyFrom < tokens.size() && tokens[bodyFrom].kind != Kind::Boundary && !isPunct(bodyFrom, '{') &&
               !isPunct(bodyFrom, '-') && !isPunct(bodyFrom, '+') && !isPunct(bodyFrom, ';') &&
               !(isWord(bodyFrom) && (sites.textOf(bodyFrom).starts_with("@") && sites.textOf(bodyFrom) != "@interface")))
            ++bodyFrom;
        const Index start = statementStart(h);
        record->setNotes(notesAt(nameAt, start, {start, bodyFrom}));
        Index bodyTo = bodyFrom;
        while (bodyTo < tokens.size() && !(isWord(bodyTo) && sites.textOf(bodyTo) == "@end")) ++bodyTo;
        NotesByName byKey;
        methodsOf(bodyFrom, bodyTo, byKey);
        NotesByName notes;
        if (record->getMethodList())
            for (const std::string& method : *record->getMethodList())
                if (auto it = byKey.find(methodKey(method)); it != byKey.end()) notes.try_emplace(method, it->second);
        record->setMethodNotes(std::move(notes));
        past = bodyTo + 1;
        if (byName.empty()) break;
    }
}

void DeclarationNotesPass::methodsOf(Index from, Index to, NotesByName& byKey) {
    const auto& tokens = sites.getTokens();
    for (Index k = from; k < to; ++k) {
        if (isPunct(k, '{') && tokens[k].partner > k) {  // the ivars
            k = tokens[k].partner;
            continue;
        }
        const bool startsHere = k == from || tokens[k - 1].kind == Kind::Boundary || isPunct(k - 1, ';') ||
                                isPunct(k - 1, '{') || isPunct(k - 1, '}') ||
                                (isWord(k - 1) && isSectionWord(sites.textOf(k - 1)));
        if (!startsHere) continue;
        if (isPunct(k, '-') || isPunct(k, '+')) {
            std::string selector;
            Index j = k + 1;
            if (isPunct(j, '(') && tokens[j].partner > j) j = tokens[j].partner + 1;
            const Index nameAt = j;
            while (isWord(j)) {
                if (!isPunct(j + 1, ':')) {
                    if (selector.empty()) selector = sites.textOf(j);
                    break;
                }
                selector += std::string(sites.textOf(j)) + ":";
                j += 2;
                if (isPunct(j, '(') && tokens[j].partner > j) j = tokens[j].partner + 1;
                if (isWord(j) && !isPunct(j + 1, ':')) ++j;  // the argument's name
            }
            if (selector.empty() || !isWord(nameAt)) continue;
            const Index end = std::min(statementEnd(k, false), to);
            byKey.try_emplace(std::string(1, sites.textOf(k)[0]) + selector, notesAt(nameAt, k, {k, end}));
            k = end;
        } else if (isWord(k) && sites.textOf(k) == "@property") {
            const Index end = std::min(statementEnd(k, false), to);
            Index j = k + 1;
            std::optional<std::string> getter, setter;
            bool classProperty = false;
            if (isPunct(j, '(') && tokens[j].partner > j) {
                for (Index a = j + 1; a < tokens[j].partner; ++a) {
                    const std::string_view w = isWord(a) ? sites.textOf(a) : std::string_view();
                    if (w == "class") classProperty = true;
                    if ((w == "getter" || w == "setter") && isPunct(a + 1, '=') && isWord(a + 2)) {
                        std::string name(sites.textOf(a + 2));
                        if (w == "setter") setter = name + ":";
                        else getter = name;
                    }
                }
                j = tokens[j].partner + 1;
            }
            const std::string sign = classProperty ? "+" : "-";
            const DeclarationNotes shared = notesAt(k, k, {k, end});
            // Each declarator between the commas.
            Index d = j;
            while (d < end) {
                Index e = d;
                while (e < end && !isPunct(e, ',')) {
                    if ((isPunct(e, '(') || isPunct(e, '[')) && tokens[e].partner > e) e = tokens[e].partner;
                    ++e;
                }
                if (std::optional<Index> nameAt = declaratorName({d, e})) {
                    std::string name(sites.textOf(*nameAt));
                    DeclarationNotes notes = shared;
                    notes.line = tokens[*nameAt].line;
                    std::string set = "set" + name + ":";
                    set[3] = static_cast<char>(std::toupper(static_cast<unsigned char>(set[3])));
                    byKey.try_emplace(sign + getter.value_or(name), notes);
                    byKey.try_emplace(sign + setter.value_or(set), notes);
                }
                d = e + 1;
            }
            k = end;
        }
    }
}

std::optional<DeclarationNotesPass::Index> DeclarationNotesPass::declaratorName(Range range) {
    const auto& tokens = sites.getTokens();
    // A pointer to a function or a block: "(*name)", "(^name)".
    for (Index i = range.from; i < range.to; ++i) {
        if (!isPunct(i, '(') || tokens[i].partner <= i) continue;
        for (Index a = i + 1; a < tokens[i].partner; ++a)
            if ((isPunct(a, '*') || isPunct(a, '^')) && isWord(a + 1) && !isMacroAt(a + 1))
                return a + 1;
        break;
    }
    std::optional<Index> name;
    int angles = 0;
    for (Index i = range.from; i < range.to; ++i) {
        if (isPunct(i, '<')) ++angles;
        else if (isPunct(i, '>')) --angles;
        if ((isPunct(i, '(') || isPunct(i, '[')) && tokens[i].partner > i) {
            i = tokens[i].partner;
            continue;
        }
        if (isPunct(i, '{') && tokens[i].partner > i) {
            i = tokens[i].partner;
            continue;
        }
        if (angles > 0 || !isWord(i) || isPunct(i + 1, '(') || isMacroAt(i)) continue;
        name = i;
    }
    return name;
}

std::optional<std::string> DeclarationNotesPass::withoutMacros(std::string_view text) const {
    auto isWordChar = [](char c) { return isAsciiAlnum(c) || c == '_' || c == '$'; };
    std::optional<std::string> out;  // made at the first macro left out
    std::size_t kept = 0;             // text before this is in out
    for (std::size_t i = 0; i < text.size();) {
        if (!isWordChar(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && isWordChar(text[end])) ++end;
        const std::string_view word = text.substr(i, end - i);
        std::size_t after = end;
        while (after < text.size() && text[after] == ' ') ++after;
        const bool called = after < text.size() && text[after] == '(';
        // A macro used with arguments (API_AVAILABLE(...)) or naming availability goes; one that
        // stands for a type (GSCTXT for NSGraphicsContext) stays, or "(GSCTXT *ctxt" would read
        // as a pointer to a function.
        const bool attribute =
            word == "__attribute__" || (looksLikeMacro(word) && (called || namesAvailability(word)) && macro &&
                                        (macro->getScope().find(word) != nullptr || namesAvailability(word)));
        if (!attribute) {
            i = end;
            continue;
        }
        if (called) {
            int depth = 0;
            for (; after < text.size(); ++after) {
                if (text[after] == '(') ++depth;
                else if (text[after] == ')' && --depth == 0) break;
            }
            end = std::min(text.size(), after + 1);
        }
        if (!out) out.emplace().reserve(text.size());
        out->append(text, kept, i - kept);
        kept = i = end;
    }
    if (out) out->append(text, kept);
    return out;
}

void DeclarationNotesPass::functions() {
    const auto& tokens = sites.getTokens();
    for (std::size_t r = functionsFrom; r < records.functions.size(); ++r) {
        auto& record = records.functions[r];
        if (!record || !record->getName()) continue;
        // A declaration text may still hold attribute macros ("int x API_AVAILABLE(...)").
        const std::optional<std::string> stripped = withoutMacros(*record->getName());
        const std::string_view name = SearchRank::functionNameOf(stripped ? *stripped : *record->getName());
        const auto at = sites.occurrences(name);
        // The first place outside any body (a call in an inline function comes after it).
        auto it = std::find_if(at.begin(), at.end(), [&](std::uint32_t i) { return tokens[i].braceDepth == 0; });
        if (it == at.end()) it = at.begin();
        if (it == at.end()) continue;
        const Index start = statementStart(*it);
        record->setNotes(notesAt(*it, start, {start, statementEnd(*it, true)}));
    }
}

void DeclarationNotesPass::structs() {
    for (std::size_t r = structsFrom; r < records.structList.size(); ++r) {
        auto& record = records.structList[r];
        if (!record || !record->getName() || record->getName()->empty()) continue;
        const auto at = sites.occurrences(*record->getName());
        std::optional<Index> best, named;
        for (std::uint32_t i : at) {
            const bool tagged = i > 0 && (isText(i - 1, "struct") || isText(i - 1, "union"));
            if (tagged && isPunct(i + 1, '{')) {
                best = i;
                break;
            }
            if (!named && ((i > 0 && isPunct(i - 1, '}')) || tagged)) named = i;
        }
        if (!best) best = named;
        if (!best && !at.empty()) best = at.front();
        if (!best) continue;
        const Index start = statementStart(*best);
        record->setNotes(notesAt(*best, start, {start, statementEnd(*best, true)}));
    }
}

void DeclarationNotesPass::enums() {
    const auto& tokens = sites.getTokens();
    for (std::size_t r = enumsFrom; r < records.enumList.size(); ++r) {
        auto& record = records.enumList[r];
        if (!record) continue;
        std::vector<EnumConstant> fromBody;  // made only for a record that keeps none
        const std::vector<EnumConstant>* kept = record->keptConstants();
        if (!kept) fromBody = record->getConstants();
        const std::vector<EnumConstant>& constants = kept ? *kept : fromBody;
        const std::string name = record->getName().value_or("");
        std::optional<Index> nameAt, open;
        if (!name.empty()) {
            std::optional<Index> fallback;
            for (std::uint32_t i : sites.occurrences(name)) {
                if (i > 0 && isText(i - 1, "enum") && (isPunct(i + 1, '{') || isPunct(i + 1, ':'))) {
                    nameAt = i;
                    for (Index b = i + 1; b < tokens.size() && !isPunct(b, ';'); ++b)
                        if (isPunct(b, '{')) {
                            open = b;
                            break;
                        }
                    break;
                }
                if (i > 0 && isPunct(i - 1, '}')) {
                    nameAt = i;
                    open = tokens[i - 1].partner;
                    break;
                }
                if (isPunct(i + 1, ')') && isPunct(i + 2, '{')) {  // NS_ENUM(NSInteger, Name) {
                    nameAt = i;
                    open = i + 2;
                    break;
                }
                if (!fallback) fallback = i;
            }
            if (!nameAt) nameAt = fallback;
        }
        // Without a name, or its body not found by it: the body of its first constant.
        if (!open && !constants.empty()) {
            for (std::uint32_t i : sites.occurrences(constants.front().name)) {
                if (tokens[i].braceDepth == 0) continue;
                Index b = i;
                while (b > 0 && !(isPunct(b, '{') && tokens[b].partner > i)) --b;
                if (isPunct(b, '{')) {
                    open = b;
                    break;
                }
            }
        }
        // An anonymous enum is known by its first constant (as the header viewer finds it):
        // its line is that constant's.
        std::optional<Index> firstConstant;
        if (!nameAt && open && !constants.empty())
            for (std::uint32_t i : sites.occurrences(constants.front().name))
                if (i > *open && i < tokens[*open].partner) {
                    firstConstant = i;
                    break;
                }
        if (!nameAt) nameAt = firstConstant;
        if (!nameAt) continue;
        const Index start = statementStart(open ? *open : *nameAt);
        record->setNotes(notesAt(*nameAt, start, {start, statementEnd(start, true)}));
        if (!open || tokens[*open].partner <= *open) continue;
        const Index close = tokens[*open].partner;
        NotesByName notes;
        for (const EnumConstant& constant : constants) {
            for (std::uint32_t i : sites.occurrences(constant.name)) {
                if (i <= *open || i >= close) continue;
                if (!(isPunct(i - 1, '{') || isPunct(i - 1, ',') || tokens[i - 1].kind == Kind::Boundary)) continue;
                Index end = i;
                while (end < close && !isPunct(end, ',')) {
                    if ((isPunct(end, '(') || isPunct(end, '[')) && tokens[end].partner > end) end = tokens[end].partner;
                    ++end;
                }
                DeclarationNotes note = notesAt(i, i, {i, end});
                if (std::optional<std::string> trailing = trailingDoc(i, end + 1)) note.doc = std::move(trailing);
                notes.try_emplace(constant.name, std::move(note));
                break;
            }
        }
        record->setConstantNotes(std::move(notes));
    }
}

void DeclarationNotesPass::typedefs() {
    const auto& tokens = sites.getTokens();
    for (std::uint32_t t : sites.occurrences("typedef")) {
        // Only a typedef that begins its declaration.
        if (t > 0 && !(tokens[t - 1].kind == Kind::Boundary || isPunct(t - 1, ';') || isPunct(t - 1, '{') ||
                       isPunct(t - 1, '}') || (isWord(t - 1) && isSectionWord(sites.textOf(t - 1)))))
            continue;
        const Index end = statementEnd(t, true);
        // The declarators: after a body, else after the type.
        Index from = t + 1;
        std::optional<Index> macroName;
        for (Index i = t + 1; i < end; ++i) {
            if (isPunct(i, '{') && tokens[i].partner > i) {
                from = tokens[i].partner + 1;
                // typedef NS_ENUM(NSInteger, Name) {...}: the name is the macro's last word.
                if (isPunct(i - 1, ')')) {
                    const Index args = tokens[i - 1].partner;
                    for (Index a = i - 2; a > args; --a)
                        if (isWord(a)) {
                            macroName = a;
                            break;
                        }
                }
                break;
            }
        }
        std::vector<Index> names;
        if (macroName) names.push_back(*macroName);
        Index d = from;
        while (d < end) {
            Index e = d;
            while (e < end && !isPunct(e, ',')) {
                if ((isPunct(e, '(') || isPunct(e, '[')) && tokens[e].partner > e) e = tokens[e].partner;
                ++e;
            }
            if (std::optional<Index> name = declaratorName({d, e}); name && *name != t) names.push_back(*name);
            d = e + 1;
        }
        // Every name the header declares so, whether or not its analyser filed it here: the
        // notes must not depend on what the headers before filed (a parallel build's do not),
        // and the store keeps the notes of the typedefs it has.
        for (Index name : names) {
            DeclarationNotes notes = notesAt(name, t, {t, end});
            notes.fwName = fwName;
            notes.hedderName = hedderName;
            records.typedefNotes.insert_or_assign(std::string(sites.textOf(name)), std::move(notes));
        }
    }
}

}  // namespace kestrel
