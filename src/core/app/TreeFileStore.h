#pragma once
// The stored tree: seven property-list files in the data folder (~/.local/share/Kestrel), so
// that a start loads the tree instead of reading every header again. Works on the
// controller's lists.
//
//   "classDataFileName" ... "enumDataFileName"  [1, record, record, ...]  (1: format number)
//   "functions"                                  [record, record, ...]
//   "typedefs"                                   {type name: type text}
//
// Load rebuilds the lists and links them; the files are written only at exit, each group when
// its change flag is set (treeChanged for the five record lists, functionsWasChanged,
// typedefListWasChanged). A record-list file that was damaged when loaded (not a property list,
// not an array, elements that are not sound records) is rewritten only when the list read from
// it has changed since, so that a change elsewhere in the tree does not replace it with the
// part that could be read.
#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/PlistValue.h"

namespace kestrel {

class AppAction2;
class FunctionMacrosData;
class TreeLinker;

class TreeFileStore {
public:
    // Both must outlive the store; linker is the controller's, working on app's lists.
    TreeFileStore(AppAction2& app, TreeLinker& linker);

    // The data folder (DataFolder) and its files.
    static std::string getMainFolderPath();
    static void startupCheck();
    // Moves data files of older names to their present names; a move onto an existing file
    // is not made.
    static void fileCheck();
    // The start-up decision: load when the class, protocol and category files all exist,
    // else build.
    static bool treeFilesExist();

    // The load: every list from its file, linked, numbered and handed to the tree view, with
    // the progress amounts of the opening window. Answers false, naming the files in unreadable,
    // when the class, protocol or category file is there but cannot be read as a list (not a
    // property list, another type, no permission): the lists are then left empty and the tree
    // must be built instead.
    bool initTreeFromFile(std::vector<std::string>* unreadable = nullptr);

    // The record-list file contents: the format number 1, then each record's dictionary.
    template <class Record>
    static PlistArray classToDic(const std::vector<std::shared_ptr<Record>>& records) {
        PlistArray array;
        array.reserve(records.size() + 1);
        array.emplace_back(PlistValue(1));
        for (const auto& record : records) {
            if (!record) continue;
            PlistDict dic;
            record->makeDictionary(dic);
            array.emplace_back(std::move(dic));
        }
        return array;
    }

    // Each writes only when its flag is set, clears the flag after a good write, and answers
    // whether it wrote.
    bool writeFunctionList(const std::vector<std::shared_ptr<FunctionMacrosData>>& list);
    static std::optional<std::map<std::string, std::string>> readTypedefList();
    bool writeTypedefList(const std::map<std::string, std::string>& dic);
    // The five record-list files, when treeChanged is set; clears it when all were written.
    bool writeTreeFiles();
    // The exit: functions (on a second thread), typedefs, the preferences file, the record lists.
    void applicationWillTerminate();

private:
    enum ListFile { kClassFile, kProtocolFile, kCategoryFile, kStructFile, kEnumFile, kListFiles };
    static const char* const kListFileKeys[kListFiles];

    template <class Record>
    bool readRecordFile(ListFile file, std::optional<PlistArray> array, std::vector<std::shared_ptr<Record>>& list);
    static std::vector<std::shared_ptr<FunctionMacrosData>> functionsFrom(std::optional<PlistArray> array);
    static std::optional<std::map<std::string, std::string>> typedefListFrom(std::optional<PlistDict> dic);
    PlistArray listForm(ListFile file) const;

    AppAction2& app;
    TreeLinker& linker;
    // Per record-list file that was damaged when loaded: the form its records had right after
    // the load; none for the sound ones.
    std::array<std::optional<PlistArray>, kListFiles> loadedForm;
};

}  // namespace kestrel
