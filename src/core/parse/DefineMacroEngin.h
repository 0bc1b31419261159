#pragma once
// The evaluator of the define pass: reads one header, records the macros it defines and the
// headers it imports, and reads each imported header first. Conditions are decided as in the
// analysis (CMacroEngin), for the same target, so the defines recorded are those a compiler
// would see:
//
//   Foundation.framework/Headers/NSString.h:   #define NSMaximumStringLength (INT_MAX-1)
//   App.h:                                       #import <Foundation/NSString.h>
//   -> NSString.h is read as soon as App.h reaches the import; then
//      App.h  imports {NSString.h}, NSString.h defines {NSMaximumStringLength: (INT_MAX-1)}
//
// Includes are looked up as a compiler would: "" beside the including header first, then the
// frameworks (<F/H.h> in F.framework/Headers, sub-frameworks included), then the target's
// include folders (an SDK's usr/include: <TargetConditionals.h>, <os/availability.h>). A header
// of the frameworks is filed under its file name, one of the include folders under the path
// written ("sys/cdefs.h").
#include <memory>
#include <optional>
#include <string>

#include "core/parse/CMacroEngin.h"

namespace kestrel {

class DefineData;
class DefinedNames;
class DefinePrescan;
class FilePrefetch;
class HeaderIndex;

class DefineMacroEngin : public CMacroEngin {
public:
    DefineMacroEngin(TextBuffer* buffer, std::optional<std::string> header);
    ~DefineMacroEngin() override;

    // Reads the header at path and stores its record under name in the process-wide define
    // list, unless a record of that name exists. The record is stored before the header is
    // read, so an import cycle back to it ends. Imports are followed without recursion: a
    // long chain of headers each importing the next costs heap, not call stack.
    void calcHeaderFile(const std::string& path, const std::string& name);

    void doImport() override;  // after "import": records the header, follows it
    // After "include": the same as an import, since <Foundation/NSObject.h> brings in that
    // header's defines whichever directive names it.
    void doInclude() override { doImport(); }
    void doDefine() override;  // after "define": records the macro
    void doUndef() override;   // after "undef": records that the macro is gone
    // #include_next: the next header of that name in the include folders after this one's.
    void doIncludeNext() override;

    // The folder called framework (e.g. "Foundation.framework") found depth first below folder,
    // links and link files followed; remembered in the process-wide path cache, the empty
    // string marking a name found nowhere below the folder. None for no name or nothing found.
    // Both lookups answer from the folder index (ProcessState::folderIndex()), made once per
    // build, and may be asked from several threads at once.
    static std::optional<std::string> findFramework(const std::string& folder,
                                                    const std::optional<std::string>& framework);
    // The first file called name in a depth-first search below folder, links and link files
    // followed; a name with "/" ("hid/IOHIDLib.h") is the end of the file's path below folder.
    static std::optional<std::string> findHeader(const std::string& folder, const std::string& name);

    // Which records define which names, shared by the readers of one pass (kept up to date as
    // they record); made from the define list when none is given.
    void setNames(std::shared_ptr<DefinedNames> names);
    const std::shared_ptr<DefinedNames>& getNames() const { return names; }
    // Headers read ahead for the pass (none: each is read when its turn comes), shared with the
    // readers of the headers it imports.
    void setPrefetch(std::shared_ptr<FilePrefetch> ahead) { prefetch = std::move(ahead); }

private:
    struct Import {
        std::string path;
        std::string name;
        bool forward = false;  // a header of the importer's own name: read into its record
    };
    // Starts reading the header with this evaluator, into record, or into a new record stored
    // under name.
    void openHeader(const std::string& path, const std::string& name, std::shared_ptr<DefineData> record = nullptr);
    // Reads the open header on, until its end (true) or until an import has to be read first
    // (false; the import waits in pendingImport).
    bool readOn();
    // Records the import under key and reads the header at path first (none: not found).
    void follow(const std::string& key, const std::optional<std::string>& path);

    std::unique_ptr<TextBuffer> ownBuffer;  // the header being read by calcHeaderFile
    std::string ownPath;                    // and its path
    // The headers of the frameworks searched so far, shared by the readers of one pass so that
    // each framework folder is listed once, not once per import.
    std::shared_ptr<HeaderIndex> headerIndex;
    std::shared_ptr<DefinedNames> names;
    std::shared_ptr<FilePrefetch> prefetch;
    std::shared_ptr<DefinePrescan> prescan;  // of the header being read, when it was read ahead
    std::optional<Import> pendingImport;
    bool inCalcHeaderFile = false;  // imports wait for calcHeaderFile's loop instead of recursing
};

}  // namespace kestrel
