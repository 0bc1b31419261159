#pragma once
// What the struct and enum viewer shows of a record: its row in the list (with the header it
// comes from beside it, where known), the definition shown when it is chosen, and the text
// copied or dragged. An enum reads as source, one constant a row (EnumText); a struct as its
// name and body.
//
//   row "NSWindowStyleMask", side "NSWindow.h", detail and copy "enum NSWindowStyleMask :
//   NSUInteger {\n    ...\n};"; row "_NSPoint", detail "{\n    float x;\n    float y;\n}",
//   copy "struct _NSPoint {\n    float x;\n    float y;\n};"
#include <optional>
#include <string>

namespace kestrel {

class StructEnumData;

class StructEnumText {
public:
    static std::string rowText(const StructEnumData& record);
    static std::optional<std::string> sideText(const StructEnumData& record);
    static std::string detailText(const StructEnumData& record);
    static std::string copyText(const StructEnumData& record);
};

}  // namespace kestrel
