#pragma once
// Whole regular files, read and replaced safely.
//
// read: one open, one fstat and as few reads as the kernel needs. Anything else is none: a
// missing or unreadable path, a folder, a FIFO or device (which could block for ever: hence the
// non-blocking open, and the check on the opened file itself, so nothing can be swapped in
// between), a file beyond the size limit (checked before anything is read), a read error (never
// half a file), and a file too large for the memory there is (never an abort).
//
// replace: the bytes go to a temporary file beside the target, which is then renamed over it:
// at every instant the path holds the old file or the new one, whole. Temporary files carry a
// fixed mark in their names (".classData.kestrel-tmp-Ab12Cd"), so that the clean-up of those
// left by a writer that was killed removes Kestrel's own and nothing of the user's. A target
// that exists and is not a regular file (a FIFO, a device, a folder) is refused: a write never
// removes /dev/null.
#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrel {

// A file's bytes in one piece or several (a large file made as it is written is kept in pieces
// of about a megabyte, so that it is never copied whole to grow), or made while they are
// written: stream hands each piece to the sink as it makes it, and answers false when the bytes
// could not be made (or the sink answered false).
struct FileBytes {
    using Sink = std::function<bool(std::string_view)>;
    FileBytes(std::string whole) { pieces.push_back(std::move(whole)); }
    explicit FileBytes(std::vector<std::string> parts) : pieces(std::move(parts)) {}
    static FileBytes streamed(std::function<bool(const Sink&)> stream) {
        FileBytes bytes{std::vector<std::string>{}};
        bytes.stream = std::move(stream);
        return bytes;
    }
    std::vector<std::string> pieces;
    std::function<bool(const Sink&)> stream;  // after the pieces
    // Where stream fails to make its bytes, the file is begun again with these.
    std::function<std::optional<std::string>()> instead;
};

class RegularFile {
public:
    // The default read limit: far beyond any real header (the largest are a few megabytes), so
    // that a huge file given as one costs nothing.
    static constexpr std::size_t kLargestText = std::size_t{64} << 20;
    // The mark in every temporary file's name.
    static constexpr std::string_view kTemporaryMark = ".kestrel-tmp-";

    // problem, when given, says why the answer is none ("larger than 64 MB", "no such file").
    static std::optional<std::string> read(const std::string& path, std::size_t maxBytes = kLargestText,
                                           std::string* problem = nullptr);

    // Why read would answer none, found without reading the file: none when it would not.
    static std::optional<std::string> readProblem(const std::string& path, std::size_t maxBytes = kLargestText);

    enum class Link {
        Replace,  // a link at the path is replaced itself, its target left as it is
        Follow,   // the file a link points at is replaced (the link stays)
    };
    // False, with the reason in problem ("cannot write /a/b: the disk is full"), when the file
    // could not be replaced; the old file is then as it was and no temporary file is left.
    // A new file gets mode 0644, a replaced one keeps its mode.
    static bool replace(const std::string& path, std::string_view bytes, std::string* problem = nullptr,
                        Link link = Link::Replace);

    // Makes a new file (never one that is there) with the bytes, on disk before it answers.
    // False with the reason otherwise; a file begun is removed again.
    static bool create(const std::string& path, std::string_view bytes, std::string* problem = nullptr);
    static bool createInPieces(const std::string& path, const FileBytes& bytes, std::string* problem = nullptr);
    // The same, but only handed to the disk: it is on disk once sync() of the same path answers
    // true. Several files made so and then synced together wait for the disk about once, not
    // once each (a set of stored files, before the folder holding them is renamed into place).
    static bool createUnsynced(const std::string& path, const FileBytes& bytes, std::string* problem = nullptr);
    // Waits until the file at path is on disk; false with the reason when it cannot be.
    static bool sync(const std::string& path, std::string* problem = nullptr);

    // ".<fileName>.kestrel-tmp-" -- temporary names for fileName start so, followed by six
    // characters.
    static std::string temporaryPrefix(const std::string& fileName);
    // Removes the temporaries of fileName in folder that writers killed mid-write left: an hour
    // old (a younger one may be another writer's, still being filled), regular, and named with
    // the mark.
    static void removeStaleTemporaries(const std::filesystem::path& folder, const std::string& fileName);

    // A failed system call's error in words a user can act on: "the disk is full", "the file
    // system is read-only", "permission denied", ...
    static std::string describeError(int error);
    // "12 MB", "3.1 GB": sizes in messages.
    static std::string describeSize(std::size_t bytes);
    // Makes sure the folder's own entry is on disk (after a rename into it).
    static void syncFolder(const std::string& folder);
};

}  // namespace kestrel
