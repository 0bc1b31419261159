#include "core/parse/CompileTarget.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>

#include "core/platform/ProcessState.h"
#include "core/platform/RegularFile.h"
#include "core/platform/SdkLayout.h"

namespace fs = std::filesystem;

namespace kestrel {

namespace {

// Where GNUstep's headers find the C library and the compiler's own headers on Linux, after
// GNUstep's include folder, in a compiler's order.
constexpr std::string_view kLinuxSystemFolders[] = {"/usr/local/include", "/usr/include/x86_64-linux-gnu",
                                                    "/usr/include"};
constexpr std::string_view kGccFolders = "/usr/lib/gcc/x86_64-linux-gnu";
constexpr std::string_view kGNUstepMarker = "GNUstepBase.framework";

bool isFolder(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

// "MacOSX14.2.sdk" -> "14.2"; SDKSettings.json's "Version" first where the SDK has one.
std::string sdkVersion(const std::string& includeFolder) {
    fs::path sdk = fs::path(includeFolder).parent_path().parent_path();
    if (auto settings = RegularFile::read((sdk / "SDKSettings.json").string())) {
        std::size_t key = settings->find("\"Version\"");
        if (key != std::string::npos) {
            std::size_t open = settings->find('"', settings->find(':', key));
            std::size_t close = open == std::string::npos ? open : settings->find('"', open + 1);
            if (close != std::string::npos) return settings->substr(open + 1, close - open - 1);
        }
    }
    std::string folder = sdk.filename().string();
    std::size_t digit = folder.find_first_of("0123456789");
    if (digit == std::string::npos) return {};
    std::size_t end = folder.find_first_not_of("0123456789.", digit);
    std::string version = folder.substr(digit, end == std::string::npos ? std::string::npos : end - digit);
    while (!version.empty() && version.back() == '.') version.pop_back();
    return version;
}

// GCC's own include folders, newest version first.
std::vector<std::string> gccFolders() {
    std::vector<std::pair<int, std::string>> found;
    std::error_code ec;
    for (fs::directory_iterator it(std::string(kGccFolders), ec), end; !ec && it != end; it.increment(ec)) {
        int version = 0;
        std::string name = it->path().filename().string();
        auto [ptr, error] = std::from_chars(name.data(), name.data() + name.size(), version);
        std::string include = it->path().string() + "/include";
        if (error == std::errc() && isFolder(include)) found.emplace_back(version, include);
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<std::string> folders;
    for (auto& [version, path] : found) folders.push_back(std::move(path));
    return folders;
}

std::string_view withoutUnderscores(std::string_view name) {
    if (name.size() > 4 && name.starts_with("__") && name.ends_with("__")) return name.substr(2, name.size() - 4);
    return name;
}

bool listed(CompileTargetTables::Names names, std::string_view name) {
    return std::binary_search(names.begin(), names.end(), name);
}

}  // namespace

int CompileTarget::versionNumber(std::string_view version) {
    int parts[3] = {0, 0, 0};
    const char* at = version.data();
    const char* end = version.data() + version.size();
    for (int& part : parts) {
        auto [next, error] = std::from_chars(at, end, part);
        if (error != std::errc()) break;
        at = next < end && *next == '.' ? next + 1 : end;
    }
    if (parts[0] == 10 && parts[1] < 10) return 1000 + parts[1] * 10 + std::min(parts[2], 9);
    return parts[0] * 10000 + parts[1] * 100 + parts[2];
}

std::shared_ptr<const CompileTarget> CompileTarget::forFrameworksRoot(const std::string& frameworksRoot,
                                                                      std::string_view architecture) {
    if (auto include = SdkLayout::includeFolder(frameworksRoot)) {
        std::string version = sdkVersion(*include);
        int number = version.empty() ? kDefaultVersion : versionNumber(version);
        return std::make_shared<CompileTarget>(Family::AppleSdk, frameworksRoot, architecture, number,
                                               std::vector<std::string>{*include});
    }
    std::error_code ec;
    fs::path gnustepHeaders = fs::canonical(fs::path(frameworksRoot) / kGNUstepMarker / "Headers", ec);
    if (!ec && isFolder(gnustepHeaders.string())) {
        std::vector<std::string> folders{gnustepHeaders.parent_path().string()};
        std::vector<std::string> read = folders;
        for (std::string_view folder : kLinuxSystemFolders)
            if (isFolder(std::string(folder))) folders.emplace_back(folder);
        for (std::string& folder : gccFolders()) {
            read.push_back(folder);
            folders.push_back(std::move(folder));
        }
        return std::make_shared<CompileTarget>(Family::GNUstep, frameworksRoot, "x86_64", 0, std::move(folders),
                                               std::move(read));
    }
    return std::make_shared<CompileTarget>(Family::Default, frameworksRoot, architecture, kDefaultVersion,
                                           std::vector<std::string>{});
}

std::shared_ptr<const CompileTarget> CompileTarget::current() {
    std::shared_ptr<const CompileTarget>& held = ProcessState::compileTarget();
    if (!held || held->getFrameworksRoot() != ProcessState::frameworksRoot())
        held = forFrameworksRoot(ProcessState::frameworksRoot());
    return held;
}

CompileTarget::CompileTarget(Family family, std::string root, std::string_view arch, int version,
                             std::vector<std::string> includes, std::vector<std::string> read)
    : family(family), frameworksRoot(std::move(root)), architecture(arch), includeFolders(std::move(includes)),
      readFolders(std::move(read)) {
    if (readFolders.empty()) readFolders = includeFolders;
    std::string key = family == Family::GNUstep ? "gnustep-" : "apple-macos-";
    key += architecture;
    for (const CompileTargetTables::Table& candidate : CompileTargetTables::tables())
        if (candidate.key == key) table = &candidate;
    if (!table) {  // an architecture without a table: the default one's
        architecture = kDefaultArchitecture;
        for (const CompileTargetTables::Table& candidate : CompileTargetTables::tables())
            if (candidate.key == (family == Family::GNUstep ? "gnustep-" : "apple-macos-") + architecture)
                table = &candidate;
    }
    addPredefines(CompileTargetTables::common().predefines);
    if (table) addPredefines(table->predefines);
    if (family != Family::GNUstep) {
        std::string number = std::to_string(version);
        predefines.insert_or_assign("__ENVIRONMENT_MAC_OS_X_VERSION_MIN_REQUIRED__", MacroDefinition::objectLike(number));
        predefines.insert_or_assign("__ENVIRONMENT_OS_VERSION_MIN_REQUIRED__", MacroDefinition::objectLike(number));
    }
    switch (family) {
        case Family::AppleSdk: {
            std::string shown = std::to_string(version / 10000) + "." + std::to_string(version / 100 % 100);
            if (version % 100) shown += "." + std::to_string(version % 100);
            name = "macOS " + shown + " SDK (" + architecture + ")";
            break;
        }
        case Family::GNUstep: name = "GNUstep (" + architecture + " Linux)"; break;
        case Family::Default: name = "macOS, default target (" + architecture + ", no SDK headers)"; break;
    }
    // The root, then every umbrella framework's sub-frameworks.
    frameworkFolders.push_back(frameworksRoot);
    std::error_code ec;
    std::vector<std::string> umbrellas;
    for (fs::directory_iterator it(frameworksRoot, ec), end; !ec && it != end; it.increment(ec)) {
        std::string sub = it->path().string() + "/Frameworks";
        if (it->path().extension() == ".framework" && isFolder(sub)) umbrellas.push_back(sub);
    }
    std::sort(umbrellas.begin(), umbrellas.end());
    frameworkFolders.insert(frameworkFolders.end(), umbrellas.begin(), umbrellas.end());
}

void CompileTarget::addPredefines(std::string_view lines) {
    constexpr std::string_view kDefine = "#define ";
    while (!lines.empty()) {
        std::size_t end = lines.find('\n');
        std::string_view line = lines.substr(0, end);
        lines.remove_prefix(end == std::string_view::npos ? lines.size() : end + 1);
        if (!line.starts_with(kDefine)) continue;
        if (auto parsed = MacroDefinition::parse(line.substr(kDefine.size())))
            predefines.insert_or_assign(std::move(parsed->first), std::move(parsed->second));
    }
}

bool CompileTarget::readsHeader(const std::string& path) const {
    // In a folder to read, and not in a folder searched earlier below it (GCC's is not in
    // /usr/include, but /usr/include/x86_64-linux-gnu is).
    std::size_t longest = 0;
    bool read = false;
    for (const std::string& folder : includeFolders) {
        if (folder.size() <= longest || !path.starts_with(folder + "/")) continue;
        longest = folder.size();
        read = std::find(readFolders.begin(), readFolders.end(), folder) != readFolders.end();
    }
    return read;
}

const MacroDefinition* CompileTarget::predefined(std::string_view macro) const {
    auto found = predefines.find(macro);
    return found == predefines.end() ? nullptr : &found->second;
}

bool CompileTarget::answers(CompileTargetTables::Query query, std::string_view what) const {
    using Q = CompileTargetTables::Query;
    if (query == Q::Feature || query == Q::Extension || query == Q::Attribute || query == Q::CAttribute)
        what = withoutUnderscores(what);
    if (query == Q::Extension && answers(Q::Feature, what)) return true;  // a feature is an extension too
    if (listed(CompileTargetTables::common().answers[query], what)) return true;
    return table && listed(table->answers[query], what);
}

}  // namespace kestrel
