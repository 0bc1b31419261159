#pragma once
// The running controller: AppAction with the analysers, the build and the stored tree.
#include <cstdint>
#include <map>
#include <optional>
#include <memory>
#include <string>
#include <vector>

#include "core/model/AppAction.h"
#include "core/model/TreeBuilder.h"
#include "core/model/TreeFileStore.h"

namespace kestrel {

class AppAction2 : public AppAction {
public:
    AppAction2();
    ~AppAction2() override;

    // The stored tree (see TreeFileStore): load at start-up, the writes at exit.
    TreeFileStore& getTreeFileStore() { return treeFileStore; }
    void initTreeFromFile() { treeFileStore.initTreeFromFile(); }
    bool writeFunctionList(const std::vector<std::shared_ptr<FunctionMacrosData>>& list) {
        return treeFileStore.writeFunctionList(list);
    }
    bool writeTypedefList(const std::map<std::string, std::string>& dic) { return treeFileStore.writeTypedefList(dic); }
    void applicationWillTerminate() { treeFileStore.applicationWillTerminate(); }

    // The build from the headers (see TreeBuilder): the define pass, the walk of the frameworks
    // root and the private headers, then linking.
    TreeBuilder& getTreeBuilder() { return treeBuilder; }
    void initTreeFile() { treeBuilder.initTreeFile(); }
    void doPass1();
    std::vector<std::string> makeFuncList() const { return treeBuilder.makeFuncList(); }
    void viewSetUp() { treeBuilder.viewSetUp(); }
    std::size_t getHedderCount() const { return treeBuilder.getHedderCount(); }

    // The start-up of the tree: preferences, older file names, then the load when the class,
    // protocol and category files exist, else the build. Answers true when it built.
    bool startUp();

    // The struct and typedef analysers: records go to structList and enumList, names to typedefList.
    void analyseStruct(TextBuffer& buffer, CMacroEngin* macro) override;
    void analyseTypeDef(TextBuffer& buffer, CMacroEngin* macro) override;

    // The function and macro analysers: a record of the keyword's kind (8 to 13) whose name is
    // the declaration text, or none. Each record made sets functionsWasChanged.
    std::shared_ptr<FunctionMacrosData> analyseExtern(TextBuffer& buffer, CMacroEngin* macro) override;
    std::shared_ptr<FunctionMacrosData> analyseCG_INLINE(TextBuffer& buffer, CMacroEngin* macro) override;
    std::shared_ptr<FunctionMacrosData> analyseCG_EXTERN(TextBuffer& buffer, CMacroEngin* macro) override;
    std::shared_ptr<FunctionMacrosData> analyseAPPKIT_EXTERN(TextBuffer& buffer, CMacroEngin* macro) override;
    // Takes the rest of the line only: "FOUNDATION_EXPORT NSString *NSFoo;" -> "NSString* NSFoo".
    std::shared_ptr<FunctionMacrosData> analyseFOUNDATION_EXPORT(TextBuffer& buffer, CMacroEngin* macro) override;
    std::shared_ptr<FunctionMacrosData> analyseFOUNDATION_STATIC_INLINE(TextBuffer& buffer,
                                                                      CMacroEngin* macro) override;

protected:
    void addFunction(std::shared_ptr<FunctionMacrosData> record) override;
    std::unique_ptr<TextEngin> makeProtocolEngin(TextBuffer& buffer, CMacroEngin* macro) override;
    std::unique_ptr<TextEngin> makeClassEngin(TextBuffer& buffer, CMacroEngin* macro) override;

private:
    TreeFileStore treeFileStore{*this, getLinker()};
    TreeBuilder treeBuilder{*this, getLinker()};
};

}  // namespace kestrel
