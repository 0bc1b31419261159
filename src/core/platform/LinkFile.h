#pragma once
// A symbolic link stored as a small regular file whose whole text is the link's target, as a
// checkout makes links where it cannot make them (git with core.symlinks off, an archive
// unpacked on a file system without links):
//
//   AppKit.framework/Headers           24 bytes  "Versions/Current/Headers"
//   AppKit.framework/Versions/Current   1 byte   "C"
//   ApplicationServices.framework/Versions/A/Frameworks/CoreGraphics.framework
//                                                "../../../../CoreGraphics.framework"
//
// A file is read as such a link only when all of these hold:
//   - it is a regular file of 1 to kMaxBytes bytes;
//   - its text is one line: no line break (LF or CR) and no NUL;
//   - the text is a relative path (no leading "/");
//   - the path, taken from the folder that holds the file, leads to an entry that exists,
//     through real links and further link files, kMaxHops link files at most in all.
// Anything else is an ordinary file: a header whose text merely looks like a path
// ("#include <CoreImage/CIColor.h>" names nothing that exists) stays a header. A loop or a
// target that does not exist makes the file an ordinary file too, quietly.
//
// Paths answered are physical: real links resolved, "." and ".." taken where they stand.
#include <cstddef>
#include <optional>
#include <string>

namespace kestrel {

class LinkFile {
public:
    static constexpr std::size_t kMaxBytes = 1024;
    static constexpr int kMaxHops = 32;

    struct Target {
        std::string path;  // physical
        bool isFolder = false;
    };

    // The text of the file at path when it has the form of a link file (first three rules
    // above; whether it leads anywhere is not looked at). Reads kMaxBytes + 1 bytes at most.
    static std::optional<std::string> text(const std::string& path);

    // Where the link file called name in folder leads. None when it is no link file by the
    // rules above (also for a loop or a dangling target). folder must be physical, or have
    // its real links resolvable by the system.
    static std::optional<Target> follow(const std::string& folder, const std::string& name);

    // The entry a whole path stands for, link files anywhere along it followed (the last
    // component too, when it is a link file that leads somewhere). Relative paths start at
    // the working folder. None when nothing exists there.
    //   ".../AppKit.framework/Headers/NSView.h" -> ".../AppKit.framework/Versions/C/Headers/NSView.h"
    static std::optional<Target> resolve(const std::string& path);
};

}  // namespace kestrel
