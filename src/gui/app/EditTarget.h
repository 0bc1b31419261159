#pragma once
// A view that answers the Edit menu's Copy and Cut when it has the keyboard focus: the menu asks
// the focused view (or the nearest of its parents that is one) whether it can, and sends the
// command there.
namespace kestrel::gui {

class EditTarget {
public:
    virtual ~EditTarget() = default;
    virtual bool canCopy() const { return false; }
    virtual void copy() {}
    virtual bool canCut() const { return false; }
    virtual void cut() {}
};

}  // namespace kestrel::gui
