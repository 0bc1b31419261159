#pragma once
// A depth-first walk over records linked to each other (subclasses, adopted protocols), each
// record before the ones below it, on a stack of positions instead of by recursion: a chain of
// classes or protocols may be as deep as the input makes it, 100,000 levels or more.
//
//   depthFirst(record, [](const HasMethodsData& r) -> auto& { return r.getSubClassList(); },
//              [&](const HasMethodsData& r, std::size_t depth) { print(r, depth); return true; });
//
// enter(record, depth) is told of each record reached (top at depth 0) and answers whether to
// go below it; a null link is passed over.
#include <cstddef>
#include <vector>

namespace kestrel {

template <class Node, class ChildrenOf, class Enter>
void depthFirst(const Node& top, ChildrenOf childrenOf, Enter enter) {
    struct Level {
        const Node* node;
        std::size_t next;
    };
    if (!enter(top, 0)) return;
    std::vector<Level> path{{&top, 0}};
    while (!path.empty()) {
        Level& level = path.back();
        const auto& children = childrenOf(*level.node);
        if (level.next == children.size()) {
            path.pop_back();
            continue;
        }
        const auto& child = children[level.next++];
        if (child && enter(*child, path.size())) path.push_back({child.get(), 0});
    }
}

}  // namespace kestrel
