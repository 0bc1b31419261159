#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "core/model/ClassData.h"
#include "core/model/TreeLayout.h"
#include "core/model/TreeMetrics.h"
#include "core/platform/TextMeasure.h"

using namespace kestrel;

namespace {

using Op = TreeDrawOp;

std::shared_ptr<ClassData> cls(const std::string& name) { return std::make_shared<ClassData>(name, std::nullopt); }

std::shared_ptr<ClassData> under(const std::shared_ptr<ClassData>& parent, const std::string& name) {
    auto c = cls(name);
    c->setSuperClass(parent.get());
    parent->addSub(c);
    return c;
}

// A, with subclasses B and C; D, a second root.
struct SmallTree {
    std::shared_ptr<ClassData> a = cls("A"), b = under(a, "B"), c = under(a, "C");
    ~SmallTree() { a->getSubClassList().clear(); }
};

std::vector<Op> opsOf(const std::vector<Op>& ops, Op::Kind kind) {
    std::vector<Op> out;
    for (const Op& op : ops)
        if (op.kind == kind) out.push_back(op);
    return out;
}

bool hasLine(const std::vector<Op>& ops, TreePoint from, TreePoint to) {
    for (const Op& op : ops)
        if (op.kind == Op::Line && op.from == from && op.to == to) return true;
    return false;
}

const TreeRect kEverything{-1e8f, -1e8f, 2e8f, 2e8f};

}  // namespace

TEST(TreeLayout, ExpandedSubtreeCentresItsParentAndGivesTheFrame) {
    SmallTree t;
    EXPECT_EQ(t.a->calcPosition({20, 5}), (TreeRect{20, 5, 300, 41}));
    EXPECT_EQ(t.b->getBounds(), (TreeRect{180, 5, 140, 18}));
    EXPECT_EQ(t.c->getBounds(), (TreeRect{180, 28, 140, 18}));
    // (41 - 18) / 2 = 11.5, rounded away from zero.
    EXPECT_EQ(t.a->getPosition(), (TreePoint{20, 17}));
    EXPECT_EQ(t.a->getBounds(), (TreeRect{20, 17, 140, 18}));
    EXPECT_EQ(TreeLayout::calcPosition({t.a}), (TreeRect{20, 5, 332, 73}));

    std::vector<Op> ops = TreeLayout::drawOps({t.a}, kEverything);
    EXPECT_TRUE(hasLine(ops, {160, 26}, {170, 26}));   // A's right stub
    EXPECT_TRUE(hasLine(ops, {170, 14}, {170, 37}));   // the vertical line
    EXPECT_TRUE(hasLine(ops, {170, 14}, {180, 14}));   // B's left stub
    EXPECT_TRUE(hasLine(ops, {10, 26}, {20, 26}));     // a root has its stub too
    ASSERT_EQ(opsOf(ops, Op::HideButton).size(), 1u);  // B and C have no subclasses: no button
    EXPECT_EQ(opsOf(ops, Op::HideButton)[0].from, (TreePoint{149, 34}));
    EXPECT_TRUE(opsOf(ops, Op::ShowButton).empty());
    // Painting order: a box, then its right stub, its subclasses, the vertical line, the button.
    ASSERT_EQ(opsOf(ops, Op::Box).size(), 3u);
    EXPECT_EQ(ops.back().kind, Op::HideButton);
    EXPECT_EQ(ops[1].record, t.a.get());
}

TEST(TreeLayout, FoldedSubtreeKeepsItsBoxButCannotBeHit) {
    SmallTree t;
    TreeLayout::calcPosition({t.a});
    t.a->changeButton();
    EXPECT_EQ(TreeLayout::calcPosition({t.a}), (TreeRect{20, 5, 172, 50}));
    EXPECT_EQ(t.a->getPosition(), (TreePoint{20, 5}));
    EXPECT_EQ(t.b->getBounds(), (TreeRect{180, 5, 140, 18}));  // stale, from the last layout

    std::vector<Op> ops = TreeLayout::drawOps({t.a}, kEverything);
    ASSERT_EQ(opsOf(ops, Op::ShowButton).size(), 1u);
    EXPECT_EQ(opsOf(ops, Op::ShowButton)[0].from, (TreePoint{149, 22}));
    EXPECT_EQ(opsOf(ops, Op::Box).size(), 1u);
    EXPECT_EQ(TreeLayout::findByPoint({t.a}, {200, 10}), nullptr);
    EXPECT_EQ(TreeLayout::findByPoint({t.a}, {30, 10}), t.a);
    t.a->changeButton();
    TreeLayout::calcPosition({t.a});
    EXPECT_EQ(TreeLayout::findByPoint({t.a}, {200, 10}), t.b);
}

TEST(TreeLayout, RootsStackBelowTheWholeSubtreeAndHeightsCentre) {
    SmallTree t;
    auto d = cls("D");
    auto e = under(d, "E"), f = under(d, "F"), g = under(d, "G");
    TreeRect frame = TreeLayout::calcPosition({t.a, d});
    // D's subtree starts 5 below A's subtree (5 + 41), not below A's box.
    EXPECT_EQ(f->getPosition(), (TreePoint{180, 74}));
    // Three rows: 64 high, centred exactly: 51 + 23.
    EXPECT_EQ(d->getPosition(), (TreePoint{20, 74}));
    EXPECT_EQ(frame, (TreeRect{20, 5, 332, 41 + 5 + 64 + 32}));
    EXPECT_EQ(TreeLayout::calcPosition({}), (TreeRect{20, 5, 32, 32}));
    d->getSubClassList().clear();
    (void)e, (void)g;
}

