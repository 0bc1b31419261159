#include "core/app/TreeBuilder.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "core/app/AppAction2.h"
#include "core/app/TreeFileStore.h"
#include "core/model/AnnotationFiles.h"
#include "core/model/ClassData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/TreeLinker.h"
#include "core/platform/DataFolder.h"
#include "core/platform/Host.h"
#include "core/platform/PrefData.h"
#include "core/platform/ProcessState.h"

namespace kestrel {

namespace fs = std::filesystem;

namespace {

constexpr double kHedderProgress = 0.05;
constexpr double kStepProgress = 5.0;
const char* const kNoFramework = "------";

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// "/a/b/Foo.framework/" -> "/a/b/Foo.framework"; "/" stays.
std::string withoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

// The last path component: "/a/b/NSString.h" -> "NSString.h".
std::string displayName(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The entry names of a folder in listing order. Read whole before descending, so that a deep
// tree holds no folder open per level.
std::vector<std::string> entryNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
    for (fs::directory_iterator end; !error && it != end; it.increment(error)) {
        names.push_back(it->path().filename().string());
    }
    return names;
}

void markTreeChanged() {
    if (const std::shared_ptr<PrefData>& pref = ProcessState::prefData()) pref->treeChanged = true;
}

}  // namespace

TreeBuilder::TreeBuilder(AppAction2& app, TreeLinker& linker) : app(app), linker(linker) {}

void TreeBuilder::initTreeFile() {
    Host& host = Host::current();
    TreeFileStore::startupCheck();

    if (!app.classList.empty() || !app.classStraightList.empty()) linker.unSelectAll();
    linker.unlinkAll();  // records linked in loops would otherwise outlive the lists
    app.classList.clear();
    app.classStraightList.clear();
    app.protocolList.clear();
    app.structList.clear();
    app.enumList.clear();
    app.categoryList.clear();
    app.functions.clear();
    app.typedefList.clear();
    app.typedefListWasChanged = true;
    hedderCount = 0;

    host.setIndeterminate(true);
    if (doPass1) doPass1();
    host.setIndeterminate(false);

    analyseFwHedders(ProcessState::frameworksRoot(), std::nullopt, true);
    analysePrivateHedders();
    // A functions file left from an earlier build would otherwise stay beside the new tree
    // files when this build finds no function at all.
    std::error_code error;
    if (hedderCount > 0 && fs::exists(DataFolder::filePath("functions"), error)) app.functionsWasChanged = true;
    incAboutValue(kStepProgress);

    linker.linkTree([](TreeLinker::Step done) {
        incAboutValue(kStepProgress);
        if (done == TreeLinker::Step::TreeList) incAboutValue(kStepProgress);  // the tree counts twice
    });
    viewSetUp();
}

void TreeBuilder::analyseFwHedders(const std::string& path, const std::optional<std::string>& fwName,
                                   bool cocoaFlag) {
    visitedFolders.clear();
    walk(withoutTrailingSlash(path), fwName, cocoaFlag);
    visitedFolders.clear();
}

void TreeBuilder::walk(const std::string& path, const std::optional<std::string>& fwName, bool cocoaFlag) {
    if (path.find("Kernel") != std::string::npos) return;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return;  // nothing there (or a dangling link)
    std::string name = displayName(path);

    if (S_ISDIR(info.st_mode)) {
        if (!visitedFolders.emplace(info.st_dev, info.st_ino).second) return;  // a link loop
        if (endsWith(name, ".framework")) {
            std::string framework = fwName ? *fwName + "/" + name : name;
            Host::current().setMessage(framework);
            walk(path + "/Headers", framework, cocoaFlag);
            walk(path + "/Frameworks", framework, cocoaFlag);
            return;
        }
        std::string prefix = path == "/" ? path : path + "/";
        for (const std::string& entry : entryNames(path)) {
            if (entry.find("i386") != std::string::npos) continue;
            walk(prefix + entry, fwName, cocoaFlag);
        }
        return;
    }
    // Only regular files: a fifo or device named like a header would block or never end.
    if (S_ISREG(info.st_mode) && endsWith(name, ".h")) analyseOneHedder(path, fwName, cocoaFlag);
}

void TreeBuilder::analyseOneHedder(const std::string& path, const std::optional<std::string>& fwName,
                                   bool cocoaFlag) {
    incAboutValue(kHedderProgress);
    std::string hedderName = displayName(path);
    Host::current().setStatusMessage(hedderName);
    app.analyseHedderFile(path, hedderName, fwName.value_or(kNoFramework), !cocoaFlag);
    ++hedderCount;
    markTreeChanged();
}

void TreeBuilder::analysePrivateHedders() {
    std::optional<std::vector<std::string>> paths = AnnotationFiles::getPrivateHedders();
    if (!paths) return;
    for (const std::string& path : *paths) analyseFwHedders(path, std::nullopt, false);
}

std::vector<std::string> TreeBuilder::makeFuncList() const {
    std::vector<std::string> names;
    names.reserve(app.functions.size());
    for (const auto& record : app.functions) {
        if (record && record->getName()) names.push_back(*record->getName());
    }
    return names;
}

void TreeBuilder::incAboutValue(double amount) { Host::current().addProgressBarValue(amount); }

void TreeBuilder::viewSetUp() { Host::current().viewSetUp(app.classList); }

}  // namespace kestrel
