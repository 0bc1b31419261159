#include "gui/treeview/TreeView.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <cmath>
#include <set>

#include "core/app/MenuCommands.h"
#include "core/model/AnnotationFiles.h"
#include "core/model/ClassData.h"
#include "core/model/TreeLayout.h"
#include "core/text/DeprecatedEntries.h"
#include "core/model/TreeNavigation.h"
#include "core/platform/NotificationCenter.h"
#include "core/platform/PrefData.h"
#include "core/platform/ProcessState.h"
#include "gui/app/AppShell.h"
#include "gui/app/QtText.h"
#include "gui/app/StartupProbe.h"
#include "gui/treeview/DragImage.h"
#include "gui/treeview/PopUpMenu.h"
#include "gui/treeview/TreePainter.h"

namespace kestrel::gui {

namespace {

// Half of a length, rounded to whole points with halves away from zero.
double half(double length) { return std::round(length / 2.0); }

}  // namespace

TreeView::TreeView(AppShell& owner, QWidget* parent) : QWidget(parent), owner_(owner) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(false);
    NotificationCenter::defaultCenter().addObserver(this, "ClassDidUnselectedMessage", [this](const Notification&) {
        if (laseSelectedClass) {
            laseSelectedClass->setSelectFlag(false);
            updateBox(*laseSelectedClass);
        }
        laseSelectedClass.reset();
    });
    setFrame(layOut());
}

TreeView::~TreeView() {
    NotificationCenter::defaultCenter().removeObserver(this);
    if (owner_.getMainView() == this) owner_.setMainView(nullptr);
}

void TreeView::setTreeData(const ClassList& roots) {
    treeDatas = roots;
    const TreeRect frame = layOut();
    laseSelectedClass = owner_.getSelectedClass();
    // The stored selection is announced again, but installing the tree changes nothing that
    // needs storing: a start that only looks writes no file.
    const std::shared_ptr<PrefData>& pref = ProcessState::prefData();
    const bool treeChanged = pref && pref->treeChanged;
    // With no stored selection the point (0, 0) hits nothing and nothing is selected.
    laseSelectedClass = doObjSelectByPt(laseSelectedClass ? laseSelectedClass->getPosition() : TreePoint{0, 0});
    if (pref) pref->treeChanged = treeChanged;
    setFrame(frame);
    if (laseSelectedClass) centreOn(*laseSelectedClass);
    update();
}

void TreeView::centreOn(const ClassData& record) {
    const TreePoint p = record.getPosition();
    const QRect v = visibleRect();
    scrollOriginTo({p.x + half(metrics_.boxWidth) - half(v.width()), p.y - metrics_.lineOffset - half(v.height())});
}

void TreeView::selectClass(const std::shared_ptr<ClassData>& record, bool centre) {
    if (!record) return;
    bool unfolded = false;
    std::set<const HasMethodsData*> seen{record.get()};
    for (HasMethodsData* up = record->superClass(); up && seen.insert(up).second; up = up->superClass())
        if (auto* cls = dynamic_cast<ClassData*>(up); cls && !cls->getShowSubTree()) {
            cls->setShowSubTree(true);
            unfolded = true;
        }
    if (unfolded) {
        reLayout();
        markTreeChanged();
    }
    // Now shown where the layout put it, the record is hit by its own position.
    doObjSelectByPt(record->getPosition());
    if (centre)
        centreOn(*record);
    else
        scrollToselection();
}

void TreeView::reLayout() {
    setFrame(layOut());
    update();
}

TreeRect TreeView::layOut() {
    metrics_ = TreeMetrics::current();
    return TreeLayout::calcPosition(treeDatas, metrics_);
}

