#pragma once
// The record of a function or macro declaration that an analyser has read: its kind says which
// keyword declared it (kExternKind, kCGInlineKind, ...), its name is the declaration text.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kestrel {

class FunctionMacrosData;
struct RecordLists;

class FunctionRecord {
public:
    // The record, or none without a text. Each record made sets records.functionsWasChanged,
    // or a build finding nothing else would leave a stale functions file behind. The caller
    // files the record.
    static std::shared_ptr<FunctionMacrosData> make(RecordLists& records, std::int32_t kind,
                                                    std::optional<std::string> text);
};

}  // namespace kestrel
