#include "core/text/StructEnumText.h"

#include "core/model/EnumData.h"
#include "core/text/EnumText.h"

namespace kestrel {

namespace {
const EnumData* asEnum(const StructEnumData& record) {
    return record.whoAreYou() == kEnumDataKind ? dynamic_cast<const EnumData*>(&record) : nullptr;
}
}  // namespace

std::string StructEnumText::rowText(const StructEnumData& record) {
    if (const EnumData* e = asEnum(record)) return EnumText::rowText(*e);
    return record.getName().value_or("");
}

std::optional<std::string> StructEnumText::sideText(const StructEnumData& record) { return record.hedderName(); }

std::string StructEnumText::detailText(const StructEnumData& record) {
    if (const EnumData* e = asEnum(record)) return EnumText::definition(*e);
    return record.getStructIndex().value_or("");
}

std::string StructEnumText::copyText(const StructEnumData& record) {
    if (const EnumData* e = asEnum(record)) return EnumText::definition(*e);
    return "struct " + record.getName().value_or("") + " " + record.getStructIndex().value_or("{}") + ";";
}

}  // namespace kestrel
