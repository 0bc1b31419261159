// Fuzz target: a build over a small framework tree made from the input, whose headers import,
// include and define for each other. The input is the headers' texts, each starting at a line
// "==> PATH"; text before the first such line is "Main/Main.h":
//
//   ==> Base/Base.h                  root/Base.framework/Headers/Base.h
//   #define BASE_EXPORT extern
//   ==> App/App.h                    root/App.framework/Headers/App.h
//   #import <Base/Base.h>
//   ==> Outer+Inner/Deep/In.h        root/Outer.framework/Frameworks/Inner.framework/Headers/Deep/In.h
//   ==> Loose.h                      root/Loose.h (no framework)
//   ==> @Kit.framework/Versions/A/Headers/Kit.h      root/ and the path as it stands
//   ==> @Kit.framework/Headers -> Versions/A/Headers a link file holding the target (the
//                                                    section's text is not used)
//
// Path segments keep letters, digits and "_.-+"; at most 12 headers of 4 segments (8 for "@"
// paths). A link's target keeps the same characters and "/"; its ".." never climbs out of the
// root. The build runs the define pass over the root, then reads every header on several
// threads, links the tree and numbers it; a build on one thread must give the same tree; the
// tree is stored, and its files must load as the same tree. The main header's define records
// must come out the same whether the pass takes its prescan (DefinePrescan) or reads it alone.
#include <algorithm>
#include <any>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "FuzzSupport.h"
#include "TreeShape.h"
#include "core/app/AppAction2.h"
#include "core/parse/DefineData.h"
#include "core/parse/DefineMacroEngin.h"
#include "core/parse/DefinePrescan.h"
#include "core/platform/FilePrefetch.h"
#include "core/platform/PrefData.h"
#include "core/platform/ProcessState.h"

using namespace kestrel;

namespace {

constexpr std::size_t kMaxHeaders = 12;
constexpr std::size_t kMaxSegments = 4;
constexpr std::size_t kMaxLiteralSegments = 8;
constexpr std::size_t kMaxSegmentLength = 40;

bool pathCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '.' ||
           c == '-' || c == '+';
}

// "@a/b/c" -> "a/b/c", segments kept as placeOf keeps them; empty when unusable.
std::string literalPlace(std::string_view path) {
    std::string place, segment;
    std::size_t segments = 0;
    bool usable = true;
    auto flush = [&] {
        if (segment.empty() || segment == "." || segment == ".." || segment.size() > kMaxSegmentLength) {
            usable = usable && segment.empty();
        } else {
            place += (place.empty() ? "" : "/") + segment;
            ++segments;
        }
        segment.clear();
    };
    for (char c : path) {
        if (c == '/') flush();
        else if (pathCharacter(c)) segment += c;
    }
    flush();
    return usable && segments > 0 && segments <= kMaxLiteralSegments ? place : std::string();
}

// A link's target as a link file at place holds it: relative, ".." never above the root;
// empty when unusable.
std::string linkTarget(std::string_view target, const std::string& place) {
    long depth = static_cast<long>(std::count(place.begin(), place.end(), '/'));  // folders below the root
    std::string kept, segment;
    bool usable = target.size() <= 200;
    auto flush = [&] {
        if (segment.empty()) return;
        if (segment == "..") --depth;
        else if (segment != ".") ++depth;
        usable = usable && depth >= 0;
        kept += (kept.empty() ? "" : "/") + segment;
        segment.clear();
    };
    for (char c : target) {
        if (c == '/') flush();
        else if (pathCharacter(c)) segment += c;
    }
    flush();
    return usable ? kept : std::string();
}

// "Outer+Inner/Deep/In.h" -> "Outer.framework/Frameworks/Inner.framework/Headers/Deep/In.h";
// empty when the path is unusable.
std::string placeOf(std::string_view path) {
    std::vector<std::string> segments;
    std::string segment;
    auto flush = [&] {
        if (!segment.empty() && segment != "." && segment != ".." && segment.size() <= kMaxSegmentLength)
            segments.push_back(segment);
        segment.clear();
    };
    for (char c : path) {
        if (c == '/') {
            flush();
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
                   c == '.' || c == '-' || c == '+') {
            segment += c;
        }
    }
    flush();
    if (segments.empty() || segments.size() > kMaxSegments) return {};
    if (segments.size() == 1) return segments[0];
    std::string place;
    std::string_view frameworks = segments[0];
    for (std::size_t plus = frameworks.find('+');; plus = frameworks.find('+')) {
        const std::string_view name = frameworks.substr(0, plus);
        if (name.empty()) return {};
        place += (place.empty() ? "" : "/Frameworks/") + std::string(name) + ".framework";
        if (plus == std::string_view::npos) break;
        frameworks.remove_prefix(plus + 1);
    }
    place += "/Headers";
    for (std::size_t i = 1; i < segments.size(); ++i) place += "/" + segments[i];
    return place;
}

