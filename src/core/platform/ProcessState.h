#pragma once
// The process-wide state that the program shares between its parts, in one place:
//   defineList          header file name -> its define record (filled by the define pass,
//                       read by every conditional-compilation evaluator)
//   definedNames        which records of defineList define which macro names, as the define
//                       pass left them (the analysis's threads read it while it describes
//                       defineList; see DefinedNames)
//   frameworkPathCache  framework folder name -> its path, "" when searched for and not found
//                       (the lookups hold frameworkPathCacheMutex while they use it: the
//                       analysis asks from several threads)
//   folderIndex         the folders below the frameworks root, listed once per build (see
//                       FolderIndex)
//   headerTexts         the frameworks' headers as the define pass read them, for the analysis
//                       to take instead of reading them again (see HeaderTexts)
//   prefData            the one preferences record
//   host                the window system's side (progress window, tree view), if installed
//   frameworksRoot      the folder whose frameworks are read (see FrameworksRoot)
//   compileTarget       the target that root's conditions are evaluated for (see CompileTarget),
//                       chosen when a define pass starts; analyses only read it
//   notificationCenter  the default notification centre
//   measureFunction     how display names are measured (the GUI's font metrics; none: a fixed
//                       advance per character, see TextMeasure), and the thread it measures on
//   lineHeightFunction  how high a line of the tree's font is (none: a fixed height)
// Created empty at start-up; tests call reset() to start from a clean slate.
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "core/platform/DefineList.h"

namespace kestrel {

class CompileTarget;
class DefinedNames;
class FolderIndex;
class HeaderTexts;
class Host;
class NotificationCenter;
class PrefData;

using FrameworkPathCache = std::map<std::string, std::string>;

class ProcessState {
public:
    static DefineList& defineList();
    static std::shared_ptr<const DefinedNames>& definedNames();
    static FrameworkPathCache& frameworkPathCache();
    static std::mutex& frameworkPathCacheMutex();
    static FolderIndex& folderIndex();
    static HeaderTexts& headerTexts();
    // The preferences record; none until the preferences are set up.
    static std::shared_ptr<PrefData>& prefData();
    // The installed host (not owned); null when none is installed. Reach it through Host::current().
    static Host*& host();
    static std::string& frameworksRoot();
    static std::shared_ptr<const CompileTarget>& compileTarget();
    static NotificationCenter& notificationCenter();
    static std::function<double(std::string_view)>& measureFunction();
    static std::function<double()>& lineHeightFunction();
    static std::thread::id& measureThread();
    // Empties every dictionary, the folder index and the headers' texts, drops the preferences
    // record, uninstalls the host, removes every observer and the measuring functions.
    static void reset();
};

}  // namespace kestrel
