#pragma once
// Notes given by hand, for tests of what shows them: by record, by (owner, method) and by
// (enum, constant). What is not given is empty, as a store without notes answers.
#include <map>
#include <string>
#include <utility>

#include "core/model/Availability.h"
#include "core/text/NotesLookup.h"

namespace kestrel::test {

class NotesTable : public NotesLookup {
public:
    Notes ofRecord(const TreeData& record) const override { return find({&record, ""}); }
    Notes ofMethod(const HasMethodsData& owner, const std::string& method) const override {
        return find({&owner, method});
    }
    Notes ofConstant(const EnumData& owner, const std::string& constant) const override {
        return find({&owner, constant});
    }

    void set(const void* record, const std::string& member, Notes notes) { table[{record, member}] = std::move(notes); }
    void set(const void* record, Notes notes) { set(record, "", std::move(notes)); }

    static Notes notes(std::string doc, std::optional<std::int64_t> line = std::nullopt, Availability availability = {}) {
        Notes n;
        n.doc = std::move(doc);
        n.line = line;
        n.availability = std::move(availability);
        return n;
    }
    static Availability deprecatedIn(const std::string& version, const std::string& introduced = "10.0") {
        Availability a;
        a.introduce("macos", introduced);
        a.deprecate("macos", version);
        return a;
    }

private:
    Notes find(const std::pair<const void*, std::string>& key) const {
        auto found = table.find(key);
        return found == table.end() ? Notes{} : found->second;
    }
    std::map<std::pair<const void*, std::string>, Notes> table;
};

}  // namespace kestrel::test
