#pragma once
// Which records of the define list define (or undefine) each macro name: a quick "no" for the
// words that no header defines, and the few records to look at for those that some do, instead
// of a walk through every record a header can see. Also each complete record's imports as
// records, so that walks through imports follow pointers instead of looking names up.
//
//   A.h: #define X 1     B.h: #define X 2  #undef Y     recordsDefining("X") -> {A.h, B.h}
//                                                       recordsDefining("Y") -> {B.h}
//   App.h imports A.h, Gone.h (no record)              importsOf(App.h) -> {A.h, none}
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/parse/MacroNameTable.h"
#include "core/platform/ProcessState.h"

namespace kestrel {

class DefineData;

class DefinedNames {
public:
    // Brings the names up to date with group; they are gathered again only when group has
    // gained or lost records since the last call (add() counts as a change). A record is
    // complete once the define pass has made it (a header is read whole before anything else
    // looks at its record, and never again), so a list of the same records defines the same
    // names: the check per header costs no walk over the records.
    void refresh(const DefineList& group);
    // Whether the names are those of group as it stands (refresh would change nothing).
    bool describes(const DefineList& group) const;
    // Takes the names, kept up to date with add() and noteImports() while group was filled, as
    // group's own from now on.
    void settle(const DefineList& group);
    // The define pass, as it records a line for name in record.
    void add(const std::string& name, const DefineData* record);
    bool contains(std::string_view name) const { return names.find(name) != nullptr; }
    // The records with a line for name; none when no record has one.
    const std::vector<const DefineData*>* recordsDefining(std::string_view name) const;
    // The records record imports, in its import list's order (none for a name without a record
    // when they were noted: look it up again), or none when they were not noted for the record
    // as it stands. Never changes anything, so analyses on several threads may ask.
    const std::vector<const DefineData*>* importsOf(const DefineData& record) const;
    // Notes the records record imports now (the define pass, once it has read the record whole).
    void noteImports(const DefineData& record, const DefineList& group);

    // The records a walk through imports meets from record when it has met nothing yet: record
    // itself, then depth first below it in import order, each once, as the list stands. Kept
    // for every later question (and every thread) while it cannot change: while the names
    // describe group (the analysis), or, when every record it meets was read whole, until a
    // header it imports without a record comes into the list. Most headers begin with an import
    // that brings in most of what they see (an umbrella, a framework's defines), so their walks
    // start from it.
    //
    // Each walk also numbers its records, 1 up in walk order, by their ordinals: a header whose
    // scope begins with the walk shares those places instead of numbering the records again.
    struct Closure : std::vector<const DefineData*> {
        using std::vector<const DefineData*>::vector;
        // The 1-based place of each record by its ordinal, 0 for one not met; empty when a record
        // met has no ordinal (then each scope numbers the records itself).
        std::vector<std::uint32_t> placeByOrdinal;
        // The record's place in the walk, 0 for none; only where placeByOrdinal was made.
        std::size_t placeOf(std::size_t ordinal) const {
            return ordinal < placeByOrdinal.size() ? placeByOrdinal[ordinal] : 0;
        }
        bool numbered() const { return !placeByOrdinal.empty() || empty(); }
        // Whether the walk met the record.
        bool holds(const DefineData& record) const;
    };
    std::shared_ptr<const Closure> closureOf(const DefineData& record, const DefineList& group) const;
    // The same where it was worked out already and still holds, else none.
    std::shared_ptr<const Closure> keptClosureOf(const DefineData& record, const DefineList& group) const;

private:
    MacroNameTable names;
    // Each record's imports, found by its ordinal (every walk through imports asks, once per
    // record it passes), else by its address.
    struct Noted {
        const DefineData* record = nullptr;
        std::vector<const DefineData*> imports;
    };
    std::deque<Noted> importsByOrdinal;  // grows without moving what a walk holds
    std::unordered_map<const DefineData*, std::vector<const DefineData*>> imports;
    std::vector<const DefineData*>& importsSlot(const DefineData& record);
    std::size_t records = 0;
    struct Closures {
        std::mutex mutex;
        // Each by its record, held so that its address names no other record while it is kept
        // (a list read again makes new records).
        struct Kept {
            std::shared_ptr<const DefineData> record;
            std::shared_ptr<const Closure> closure;
            // Imports met without a record: the walk holds while none of them has come.
            std::vector<std::string> missing;
            // A record met was not read whole: the walk holds while the names describe the list.
            bool whileListStands;
        };
        std::unordered_map<const DefineData*, Kept> kept;
    };
    // Made anew when the names are gathered or settled: a closure holds for one list.
    std::shared_ptr<Closures> closures = std::make_shared<Closures>();
    // Tell a list emptied and filled again apart: the records of the old list are gone.
    std::weak_ptr<DefineData> firstRecord;
    std::weak_ptr<DefineData> lastRecord;
};

}  // namespace kestrel
