#pragma once
// What the define pass learnt about one header: the macros it defines (and undefines) and the
// headers it imports, in the order it met them in the branches a compiler reads.
#include <functional>
#include <unordered_map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/parse/MacroDefinition.h"
#include "core/parse/StringHash.h"
#include "core/platform/ProcessState.h"

namespace kestrel {

class DefineData {
public:
    // Hashed: a lookup through the imports asks each record that defines the name.
    using Defines = std::unordered_map<std::string, MacroDefinition, StringHash, std::equal_to<>>;

    explicit DefineData(std::string name) : hName(std::move(name)) {}  // initByHname:

    static constexpr std::size_t kNoOrdinal = static_cast<std::size_t>(-1);

    const std::string& getHName() const { return hName; }
    // The record's place among the define list's records, given once when the define pass files
    // it (the list's size then): a dense number for walks that mark the records they have met.
    // kNoOrdinal for a record filed otherwise.
    std::size_t getOrdinal() const { return ordinal; }
    void setOrdinal(std::size_t place) { ordinal = place; }
    const std::optional<std::vector<std::string>>& getImportList() const { return importList; }
    // Every macro the header defines or undefines (an "#undef" is a definition marked
    // undefined); a later line for the same name replaces the earlier.
    const std::optional<Defines>& getDefineList() const { return defineList; }

    void addImportHeader(const std::string& header);  // repeats kept, in order
    void addDefine(MacroDefinition definition, const std::string& key);
    // A definition in the define records' text form ("(x)((x)+1)\n", see MacroDefinition).
    void addDefine(const std::string& text, const std::string& key);
    // The header's own line for name, an undefined mark included; none when it has none.
    const MacroDefinition* findOwn(std::string_view name) const;
    // Is symbol defined by this header or, transitively, by a header it imports? Every header
    // named in checkedList is visited at most once, so import cycles end.
    bool checkDefine(const std::string& symbol, const DefineList& group,
                     std::vector<std::string>& checkedList) const;
    // isChecked:by: -- is name in list (exact comparison).
    static bool isChecked(const std::string& name, const std::vector<std::string>& list);

private:
    std::string hName;
    std::size_t ordinal = kNoOrdinal;
    std::optional<std::vector<std::string>> importList;  // made on the first import
    std::optional<Defines> defineList;                   // made on the first define
};

}  // namespace kestrel
