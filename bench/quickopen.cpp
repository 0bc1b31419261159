// Times quick open as a user types, on GNUstep's tree (the frameworks kestrel reads by default
// on Linux) and on a macOS SDK's (--sdk DIR, default the project's
// ../shared/data/macos14.2/MacOSX14.2.sdk), each built in a throw-away home:
//   index            the index over every record, made once per tree (the best of five)
//   core key         the core search alone, every prefix of a set of real names and
//                    abbreviations searched in the order it is typed (each key narrowing the
//                    matches of the one before, as the window does) and again while the keys
//                    are taken back; p50 and p95 over all keys. Target: p95 at most 16 ms.
//   core scratch     the same searches each from scratch (no narrowing: the slowest a key can be)
//   first open       the program on the offscreen platform: Ctrl+K until quick open's window
//                    is shown, the index made on the way
//   key to painted   quick open's window open: from each
//                    key typed into its field (and each Backspace) until the results list has
//                    painted; p50 and p95. Target: p95 at most 50 ms.
//   next key waits   the longest single event the program handles from the key to that paint
// and the first rows of a few abbreviations, to read. A tree that cannot be read is skipped
// with a line saying why.
//   quickopen [--sdk DIR] [--only gnustep|sdk]
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "BenchFiles.h"
#include "TimingApplication.h"
#include "core/app/AppAction2.h"
#include "core/model/ClassData.h"
#include "core/platform/ProcessState.h"
#include "core/text/QuickOpenIndex.h"
#include "core/text/QuickOpenSearch.h"
#include "core/text/QuickOpenText.h"
#include "gui/app/AppShell.h"
#include "gui/lists/QuickOpenView.h"
#include "gui/panels/QuickOpenController.h"

using namespace kestrel;
using namespace kestrel::bench;

