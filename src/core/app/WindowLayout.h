#pragma once
// Where the main window and the tree window go on a screen: side by side in the screen's
// available area, the main window on the left at about two fifths of the width (never narrower
// than it can be used, never more than half), the tree window taking the rest; both as high as
// the area allows, up to a comfortable height. On a screen too small for both, they overlap
// rather than leave it.
//
//   1920 x 1040 area at (0, 40)  ->  main (24, 64, 711, 880), tree (751, 64, 1145, 880)
#include "core/model/TreeGeometry.h"

namespace kestrel {

struct WindowFrames {
    TreeRect main;
    TreeRect tree;
};

class WindowLayout {
public:
    static constexpr float kMargin = 24;
    static constexpr float kGap = 16;
    static constexpr float kMainMinimumWidth = 560;
    static constexpr float kMainMinimumHeight = 480;
    static constexpr float kMaximumHeight = 880;

    static WindowFrames sideBySide(const TreeRect& available);
    // A window of the given size centred in the area, kept inside it where it fits.
    static TreeRect centred(const TreeRect& available, float width, float height);
};

}  // namespace kestrel
