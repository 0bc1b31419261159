#pragma once
// The macros one header sees at the point a reader has reached in it, as a compiler would:
//
//   1. what the header itself has defined or undefined so far (its own record),
//   2. what the headers it has imported so far define, through their imports, depth first in
//      import order (the first definition found wins; an "#undef" found first hides it),
//   3. what the target predefines (__APPLE__, __LP64__, __OBJC__, ...),
//   4. else, for a macro expanded (not one asked about with defined or #ifdef), what any other
//      header of the frameworks defines: a header is read on its own here, but a compiler meets
//      it after the headers its umbrella included first, whose macros it may use without
//      importing them:
//          NSOrderedSet.h:  #if OS_API_VERSION(MAC_OS_X_VERSION_10_7,GS_API_LATEST)
//                           #import <GNUstepBase/GSVersionMacros.h>      (defines OS_API_VERSION)
//      Whether a macro is defined stays a question of what the header sees: gltypes.h asks
//      "#if !defined(GL_VERSION_2_0)" before gl.h, which includes it, defines GL_VERSION_2_0.
//
//   App.h:  #import <Base/Base.h>          (Base.h: #define BASE_VERSION 2)
//           #if BASE_VERSION >= 2          -> sees 2
//           #define LOCAL 1                -> seen from here on, not above
//
// The define pass keeps the header's record in the define list as its own record; the
// analysis keeps one of its own, so that the define list stays untouched while headers are
// analysed. Lookups through the imports ask DefinedNames which records define a name, so a
// lookup costs a few hash probes, not a walk.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/parse/DefineData.h"
#include "core/parse/DefinedNames.h"
#include "core/parse/HeaderSearch.h"
#include "core/platform/ProcessState.h"

namespace kestrel {

class CompileTarget;
class MacroDefinition;

class MacroScope {
public:
    // group and index (if any) must outlive the scope; without an index the records a header
    // can see are walked one by one.
    MacroScope(std::shared_ptr<const CompileTarget> target, const DefineList& group,
               const DefinedNames* index = nullptr);

    // The header's own record, whose lines are looked at first and receive define().
    void setOwnRecord(std::shared_ptr<DefineData> record);
    const std::shared_ptr<DefineData>& getOwnRecord() const { return own; }
    void setIndex(const DefinedNames* names) { index = names; }
    // The header's path (for "" includes and include_next); none for a text without a file.
    void setCurrentFile(std::optional<std::string> path) { currentFile = std::move(path); }
    const std::optional<std::string>& getCurrentFile() const { return currentFile; }

    // The header imported under this record key becomes visible, with what it imports (as it
    // stands at the next lookup: the define pass reads an import before the importer goes on).
    void addImport(const std::string& key);
    // Records a line of the header itself ("#define", "#undef").
    void define(const std::string& name, MacroDefinition definition);
    void undefine(const std::string& name);
    // Starts afresh: no own lines, no imports.
    void clear();

    // The macro's definition as the header sees it now, for expanding it; none when undefined.
    const MacroDefinition* find(std::string_view name);
    // Whether the header sees the macro defined now (defined X, #ifdef X).
    bool isDefined(std::string_view name);
    // The definition the header's own lines and its imports give the macro now, none for an
    // "#undef" (no predefined macro, none from elsewhere): what DefineLookup finds through an
    // ImportOrder of the own record, from the places this scope keeps anyway.
    const MacroDefinition* importedDefinition(std::string_view name);

    const CompileTarget& getTarget() const { return *target; }
    HeaderSearch getHeaderSearch() const { return HeaderSearch(*target); }

private:
    void makeImportsVisible();
    // The line for name that the header sees (an undefined mark included), or none.
    const MacroDefinition* visibleLine(std::string_view name);
    // The same from its own lines and imports only.
    const MacroDefinition* importedLine(std::string_view name);
    const MacroDefinition* elsewhere(std::string_view name) const;

    std::shared_ptr<const CompileTarget> target;
    const DefineList* group;
    const DefinedNames* index;
    std::shared_ptr<DefineData> own;
    std::optional<std::string> currentFile;
    std::vector<std::string> pendingImports;
    // A record's place among those visible, depth first, plus one (0: not visible): by its
    // ordinal where it has one, else by its address.
    // Inline: asked for every record of every header's imports.
    std::size_t placeOf(const DefineData& record) const {
        const std::size_t ordinal = record.getOrdinal();
        if (ordinal == DefineData::kNoOrdinal) return placeByAddressOf(record);
        // A record placed alone was in no walk taken whole before it.
        if (ordinal < placeByOrdinal.size() && placeByOrdinal[ordinal] != 0) return placeByOrdinal[ordinal];
        for (const Taken& taken : walks)
            if (const std::size_t at = taken.walk->placeOf(ordinal)) return taken.before + at;
        return 0;
    }
    std::size_t placeByAddressOf(const DefineData& record) const;
    bool makeVisible(const DefineData& record) {
        if (&record == own.get() || placeOf(record) != 0) return false;
        return place(record);
    }
    bool place(const DefineData& record);
    // The imports' walks taken whole, shared with every header that imports the same: a
    // record's place is its place in the first walk that met it, after the places numbered
    // before that walk was taken (the records of a walk that were visible already keep theirs).
    // The records made visible one by one are numbered on from there.
    struct Taken {
        std::shared_ptr<const DefinedNames::Closure> walk;
        std::size_t before;
    };
    std::vector<Taken> walks;
    std::size_t visibleCount = 0;
    std::vector<std::uint32_t> placeByOrdinal;  // four bytes a record: it is cleared for every header
    std::unordered_map<const DefineData*, std::size_t> placeByAddress;
    std::vector<const DefineData*> visibleOrder;
};

}  // namespace kestrel
