#pragma once
// The geometry a class box carries in the tree layout (points, y growing downwards), and the
// rectangle operations the layout and the drawing use, with the window system's rules: a
// rectangle of zero width or height is empty; an empty rectangle adds nothing to a union and
// meets nothing; a point is inside when it is on the left or top edge, not on the right or
// bottom one.
namespace kestrel {

struct TreePoint {
    float x = 0;
    float y = 0;
    bool operator==(const TreePoint&) const = default;
};

struct TreeRect {
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;
    bool operator==(const TreeRect&) const = default;

    float maxX() const { return x + width; }
    float maxY() const { return y + height; }
    bool isEmpty() const { return !(width > 0) || !(height > 0); }
    bool contains(TreePoint p) const { return p.x >= x && p.x < maxX() && p.y >= y && p.y < maxY(); }
    bool intersects(const TreeRect& r) const {
        return !isEmpty() && !r.isEmpty() && x < r.maxX() && r.x < maxX() && y < r.maxY() && r.y < maxY();
    }
    TreeRect united(const TreeRect& r) const {
        if (r.isEmpty()) return *this;
        if (isEmpty()) return r;
        const float left = x < r.x ? x : r.x;
        const float top = y < r.y ? y : r.y;
        const float right = maxX() > r.maxX() ? maxX() : r.maxX();
        const float bottom = maxY() > r.maxY() ? maxY() : r.maxY();
        return {left, top, right - left, bottom - top};
    }
};

}  // namespace kestrel