// The define records the pass makes of the header at path and what it imports, as text; with
// its prescan taken (made on the read-ahead thread) or without.
std::string defineRecordsOf(const std::string& path, bool prescanned) {
    ProcessState::defineList().clear();
    ProcessState::definedNames().reset();
    DefineMacroEngin engine(nullptr, std::nullopt);
    std::shared_ptr<FilePrefetch> ahead;
    if (prescanned) {
        ahead = std::make_shared<FilePrefetch>(std::vector<std::string>{path}, FilePrefetch::kDefaultBudget,
                                               [](std::string& bytes) { return std::any(DefinePrescan::ofBorrowed(bytes)); });
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (!ahead->holds(path) && std::chrono::steady_clock::now() < until) std::this_thread::yield();
        engine.setPrefetch(ahead);
    }
    engine.calcHeaderFile(path, "Main.h");
    std::string records;
    for (const auto& [name, data] : ProcessState::defineList()) {
        records += name + ":";
        if (data && data->getDefineList())
            for (const auto& [macro, definition] : *data->getDefineList())
                records += " " + macro + "=" + (definition.isUndefined() ? "#undef" : definition.recordText());
        if (data && data->getImportList())
            for (const std::string& imported : *data->getImportList()) records += " <" + imported + ">";
        records += "\n";
    }
    return records;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::FuzzHome& home = fuzz::FuzzHome::get();
    const std::filesystem::path root = home.path() / "Frameworks";
    home.clear(root);

    const std::string input = fuzz::bytesOf(data, size);
    std::string place = placeOf("Main/Main.h"), text;
    std::optional<std::string> link;  // the section is a link file holding this
    std::size_t headers = 0;
    auto writeHeader = [&] {
        if (!place.empty() && headers < kMaxHeaders && (!link || !link->empty())) {
            fuzz::FuzzHome::write(root / place, link ? *link : text);
            ++headers;
        }
        text.clear();
        link.reset();
    };
    for (std::size_t at = 0; at < input.size();) {
        std::size_t end = input.find('\n', at);
        end = end == std::string::npos ? input.size() : end + 1;
        const std::string_view line = std::string_view(input).substr(at, end - at);
        if (line.starts_with("==> ")) {
            if (!text.empty() || at > 0) writeHeader();
            std::string_view path = line.substr(4);
            const std::size_t arrow = path.find(" -> ");
            const std::string_view target = arrow == std::string_view::npos ? std::string_view() : path.substr(arrow + 4);
            if (arrow != std::string_view::npos) path = path.substr(0, arrow);
            place = path.starts_with("@") ? literalPlace(path.substr(1)) : placeOf(path);
            if (arrow != std::string_view::npos) link = linkTarget(target, place);
        } else {
            text += line;
        }
        at = end;
    }
    writeHeader();

    ProcessState::reset();
    ProcessState::frameworksRoot() = root.string();
    if (const std::string main = (root / placeOf("Main/Main.h")).string(); std::filesystem::is_regular_file(main)) {
        const std::string plain = defineRecordsOf(main, false);
        fuzz::checkSame(plain, defineRecordsOf(main, true), "the prescan gives the define pass other records");
        ProcessState::reset();
        ProcessState::frameworksRoot() = root.string();
    }
    ProcessState::prefData() = std::make_shared<PrefData>();
    home.clear(home.data());
    std::string built, serial;
    {
        AppAction2 app;
        app.getTreeBuilder().setAnalysisThreads(1);
        app.initTreeFile();
        serial = fuzz::shapeOf(app);
    }
    {
        AppAction2 app;
        app.getTreeBuilder().setAnalysisThreads(3);
        app.initTreeFile();  // the define pass, the walk, the analysis, the linking
        built = fuzz::shapeOf(app);
        app.applicationWillTerminate();  // stores the tree
    }
    fuzz::checkSame(serial, built, "the build on several threads gives another tree than on one");
    {
        AppAction2 app;
        KESTREL_FUZZ_CHECK(app.initTreeFromFile(), "the stored tree could not be loaded");
        fuzz::checkSame(built, fuzz::shapeOf(app), "the stored tree loads as another tree");
    }
    ProcessState::reset();
    return 0;
}