void TreeView::setFrame(const TreeRect& frame, std::optional<QRectF> keepVisible) {
    frame_ = frame;
    QScrollArea* area = scrollArea();
    // The view covers the tree from the origin; where an area must stay reachable, that too.
    QRectF covered(0, 0, std::ceil(frame.width), std::ceil(frame.height));
    if (keepVisible && area) covered = covered.united(*keepVisible);
    shift_ = QPointF(-covered.left(), -covered.top());
    resize(static_cast<int>(std::ceil(covered.width())), static_cast<int>(std::ceil(covered.height())));
    // The scroll bars come and go with the size; lay them out now, so that the visible area
    // used for scrolling right after is the one the user will see.
    if (area) {
        QEvent layout(QEvent::LayoutRequest);
        QCoreApplication::sendEvent(area, &layout);
    }
    if (keepVisible) scrollOriginTo(keepVisible->topLeft());
}

TreePoint TreeView::treePoint(QPointF p) const {
    return {static_cast<float>(p.x() - shift_.x()), static_cast<float>(p.y() - shift_.y())};
}

std::shared_ptr<ClassData> TreeView::doObjSelectByPt(TreePoint p) {
    std::shared_ptr<ClassData> hit = TreeLayout::findByPoint(treeDatas, p);
    NotificationCenter& center = NotificationCenter::defaultCenter();
    // Records are told apart by identity: a second class of the same name is another class.
    if (laseSelectedClass && hit != laseSelectedClass) {
        markTreeChanged();
        center.post("ClassDidUnselectedMessage");
    }
    if (hit) {
        center.post("ClassObjSelectedMessage", hit);
        hit->setSelectFlag(true);
        updateBox(*hit);
        laseSelectedClass = hit;
        markTreeChanged();
    }
    return hit;
}

void TreeView::doDoubleClick(const std::shared_ptr<ClassData>& record, const QPoint& globalPos) {
    if (!record) return;
    MenuModel model;
    if (!record->getMethodList()) {
        model = hasNoMthodMenu();
    } else {
        const std::shared_ptr<PrefData>& pref = ProcessState::prefData();
        MethodMenu::Comments comments;
        if (pref && pref->useCommentInMenu) {
            if (auto dic = AnnotationFiles::getCommentDic()) comments = std::make_shared<MethodMenu::CommentDic>(*dic);
        }
        const std::int32_t limit = pref && pref->menuWidthHasLimit ? pref->numLimitCharactors : 0;
        model = MethodMenu::buildPopUpMenu(record, limit, comments);
        DeprecatedEntries::markMenu(model, owner_.sharedNotes(), AppShell::hidesDeprecated());
    }
    std::unique_ptr<QMenu> menu(PopUpMenu::make(model, [this](const MenuItemModel& item) { menuAction(item); }, this));
    menu->setFont(owner_.treeFont());
    if (presenter_)
        presenter_(*menu, globalPos);
    else
        menu->exec(globalPos);
}

MenuModel TreeView::hasNoMthodMenu() const {
    QLineEdit* field = owner_.getClassNameView();
    return MethodMenu::hasNoMthodMenu(field ? field->text().toStdString() : std::string());
}

void TreeView::menuAction(const MenuItemModel& item) {
    std::shared_ptr<const HasMethodsData> owner = item.owner.lock();
    if (!owner) return;  // the tree was rebuilt while the menu was open
    if (std::optional<std::string> method = owner->getMethodString(item.index))
        NotificationCenter::defaultCenter().post("ClassMethodWasSelectedMessage", *method);
}

bool TreeView::validateMenuItem(std::int32_t tag) const {
    return MenuCommands::validateTreeViewItem(tag, owner_.getSelectedClass() != nullptr);
}

void TreeView::unSelect() { laseSelectedClass.reset(); }

QRect TreeView::visibleRect() const {
    if (QScrollArea* area = scrollArea()) {
        const QWidget* port = area->viewport();
        return QRect(static_cast<int>(std::lround(area->horizontalScrollBar()->value() - shift_.x())),
                     static_cast<int>(std::lround(area->verticalScrollBar()->value() - shift_.y())), port->width(),
                     port->height());
    }
    return rect().translated(-shift_.toPoint());
}

QScrollArea* TreeView::scrollArea() const {
    for (QWidget* up = parentWidget(); up; up = up->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(up)) return area;
    return nullptr;
}

