// Times the find panel's searches and the function browser's refiltering on GNUstep's whole
// tree: a method search over every method of every class and category (one keyword, then two),
// a class search, and narrowing the function list to a kind, then to a framework, with the
// header pop-up's titles. Each is what one keystroke or one pop-up choice costs; target: well
// under one frame (16 ms). Prints the best of several rounds.
//
// Run from a folder where the tree can be built: it uses HOME's data folder (the stored tree is
// made there when missing) and the frameworks root kestrel would use.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <string>

#include "BenchFiles.h"
#include "core/app/AppAction2.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/TreeSearch.h"
#include "core/platform/DataFolder.h"
#include "core/platform/FrameworksRoot.h"
#include "core/platform/ProcessState.h"
#include "core/text/FunctionFilter.h"

using kestrel::bench::Clock;
using kestrel::bench::millisecondsSince;
using namespace kestrel;

namespace {

constexpr int kRounds = 15;

// The best time of kRounds calls of work, in milliseconds; count is what the last call answered.
double bestOf(const std::function<std::size_t()>& work, std::size_t& count) {
    double best = 1e300;
    for (int round = 0; round < kRounds; ++round) {
        auto start = Clock::now();
        count = work();
        best = std::min(best, millisecondsSince(start));
    }
    return best;
}

// The value met most often; ties go to the smaller one.
template <class Key>
Key mostCommon(const std::map<Key, std::size_t>& counts) {
    auto most = std::max_element(counts.begin(), counts.end(),
                                 [](const auto& a, const auto& b) { return a.second < b.second; });
    return most == counts.end() ? Key{} : most->first;
}

}  // namespace

int main() {
    ProcessState::frameworksRoot() = FrameworksRoot::resolve(std::nullopt, DataFolder::getMainFolderPath());
    AppAction2 app;
    app.startUp();  // builds and stores the tree the first time
    app.applicationWillTerminate();
    if (app.classStraightList.empty()) {
        std::fprintf(stderr, "search: no classes (install libgnustep-base-dev and libgnustep-gui-dev)\n");
        return 1;
    }
    const std::size_t methods = app.makeMethodListAndCategory(true, false).size();
    std::printf("tree:      %zu classes, %zu methods with their categories', %zu functions\n",
                app.classStraightList.size(), methods, app.functions.size());

    std::size_t hits = 0;
    for (const char* text : {"init", "draw rect"}) {
        const auto keywords = AppAction::commandToToken(text);
        const double ms = bestOf([&] { return TreeSearch::doMethodFind(keywords, app.classStraightList).size(); }, hits);
        std::printf("methods:   %8.3f ms  \"%s\", %zu found (target well under 16)\n", ms, text, hits);
    }
    const auto viewKeywords = AppAction::commandToToken("view");
    const double classes =
        bestOf([&] { return TreeSearch::doClassNameFind(viewKeywords, app.classStraightList).size(); }, hits);
    std::printf("classes:   %8.3f ms  \"view\", %zu found (target well under 16)\n", classes, hits);

    // The largest kind and, within it, the largest framework: the slowest pop-up choices.
    std::map<std::int32_t, std::size_t> kinds;
    for (const auto& f : app.functions) ++kinds[f->whoAreYou()];
    const std::int32_t kind = mostCommon(kinds);
    std::map<std::string, std::size_t> frameworks;
    for (const auto& f : FunctionFilter::createFuncList(app.functions, kind, 0))
        if (f->frameWorkName()) ++frameworks[*f->frameWorkName()];
    const std::string framework = mostCommon(frameworks);
    std::size_t titles = 0;
    const double refilter = bestOf(
        [&] {
            const auto ofKind = FunctionFilter::createFuncList(app.functions, kind, 1);
            const auto inFramework = FunctionFilter::byFramework(ofKind, framework);
            titles = FunctionFilter::headerTitles(inFramework).size();
            return inFramework.size();
        },
        hits);
    std::printf("functions: %8.3f ms  kind %d with \"(\", then %s: %zu records, %zu header titles "
                "(target well under 16)\n",
                refilter, kind, framework.c_str(), hits, titles);
    return 0;
}
