#include "core/app/QuickHelpPlace.h"

#include <algorithm>
#include <cstdint>

#include "core/model/HasMethodsData.h"
#include "core/model/TreeData.h"
#include "core/text/NotesLookup.h"

namespace kestrel {

std::optional<QuickHelpPlace::Target> QuickHelpPlace::of(const QuickHelpText::Content& content,
                                                         const std::string& frameworksRoot,
                                                         const std::vector<std::string>& privateHedders) {
    if (!content.record) return std::nullopt;
    const TreeData* declaredBy = content.record.get();
    if (!content.method.empty() && content.record->whoAreYou() >= kHasMethodsDataKind &&
        content.record->whoAreYou() <= kProtocolDataKind) {
        if (const HasMethodsData* owner = NotesLookup::declaringOwner(
                static_cast<const HasMethodsData&>(*content.record), content.method))
            declaredBy = owner;
    }
    if (!declaredBy->hedderName()) return std::nullopt;

    Target target;
    target.declarationName =
        content.constant.empty() ? HeaderLocation::declarationName(*declaredBy, content.method) : content.constant;
    std::optional<HeaderLocation::Place> place =
        HeaderLocation::locate(*declaredBy, frameworksRoot, privateHedders, content.method);
    // The line Quick Help shows (a constant's own, where the scan knows its enum's only).
    if (place && content.line && *content.line > 0)
        place->line = static_cast<std::int32_t>(std::min<std::int64_t>(*content.line, INT32_MAX));
    target.place = place ? *place : HeaderLocation::Place{HeaderLocation::expectedPath(frameworksRoot, *declaredBy), 0};
    return target;
}

}  // namespace kestrel
