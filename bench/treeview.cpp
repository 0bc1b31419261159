// Times the tree window's drawing on GNUstep's whole class tree, every class unfolded: laying
// out the forest, and repainting one full visible area (1600 x 1000 points in the middle of the
// tree) with the window's painter, beside loading the stored tree. Then a list of 100,000 rows
// against one of 100: painting a visible area at scroll positions all through them must cost
// the same, the rows outside it never being drawn. Targets: layout and repaints each well under
// one frame (16 ms). Prints the best of several rounds.
//
// Run from a folder where the tree can be built: it uses HOME's data folder (the stored tree is
// made there when missing) and the frameworks root kestrel would use.
#include <QFont>
#include <QApplication>
#include <QScrollBar>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>

#include "BenchFiles.h"
#include "core/app/AppAction2.h"
#include "core/model/ClassData.h"
#include "core/model/TreeLayout.h"
#include "core/platform/DataFolder.h"
#include "core/platform/FrameworksRoot.h"
#include "core/platform/ProcessState.h"
#include "gui/app/PrefFonts.h"
#include "gui/lists/TextArrayView.h"
#include "gui/treeview/TreePainter.h"

using kestrel::bench::Clock;
using kestrel::bench::millisecondsSince;
using namespace kestrel;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ProcessState::frameworksRoot() = FrameworksRoot::resolve(std::nullopt, DataFolder::getMainFolderPath());
    gui::PrefFonts::installMeasure();
    constexpr int kRounds = 15;

    AppAction2 app;
    app.startUp();  // builds and stores the tree the first time
    app.applicationWillTerminate();
    double load = 1e300;
    for (int round = 0; round < kRounds; ++round) {
        auto start = Clock::now();
        app.initTreeFromFile();
        load = std::min(load, millisecondsSince(start));
    }
    if (app.classStraightList.empty()) {
        std::fprintf(stderr, "treeview: no classes (install libgnustep-base-dev and libgnustep-gui-dev)\n");
        return 1;
    }
    for (const auto& c : app.classStraightList) c->setShowSubTree(true);

    double layout = 1e300;
    TreeRect frame{};
    for (int round = 0; round < kRounds; ++round) {
        auto start = Clock::now();
        frame = TreeLayout::calcPosition(app.classList);
        layout = std::min(layout, millisecondsSince(start));
    }

    const int width = 1600, height = 1000;
    const TreeRect area{std::max(0.0f, frame.width / 2 - width / 2), std::max(0.0f, frame.height / 2 - height / 2),
                        static_cast<float>(width), static_cast<float>(height)};
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    const gui::TreePainter painter(gui::PrefFonts::currentFont(), TreeMetrics::current());
    double repaint = 1e300;
    std::size_t boxes = 0;
    for (int round = 0; round < kRounds; ++round) {
        auto start = Clock::now();
        QPainter p(&image);
        p.translate(-area.x, -area.y);
        p.fillRect(QRectF(area.x, area.y, area.width, area.height), Qt::white);
        const auto ops = TreeLayout::drawOps(app.classList, area);
        painter.paint(p, ops);
        p.end();
        repaint = std::min(repaint, millisecondsSince(start));
        boxes = static_cast<std::size_t>(std::count_if(ops.begin(), ops.end(),
                                                       [](const TreeDrawOp& op) { return op.kind == TreeDrawOp::Box; }));
    }
    std::printf("tree:      %zu classes, %zu roots, frame %.0f x %.0f points, all unfolded\n",
                app.classStraightList.size(), app.classList.size(), frame.width, frame.height);
    std::printf("load:      %.2f ms (the stored tree, for comparison)\n", load);
    std::printf("layout:    %.3f ms (the whole forest; target well under 16)\n", layout);
    std::printf("repaint:   %.3f ms (%d x %d points, %zu boxes; target well under 16)\n", repaint, width, height, boxes);

    // A list scrolled through: each paint draws the rows of one visible area only.
    auto listPaint = [&](int rows) {
        std::vector<std::string> lines;
        lines.reserve(static_cast<std::size_t>(rows));
        for (int i = 0; i < rows; ++i) lines.push_back("-(void)method" + std::to_string(i) + ":(id)sender");
        gui::TextArrayView list;
        list.resize(600, 800);
        list.setTextArray(std::move(lines));
        QPixmap target(list.viewport()->size());
        double best = 1e300;
        for (int round = 0; round < kRounds; ++round) {
            const int maximum = list.verticalScrollBar()->maximum();
            list.verticalScrollBar()->setValue(maximum * round / kRounds);
            auto start = Clock::now();
            list.viewport()->render(&target);
            best = std::min(best, millisecondsSince(start));
        }
        return best;
    };
    const double small = listPaint(100), large = listPaint(100000);
    std::printf("list:      %.3f ms a visible area of 100 rows, %.3f ms of 100,000 rows (ratio %.2f; "
                "drawing only visible rows keeps it near 1)\n",
                small, large, large / small);
    gui::PrefFonts::uninstallMeasure();
    return 0;
}
