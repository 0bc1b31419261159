#pragma once
// The data folder: the home folder, "/", and the text of "KestrelFolder"
// (~/.local/share/Kestrel). It holds the tree files, the comment, URL and private-header files.
#include <optional>
#include <string>

namespace kestrel {

class DataFolder {
public:
    // No trailing "/".
    static std::string getMainFolderPath();
    // The data folder, "/", the text of key ("classDataFileName", "urlFile", ...).
    static std::string filePath(const char* key);
    // startupCheck: creates the folder when nothing is there. Something there that is no
    // folder is left alone (the writes into it then fail). Answers why the folder is not there
    // when it could not be made.
    static std::optional<std::string> startupCheck();
    // Why nothing can be stored in the data folder, in words that name it: "the data folder
    // /home/u/.local/share/Kestrel is on a read-only file system"; none when it can be written
    // (or does not exist yet but can be made).
    static std::optional<std::string> writeProblem();
    // A failed write into the folder (errno error) in words that name it.
    static std::string describeWriteError(const std::string& folder, int error);
};

}  // namespace kestrel