void TreeView::scrollOriginTo(QPointF origin) {
    if (QScrollArea* area = scrollArea()) {
        area->horizontalScrollBar()->setValue(static_cast<int>(std::lround(origin.x() + shift_.x())));
        area->verticalScrollBar()->setValue(static_cast<int>(std::lround(origin.y() + shift_.y())));
    }
}

void TreeView::scrollToselection() {
    if (!laseSelectedClass) return;
    const TreeRect b = laseSelectedClass->getBounds();
    const QRect v = visibleRect();
    if (TreeRect{static_cast<float>(v.x()), static_cast<float>(v.y()), static_cast<float>(v.width()),
                 static_cast<float>(v.height())}
            .intersects(b))
        return;
    scrollOriginTo({b.x + half(b.width) - half(v.width()), b.y + half(b.height) - half(v.height())});
}

QString TreeView::createDragStrings() const {
    return laseSelectedClass ? qText(laseSelectedClass->getName()) : QString();
}

bool TreeView::canCopy() const { return laseSelectedClass != nullptr; }

void TreeView::copy() {
    if (canCopy()) QApplication::clipboard()->setText(createDragStrings());
}

bool TreeView::canCut() const { return owner_.getSelectedClass() != nullptr; }

void TreeView::cut() {
    if (!canCut()) return;
    owner_.app().removeSelectedClass();
    reLayout();
}

void TreeView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    painter.translate(shift_);
    const QRectF dirty = QRectF(event->rect()).translated(-shift_);
    const TreeRect area{static_cast<float>(dirty.x()), static_cast<float>(dirty.y()),
                        static_cast<float>(dirty.width()), static_cast<float>(dirty.height())};
    TreePainter(owner_.treeFont(), metrics_).paint(painter, TreeLayout::drawOps(treeDatas, area, metrics_));
    if (!treeDatas.empty()) StartupProbe::painted();
}

void TreeView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    mouseDown(event, 1);
}

void TreeView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mouseDoubleClickEvent(event);
    mouseDown(event, 2);
}

void TreeView::mouseDown(QMouseEvent* event, int clickCount) {
    const TreePoint p = treePoint(event->position());
    pressedAt_ = event->position().toPoint();
    dragArmed_ = true;
    std::shared_ptr<ClassData> hit = doObjSelectByPt(p);
    const QRect v = visibleRect();
    if (!hit) return;
    if (hit->getClickIndex(p, metrics_) == 0) {
        if (clickCount == 2) {
            dragArmed_ = false;
            doDoubleClick(hit, event->globalPosition().toPoint());
        }
        return;
    }
    // The fold zone: the clicked box stays where it was on screen. Where the tree now ends
    // before the area that keeps it there (a fold near its end or its top), the view reaches
    // beyond the tree.
    const TreePoint before = hit->getPosition();
    hit->changeButton();
    const TreeRect frame = layOut();
    const TreePoint after = hit->getPosition();
    setFrame(frame, QRectF(v).translated(static_cast<double>(after.x - before.x), static_cast<double>(after.y - before.y)));
    update();
    markTreeChanged();
    dragArmed_ = false;
}

void TreeView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton) || !dragArmed_) return;
    if ((event->position().toPoint() - pressedAt_).manhattanLength() < QApplication::startDragDistance()) return;
    dragArmed_ = false;
    if (dragMode == 0 && laseSelectedClass) mouseDraggedAction(pressedAt_);
}

void TreeView::mouseDraggedAction(const QPoint& pressedAt) {
    const QString text = createDragStrings();
    auto* mime = new QMimeData;
    mime->setText(text);
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->setPixmap(DragImage::createDragStringImage(text, owner_.treeFont(), devicePixelRatioF()));
    // The image covers the box text: its top-left corner at the box's (x + 3, y).
    const QPointF at = viewPoint(laseSelectedClass->getPosition());
    drag->setHotSpot(pressedAt - QPoint(static_cast<int>(at.x() + metrics_.textInset), static_cast<int>(at.y())));
    drag->exec(Qt::CopyAction);
}

