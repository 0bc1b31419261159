#pragma once
// The SDK chosen in the preferences dialog, as the dialog shows and takes it:
//
//   ""                        the platform's own headers: "Default: GNUstep (base 1.28.0, ...)"
//   ".../MacOSX14.2.sdk/"     an SDK: "macOS 14.2"; taken as ".../MacOSX14.2.sdk"
//   "/tmp"                    refused: "/tmp is no SDK: it has no System/Library/Frameworks"
#include <string>

namespace kestrel {

class SdkChoice {
public:
    struct Note {
        std::string text;
        bool acceptable = false;
    };

    // The field's text as stored: blanks around it and trailing "/" taken away.
    static std::string taken(const std::string& field);
    // defaultRoot: the frameworks root read when no SDK is chosen.
    static Note note(const std::string& field, const std::string& defaultRoot);
};

}  // namespace kestrel
