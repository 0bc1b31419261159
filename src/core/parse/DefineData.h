#pragma once
// What the define pass learnt about one header: the macros it defines and the headers it imports.
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/platform/ProcessState.h"

namespace kestrel {

class DefineData {
public:
    explicit DefineData(std::string name) : hName(std::move(name)) {}  // initByHname:

    const std::string& getHName() const { return hName; }
    const std::optional<std::vector<std::string>>& getImportList() const { return importList; }
    const std::optional<std::map<std::string, std::string>>& getDefineList() const { return defineList; }

    void addImportHeader(const std::string& header);  // repeats kept, in order
    void addDefine(const std::string& text, const std::string& key);  // a later define replaces
    // Is symbol defined by this header or, transitively, by a header it imports? Every header
    // named in checkedList is visited at most once, so import cycles end.
    bool checkDefine(const std::string& symbol, const DefineList& group,
                     std::vector<std::string>& checkedList) const;
    // isChecked:by: -- is name in list (exact comparison).
    static bool isChecked(const std::string& name, const std::vector<std::string>& list);

private:
    std::string hName;
    std::optional<std::vector<std::string>> importList;             // made on the first import
    std::optional<std::map<std::string, std::string>> defineList;   // made on the first define
};

}  // namespace kestrel
