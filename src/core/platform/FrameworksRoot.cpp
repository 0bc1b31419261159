#include "core/platform/FrameworksRoot.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string_view>
#include <system_error>

#include "core/platform/FolderListing.h"
#include "core/platform/SdkLayout.h"

extern char** environ;

namespace fs = std::filesystem;

namespace kestrel {

namespace {

constexpr auto kToolTimeout = std::chrono::seconds(10);
constexpr std::size_t kMaxToolOutput = 64 * 1024;

bool isFolder(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(p, ec);
}

bool endsWith(const std::string& text, std::string_view tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string withoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}


// True when a header file lies anywhere below the folder (links not followed, so loops end).
bool holdsHeaders(const fs::path& folder) {
    std::error_code ec;
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    for (fs::recursive_directory_iterator end; !ec && it != end; it.increment(ec)) {
        if (it->path().extension() == ".h" && it->is_regular_file(ec)) return true;
    }
    return false;
}

// Points linkPath at target, replacing a link that points elsewhere. A temporary link renamed
// over the old one keeps the change atomic.
bool placeLink(const fs::path& target, const fs::path& linkPath) {
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(linkPath, ec)) && fs::read_symlink(linkPath, ec) == target)
        return true;
    if (fs::exists(fs::symlink_status(linkPath, ec)) && !fs::is_symlink(fs::symlink_status(linkPath, ec)))
        return false;  // something that is not ours stands there: leave it alone
    fs::path temporary = linkPath;
    temporary += ".new";
    fs::remove(temporary, ec);
    fs::create_directory_symlink(target, temporary, ec);
    if (ec) return false;
    fs::rename(temporary, linkPath, ec);
    if (ec) {
        fs::remove(temporary, ec);
        return false;
    }
    return true;
}

}  // namespace

std::string FrameworksRoot::ownPath(const std::string& path) {
    std::error_code error;
    if (path.empty()) return path;
    const fs::path absolute = fs::absolute(path, error);
    if (error) return path;
    const fs::path whole = fs::weakly_canonical(absolute, error);
    return error || whole.empty() ? path : whole.string();
}

std::string FrameworksRoot::resolve(const Request& request, const std::string& dataFolder, const Places& places) {
    auto given = [](const std::optional<std::string>& choice) { return choice && !choice->empty(); };
    if (given(request.sdk)) {
        if (auto root = SdkLayout::frameworksRootOf(*request.sdk)) return *root;
        return withoutTrailingSlash(*request.sdk) + std::string(SdkLayout::kFrameworksTail);  // yields nothing
    }
    if (given(request.frameworksRoot)) return *request.frameworksRoot;
    if (const char* env = std::getenv(kEnvironmentName); env && *env) return ownPath(env);
    if (given(request.preferredSdk)) {
        if (auto root = SdkLayout::frameworksRootOf(*request.preferredSdk)) return *root;
    }
    if (holdsFrameworkHeaders(places.systemRoot)) return places.systemRoot;
    if (places.macOS) {
        if (auto sdk = firstLineOf(places.xcrun))
            if (auto root = SdkLayout::frameworksRootOf(*sdk)) return *root;
        if (auto root = SdkLayout::frameworksRootOf(places.commandLineToolsSdk)) return *root;
    } else if (isFolder(places.gnustepHeaders)) {
        std::string linkRoot = dataFolder + "/" + kLinkFolderName;
        if (makeLinkFolder(places.gnustepHeaders, linkRoot)) return linkRoot;
    }
    return places.systemRoot;
}

bool FrameworksRoot::holdsFrameworkHeaders(const std::string& root) {
    const FolderListing frameworks = FolderListing::read(root);
    for (const FolderEntry& framework : frameworks.entries()) {
        if (!framework.isFolder || !endsWith(framework.name, ".framework")) continue;
        const FolderListing inside = FolderListing::read(framework.path);
        const FolderEntry* headers = inside.find("Headers");
        if (!headers || !headers->isFolder) continue;
        const FolderListing files = FolderListing::read(headers->path);
        for (const FolderEntry& entry : files.entries())
            if (!entry.isFolder && endsWith(entry.name, ".h")) return true;
    }
    return false;
}

std::optional<std::string> FrameworksRoot::firstLineOf(const std::vector<std::string>& command) {
    if (command.empty()) return std::nullopt;
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned = ::posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    if (spawned != 0) {
        ::close(pipeEnds[0]);
        return std::nullopt;
    }
    // Read what it prints, for a few seconds at most: a tool that hangs must not hang Kestrel.
    std::string output;
    const auto deadline = std::chrono::steady_clock::now() + kToolTimeout;
    bool ended = false;
    while (!ended && output.size() < kMaxToolOutput) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd wait{pipeEnds[0], POLLIN, 0};
        const int ready = ::poll(&wait, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) break;
        char buffer[512];
        const ssize_t got = ::read(pipeEnds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) ended = true;
        else output.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(pipeEnds[0]);
    if (!ended) ::kill(child, SIGKILL);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!ended || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    output = output.substr(0, output.find_first_of("\r\n"));
    if (output.empty()) return std::nullopt;
    return output;
}

bool FrameworksRoot::makeLinkFolder(const std::string& headerRoot, const std::string& linkRoot) {
    std::error_code ec;
    std::set<std::string> wanted;
    for (fs::directory_iterator it(headerRoot, ec), end; !ec && it != end; it.increment(ec)) {
        if (isFolder(it->path()) && holdsHeaders(it->path()))
            wanted.insert(it->path().filename().string());
    }
    if (wanted.empty()) return false;
    fs::create_directories(linkRoot, ec);
    if (!isFolder(linkRoot)) return false;

    // Drop frameworks whose header folder has gone; only folders of our own shape are touched.
    for (fs::directory_iterator it(linkRoot, ec), end; !ec && it != end; it.increment(ec)) {
        fs::path framework = it->path();
        if (framework.extension() != ".framework") continue;
        if (wanted.count(framework.stem().string())) continue;
        std::error_code e2;
        fs::path headers = framework / "Headers";
        if (fs::is_symlink(fs::symlink_status(headers, e2))) {
            fs::remove(headers, e2);
            fs::remove(framework, e2);  // only succeeds when nothing else is inside
        }
    }
    bool any = false;
    for (const auto& name : wanted) {
        fs::path framework = fs::path(linkRoot) / (name + ".framework");
        fs::create_directories(framework, ec);
        if (placeLink(fs::path(headerRoot) / name, framework / "Headers")) any = true;
    }
    return any;
}

}  // namespace kestrel
