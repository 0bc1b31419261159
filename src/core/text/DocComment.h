#pragma once
// A documentation comment read into its parts (DocCommentParser), to be shown as plain text
// (DocCommentText):
//
//   /*! @abstract Makes a rectangle.
//       @discussion The origin is the lower left corner.
//       @param w The width.
//       @result The rectangle. */
//   -> brief "Makes a rectangle.", blocks {Paragraph "The origin is the lower left corner."},
//      parameters {{"w", "The width."}}, returns "The rectangle."
//
// Texts are plain: markup gone, blanks made single, a hard break (<br/>) kept as "\n"; a code
// block keeps its lines as written.
#include <string>
#include <vector>

namespace kestrel {

struct DocComment {
    enum class BlockKind { Paragraph, Code, Bullet, Numbered, Term, Definition, Labelled };

    struct Block {
        BlockKind kind = BlockKind::Paragraph;
        std::string text;
        std::string label;  // Labelled: "Note", "Warning", "Deprecated", ...
        int number = 0;     // Numbered: 1, 2, ...
        bool operator==(const Block&) const = default;
    };

    // A parameter, a field or constant, an exception: its name and what is said of it.
    struct Item {
        std::string name;
        std::string text;
        bool operator==(const Item&) const = default;
    };

    std::string brief;          // @abstract, \brief
    std::vector<Block> blocks;  // the discussion, notes among it in their place
    std::vector<Item> parameters;
    std::vector<Item> constants;  // @const, @constant: an enum's
    std::vector<Item> fields;     // @field: a struct's
    std::string returns;
    std::vector<Item> throws;
    std::vector<std::string> seeAlso;

    bool empty() const {
        return brief.empty() && blocks.empty() && parameters.empty() && constants.empty() && fields.empty() && returns.empty() &&
               throws.empty() && seeAlso.empty();
    }
    bool operator==(const DocComment&) const = default;
};

}  // namespace kestrel
