#pragma once
// The build's walk of one path (the frameworks root, or a private header file or folder): the
// frameworks it enters and the headers it finds, in the order the walk meets them, for the
// build to announce and analyse.
//
//   <root>/Foundation.framework/Headers/NSString.h
//       -> framework "Foundation.framework", header NSString.h of "Foundation.framework"
//   <root>/Outer.framework/Frameworks/Inner.framework/Headers/In.h
//       -> "Outer.framework/Inner.framework"
//   a header not inside any framework -> no framework name
//
// A folder named ".framework" is walked through its Headers and Frameworks folders; any other
// folder through all its entries but those whose name holds "i386" (architecture folders).
// Only regular files whose name ends in ".h" are headers. The kernel's framework
// (Kernel.framework) is left out, nothing else: a path that merely holds "Kernel" is read.
//
// Links and link files (see LinkFile) are followed, each folder is entered once (by device and
// inode), so loops end and a folder reached by two ways is read once, and a framework is named
// by where it really is below the walk's path: ApplicationServices.framework/Frameworks/
// CoreGraphics.framework, a link to <root>/CoreGraphics.framework, gives its headers to
// "CoreGraphics.framework" whichever of the two the listing gives first. A framework whose
// real place is outside the walk's path keeps the name the walk reached it by.
#include <optional>
#include <string>
#include <vector>

namespace kestrel {

struct HedderStep {
    enum class Kind { Framework, Hedder };
    Kind kind = Kind::Hedder;
    std::string path;                    // the header's path (a framework: none needed)
    std::string name;                    // the framework's display name, or the header's
    std::optional<std::string> fwName;   // the header's framework, none outside any
    bool custom = false;                 // from the private list
};

class HedderWalk {
public:
    // Appends the steps of the walk of path to steps. fwName: the framework the path lies in
    // (none at the top); custom marks headers of the user's private list.
    static void walk(const std::string& path, const std::optional<std::string>& fwName, bool custom,
                     std::vector<HedderStep>& steps);
};

}  // namespace kestrel
