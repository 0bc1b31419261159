#pragma once
// The build: the whole tree made afresh from the headers on disk. Clears the controller's
// lists, runs the define pass, walks the frameworks root and the user's private headers,
// hands every header to the analysis driver, then links and numbers the result and gives
// the roots to the tree view. Progress goes to the opening window through the host.
//
//   <root>/Foundation.framework/Headers/NSString.h
//       -> fwName "Foundation.framework", hedderName "NSString.h", not custom
//   <root>/Outer.framework/Frameworks/Inner.framework/Headers/In.h
//       -> fwName "Outer.framework/Inner.framework"
//   a private header file or any header below a private folder
//       -> fwName "------", its classes custom
//
// The walk follows links to folders but enters each folder (by device and inode) at most
// once per walk, so link loops end and a folder linked from several places is read once.
// Paths containing "Kernel" and folder entries containing "i386" are skipped.
#include <cstddef>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace kestrel {

class AppAction2;
class TreeLinker;

class TreeBuilder {
public:
    // Both must outlive the builder; linker is the controller's, working on app's lists.
    TreeBuilder(AppAction2& app, TreeLinker& linker);

    // The define pass over all frameworks, run by initTreeFile before the walk. Empty: nothing.
    std::function<void()> doPass1;

    // The whole build. Returns when the lists are linked, numbered and shown.
    void initTreeFile();
    // Walks one path: a ".framework" folder, any other folder, or a ".h" file. fwName none
    // stands for "not inside a framework"; cocoaFlag false marks the classes found as custom.
    void analyseFwHedders(const std::string& path, const std::optional<std::string>& fwName,
                          bool cocoaFlag);
    // Walks each path of the private-header file, in order, as a non-framework path.
    void analysePrivateHedders();
    // The declaration text of every function and macro record, in list order (records without
    // a name are left out).
    std::vector<std::string> makeFuncList() const;
    // Adds amount to the opening window's progress bar.
    static void incAboutValue(double amount);
    // Gives classList (the roots) to the tree view.
    void viewSetUp();

    // Headers handed to the analysis driver by the last build (or the walks since).
    std::size_t getHedderCount() const { return hedderCount; }

private:
    using FolderId = std::pair<unsigned long long, unsigned long long>;  // (device, inode)

    void walk(const std::string& path, const std::optional<std::string>& fwName, bool cocoaFlag);
    void analyseOneHedder(const std::string& path, const std::optional<std::string>& fwName,
                          bool cocoaFlag);
    // Answers false when the folder was entered before in this walk.
    bool enterFolder(const std::string& path);

    AppAction2& app;
    TreeLinker& linker;
    std::set<FolderId> visitedFolders;
    std::size_t hedderCount = 0;
};

}  // namespace kestrel
