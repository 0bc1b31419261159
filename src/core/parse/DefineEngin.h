#pragma once
// The define pass: before the analysis, reads every header of every framework below the
// frameworks root (sub-frameworks in <Name>.framework/Frameworks included) and fills the
// process-wide define list, header file name -> what it defines and imports. A header that has
// a record is never read again, so a rebuild reuses the records of the first pass.
//
//   root/Foundation.framework/Headers/*.h
//   root/ApplicationServices.framework/Frameworks/CoreGraphics.framework/Headers/*.h
//
// Links to folders and link files are followed (AppKit.framework/Headers stored as a file
// "Versions/Current/Headers"), each folder is entered once, so loops end, and the folders are
// listed through the process-wide folder index. Kernel.framework is not read.
#include <functional>
#include <set>
#include <string>
#include <sys/types.h>
#include <utility>

#include "core/parse/DefineMacroEngin.h"
#include "core/platform/FolderListing.h"
#include "core/platform/ProcessState.h"

namespace kestrel {

class DefineEngin {
public:
    DefineEngin();

    // The start of a build: shows the pass's message in the opening window, runs the pass.
    static void doPass1();

    // Runs the pass over the frameworks root; answers the process-wide define list.
    const DefineList& doCalc();
    // Every entry of folder taken as a framework (entries that are not have no headers).
    void doCocoaDefinesCalc(const std::string& folder);
    // The headers of one framework not read yet, then its sub-frameworks, to any depth.
    void calcHeader(const std::string& frameworkPath);

private:
    using Entered = std::set<std::pair<dev_t, ino_t>>;  // the folders entered, by device and inode
    using HeaderVisit = std::function<void(const FolderEntry& header)>;
    // False when the folder cannot be listed or was entered before.
    static bool enter(const std::string& folder, Entered& entered);
    // Lists the headers' folders of the later half of the root's frameworks (and of the
    // frameworks inside them) into the folder index, for the walk to find listed.
    static void listLaterHalf(const std::string& folder);
    // visit(header) for each ".h" file of each framework's Headers folder, in the pass's order.
    void walkFrameworks(const std::string& folder, Entered& entered, const HeaderVisit& visit);
    void readHeaders(const std::string& frameworkPath, Entered& entered, const HeaderVisit& visit);
    void read(const FolderEntry& header);  // unless a record of its name exists

    DefineMacroEngin mEngin;  // reads the headers of the walk
};

}  // namespace kestrel
