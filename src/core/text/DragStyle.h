#pragma once
// The drag style: the main window's "Drag and copy as" choice, kept in the preferences as its
// number. 0 and 1 are the numbers older preferences files hold; any number that is none of the
// three reads as the call style, as it always has.
#include <cstdint>

namespace kestrel {

enum class DragStyle : std::int32_t { Declaration = 0, Call = 1, Snippet = 2 };

inline DragStyle dragStyleOf(std::int32_t mode) {
    if (mode == static_cast<std::int32_t>(DragStyle::Declaration)) return DragStyle::Declaration;
    if (mode == static_cast<std::int32_t>(DragStyle::Snippet)) return DragStyle::Snippet;
    return DragStyle::Call;
}

}  // namespace kestrel
