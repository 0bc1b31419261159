#pragma once
// The stored tree's files, kept on disk as one set, so that what lies there is always
// one build's (or one change's): all old or all new, whenever a writer is killed. There are
// nine: the seven of the older versions, typedefNotes (the typedefs' lines, comments and
// availability) and declarationNotes (the other declarations': DeclarationNotesFile), which a set
// stored by an older version lacks.
//
//   <data>/trees/000007-Ab12Cd/classData ... typedefNotes   the current set (between writes, the only one
//                                                       but those put aside)
//   <data>/currentTree -> trees/000007-Ab12Cd           names the current set
//   <data>/classData -> currentTree/classData  ...      each of the seven where tools read it
//
// A write makes the new set in a temporary folder of trees/, renames that to the set's name and
// switches currentTree to it with one more rename; then it puts the older sets aside, each renamed
// to a hidden name (".replaced.kestrel-tmp-000006-Xy34Zw"), for removeReplacedSets to remove:
// removing a set's files waits for the disk (some 10 ms for an SDK's), which the next build does
// meanwhile instead of the store making its caller wait. Every
// Kestrel process takes the data folder's lock (FolderLock) for this: shared to read a set
// whole, exclusive to write one, so that no reader meets a set half removed and no two writers
// interleave.
//
// A data folder of older versions holds the seven as plain files. They read as a set of their
// own (id ""), and the first write moves them into this layout: each path then becomes a link
// into the current set, replacing the file or link that stood there -- a link is replaced
// itself, never written through.
#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/platform/RegularFile.h"
#include <vector>

namespace kestrel {

class TreeSetFolder {
public:
    static constexpr std::size_t kFiles = 9;
    enum File {
        kClassFile, kProtocolFile, kCategoryFile, kStructFile, kEnumFile, kFunctionsFile, kTypedefsFile,
        kTypedefNotesFile, kDeclarationNotesFile
    };
    // The files of a set by their keys in the "InfoPlist" table, in File order.
    static const std::array<const char*, kFiles> kFileKeys;

    // A set's identity: its folder's name in trees/; "" for the seven plain files of an older
    // data folder; none where no tree is stored.
    using SetId = std::optional<std::string>;

    explicit TreeSetFolder(std::string dataFolder);

    SetId currentId() const;
    // Whether the current set holds the class, protocol and category files (the load's
    // condition; without them the tree is built).
    bool decisiveFilesPresent() const;
    // The name of a file of the set ("classData").
    static std::string fileName(std::size_t file);

    // A file of a set held open, so that it can be read later even when the set has been
    // replaced and removed since.
    class OpenFile {
    public:
        explicit OpenFile(const std::string& path);
        ~OpenFile();
        OpenFile(const OpenFile&) = delete;
        OpenFile& operator=(const OpenFile&) = delete;
        // Its bytes (at most maxBytes); none, with the reason, when they cannot be read.
        std::optional<std::string> read(std::size_t maxBytes, std::string& problem) const;

    private:
        int fd = -1;
        std::string problem;
    };

    struct Contents {
        SetId id;
        std::array<bool, kFiles> present{};                    // something is there
        std::array<std::optional<std::string>, kFiles> bytes;  // what it holds, when it could be read
        std::array<std::string, kFiles> problems;              // why one that is there could not be
        std::array<std::shared_ptr<OpenFile>, kFiles> later;    // the notes files that are there
    };
    // The current set's files, read whole (each at most maxBytes) while no writer can switch;
    // all but the notes (typedefNotes, declarationNotes), which are opened to be read when they
    // are asked for (later).
    Contents read(std::size_t maxBytes) const;

    // One file of a set being written: its bytes, or the base set's file unchanged (taken over
    // without copying where the file system allows; bytes are asked for where it cannot be).
    struct FileToWrite {
        bool keepBase = false;
        std::function<std::optional<FileBytes>()> bytes;
        // Made on a thread of its own while the others are (its bytes must not need theirs).
        bool meanwhile = false;
    };
    enum class Newer { Replace, Keep };
    struct WriteResult {
        enum class Outcome { Written, NewerKept, Failed } outcome = Outcome::Failed;
        SetId id;                        // the current set afterwards
        bool replacedNewer = false;      // a set stored by another process since base was replaced
        std::string problem;             // why nothing was written (Failed)
        std::vector<std::string> notes;  // what failed once the set was stored (a link not placed)
    };
    // Writes a set made on base: the set its tree was read from, or that was current when its
    // build began. A set another process stored since is newer than this tree: onNewer says
    // whether it is replaced or kept.
    WriteResult write(const std::array<FileToWrite, kFiles>& files, const SetId& base, Newer onNewer) const;
    // Removes the sets that writes put aside. Nobody reads them any more (they were put aside
    // under the exclusive lock, and no name leads to them), so it needs no lock and may run
    // beside anything, another process's removal too.
    void removeReplacedSets() const;

    // Tests: called after each step of a write ("file classData", "set", "switch",
    // "link classData", "clean"; the move of an older folder's files first, each step named
    // "old ..."), so that a kill can be placed at every one.
    std::function<void(const std::string& step)> onStep;

private:
    // Where one file of a set being made comes from, tried in this order: a hard link to a file
    // of another set, a copy of a file (read through links), the bytes; none of them, for an
    // optional file.
    struct Source {
        std::string linkFrom;
        std::string copyFrom;
        const std::function<std::optional<FileBytes>()>* bytes = nullptr;
        bool optional = false;
        bool meanwhile = false;
    };
    // Makes a set in a temporary folder of trees/ and renames it to its name, which it answers.
    std::optional<std::string> makeSet(const std::array<Source, kFiles>& sources, const std::string& stepPrefix,
                                       std::string& problem) const;
    // Points currentTree at the set (removing the set when it cannot).
    bool switchTo(const std::string& name, const std::string& stepPrefix, std::string& problem) const;
    // Each of the seven paths of the data folder becomes a link through currentTree.
    void placeLinks(std::vector<std::string>& notes, const std::string& stepPrefix) const;
    SetId currentIdUnlocked() const;
    std::string path(const std::string& name) const { return folder + "/" + name; }
    // Where the files of set id lie.
    std::string filesOf(const std::string& id) const;
    // Points the entry name of the data folder at target, with a link renamed over what is there.
    bool placeLink(const std::string& name, const std::string& target, std::string& problem) const;
    std::optional<std::string> nextSetName(const std::string& suffix) const;
    void removeOldSets(const std::string& keep) const;
    void step(const std::string& what) const {
        if (onStep) onStep(what);
    }

    std::string folder;
    std::string setsName;  // "trees"
    std::string linkName;  // "currentTree"
};

}  // namespace kestrel
