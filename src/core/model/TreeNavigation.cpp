#include "core/model/TreeNavigation.h"

#include <algorithm>

#include "core/model/ClassData.h"

namespace kestrel {

namespace {

using ClassList = std::vector<std::shared_ptr<ClassData>>;

// The classes among a record's subclasses, in their order.
ClassList subclassesOf(const HasMethodsData& record) {
    ClassList out;
    for (const auto& sub : record.getSubClassList())
        if (auto cls = std::dynamic_pointer_cast<ClassData>(sub)) out.push_back(std::move(cls));
    return out;
}

// The row of boxes a class stands in: its superclass's subclasses, or the roots.
ClassList siblingsOf(const ClassList& roots, const ClassData& record) {
    if (const HasMethodsData* up = record.superClass()) {
        ClassList siblings = subclassesOf(*up);
        const bool there = std::any_of(siblings.begin(), siblings.end(), [&](const auto& s) { return s.get() == &record; });
        if (there) return siblings;
    }
    return roots;
}

std::shared_ptr<ClassData> sharedOf(const ClassList& roots, const HasMethodsData* record) {
    if (!record) return nullptr;
    const auto* cls = dynamic_cast<const ClassData*>(record);
    if (!cls) return nullptr;
    for (const auto& s : siblingsOf(roots, *cls))
        if (s.get() == cls) return s;
    return nullptr;
}

}  // namespace

TreeNavigation::Step TreeNavigation::step(const ClassList& roots, const std::shared_ptr<ClassData>& from, Move move) {
    if (!from) return {roots.empty() ? nullptr : roots.front(), false};
    switch (move) {
        case Move::Left:
            return {sharedOf(roots, from->superClass()), false};
        case Move::Right: {
            ClassList subs = subclassesOf(*from);
            if (subs.empty()) return {};
            return {subs.front(), !from->getShowSubTree()};
        }
        case Move::Up:
        case Move::Down: {
            const ClassList row = siblingsOf(roots, *from);
            auto at = std::find(row.begin(), row.end(), from);
            if (at == row.end()) return {};
            if (move == Move::Up) return {at == row.begin() ? nullptr : *(at - 1), false};
            return {at + 1 == row.end() ? nullptr : *(at + 1), false};
        }
    }
    return {};
}

}  // namespace kestrel