TEST(TreeLayout, HitZonesOfABox) {
    SmallTree t;
    TreeLayout::calcPosition({t.a});  // A at (20, 17)
    const float rightEdge = 160;
    EXPECT_EQ(t.a->getClickIndex({rightEdge + 10.9f, 500}), 1);  // y is not looked at
    EXPECT_FALSE(t.a->clickOnMe({rightEdge + 10.9f, 20}));
    EXPECT_EQ(t.a->getClickIndex({rightEdge - 10.9f, 20}), 1);
    EXPECT_TRUE(t.a->clickOnMe({rightEdge - 10.9f, 20}));
    EXPECT_EQ(t.a->getClickIndex({rightEdge - 11, 20}), 0);
    EXPECT_TRUE(t.a->clickOnMe({20, 17}));    // left and top edges are inside
    EXPECT_FALSE(t.a->clickOnMe({160, 20}));  // the right edge is not
    EXPECT_FALSE(t.a->clickOnMe({30, 35}));   // nor the bottom one
    EXPECT_EQ(TreeLayout::findByPoint({t.a}, {5, 5}), nullptr);
}

TEST(TreeLayout, OnlyBoxesMeetingTheDirtyAreaAreDrawn) {
    SmallTree t;
    TreeLayout::calcPosition({t.a});
    // Only C's row; the stub in front of a box counts: x - 10 .. x + 150.
    std::vector<Op> ops = TreeLayout::drawOps({t.a}, {171, 30, 5, 5});
    ASSERT_EQ(opsOf(ops, Op::Box).size(), 1u);
    EXPECT_EQ(opsOf(ops, Op::Box)[0].record, t.c.get());
    // Lines and buttons of every shown class are still walked.
    EXPECT_TRUE(hasLine(ops, {170, 14}, {170, 37}));
    EXPECT_EQ(opsOf(ops, Op::HideButton).size(), 1u);
    EXPECT_TRUE(opsOf(TreeLayout::drawOps({t.a}, {0, 0, 0, 0}), Op::Box).empty());
}

TEST(TreeLayout, DeepChainsLayOutDrawAndHitWithoutRecursion) {
    std::vector<std::shared_ptr<ClassData>> chain{cls("C0")};
    for (int i = 1; i < 50000; ++i) chain.push_back(under(chain.back(), std::string("C").append(std::to_string(i))));
    TreeRect frame = TreeLayout::calcPosition({chain[0]});
    EXPECT_EQ(frame.width, 50000 * 160.0f - 20 + 32);
    EXPECT_EQ(chain.back()->getPosition(), (TreePoint{20 + 49999 * 160.0f, 5}));
    EXPECT_EQ(opsOf(TreeLayout::drawOps({chain[0]}, kEverything), Op::Box).size(), 50000u);
    EXPECT_EQ(TreeLayout::findByPoint({chain[0]}, {20 + 49999 * 160.0f + 1, 6}), chain.back());
    for (auto& c : chain) c->getSubClassList().clear();
}

// A taller font scales every length of the tree by its line height over 16 points, each rounded
// to whole points; smaller fonts, and measures that make no sense, keep the classic sizes.
TEST(TreeLayout, ATallerFontScalesBoxesGapsAndTheFoldZone) {
    EXPECT_EQ(TreeMetrics::forLineHeight(12), TreeMetrics{});
    EXPECT_EQ(TreeMetrics::forLineHeight(16), TreeMetrics{});
    EXPECT_EQ(TreeMetrics::forLineHeight(std::nan("")), TreeMetrics{});
    const TreeMetrics m = TreeMetrics::forLineHeight(22);  // a 14-point font
    EXPECT_EQ(m.boxWidth, 193);
    EXPECT_EQ(m.boxHeight, 25);
    EXPECT_EQ(m.columnGap, 28);
    EXPECT_EQ(m.siblingGap, 7);
    EXPECT_EQ(m.lineOffset, 12);
    EXPECT_EQ(m.displayWidth(), 193 - 4);
    EXPECT_LE(TreeMetrics::forLineHeight(1e9).boxWidth, 140 * 20);  // a broken measure stays drawable

    SmallTree t;
    EXPECT_EQ(TreeLayout::calcPosition({t.a}, m), (TreeRect{28, 7, 193 + 28 + 193 + 44, 25 + 7 + 25 + 44}));
    EXPECT_EQ(t.b->getBounds(), (TreeRect{28 + 193 + 28, 7, 193, 25}));
    EXPECT_EQ(t.c->getBounds(), (TreeRect{28 + 193 + 28, 7 + 25 + 7, 193, 25}));
    std::vector<Op> ops = TreeLayout::drawOps({t.a}, kEverything, m);
    const TreePoint a = t.a->getPosition();
    EXPECT_TRUE(hasLine(ops, {a.x + 193, a.y + 12}, {a.x + 193 + 14, a.y + 12}));
    EXPECT_EQ(opsOf(ops, Op::HideButton)[0].from, (TreePoint{a.x + 193 - 15, a.y + 25 - 1}));
    // The fold zone follows the box's right edge and widens with it.
    EXPECT_EQ(t.a->getClickIndex({a.x + 193 + 14.9f, 0}, m), 1);
    EXPECT_EQ(t.a->getClickIndex({a.x + 140, 0}, m), 0);
}

// Display names are cut to the box's text width for the font in use.
TEST(TreeLayout, DisplayNamesFitTheScaledBox) {
    struct Restore {
        ~Restore() { TextMeasure::setLineHeightFunction(nullptr); }
    } restore;
    const std::string name(25, 'x');  // 175 points at 7 a character
    EXPECT_EQ(cls(name)->getDisplayName(), std::string(17, 'x') + "..");
    TextMeasure::setLineHeightFunction([] { return 22.0; });
    EXPECT_EQ(cls(name)->getDisplayName(), name);
    EXPECT_EQ(TreeMetrics::current().boxWidth, 193);
}
