#pragma once
// The user's folders: the home folder ($HOME) and the folder that holds the preferences file
// ($XDG_CONFIG_HOME, else ~/.config; ~/Library/Preferences on macOS).
#include <string>

namespace kestrel {

class UserFolders {
public:
    // $HOME; the account's home folder when HOME is unset or empty; "" when neither is known.
    static std::string home();
    static std::string preferencesFolder();
};

}  // namespace kestrel
