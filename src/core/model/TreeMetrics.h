#pragma once
// The lengths of the class tree's picture for the height of the font its boxes are written in.
// Up to a line height of kBaseLineHeight they are the classic ones: 140 x 18 boxes, subclasses
// 20 points right of their class, 5 points between subtrees, lines through the middle of a box
// with 10-point stubs, the first root at (20, 5) and a 32-point margin around the whole. A
// taller font scales every length by its line height over the base, each rounded to whole
// points, so that the text keeps its room in the box and the tree its proportions:
//   line height 16 (or less)  scale 1      box 140 x 18   column gap 20   sibling gap 5
//   line height 22            scale 1.375  box 193 x 25   column gap 28   sibling gap 7
#include "core/model/TreeGeometry.h"

namespace kestrel {

struct TreeMetrics {
    // The line height the classic lengths are made for (the system font at its usual size).
    static constexpr double kBaseLineHeight = 16.0;

    float scale = 1;
    float boxWidth = 140;
    float boxHeight = 18;
    float columnGap = 20;   // from a box's right edge to its subclasses' column
    float siblingGap = 5;   // between the rectangle of one subtree and the next
    TreePoint firstRoot{20, 5};
    float frameMargin = 32;  // added to the width and the height of the whole
    float textInset = 3;     // the box text starts this far right of the box's left edge
    float lineOffset = 9;    // connector lines run this far below a box's top
    float stub = 10;         // the lines left of a box and right of a class with subclasses
    // The fold button: its lower-left corner is at (x + boxWidth - buttonInset.x,
    // y + boxHeight - buttonInset.y); it is buttonWidth x buttonHeight; a click less than
    // buttonHitHalfWidth from the box's right edge hits it.
    TreePoint buttonInset{11, 1};
    float buttonWidth = 10;
    float buttonHeight = 16;
    float buttonHitHalfWidth = 11;

    bool operator==(const TreeMetrics&) const = default;

    // What display names are cut to: the box less the text's inset.
    double displayWidth() const { return static_cast<double>(boxWidth) - textInset; }

    static TreeMetrics forLineHeight(double lineHeight);
    // For the line height of the font now in use (TextMeasure::lineHeight).
    static TreeMetrics current();
};

}  // namespace kestrel
