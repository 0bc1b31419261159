#include "core/model/TreeLayout.h"

#include <cmath>

#include "core/model/ClassData.h"

namespace kestrel {

namespace {

// The subclasses of a class that are classes (a damaged file could link anything).
ClassData* subclassAt(const ClassData& record, std::size_t i) {
    return dynamic_cast<ClassData*>(record.getSubClassList()[i].get());
}

bool showsSubclasses(const ClassData& record) {
    return record.getShowSubTree() && !record.getSubClassList().empty();
}

}  // namespace

TreeRect TreeLayout::calcPosition(ClassData& top, TreePoint p, const TreeMetrics& m) {
    struct Frame {
        ClassData* record;
        TreeRect total;
        TreePoint child;  // where the next subclass goes
        std::size_t next;
    };
    auto enter = [&m](ClassData& record, TreePoint at) {
        const TreeRect box{at.x, at.y, m.boxWidth, m.boxHeight};
        record.setPosition(at);
        record.setBounds(box);
        return Frame{&record, box, {at.x + m.boxWidth + m.columnGap, at.y}, 0};
    };
    std::vector<Frame> path{enter(top, p)};
    TreeRect finished{};
    for (;;) {
        Frame& frame = path.back();
        ClassData& record = *frame.record;
        if (showsSubclasses(record) && frame.next < record.getSubClassList().size()) {
            if (ClassData* sub = subclassAt(record, frame.next++)) {
                TreePoint at = frame.child;
                path.push_back(enter(*sub, at));
            }
            continue;
        }
        if (showsSubclasses(record)) {
            // Down to the middle of the subtree; the rectangle keeps the y the class was given.
            const double h = std::round((static_cast<double>(frame.total.height) - m.boxHeight) / 2.0);
            TreePoint moved = record.getPosition();
            moved.y = static_cast<float>(moved.y + h);
            record.setPosition(moved);
            record.setBounds({moved.x, moved.y, m.boxWidth, m.boxHeight});
        }
        finished = frame.total;
        path.pop_back();
        if (path.empty()) return finished;
        Frame& parent = path.back();
        parent.total = parent.total.united(finished);
        parent.child.y = finished.maxY() + m.siblingGap;
    }
}

TreeRect TreeLayout::calcPosition(const ClassList& roots, const TreeMetrics& m) {
    TreePoint p = m.firstRoot;
    TreeRect total{m.firstRoot.x, m.firstRoot.y, 0, 0};
    for (const auto& root : roots) {
        if (!root) continue;
        const TreeRect r = calcPosition(*root, p, m);
        p.y = r.maxY() + m.siblingGap;
        total = total.united(r);
    }
    total.width += m.frameMargin;
    total.height += m.frameMargin;
    return total;
}

std::vector<TreeDrawOp> TreeLayout::drawOps(const ClassList& roots, const TreeRect& dirty, const TreeMetrics& m) {
    std::vector<TreeDrawOp> ops;
    struct Frame {
        const ClassData* record;
        std::size_t next;
    };
    std::vector<Frame> path;
    auto enter = [&](const ClassData& record) {
        const TreePoint at = record.getPosition();
        const float middle = at.y + m.lineOffset;
        if (TreeRect{at.x - m.stub, at.y, m.boxWidth + 2 * m.stub, m.boxHeight}.intersects(dirty)) {
            ops.push_back({TreeDrawOp::Line, {at.x - m.stub, middle}, {at.x, middle}});
            ops.push_back({TreeDrawOp::Box, at, at, &record});
        }
        if (showsSubclasses(record))
            ops.push_back({TreeDrawOp::Line, {at.x + m.boxWidth, middle}, {at.x + m.boxWidth + m.stub, middle}});
        path.push_back({&record, 0});
    };
    auto leave = [&](const ClassData& record) {
        const TreePoint at = record.getPosition();
        const TreePoint button{at.x + m.boxWidth - m.buttonInset.x, at.y + m.boxHeight - m.buttonInset.y};
        const auto& subs = record.getSubClassList();
        if (subs.empty()) return;
        if (!record.getShowSubTree()) {
            ops.push_back({TreeDrawOp::ShowButton, button, button});
            return;
        }
        const float lineX = at.x + m.boxWidth + m.stub;
        const ClassData* first = nullptr;
        const ClassData* last = nullptr;
        for (std::size_t i = 0; i < subs.size(); ++i)
            if (const ClassData* sub = subclassAt(record, i)) {
                if (!first) first = sub;
                last = sub;
            }
        if (first)
            ops.push_back({TreeDrawOp::Line, {lineX, first->getPosition().y + m.lineOffset},
                           {lineX, last->getPosition().y + m.lineOffset}});
        ops.push_back({TreeDrawOp::HideButton, button, button});
    };
    for (const auto& root : roots) {
        if (!root) continue;
        enter(*root);
        while (!path.empty()) {
            Frame& frame = path.back();
            const ClassData& record = *frame.record;
            if (showsSubclasses(record) && frame.next < record.getSubClassList().size()) {
                if (const ClassData* sub = subclassAt(record, frame.next++)) enter(*sub);
                continue;
            }
            path.pop_back();
            leave(record);
        }
    }
    return ops;
}

std::shared_ptr<ClassData> TreeLayout::findByPoint(const ClassList& roots, TreePoint p) {
    std::vector<std::shared_ptr<ClassData>> pending(roots.rbegin(), roots.rend());
    while (!pending.empty()) {
        std::shared_ptr<ClassData> record = std::move(pending.back());
        pending.pop_back();
        if (!record) continue;
        if (record->clickOnMe(p)) return record;
        if (!record->getShowSubTree()) continue;
        const auto& subs = record->getSubClassList();
        for (auto it = subs.rbegin(); it != subs.rend(); ++it)
            if (auto sub = std::dynamic_pointer_cast<ClassData>(*it)) pending.push_back(std::move(sub));
    }
    return nullptr;
}

}  // namespace kestrel
