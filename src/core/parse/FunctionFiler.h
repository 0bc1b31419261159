#pragma once
// The function and variable part of the header analysis driver: one record for each name that
// a declaration declares, of the kind its keyword gives, and none for a name the header has
// already declared -- a function declared and then defined in one header is one record:
//
//   GS_GEOM_SCOPE NSRect NSMakeRect(CGFloat x, CGFloat y, CGFloat w, CGFloat h) GS_GEOM_ATTR;
//   GS_GEOM_SCOPE NSRect NSMakeRect(CGFloat x, CGFloat y, CGFloat w, CGFloat h) { ... }
//       -> one record "NSRect NSMakeRect(CGFloat x, CGFloat y, CGFloat w, CGFloat h)"
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

namespace kestrel {

class CDeclaration;
class FunctionMacrosData;
struct DeclaredName;
struct RecordLists;

using FunctionRecords = std::vector<std::shared_ptr<FunctionMacrosData>>;

class FunctionFiler {
public:
    explicit FunctionFiler(RecordLists& records) : records(records) {}

    // Every header starts with no names declared.
    void startHeader() { declared.clear(); }
    // The records of a declaration opened by a keyword of this kind; each sets
    // records.functionsWasChanged. The caller files them.
    FunctionRecords make(const CDeclaration& declaration, std::int32_t kind);
    // The records of a declaration that no keyword opened: a function written static or
    // inline is of the CG_INLINE kind, anything else of extern's.
    FunctionRecords makePlain(const CDeclaration& declaration);

private:
    void add(FunctionRecords& out, const DeclaredName& name, std::int32_t kind);

    RecordLists& records;
    std::unordered_set<std::string> declared;  // the names this header has declared so far
};

}  // namespace kestrel
