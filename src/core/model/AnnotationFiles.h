#pragma once
// The user's annotation files in the data folder, each read afresh on every call:
//   comments      "commentFileName"  dictionary: method declaration, function declaration or
//                                    class name -> comment text; type code 'KSAC'
//   class URLs    "urlFile"          dictionary: class name -> URL; type code 'KSTU'
//   private headers "customHedders"  array of absolute paths of header files and folders
// Each file is replaced as a whole, atomically. Entries of the wrong type are left out when
// reading; what remains is still answered.
//
// Editors merge on write: the file is read again under the data folder's lock, only this
// editor's changes (what differs between the store as the editor opened it and its copy now)
// are applied to it, and the result replaces it. So a comment confirmed in another window
// meanwhile stays; where both changed one entry, the later OK stands.
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kestrel {

using StringDic = std::map<std::string, std::string>;

class AnnotationFiles {
public:
    static std::string getCommentFilePath();
    // An empty store when there is no file; none when a file is there but cannot be read as a
    // dictionary (so that nobody mistakes it for an empty store and writes over it).
    static std::optional<StringDic> getCommentDic();
    // Refuses (answers false) to replace a file that is there but cannot be read: its
    // comments would be lost.
    static bool writeCommentDic(const StringDic& dic);
    // Merge on write (see above). Answers the store as written, or none with the reason.
    static std::optional<StringDic> mergeCommentDic(const StringDic& opened, const StringDic& edited,
                                                    std::string* problem = nullptr);

    static std::string getURLFilePath();
    // None when there is no file, the path is a folder, or it cannot be read as a dictionary.
    static std::optional<StringDic> getURLDic();
    // For the editor that replaces the file: an empty store when there is no file; none when
    // something is there (a folder too) that cannot be read as a dictionary.
    static std::optional<StringDic> getURLStore();
    static std::optional<std::string> getClassURL(const std::string& className);
    // None writes nothing; neither is a file replaced that is there but cannot be read.
    static bool writeURLDic(const std::optional<StringDic>& dic);
    static std::optional<StringDic> mergeURLDic(const StringDic& opened, const StringDic& edited,
                                                std::string* problem = nullptr);
    // No browser takes a longer address; the editor refuses one.
    static constexpr std::size_t kLongestURL = std::size_t{1} << 20;

    static std::string getPrivateHeddersPath();
    // None when there is no file or it cannot be read as an array.
    static std::optional<std::vector<std::string>> getPrivateHedders();
    // For the dialog that replaces the file: an empty list when there is no file; none when
    // something is there that cannot be read as an array.
    static std::optional<std::vector<std::string>> getPrivateHedderStore();
    // Refuses to replace a file that is there but cannot be read.
    static bool writePrivateHedders(const std::vector<std::string>& paths);
    // Paths removed since opened go, paths added are appended (each once), the others keep
    // their places in the file.
    static std::optional<std::vector<std::string>> mergePrivateHedders(const std::vector<std::string>& opened,
                                                                      const std::vector<std::string>& edited,
                                                                      std::string* problem = nullptr);
};

}  // namespace kestrel
