#pragma once
// Where the arrow keys lead in the class tree, from the selected class:
//
//   Left    its superclass (none for a root)
//   Right   its first subclass; a folded class is to be unfolded first (unfold = true)
//   Up      the subclass of the same superclass above it (roots: the root above)
//   Down    the one below it
//
// With nothing selected every arrow leads to the first root. At an end there is nowhere to go.
#include <memory>
#include <vector>

namespace kestrel {

class ClassData;

class TreeNavigation {
public:
    enum class Move { Left, Right, Up, Down };

    struct Step {
        std::shared_ptr<ClassData> target;  // none: nowhere to go
        bool unfold = false;                // the selected class's subclasses must be shown first
    };

    static Step step(const std::vector<std::shared_ptr<ClassData>>& roots, const std::shared_ptr<ClassData>& from,
                     Move move);
};

}  // namespace kestrel
