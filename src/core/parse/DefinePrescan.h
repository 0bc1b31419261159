#pragma once
// A header as the define pass reads it, read before the pass comes to it: on the thread that
// reads the headers ahead, which has time while the pass evaluates. Where the next directive
// stands past the comments, and what a "#define" line defines, hang on no condition, only on the
// text, so they can be worked out first and taken when the pass gets there.
//
// The prescan reads the header as the pass reads it, every branch taken, and keeps where
// reading stood: before and after each run of comments up to a directive (a mark), and before
// and after each "#define" line with what it defines. The pass takes one only when it stands
// exactly where the prescan stood; anywhere else (after a branch it skipped, which the prescan
// read) it reads on itself until the two meet again, so what it records is the same either way.
//
//   /* ... */ #define A 1   mark: from the start to after "#"; define: A -> object-like "1"
//   #if 0 ... #endif        read through as if taken: its marks and defines go unused
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/parse/MacroDefinition.h"
#include "core/parse/TextBuffer.h"

namespace kestrel {

class DefinePrescan {
public:
    using Parsed = std::optional<std::pair<std::string, MacroDefinition>>;

    // Reads a header's bytes (as TextBuffer takes them).
    static std::shared_ptr<DefinePrescan> of(const std::string& bytes);
    // The same without a copy: the bytes are borrowed while it reads and given back as they were.
    static std::shared_ptr<DefinePrescan> ofBorrowed(std::string& bytes);

    struct Mark {
        TextBuffer::Position from;
        TextBuffer::Position to;  // just after the "#" of the next directive, or the end
        bool atEnd = false;       // no directive is left
    };
    // Where the next directive stands when reading stands at `at`; none when the prescan did
    // not stand there. Asked in the order of the text: those passed over are dropped.
    const Mark* markFrom(const TextBuffer::Position& at);
    // The define read at `at` (after its word), and where reading stands after its line; none
    // when the prescan did not stand there. Asked in the order of the text, as marks are.
    std::optional<Parsed> take(const TextBuffer::Position& at, TextBuffer::Position& after);

private:
    struct Define {
        TextBuffer::Position at;
        TextBuffer::Position after;
        Parsed parsed;
    };
    std::vector<Mark> marks;
    std::vector<Define> defines;
    std::size_t nextMark = 0;
    std::size_t nextDefine = 0;
};

}  // namespace kestrel
