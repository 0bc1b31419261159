#include "cli/Session.h"

#include <filesystem>
#include <system_error>

#include "cli/TerminalProgress.h"
#include "core/app/TreeFileStore.h"
#include "core/platform/DataFolder.h"
#include "core/platform/FrameworksRoot.h"
#include "core/platform/PrefData.h"
#include "core/platform/PrefFile.h"
#include "core/platform/ProcessState.h"
#include "core/platform/SdkLayout.h"

namespace kestrel::cli {

namespace {

// Takes "NAME VALUE" or "NAME=VALUE" out of args into value (the last one given wins). False,
// with a message, for an empty value.
bool takeValue(std::vector<std::string>& args, const std::string& name, std::optional<std::string>& value,
               std::string& problem) {
    for (std::size_t i = 0; i < args.size();) {
        if (args[i] == name) {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                problem = name + " needs a folder";
                return false;
            }
            value = args[i + 1];
            args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
        } else if (args[i].rfind(name + "=", 0) == 0) {
            value = args[i].substr(name.size() + 1);
            if (value->empty()) {
                problem = name + " needs a folder";
                return false;
            }
            args.erase(args.begin() + static_cast<long>(i));
        } else {
            ++i;
        }
    }
    return true;
}

}  // namespace

bool Session::takeFrameworksRoot(std::vector<std::string>& args, std::optional<std::string>& root,
                                 std::string& problem) {
    std::optional<std::string> sdk, frameworks;
    if (!takeValue(args, "--sdk", sdk, problem) || !takeValue(args, "--frameworks-root", frameworks, problem))
        return false;
    if (sdk && frameworks) {
        problem = "give --sdk or --frameworks-root, not both";
        return false;
    }
    auto fromRoot = [](std::optional<std::string>& path) {
        if (path) path = FrameworksRoot::ownPath(*path);
    };
    const std::optional<std::string> sdkAsGiven = sdk;
    fromRoot(sdk);
    fromRoot(frameworks);
    if (sdk) {
        root = SdkLayout::frameworksRootOf(*sdk);
        if (!root) {
            problem = "--sdk: " + *sdkAsGiven + " is no SDK (it has no System/Library/Frameworks; for a folder of "
                      "frameworks give --frameworks-root)";
            return false;
        }
    } else if (frameworks) {
        root = frameworks;
    }
    return true;
}

Session::Session(const std::optional<std::string>& requestedRoot, CommandIO& io) : io_(io) {
    PrefFile::setUpPref();
    const std::shared_ptr<PrefData>& pref = ProcessState::prefData();
    FrameworksRoot::Request request;
    request.frameworksRoot = requestedRoot;
    if (pref && !pref->sdkPath.empty()) request.preferredSdk = pref->sdkPath;
    ProcessState::frameworksRoot() = FrameworksRoot::resolve(request, DataFolder::getMainFolderPath());
    if (io.errIsTerminal) progress_ = std::make_unique<TerminalProgress>(io.err);
}

Session::~Session() { finish(); }

void Session::start(bool forceBuild) {
    if (forceBuild) {
        TreeFileStore::fileCheck();
        app_.initTreeFile();
        built_ = true;
    } else {
        built_ = app_.startUp();
        if (!app_.getStartUpNote().empty()) {
            if (progress_) progress_->close();
            const std::string& note = app_.getStartUpNote();
            for (std::size_t start = 0; start < note.size();) {
                std::size_t end = note.find('\n', start);
                if (end == std::string::npos) end = note.size();
                io_.err << "kestrel: " << note.substr(start, end - start) << "\n";
                start = end + 1;
            }
        }
    }
    if (progress_) progress_->close();
}

bool Session::finish() {
    if (finished_) return stored_;
    finished_ = true;
    // A terminal command's tree is as new as any stored meanwhile: it replaces it, and says so.
    const TreeFileStore::StoreReport report = app_.applicationWillTerminate(TreeFileStore::OnNewer::Replace);
    for (const std::string& note : report.notes) io_.err << "kestrel: " << note << "\n";
    for (const std::string& problem : report.problems) io_.err << "kestrel: " << problem << "\n";
    stored_ = report.ok();
    return stored_;
}

int Session::end(int status) { return finish() ? status : kExitNotStored; }

}  // namespace kestrel::cli
