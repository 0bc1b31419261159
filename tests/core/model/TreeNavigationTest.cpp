#include <gtest/gtest.h>

#include "core/model/ClassData.h"
#include "core/model/TreeNavigation.h"

using namespace kestrel;
using Move = TreeNavigation::Move;

namespace {

std::shared_ptr<ClassData> under(const std::shared_ptr<ClassData>& parent, const std::string& name) {
    auto c = std::make_shared<ClassData>(name, parent ? parent->getName() : std::nullopt);
    if (parent) {
        c->setSuperClass(parent.get());
        parent->addSub(c);
    }
    return c;
}

}  // namespace

// Roots A and D; A's subclasses B and C; B's subclass E, folded away.
TEST(TreeNavigation, ArrowsFollowTheTreeAndStopAtItsEnds) {
    auto a = under(nullptr, "A"), b = under(a, "B"), c = under(a, "C"), d = under(nullptr, "D"), e = under(b, "E");
    b->setShowSubTree(false);
    const std::vector<std::shared_ptr<ClassData>> roots{a, d};
    auto to = [&](const std::shared_ptr<ClassData>& from, Move move) { return TreeNavigation::step(roots, from, move); };

    EXPECT_EQ(to(nullptr, Move::Down).target, a);  // nothing selected: the first root
    EXPECT_EQ(to(a, Move::Right).target, b);
    EXPECT_FALSE(to(a, Move::Right).unfold);
    EXPECT_EQ(to(b, Move::Right).target, e);
    EXPECT_TRUE(to(b, Move::Right).unfold);  // folded: shown first
    EXPECT_EQ(to(c, Move::Right).target, nullptr);
    EXPECT_EQ(to(e, Move::Left).target, b);
    EXPECT_EQ(to(b, Move::Left).target, a);
    EXPECT_EQ(to(a, Move::Left).target, nullptr);
    EXPECT_EQ(to(b, Move::Down).target, c);
    EXPECT_EQ(to(c, Move::Down).target, nullptr);
    EXPECT_EQ(to(c, Move::Up).target, b);
    EXPECT_EQ(to(b, Move::Up).target, nullptr);
    EXPECT_EQ(to(a, Move::Down).target, d);  // roots are siblings too
    EXPECT_EQ(to(d, Move::Up).target, a);
    a->getSubClassList().clear();
    b->getSubClassList().clear();
}
