#pragma once
// Paints the tree's drawing operations (TreeLayout::drawOps) with a QPainter: the one drawing
// code behind the tree window and the PNG and SVG pictures of `kestrel tree`.
//
// A box is filled yellow when selected, framed 1 point wide (2 for a class from a private
// header), gray when selected and black otherwise; its text starts the metrics' inset in from
// its left edge, centred in its height, and stops before the fold button (cut with "..", as
// display names are, when it would run under it). Lines are 1 point wide and black. The fold
// buttons are the "ShowButton" and "HideButton" images, drawn at the metrics' button size with
// their lower-left corner at the operation's point.
#include <QFont>
#include <QPixmap>
#include <vector>

#include "core/model/TreeLayout.h"

class QPainter;

namespace kestrel::gui {

class TreePainter {
public:
    // The metrics must be those the tree was laid out with.
    TreePainter(const QFont& font, const TreeMetrics& metrics);

    void paint(QPainter& painter, const std::vector<TreeDrawOp>& ops) const;

    // The box text: the display name, or the name when there is none.
    static QString boxText(const ClassData& record);
    static const QPixmap& showButton();
    static const QPixmap& hideButton();

private:
    void paintBox(QPainter& painter, const ClassData& record) const;

    QFont font_;
    TreeMetrics metrics_;
};

}  // namespace kestrel::gui