namespace {

const char* const kNames[] = {
    "NSMakeRect", "initWithFrame:", "NSWindowStyleMaskTitled", "CGRectMake", "NSString", "setNeedsDisplay:",
    "NSFontAttributeName", "addSubview:", "CFStringCreateWithCString", "NSApplicationDelegate", "viewDidLoad",
    "NSUTF8StringEncoding", "kCFAllocatorDefault", "URLSession:dataTask:didReceiveData:", "CGContextFillRect",
    "NSNotificationCenter", "performSelectorOnMainThread:withObject:waitUntilDone:", "MTLPixelFormatBGRA8Unorm",
    "nsmr", "iwf", "cgrm", "nsao", "sndisp", "tableView:objectValueForTableColumn:row:",
};
// Typed into the window: fewer, as each key waits for its paint.
const char* const kTyped[] = {"NSMakeRect", "initWithFrame:", "nsmr", "iwf", "setNeedsDisplay:", "NSNotificationCenter"};

double percentile50(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[(values.size() - 1) / 2];
}

// Every prefix of name as typed, then as the keys are taken back.
std::vector<std::string> keysOf(const std::string& name) {
    std::vector<std::string> out;
    for (std::size_t n = 1; n <= name.size(); ++n) out.push_back(name.substr(0, n));
    for (std::size_t n = name.size(); n-- > 1;) out.push_back(name.substr(0, n));
    return out;
}

void measureCore(const char* label, AppAction2& app) {
    QuickOpenIndex index;
    double built = 1e300;
    for (int round = 0; round < 5; ++round) {  // once per tree load, not per key
        const auto start = Clock::now();
        index.build(app.classStraightList, app);
        built = std::min(built, millisecondsSince(start));
    }
    std::printf("%-8s index:          %zu entries from %zu classes, %zu functions, %zu enums, built in %.1f ms\n",
                label, index.size(), app.classStraightList.size(), app.functions.size(), app.enumList.size(), built);

    std::vector<double> typing, scratch;
    QuickOpenSearch search(index);
    for (int round = 0; round < 3; ++round) {  // the first round warms the caches; all count
        for (const char* name : kNames) {
            for (const std::string& typed : keysOf(name)) {
                auto start = Clock::now();
                search.find(typed);
                typing.push_back(millisecondsSince(start));
                QuickOpenSearch fresh(index);
                start = Clock::now();
                fresh.find(typed);
                scratch.push_back(millisecondsSince(start));
            }
            search.find("");
        }
    }
    std::printf("%-8s core key:       p50 %7.3f ms  p95 %7.3f ms (largest %.3f; %zu keys; target p95 at most 16)\n",
                label, percentile50(typing), percentile95(typing), largest(typing), typing.size());
    std::printf("%-8s core scratch:   p50 %7.3f ms  p95 %7.3f ms (largest %.3f)\n", label, percentile50(scratch),
                percentile95(scratch), largest(scratch));
    for (const char* abbreviation : {"nsmr", "iwf", "cgrm", "nsao"}) {
        std::printf("%-8s %-6s ->", label, abbreviation);
        for (const auto& hit : search.find(abbreviation, 3))
            std::printf("  %s (%s)", std::string(index.name(hit.entry)).c_str(), index.ownerText(hit.entry).c_str());
        std::printf("\n");
    }
}

// Types into quick open's field, each key until the results have painted.
void measureWindow(const char* label, TimingApplication& application, gui::AppShell& shell) {
    QMainWindow& window = *shell.getMainWindow();
    window.resize(1000, 760);
    window.show();
    QApplication::processEvents();
    // The first Ctrl+K makes the index, then shows the window with its (empty) list.
    gui::QuickOpenController& quick = *shell.getQuickOpen();
    const auto opening = Clock::now();
    QTest::keyClick(&window, Qt::Key_K, Qt::ControlModifier);
    while (!(quick.getResultView() && quick.getResultView()->isVisible()) && millisecondsSince(opening) < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    const double opened = millisecondsSince(opening);
    if (!quick.isOpen()) {
        std::printf("%-8s skipped: Ctrl+K opened no window\n", label);
        return;
    }
    std::printf("%-8s first open:     %7.2f ms (the index made, the window shown)\n", label, opened);
    QLineEdit& field = *quick.getQueryView();
    gui::QuickOpenView& results = *quick.getResultView();
    QApplication::processEvents();

    std::vector<double> toPainted, waits;
    int unpainted = 0;
    for (const char* name : kTyped) {
        field.clear();
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
        QTest::qWait(20);
        const std::string full = name;
        for (std::size_t n = 0; n + 1 < 2 * full.size(); ++n) {
            const bool typing = n < full.size();
            application.watched = results.viewport();
            application.painted = false;
            application.longest = 0;
            const auto start = Clock::now();
            if (typing)
                QTest::keyClick(&field, full[n]);
            else
                QTest::keyClick(&field, Qt::Key_Backspace);
            while (!application.painted && millisecondsSince(start) < 10000)
                QApplication::processEvents(QEventLoop::AllEvents, 5);
            if (!application.painted) ++unpainted;
            toPainted.push_back(std::chrono::duration<double, std::milli>(application.paintedAt - start).count());
            waits.push_back(application.longest);
            application.watched = nullptr;
        }
    }
    std::printf("%-8s key to painted: p50 %7.2f ms  p95 %7.2f ms (largest %.2f; %zu keys; target p95 at most 50)\n",
                label, percentile50(toPainted), percentile95(toPainted), largest(toPainted), toPainted.size());
    std::printf("%-8s next key waits: p50 %7.2f ms  p95 %7.2f ms (largest %.2f)\n", label, percentile50(waits),
                percentile95(waits), largest(waits));
    if (unpainted) std::printf("%-8s %d keys never painted their results\n", label, unpainted);
    quick.close();
}

void measure(TimingApplication& application, const char* label, const std::optional<std::string>& root) {
    ThrowAwayHome home;
    gui::AppShell shell(gui::LaunchOptions{root, std::nullopt});
    shell.applicationWillFinishLaunching();
    shell.applicationDidFinishLaunching();
    if (shell.app().classStraightList.empty()) {
        std::printf("%-8s skipped: no class read from %s\n", label, ProcessState::frameworksRoot().c_str());
        shell.applicationWillTerminate();
        return;
    }
    measureCore(label, shell.app());
    measureWindow(label, application, shell);
    shell.applicationWillTerminate();
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TimingApplication application(argc, argv);
    forEachTree(argc, argv, [&](const char* label, const std::optional<std::string>& root) {
        measure(application, label, root);
    });
    return 0;
}
