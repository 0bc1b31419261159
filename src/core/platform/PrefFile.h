#pragma once
// The preferences file: a property-list dictionary (PrefData's stored form) named by
// "defaultsFileName" in the preferences folder. Read once at start-up, written at exit when
// prefChanged is set.
//
// A file that is there but damaged (not a property list, not a dictionary, unreadable, or a
// value of a type that cannot be read) gives the defaults for what could not be read and is
// left as it is: only a change by the user (the preferences dialog sets prefChanged) replaces it.
#include <string>

namespace kestrel {

class PrefFile {
public:
    static std::string getPrefFilePath();
    // setUpPref: ProcessState::prefData() gets the defaults (the record is made when there is
    // none yet, and kept otherwise, so references to it stay good), then the file is applied.
    // Without a file, prefChanged is set so that a complete file is written at exit.
    static void setUpPref();
    // The exit write: when prefChanged is set, the record's keys replace those of the file
    // (atomically; keys Kestrel does not know are kept) and prefChanged is cleared. Answers
    // whether the file was written; problem says why when a write failed.
    static bool writePref(std::string* problem = nullptr);
};

}  // namespace kestrel
