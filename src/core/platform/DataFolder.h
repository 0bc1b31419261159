#pragma once
// The data folder: the home folder, "/", and the text of "KestrelFolder"
// (~/.local/share/Kestrel). It holds the tree files, the comment, URL and private-header files.
#include <string>

namespace kestrel {

class DataFolder {
public:
    // No trailing "/".
    static std::string getMainFolderPath();
    // The data folder, "/", the text of key ("classDataFileName", "urlFile", ...).
    static std::string filePath(const char* key);
    // startupCheck: creates the folder when nothing is there. Something there that is no
    // folder is left alone (the writes into it then fail).
    static void startupCheck();
};

}  // namespace kestrel
