#pragma once
// The running controller: AppAction with the build from the headers and the stored tree.
#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/app/AppAction.h"
#include "core/app/TreeBuilder.h"
#include "core/app/TreeFileStore.h"

namespace kestrel {

class AppAction2 : public AppAction {
public:
    AppAction2();
    ~AppAction2() override;

    // The stored tree (see TreeFileStore): load at start-up, the writes at exit.
    TreeFileStore& getTreeFileStore() { return treeFileStore; }
    bool initTreeFromFile(std::vector<std::string>* unreadable = nullptr) {
        return treeFileStore.initTreeFromFile(unreadable);
    }
    // The termination writes; see TreeFileStore::applicationWillTerminate.
    TreeFileStore::StoreReport applicationWillTerminate(TreeFileStore::OnNewer onNewer = TreeFileStore::OnNewer::Replace) {
        return treeFileStore.applicationWillTerminate(onNewer);
    }

    // The build from the headers (see TreeBuilder): the define pass, the walk of the frameworks
    // root and the private headers, then linking.
    TreeBuilder& getTreeBuilder() { return treeBuilder; }
    void initTreeFile();
    void doPass1();
    std::vector<std::string> makeFuncList() const { return treeBuilder.makeFuncList(); }
    void viewSetUp() { treeBuilder.viewSetUp(); }
    std::size_t getHedderCount() const { return treeBuilder.getHedderCount(); }

    // The start-up of the tree: preferences (setUpPref), then loadOrBuild. Answers true when it
    // built.
    bool startUp();
    // Older file names moved into place; then the load when the class, protocol and category
    // files exist, else the build. A decisive file that is there but cannot be read leads to the
    // build too: getStartUpNote() then says why, and the host is told before the build begins.
    // Other stored files that could not be read are named there too (see
    // TreeFileStore::getLoadNotes).
    bool loadOrBuild();
    const std::string& getStartUpNote() const { return startUpNote; }

private:
    std::string startUpNote;
    TreeFileStore treeFileStore{*this, getLinker()};
    TreeBuilder treeBuilder{*this, getLinker()};
};

}  // namespace kestrel
