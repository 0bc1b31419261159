#pragma once
// The stored tree: seven property-list files in the data folder (~/.local/share/Kestrel), so
// that a start loads the tree instead of reading every header again. Works on the
// controller's lists.
//
//   "classDataFileName" ... "enumDataFileName"  [1, record, record, ...]  (1: format number)
//   "functions"                                  [record, record, ...]
//   "typedefs"                                   {type name: type text}
//   "typedefNotes"                               {type name: {"line", "doc", "availability"}}
//   "declarationNotes"                           the records' notes (DeclarationNotesFile)
//
// The records' notes (DeclarationNotes) are kept out of the record files, which every start
// reads: a load leaves them to RecordLists::ensureNotes, which reads typedefNotes and
// declarationNotes of the set the tree was loaded from the first time it is called. A notes file that is missing or
// damaged leaves the notes empty (a damaged one is named in getLoadNotes).
//
// The files are stored as one set (TreeSetFolder): a load reads one set whole, and a write
// replaces the whole set at once, so the files on disk are always one build's.
//
// Load rebuilds the lists and links them. The set is written only at exit, when a change flag
// is set (treeChanged for the five record lists, functionsWasChanged, typedefListWasChanged);
// the files of the unchanged groups are taken over from the set that was loaded. A file that
// was damaged when loaded (not a property list, not a list, elements that are not sound
// records) is taken over as it is until the list read from it changes, so that a change
// elsewhere in the tree does not replace it with the part that could be read.
//
// A tree is made on a set: the one it was loaded from, or the one current when its build began.
// When another Kestrel has stored a set since, that set is newer than this tree, and the exit
// replaces it only when told to.
#include <array>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/app/TreeSetFolder.h"
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
    // The start-up decision: load when the stored set holds the class, protocol and category
    // files, else build.
    static bool treeFilesExist();

    // The load: every list from its file, linked, numbered and handed to the tree view, with
    // the progress amounts of the opening window. Answers false, naming the files in unreadable,
    // when the class, protocol or category file is there but gives no list (not a property
    // list, another type, no permission, larger than a stored file can be), or the class file
    // holds no class: the lists are then left empty and the tree must be built instead.
    bool initTreeFromFile(std::vector<std::string>* unreadable = nullptr);
    // After a load: one line for each of the other files that is there but could not be read
    // ("The stored structs (structData) could not be read: not a property list. A build makes
    // them again.").
    const std::vector<std::string>& getLoadNotes() const { return loadNotes; }

    // The build's two ends: the set current when it begins is the one its tree is made on; a
    // build that found nothing at all (no header, or not one record) leaves the stored set as
    // it is.
    void buildWillStart();
    void buildDidEnd(std::size_t hedderCount);

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

    enum class OnNewer { Replace, Keep };
    struct StoreReport {
        std::vector<std::string> problems;  // the writes that failed, each with its reason
        std::vector<std::string> notes;     // what the user should hear besides (a newer tree replaced)
        bool newerTreeKept = false;         // OnNewer::Keep met a newer set: this tree was not written
        bool ok() const { return problems.empty(); }
    };
    // The exit: the tree set when anything in it changed, and the preferences file. The change
    // flags stay set for what could not be written, so that a second call tries again.
    StoreReport applicationWillTerminate(OnNewer onNewer = OnNewer::Replace);

    // Tests: called at each step of a store (see TreeSetFolder::onStep).
    std::function<void(const std::string& step)> onStoreStep;

private:
    enum ListFile { kClassFile, kProtocolFile, kCategoryFile, kStructFile, kEnumFile, kListFiles };

    template <class Record>
    bool readRecordFile(ListFile file, std::optional<PlistArray> array, bool present,
                        std::vector<std::shared_ptr<Record>>& list);
    static std::vector<std::shared_ptr<FunctionMacrosData>> functionsFrom(std::optional<PlistArray> array);
    static std::optional<std::map<std::string, std::string>> typedefListFrom(std::optional<PlistDict> dic);
    template <class Use>
    auto withList(ListFile file, Use use) const;  // use(the list of file)
    PlistArray listForm(ListFile file) const;  // as stored: without the notes
    PlistArray functionsForm() const;
    void loadDeclarationNotes();
    bool anythingChanged() const;
    void storeTree(OnNewer onNewer, StoreReport& report);
    TreeSetFolder setFolder() const;

    AppAction2& app;
    TreeLinker& linker;
    // The set this tree was made on (for telling whether a newer one was stored since), and the
    // one whose files hold its unchanged parts (none after a build).
    TreeSetFolder::SetId madeOn;
    TreeSetFolder::SetId filesFrom;
    std::vector<std::string> loadNotes;
    // The notes files of the set loaded, held open until they are read (loadDeclarationNotes).
    std::array<std::shared_ptr<TreeSetFolder::OpenFile>, TreeSetFolder::kFiles> notesFiles;
    // Per record-list file that was damaged when loaded: the form its records had right after
    // the load; none for the sound ones.
    std::array<std::optional<PlistArray>, kListFiles> loadedForm;
    // The removal of the sets earlier stores put aside, begun with a build and done meanwhile
    // (TreeSetFolder::removeReplacedSets); waited for before a store and at the end.
    std::future<void> clearing;
};

}  // namespace kestrel
