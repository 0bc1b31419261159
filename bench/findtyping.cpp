// Times typing into the find panel of the desktop program, as a user types, on the offscreen
// platform: with Find set to Methods, one letter typed into the empty field, for each of the 26
// letters:
//   key to painted   from the key press until the results list has painted its first rows
//   next key waits   the longest the program is busy without reading input meanwhile (the
//                    longest single event it handles from the key until that paint): a key
//                    typed at the worst moment waits that long before it reaches the field
// each at the 95th percentile over the letters, beside the core search alone (the same search
// without the window) and the processor time the program spent from the key to the painted
// list (which, unlike the times on the clock, a busy machine does not stretch). Targets: both
// times at most 50 ms.
//
// Trees: GNUstep's (the frameworks kestrel reads by default on Linux), then a macOS SDK's
// (--sdk DIR, default the project's ../shared/data/macos14.2/MacOSX14.2.sdk); a tree that
// cannot be read is skipped with a line saying why. Each tree is built in a throw-away home.
//   findtyping [--sdk DIR] [--only gnustep|sdk]
// (--sdk /work/sdk-links/MacOSX14.2.sdk reads a copy of the SDK whose links are real links.)
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QTabWidget>
#include <QTest>
#include <time.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "BenchFiles.h"
#include "TimingApplication.h"
#include "core/app/AppAction2.h"
#include "core/model/ClassData.h"
#include "core/model/TreeSearch.h"
#include "core/platform/ProcessState.h"
#include "gui/app/AppShell.h"
#include "gui/lists/FindResultView.h"
#include "gui/panels/FindController.h"

using kestrel::bench::Clock;
using kestrel::bench::largest;
using kestrel::bench::millisecondsSince;
using kestrel::bench::percentile95;
using kestrel::bench::ThrowAwayHome;
using kestrel::bench::TimingApplication;
using kestrel::bench::forEachTree;
using namespace kestrel;

namespace {

// Types each letter into the emptied field of the find panel and prints the figures, or a
// line saying why the tree was skipped.
void measure(TimingApplication& application, const char* label, const std::optional<std::string>& root) {
    ThrowAwayHome home;
    gui::AppShell shell(gui::LaunchOptions{root, std::nullopt});
    shell.applicationWillFinishLaunching();
    shell.applicationDidFinishLaunching();
    AppAction2& app = shell.app();
    std::size_t methods = 0;
    for (const auto& record : app.classStraightList)
        if (record && record->getMethodList()) methods += record->getMethodList()->size();
    if (methods == 0) {
        std::printf("%-8s skipped: no method read from %s%s\n", label, ProcessState::frameworksRoot().c_str(),
                    root ? " (are its links stored as text files?)" : "");
        return;
    }
    gui::FindController& find = *shell.getFindController();
    QMainWindow& window = *shell.getMainWindow();
    window.resize(900, 700);
    window.show();
    shell.getTabView()->setCurrentIndex(1);
    find.getTargetView()->setCurrentIndex(find.getTargetView()->findData(TreeSearch::kFindMethods));
    find.doTargetKindSelect(TreeSearch::kFindMethods);
    QLineEdit& field = *find.getKeywordView()->lineEdit();
    gui::FindResultView& results = *find.getResultView();
    field.setFocus();
    QApplication::processEvents();

    std::vector<double> toPainted, waits, core, cpu;
    std::size_t mostHits = 0;
    int unpainted = 0;
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        // The emptied field and list, nothing pending.
        field.clear();
        results.setResults(std::nullopt);
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
        QTest::qWait(20);

        const std::vector<std::string> keywords{std::string(1, letter)};
        auto coreStart = Clock::now();
        const std::size_t hits = TreeSearch::doMethodFind(keywords, app.classStraightList).size();
        core.push_back(millisecondsSince(coreStart));
        mostHits = std::max(mostHits, hits);

        application.watched = results.viewport();
        application.painted = false;
        application.longest = 0;
        const auto start = Clock::now();
        const double startCpu = TimingApplication::threadCpu();
        QTest::keyClick(&field, letter);
        // Until the list has painted the new results (at most ten seconds).
        while (!(application.painted && results.rowCount() > 0) && millisecondsSince(start) < 10000) {
            if (application.painted) application.painted = false;  // a paint of the emptied list
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        if (!application.painted) ++unpainted;
        toPainted.push_back(std::chrono::duration<double, std::milli>(application.paintedAt - start).count());
        waits.push_back(application.longest);
        cpu.push_back(application.paintedCpu - startCpu);
        application.watched = nullptr;
    }
    std::printf("%-8s %zu classes, %zu methods; one letter finds up to %zu\n", label, app.classStraightList.size(),
                methods, mostHits);
    std::printf("%-8s key to painted:   %8.2f ms p95 (largest %.2f; target at most 50)\n", label,
                percentile95(toPainted), largest(toPainted));
    std::printf("%-8s next key waits:   %8.2f ms p95 (largest %.2f; target at most 50)\n", label, percentile95(waits),
                largest(waits));
    std::printf("%-8s core search:      %8.2f ms p95 (largest %.2f)\n", label, percentile95(core), largest(core));
    std::printf("%-8s processor time:   %8.2f ms p95 from the key to the painted list (largest %.2f)\n", label,
                percentile95(cpu), largest(cpu));
    if (unpainted) std::printf("%-8s %d letters never painted their results\n", label, unpainted);
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
