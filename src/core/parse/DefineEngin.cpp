#include "core/parse/DefineEngin.h"

#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

#include "core/platform/Host.h"
#include "core/platform/InfoPlist.h"
#include "core/platform/VisitedFolders.h"

namespace fs = std::filesystem;

namespace kestrel {

DefineEngin::DefineEngin() : mEngin(nullptr, std::nullopt) {}

void DefineEngin::doPass1() {
    Host::current().setMessage(InfoPlist::localizedString("pass1StartMessage"));
    DefineEngin engin;
    engin.doCalc();
}

const DefineList& DefineEngin::doCalc() {
    doCocoaDefinesCalc(ProcessState::frameworksRoot());
    return ProcessState::defineList();
}

void DefineEngin::doCocoaDefinesCalc(const std::string& folder) {
    VisitedFolders visited;
    walkFrameworks(folder, visited);
}

void DefineEngin::calcHeader(const std::string& frameworkPath) {
    VisitedFolders visited;
    readHeaders(frameworkPath, visited);
    walkFrameworks(frameworkPath + "/Frameworks", visited);
}

void DefineEngin::walkFrameworks(const std::string& folder, VisitedFolders& visited) {
    // Depth first without recursion: each framework's headers are read, then the frameworks
    // inside it, before its next sibling, as nested calls would do.
    struct Level {
        std::string path;
        fs::directory_iterator next;
    };
    if (!visited.insert(folder)) return;
    std::error_code ec;
    std::vector<Level> levels;
    levels.push_back({folder, fs::directory_iterator(folder, ec)});
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next == fs::directory_iterator()) {
            levels.pop_back();
            continue;
        }
        std::string framework = level.path + "/" + level.next->path().filename().string();
        level.next.increment(ec);
        if (ec) level.next = fs::directory_iterator();
        readHeaders(framework, visited);
        std::string sub = framework + "/Frameworks";
        if (visited.insert(sub)) levels.push_back({sub, fs::directory_iterator(sub, ec)});
    }
}

void DefineEngin::readHeaders(const std::string& frameworkPath, VisitedFolders& visited) {
    std::string headers = frameworkPath + "/Headers";
    if (!visited.insert(headers)) return;
    const DefineList& list = ProcessState::defineList();
    std::error_code ec;
    for (fs::directory_iterator it(headers, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name.size() < 2 || name.compare(name.size() - 2, 2, ".h") != 0 || list.count(name)) continue;
        mEngin.calcHeaderFile(headers + "/" + name, name);
    }
}

}  // namespace kestrel
