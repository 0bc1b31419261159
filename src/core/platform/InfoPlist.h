#pragma once
// The "InfoPlist" table: user-visible texts and data file names, looked up by key.
// The table is resources/InfoPlist.strings, compiled into the program, in the strings-file form
//   /* comment */  "classDataFileName" = "classData";  // comment
#include <map>
#include <string>
#include <string_view>

namespace kestrel {

class InfoPlist {
public:
    // The text of key; the key itself when the table has no such entry, so that a missing
    // text shows as its key instead of vanishing.
    static std::string localizedString(std::string_view key);

    // The entries of a strings file. Keys and texts are quoted (or plain words); the escapes
    // backslash + quote, backslash, n, t, r and Uxxxx (written as UTF-8) are understood.
    // A malformed entry is skipped up to the next ";"; a later entry with the same key
    // replaces an earlier one.
    static std::map<std::string, std::string> parseStrings(std::string_view text);
};

}  // namespace kestrel
