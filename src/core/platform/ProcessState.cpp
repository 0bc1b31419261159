#include "core/platform/ProcessState.h"

#include "core/platform/FolderIndex.h"
#include "core/platform/HeaderTexts.h"
#include "core/platform/NotificationCenter.h"

namespace kestrel {

namespace {
struct State {
    DefineList defineList;
    std::shared_ptr<const DefinedNames> definedNames;
    FrameworkPathCache frameworkPathCache;
    std::mutex frameworkPathCacheMutex;
    FolderIndex folderIndex;
    HeaderTexts headerTexts;
    std::shared_ptr<PrefData> prefData;
    Host* host = nullptr;
    std::string frameworksRoot = "/System/Library/Frameworks";
    std::shared_ptr<const CompileTarget> compileTarget;
    NotificationCenter notificationCenter;
    std::function<double(std::string_view)> measureFunction;
    std::function<double()> lineHeightFunction;
    std::thread::id measureThread;
};
State& state() {
    static State s;
    return s;
}
}  // namespace

DefineList& ProcessState::defineList() { return state().defineList; }
std::shared_ptr<const DefinedNames>& ProcessState::definedNames() { return state().definedNames; }
FrameworkPathCache& ProcessState::frameworkPathCache() { return state().frameworkPathCache; }
std::mutex& ProcessState::frameworkPathCacheMutex() { return state().frameworkPathCacheMutex; }
FolderIndex& ProcessState::folderIndex() { return state().folderIndex; }
HeaderTexts& ProcessState::headerTexts() { return state().headerTexts; }
std::shared_ptr<PrefData>& ProcessState::prefData() { return state().prefData; }
Host*& ProcessState::host() { return state().host; }
std::string& ProcessState::frameworksRoot() { return state().frameworksRoot; }
std::shared_ptr<const CompileTarget>& ProcessState::compileTarget() { return state().compileTarget; }
NotificationCenter& ProcessState::notificationCenter() { return state().notificationCenter; }
std::function<double(std::string_view)>& ProcessState::measureFunction() { return state().measureFunction; }
std::function<double()>& ProcessState::lineHeightFunction() { return state().lineHeightFunction; }
std::thread::id& ProcessState::measureThread() { return state().measureThread; }

void ProcessState::reset() {
    state().defineList.clear();
    state().definedNames.reset();
    state().frameworkPathCache.clear();
    state().folderIndex.clear();
    state().headerTexts.clear();
    state().prefData.reset();
    state().host = nullptr;
    state().frameworksRoot = "/System/Library/Frameworks";
    state().compileTarget.reset();
    state().notificationCenter.removeAllObservers();
    state().measureFunction = nullptr;
    state().lineHeightFunction = nullptr;
    state().measureThread = std::thread::id();
}

}  // namespace kestrel
