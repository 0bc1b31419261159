#pragma once
// The class tree as a picture: where every box goes, what is drawn for a dirty area, and which
// class a point hits. The tree window, and the pictures `kestrel tree --png/--svg` writes, are
// painted from these, so the window system only turns the operations into pixels. The lengths
// are those of TreeMetrics for the font in use (by default TreeMetrics::current()); with the
// classic ones:
//
//   root A with subclasses B and C, all shown:
//     B (180, 5, 140, 18)   C (180, 28, 140, 18)   A's subtree (20, 5, 300, 41)
//     A moves down to the middle of its subtree: y = 5 + round(11.5) = 17
//     forest frame (20, 5, 332, 73): the subtree plus a 32-point margin
//
// Every walk here is iterative and visits each shown class once per parent, so a deep tree
// (a long superclass chain in a damaged tree file) cannot exhaust the stack.
#include <cstdint>
#include <memory>
#include <vector>

#include "core/model/TreeGeometry.h"
#include "core/model/TreeMetrics.h"

namespace kestrel {

class ClassData;

struct TreeDrawOp {
    enum Kind : std::uint8_t {
        Line,        // from -> to, one point wide, black
        Box,         // record's box: fill, frame and text
        ShowButton,  // the fold button of a folded class, lower-left corner at `from`
        HideButton,  // the fold button of an expanded class
    };
    Kind kind = Line;
    TreePoint from;
    TreePoint to;
    const ClassData* record = nullptr;
};

class TreeLayout {
public:
    using ClassList = std::vector<std::shared_ptr<ClassData>>;

    // Lays out the subtree of record with its box at p and answers the rectangle enclosing
    // the subtree shown. Classes below a folded class keep their last boxes.
    static TreeRect calcPosition(ClassData& record, TreePoint p, const TreeMetrics& m = TreeMetrics::current());
    // Lays out every root in order, each 5 points below the rectangle of the one before, and
    // answers the view's frame: the union of the subtrees plus the margin; (20, 5, 32, 32)
    // without roots.
    static TreeRect calcPosition(const ClassList& roots, const TreeMetrics& m = TreeMetrics::current());
    // What drawing the roots into the dirty rectangle paints, in painting order: a class's
    // stub and box only where they meet dirty; lines, subclasses and buttons of every shown
    // class.
    static std::vector<TreeDrawOp> drawOps(const ClassList& roots, const TreeRect& dirty,
                                           const TreeMetrics& m = TreeMetrics::current());
    // The shown class whose box holds p, or none. Classes inside a folded subtree are never
    // hit: their boxes are where a layout last showed them, not on screen.
    static std::shared_ptr<ClassData> findByPoint(const ClassList& roots, TreePoint p);
};

}  // namespace kestrel
