#pragma once
// The define pass: before the analysis, reads every header of every framework below the
// frameworks root (sub-frameworks in <Name>.framework/Frameworks included) and fills the
// process-wide define list, header file name -> what it defines and imports. A header that has
// a record is never read again, so a rebuild reuses the records of the first pass.
//
//   root/Foundation.framework/Headers/*.h
//   root/ApplicationServices.framework/Frameworks/CoreGraphics.framework/Headers/*.h
#include <string>

#include "core/parse/DefineMacroEngin.h"
#include "core/platform/ProcessState.h"

namespace kestrel {

class VisitedFolders;

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
    // Both walks follow links to folders but enter each folder once, so link loops end.
    void walkFrameworks(const std::string& folder, VisitedFolders& visited);
    void readHeaders(const std::string& frameworkPath, VisitedFolders& visited);

    DefineMacroEngin mEngin;  // reads the headers of the walk
};

}  // namespace kestrel
