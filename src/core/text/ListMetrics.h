#pragma once
// The pitch of the rows of the lists for the height of their font: a line high, and never less
// than the classic 15 points (a 9-point system font's line of 14.x points gets 15; a 14-point
// font's of 22 gets 22), so that rows never overlap whatever the font.
namespace kestrel {

class ListMetrics {
public:
    static constexpr int kBaseRowHeight = 15;

    static int rowHeight(double lineHeight);
};

}  // namespace kestrel
