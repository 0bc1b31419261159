#pragma once
// The text of one header as the analysis saw it, cut into tokens with their lines, and the
// comments between them: what the notes pass (DeclarationNotesPass) reads to find where each
// declaration stands, the comment before it and the attributes written on it.
//
// Directive lines, and the branches the evaluator rejected (told by its decisions, which the
// driver passes on), are not read: each leaves one Boundary token, so that nothing before
// it reads as part of a declaration after it. Comments inside a directive line go with it.
//
//   /** The frame. */          comment 0 (before token 0, first on its line)
//   - (NSRect)frame;           tokens "-" "(" "NSRect" ")" "frame" ";"  (line 2)
//   #if 0 ... #endif           one Boundary token
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/ByteHash.h"

namespace kestrel {

class DeclarationSites {
public:
    struct Token {
        enum class Kind : std::uint8_t { Word, Punct, Literal, Boundary };
        Kind kind = Kind::Punct;
        bool firstOnLine = false;
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
        std::uint32_t line = 0;    // from 1
        std::uint32_t partner = 0;  // for "(" ")" "{" "}" "[" "]": the index of the other one (itself when unmatched)
        std::uint16_t braceDepth = 0;  // "{" levels open at the token (a "{" counts from itself on)
    };
    struct Comment {
        std::uint32_t offset = 0;
        std::uint32_t end = 0;       // just after its closer
        std::uint32_t line = 0;      // of its opener
        std::uint32_t endLine = 0;   // of its last character
        std::uint32_t nextToken = 0;  // the index of the token after it
        bool firstOnLine = false;    // no code before it on its line
        bool lineComment = false;    // "//" rather than "/*"
    };

    // text must outlive the sites.
    explicit DeclarationSites(std::string_view text) : text(text) {}

    // A condition the evaluator decided: offset is where the reader stood in its directive line.
    void decided(std::size_t offset, bool value);
    // Cuts the text; called once, after the decisions are in.
    void scan();

    const std::vector<Token>& getTokens() const { return tokens; }
    const std::vector<Comment>& getComments() const { return comments; }
    // Tokens lie within the text: no bounds to check.
    std::string_view textOf(const Token& token) const { return {text.data() + token.offset, token.length}; }
    std::string_view getText() const { return text; }
    std::string_view textOf(std::size_t index) const { return textOf(tokens[index]); }
    bool is(std::size_t index, std::string_view what) const { return index < tokens.size() && textOf(index) == what; }
    std::string_view span(std::size_t from, std::size_t to) const { return text.substr(from, to - from); }
    std::string_view commentText(const Comment& comment) const {
        return text.substr(comment.offset, comment.end - comment.offset);
    }
    // The indices of the word tokens spelt so, in order, walked along the index without a list
    // made of them (the notes pass asks for every record's name):
    //   for (std::uint32_t i : sites.occurrences("typedef")) ...
    class Occurrences {
    public:
        class iterator {
        public:
            using iterator_category = std::forward_iterator_tag;
            using value_type = std::uint32_t;
            using difference_type = std::ptrdiff_t;
            using pointer = const std::uint32_t*;
            using reference = std::uint32_t;
            iterator() = default;
            iterator(const std::uint32_t* next, std::uint32_t at) : next(next), at(at) {}
            std::uint32_t operator*() const { return at; }
            iterator& operator++() {
                at = next[at] == 0 ? kNone : next[at];  // no token follows as token 0
                return *this;
            }
            iterator operator++(int) {
                iterator was = *this;
                ++*this;
                return was;
            }
            bool operator==(const iterator& other) const { return at == other.at; }

        private:
            const std::uint32_t* next = nullptr;
            std::uint32_t at = kNone;
        };
        Occurrences(const std::uint32_t* next, std::uint32_t first) : next(next), first(first) {}
        iterator begin() const { return {next, first}; }
        iterator end() const { return {next, kNone}; }
        bool empty() const { return first == kNone; }
        std::uint32_t front() const { return first; }

    private:
        const std::uint32_t* next;
        std::uint32_t first;
    };
    Occurrences occurrences(std::string_view word) const;
    // The first token spelt as word token index is: one index for every token of a word, by
    // which what is worked out about a word is kept (index itself for other tokens).
    std::uint32_t firstSpelt(std::size_t index) const { return firstSame[index]; }

private:
    struct Decision {
        std::size_t offset;
        bool value;
    };
    // What a directive line does to the branches: the line's directive word and where it is.
    void directive(std::string_view word, std::size_t lineStart, std::size_t lineEnd);
    bool decisionIn(std::size_t from, std::size_t to) const;
    void addBoundary(std::size_t offset, std::uint32_t line, std::uint16_t braceDepth);

    std::string_view text;
    std::vector<Decision> decisions;
    std::vector<Token> tokens;
    std::vector<Comment> comments;
    // Each word's first and last token, and for every token the next one spelt the same (0: none)
    // and the first one. The words are kept in a flat table, probed from their hash on: a header
    // has some thousands of words, each met many times, and a node for each cost more than the
    // scan of the text.
    struct Spelt {
        std::uint32_t first;  // kNone: an empty slot
        std::uint32_t last;
        std::uint32_t hash;
    };
    static constexpr std::uint32_t kNone = UINT32_MAX;
    // The slot of word: the one holding it, else the empty one where it would go.
    std::size_t slotOf(std::string_view word, std::uint32_t hash) const;
    // Made without filling them first: every place read is written (a header's tokens by the
    // hundred thousand, and the filling cost as much as the writing).
    std::unique_ptr<Spelt[]> spelt;  // speltSize long, a power of two, at most half full
    std::size_t speltSize = 0;
    std::unique_ptr<std::uint32_t[]> nextSame;  // set for word tokens only
    std::unique_ptr<std::uint32_t[]> firstSame;
    // Open conditionals: whether the part now read is taken, whether a branch was taken, and
    // whether the conditional's own surroundings are.
    struct Branch {
        bool outerActive;
        bool anyTaken;
        bool active;
    };
    std::vector<Branch> branches;
    bool active = true;
};

}  // namespace kestrel
