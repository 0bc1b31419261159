#pragma once
// The geometry a class box carries in the tree layout (points, y growing downwards).
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
};

}  // namespace kestrel
