#pragma once
// A measuring instrument for bench/startup.py, off unless KESTREL_FIRST_PAINT_PROBE is set:
//   "tree"   the program starts as usual and, when the tree view first paints a tree, prints
//            "first-paint <steady clock in ns>" on standard error and quits;
//   "empty"  the program shows only an empty window and does the same at its first paint.
// The difference between the two is what the stored tree costs a start.
#include <QByteArray>

namespace kestrel::gui {

class StartupProbe {
public:
    static QByteArray mode();  // "", "tree" or "empty"
    // Prints the time and quits once (the first call only).
    static void painted();
    // Runs the "empty" mode's program.
    static int runEmptyWindow();
};

}  // namespace kestrel::gui
