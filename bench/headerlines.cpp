// How often "Show Header" opens a record's header at the line that declares it: for every
// class, category, protocol, function, constant, struct and enum of the tree (GNUstep's by
// default, or the one of --frameworks-root), the header is found from the record's framework
// and header names and the line by a scan of the file; the line is right when its text holds
// the declared name. Prints the share found and right per kind, the records whose header was
// not found, and the time one look-up takes (the median, and the slowest).
//
// Run from a folder where the tree can be built: it uses HOME's data folder (the stored tree is
// made there when missing).
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "BenchFiles.h"
#include "core/app/AppAction2.h"
#include "core/app/HeaderLocation.h"
#include "core/model/AnnotationFiles.h"
#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/ProtocolData.h"
#include "core/model/StructData.h"
#include "core/platform/DataFolder.h"
#include "core/platform/FrameworksRoot.h"
#include "core/platform/HedderText.h"
#include "core/platform/ProcessState.h"

using kestrel::bench::Clock;
using kestrel::bench::millisecondsSince;
using namespace kestrel;

namespace {

struct Tally {
    std::size_t records = 0, found = 0, right = 0;
};

// The text of line (from 1) of a file; "" when there is none.
std::string lineText(const std::string& text, std::int32_t line) {
    std::size_t start = 0;
    for (std::int32_t i = 1; i < line; ++i) {
        start = text.find('\n', start);
        if (start == std::string::npos) return "";
        ++start;
    }
    return text.substr(start, text.find('\n', start) - start);
}

}  // namespace

int main(int argc, char** argv) {
    std::optional<std::string> requested;
    if (argc == 3 && std::string(argv[1]) == "--frameworks-root") requested = argv[2];
    ProcessState::frameworksRoot() = FrameworksRoot::resolve(requested, DataFolder::getMainFolderPath());
    AppAction2 app;
    app.startUp();
    app.applicationWillTerminate();
    const std::string root = ProcessState::frameworksRoot();
    const std::vector<std::string> privates = AnnotationFiles::getPrivateHedders().value_or(std::vector<std::string>{});

    std::vector<std::pair<const char*, std::shared_ptr<TreeData>>> records;
    for (const auto& r : app.classStraightList) records.emplace_back("classes", r);
    for (const auto& r : app.categoryList) records.emplace_back("categories", r);
    for (const auto& r : app.protocolList) records.emplace_back("protocols", r);
    for (const auto& r : app.functions) records.emplace_back("functions and constants", r);
    for (const auto& r : app.structList) records.emplace_back("structs", r);
    for (const auto& r : app.enumList) records.emplace_back("enums", r);
    if (records.empty()) {
        std::fprintf(stderr, "headerlines: no records (install libgnustep-base-dev and libgnustep-gui-dev)\n");
        return 1;
    }

    std::map<std::string, Tally> tallies;
    std::vector<double> times;
    std::vector<std::string> notFound, wrong;
    std::map<std::string, std::size_t> withoutHeader;
    for (const auto& [kind, record] : records) {
        if (!record) continue;
        std::optional<HeaderLocation::Target> target = HeaderLocation::targetOf(*record);
        if (!target) continue;
        if (!record->hedderName()) {  // stored without the header it came from
            ++withoutHeader[kind];
            continue;
        }
        Tally& tally = tallies[kind];
        ++tally.records;
        const auto start = Clock::now();
        std::optional<HeaderLocation::Place> place = HeaderLocation::locate(*record, root, privates);
        times.push_back(millisecondsSince(start));
        if (!place || place->line == 0) {
            notFound.push_back(std::string(kind) + " " + record->getName().value_or("?") + " in " +
                               record->frameWorkName().value_or("?") + "/" + record->hedderName().value_or("?") +
                               (place ? " (no line)" : " (no header)"));
            continue;
        }
        ++tally.found;
        const std::string text = lineText(HedderText::read(place->path).text, place->line);
        if (text.find(target->name) != std::string::npos) ++tally.right;
        else wrong.push_back(record->getName().value_or("?") + " -> " + text);
    }

    std::printf("header lines under %s\n", root.c_str());
    Tally all;
    for (const auto& [kind, t] : tallies) {
        std::printf("  %-24s %6zu records  found %6.2f%%  right %6.2f%%\n", kind.c_str(), t.records,
                    100.0 * t.found / t.records, 100.0 * t.right / t.records);
        all.records += t.records, all.found += t.found, all.right += t.right;
    }
    std::printf("  %-24s %6zu records  found %6.2f%%  right %6.2f%%\n", "all", all.records,
                100.0 * all.found / all.records, 100.0 * all.right / all.records);
    for (const auto& [kind, count] : withoutHeader)
        std::printf("  %-24s %6zu records without a header name (not counted)\n", kind.c_str(), count);
    std::sort(times.begin(), times.end());
    std::printf("look-up: median %.2f ms, slowest %.2f ms\n", times[times.size() / 2], times.back());
    for (std::size_t i = 0; i < notFound.size() && i < 10; ++i) std::printf("  not found: %s\n", notFound[i].c_str());
    for (std::size_t i = 0; i < wrong.size() && i < 10; ++i) std::printf("  wrong line: %s\n", wrong[i].c_str());
    return 0;
}
