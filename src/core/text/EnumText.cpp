#include "core/text/EnumText.h"

#include "core/model/EnumData.h"

namespace kestrel {

std::string EnumText::rowText(const EnumData& record) {
    const std::string name = record.getName().value_or("");
    if (!name.empty()) return name;
    const std::vector<EnumConstant> constants = record.getConstants();
    std::string row = "enum {";
    for (std::size_t i = 0; i < constants.size() && i < kRowConstants; ++i) row += (i ? ", " : " ") + constants[i].name;
    if (constants.size() > kRowConstants) row += ", \u2026";
    return row + " }";
}

std::string EnumText::head(const EnumData& record) {
    std::string text = "enum";
    if (const auto& name = record.getName(); name && !name->empty()) text += " " + *name;
    if (const auto& type = record.getUnderlyingType()) text += " : " + *type;
    return text;
}

std::string EnumText::body(const EnumData& record) {
    const std::vector<EnumConstant> constants = record.getConstants();
    std::string text = "{\n";
    for (std::size_t i = 0; i < constants.size(); ++i)
        text += "    " + constants[i].text() + (i + 1 < constants.size() ? ",\n" : "\n");
    return text + "}";
}

std::string EnumText::owner(const EnumData& record) {
    if (const auto& name = record.getName(); name && !name->empty()) return *name;
    if (const auto& header = record.hedderName(); header && !header->empty()) return *header;
    return "enum";
}

std::string EnumText::definition(const EnumData& record) { return head(record) + " " + body(record) + ";"; }

}  // namespace kestrel
