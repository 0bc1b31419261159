#pragma once
// The class tree in the tree window: draws the laid-out boxes and turns pointing into
// selection, folding, method menus and drags of the selected class's name.
//
//   press on a box          select it (ClassDidUnselectedMessage for the old one first, when
//                           it was another record), ClassObjSelectedMessage
//   press on empty space    drop the selection
//   press in a box's rightmost 11 points   fold or unfold; the box stays where it was on screen,
//                           the view reaching beyond the tree where the tree no longer does
//   double click on a box   its method menu; choosing a method posts
//                           ClassMethodWasSelectedMessage with the method's declaration
//   drag                    the selected class's name as plain text
//   right click on a box    select it, its method menu
//   Left, Right, Up, Down   the superclass, the first subclass (unfolded), the sibling above or
//                           below (TreeNavigation); the box is scrolled into view
//   Return, Enter, Space, the Menu key, Shift+F10   the selected class's method menu, under
//                           its box
// Every change of selection or folding marks the tree as changed, so that it is stored at exit.
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/model/MethodMenu.h"
#include "core/model/TreeGeometry.h"
#include "core/model/TreeMetrics.h"
#include "gui/app/EditTarget.h"

class QMenu;
class QScrollArea;

namespace kestrel {
class ClassData;
}

namespace kestrel::gui {

class AppShell;

class TreeView : public QWidget, public EditTarget {
    Q_OBJECT
public:
    using ClassList = std::vector<std::shared_ptr<ClassData>>;

    explicit TreeView(AppShell& owner, QWidget* parent = nullptr);
    ~TreeView() override;

    // Installs the roots, lays them out, selects the stored selection again (announcing it),
    // sizes the view and centres the selection.
    void setTreeData(const ClassList& roots);
    const ClassList& getTreeData() const { return treeDatas; }
    // Lays the tree out again and sizes the view to it (after a cut, or a change of font).
    void reLayout();

    std::shared_ptr<ClassData> doObjSelectByPt(TreePoint p);
    // Opens the method menu of record at the global position.
    void doDoubleClick(const std::shared_ptr<ClassData>& record, const QPoint& globalPos);
    MenuModel hasNoMthodMenu() const;
    // A method item chosen: announces the method of its owner, when the owner is still there.
    void menuAction(const MenuItemModel& item);
    bool validateMenuItem(std::int32_t tag) const;

    // Drops the view's selection without announcing anything (before classes are removed).
    void unSelect();
    // Scrolls the selected box into the middle of the visible area when none of it is visible.
    void scrollToselection();
    // Selects record itself, unfolding the classes above it when they hide it; then scrolls it
    // into view (scrollToselection), or to the middle of the view with centre.
    void selectClass(const std::shared_ptr<ClassData>& record, bool centre = false);
    QString createDragStrings() const;
    const std::shared_ptr<ClassData>& selectedClass() const { return laseSelectedClass; }
    // The tree's frame (the layout's rectangle), and the lengths it was laid out with.
    TreeRect frame() const { return frame_; }
    const TreeMetrics& metrics() const { return metrics_; }
    // The visible part of the view, in the tree's coordinates.
    QRect visibleRect() const;
    // A point of the tree in the view's own coordinates. They are the same until a fold keeps
    // its box in place by letting the view reach above or left of the tree; the next layout
    // makes them the same again.
    QPointF viewPoint(TreePoint p) const { return {p.x + shift_.x(), p.y + shift_.y()}; }
    TreePoint treePoint(QPointF viewPoint) const;

    // Copy puts the selected class's name on the clipboard; Cut removes the selected class and
    // its subclasses from the tree (a rebuild brings them back).
    bool canCopy() const override;
    void copy() override;
    bool canCut() const override;
    void cut() override;

    // How a method menu is shown: by default QMenu::exec at the position. Tests look at the
    // menu instead.
    using MenuPresenter = std::function<void(QMenu& menu, const QPoint& globalPos)>;
    void setMenuPresenter(MenuPresenter presenter) { presenter_ = std::move(presenter); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void mouseDown(QMouseEvent* event, int clickCount);
    void mouseDraggedAction(const QPoint& pressedAt);
    // Lays the tree out with the metrics of the font now in use.
    TreeRect layOut();
    // Sizes the view to the frame; with keepVisible (in the tree's coordinates), far enough
    // beyond it that the area can be scrolled to, and scrolls there.
    void setFrame(const TreeRect& frame, std::optional<QRectF> keepVisible = std::nullopt);
    // Moves the visible area so that its middle is 9 points above the box's top, at the
    // box's horizontal middle.
    void centreOn(const ClassData& record);
    QScrollArea* scrollArea() const;
    // Moves the visible area's top-left corner to origin, as far as the view reaches.
    void scrollOriginTo(QPointF origin);
    void updateBox(const ClassData& record);
    void markTreeChanged() const;
    // Scrolls so that the selected box is wholly in view, with a margin.
    void revealSelection();
    void openSelectedMenu();

    AppShell& owner_;
    std::shared_ptr<ClassData> laseSelectedClass;
    int popUpStatus = 0;
    ClassList treeDatas;
    int dragMode = 0;
    TreeRect frame_{};
    TreeMetrics metrics_;
    QPointF shift_;  // view coordinates = tree coordinates + shift_
    QPoint pressedAt_;
    bool dragArmed_ = false;
    MenuPresenter presenter_;
    bool menuKeyPressed_ = false;
};

}  // namespace kestrel::gui
