#pragma once
// Where Quick Help's link leads: the header of the record that declares what it shows, at the
// line Quick Help shows; without one (a store written before lines were kept), at the line a
// scan of the header finds, as Show Header does.
//
//   -(void)display shown for NSButton, declared by NSView at line 120
//     -> {<root>/AppKit.framework/Headers/NSView.h, 120}, named "-[NSView display]"
// A header that is no longer there still gives a place, the path where it was looked for with
// line 0, so that the viewer says what is missing.
#include <optional>
#include <string>
#include <vector>

#include "core/app/HeaderLocation.h"
#include "core/text/QuickHelpText.h"

namespace kestrel {

class QuickHelpPlace {
public:
    struct Target {
        HeaderLocation::Place place;
        std::string declarationName;  // "-[NSView display]", "NSMakeRect", "NSWindowStyleMaskTitled"
    };

    // None without a subject, or for a subject whose record names no header.
    static std::optional<Target> of(const QuickHelpText::Content& content, const std::string& frameworksRoot,
                                    const std::vector<std::string>& privateHedders);
};

}  // namespace kestrel
