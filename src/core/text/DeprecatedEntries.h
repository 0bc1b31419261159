#pragma once
// Deprecated entries in lists and menus: struck through, or left out while Hide Deprecated is
// on (the preferences' hideDeprecated).
//
//   rows  [-(void)display, -(void)lockFocus (deprecated), -(id)init]
//   shown, hide off: all three, struck {false, true, false}
//   shown, hide on:  [-(void)display, -(id)init], struck {false, false}
// A menu loses its deprecated method items likewise (and the separators they leave doubled or
// at an end); its submenus are marked as they are made.
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "core/model/TreeSearch.h"
#include "core/text/NotesLookup.h"

namespace kestrel {

class ClassData;
struct MenuModel;

class DeprecatedEntries {
public:
    template <class T>
    struct Shown {
        std::vector<T> rows;
        std::vector<bool> struck;  // one a row
    };

    template <class T, class IsDeprecated>
    static Shown<T> filter(std::vector<T> rows, IsDeprecated&& isDeprecated, bool hide) {
        Shown<T> shown;
        shown.rows.reserve(rows.size());
        for (T& row : rows) {
            const bool deprecated = isDeprecated(static_cast<const T&>(row));
            if (deprecated && hide) continue;
            shown.rows.push_back(std::move(row));
            shown.struck.push_back(deprecated);
        }
        return shown;
    }

    // A find result: its class, its method (as the class responds to it), its function, or its
    // constant (or the constant's enum).
    static bool isDeprecated(const NotesLookup& lookup, const TreeSearch::Result& result);
    // A method as the class shown responds to it.
    static bool isDeprecated(const NotesLookup& lookup, const HasMethodsData& shown, const std::string& method);

    // Marks the method items of menu (struck), or takes them out when hide is on.
    static void markMenu(MenuModel& menu, const std::shared_ptr<const NotesLookup>& lookup, bool hide);
};

}  // namespace kestrel