void TreeView::mouseReleaseEvent(QMouseEvent* event) {
    popUpStatus = 2;
    dragArmed_ = false;
    QWidget::mouseReleaseEvent(event);
}

void TreeView::keyPressEvent(QKeyEvent* event) {
    // Every key is taken (none scrolls or beeps); these act.
    event->accept();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if ((key == Qt::Key_F10 && mods == Qt::ShiftModifier) ||
        (mods == Qt::NoModifier && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space ||
                                    key == Qt::Key_Menu))) {
        // Some platforms follow the Menu key with a context-menu request: one menu is enough.
        menuKeyPressed_ = key == Qt::Key_Menu;
        openSelectedMenu();
        return;
    }
    if (mods != Qt::NoModifier) return;
    std::optional<TreeNavigation::Move> move;
    if (key == Qt::Key_Left) move = TreeNavigation::Move::Left;
    if (key == Qt::Key_Right) move = TreeNavigation::Move::Right;
    if (key == Qt::Key_Up) move = TreeNavigation::Move::Up;
    if (key == Qt::Key_Down) move = TreeNavigation::Move::Down;
    if (!move) return;
    const TreeNavigation::Step step = TreeNavigation::step(treeDatas, laseSelectedClass, *move);
    if (!step.target) return;
    if (step.unfold && laseSelectedClass) {
        laseSelectedClass->setShowSubTree(true);
        reLayout();
        markTreeChanged();
    }
    selectClass(step.target);
    revealSelection();
}

void TreeView::showEvent(QShowEvent* event) {
    // The keys of the tree window come here, not to the scroll area around (whose arrows
    // would only scroll).
    if (QScrollArea* area = scrollArea(); area && area->focusProxy() != this) {
        area->setFocusProxy(this);
        if (area->hasFocus() || !window()->focusWidget()) setFocus(Qt::OtherFocusReason);
    }
    QWidget::showEvent(event);
}

void TreeView::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    if (event->reason() == QContextMenuEvent::Mouse) {
        // A right click opens the menu of the box under it, selected.
        std::shared_ptr<ClassData> hit = doObjSelectByPt(treePoint(event->pos()));
        if (hit && hit->getClickIndex(treePoint(event->pos())) == 0) doDoubleClick(hit, event->globalPos());
        return;
    }
    if (menuKeyPressed_) {  // the Menu key has opened it already
        menuKeyPressed_ = false;
        return;
    }
    openSelectedMenu();
}

void TreeView::revealSelection() {
    QScrollArea* area = scrollArea();
    if (!laseSelectedClass || !area) return;
    const TreeRect b = laseSelectedClass->getBounds();
    constexpr int kMargin = 24;
    area->ensureVisible(static_cast<int>(b.x + b.width / 2), static_cast<int>(b.y + b.height / 2),
                        static_cast<int>(b.width / 2) + kMargin, static_cast<int>(b.height / 2) + kMargin);
}

void TreeView::openSelectedMenu() {
    if (!laseSelectedClass) return;
    revealSelection();
    const TreeRect b = laseSelectedClass->getBounds();
    // Under the box, as a pop-up button's menu opens.
    const QPoint at = mapToGlobal(QPoint(static_cast<int>(b.x), static_cast<int>(std::ceil(b.y + b.height))));
    doDoubleClick(laseSelectedClass, at);
}

void TreeView::updateBox(const ClassData& record) {
    const TreeRect b = record.getBounds();
    const QPointF at = viewPoint({b.x, b.y});
    update(QRect(static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y())),
                 static_cast<int>(std::ceil(b.width)) + 1, static_cast<int>(std::ceil(b.height)) + 1));
}

void TreeView::markTreeChanged() const {
    if (const std::shared_ptr<PrefData>& pref = ProcessState::prefData()) pref->treeChanged = true;
}

}  // namespace kestrel::gui
