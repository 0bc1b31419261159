#include "core/text/QuickOpenText.h"

#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/text/DeclarationText.h"
#include "core/text/QuickOpenIndex.h"
#include "core/text/StructEnumText.h"

namespace kestrel {

namespace {

using Kind = QuickOpenIndex::Kind;
using Where = QuickOpenText::Destination::Where;

bool isMethod(Kind k) {
    return k == Kind::Method || k == Kind::ClassMethod || k == Kind::Property || k == Kind::ClassProperty;
}

bool isFunction(Kind k) {
    return k == Kind::Function || k == Kind::InlineFunction || k == Kind::Constant || k == Kind::Variable;
}

// A method's receiver in a call: its class; a protocol's method, the protocol's name.
std::string receiverOf(const QuickOpenIndex& index, std::size_t entry) {
    const TreeData* owner = index.record(entry).get();
    if (owner && owner->whoAreYou() == kProtocolDataKind) return owner->getName().value_or("");
    if (const auto& shown = index.classOf(entry)) return shown->getName().value_or("");
    if (const auto* category = dynamic_cast<const CategoryData*>(owner)) return category->getTargetClassName().value_or("");
    return owner ? owner->getName().value_or("") : std::string();
}

}  // namespace

QuickOpenText::Destination QuickOpenText::destinationOf(const QuickOpenIndex& index, std::size_t entry) {
    Destination out;
    if (entry >= index.size()) return out;
    const Kind kind = index.kind(entry);
    const std::string name(index.name(entry));
    if (kind == Kind::Class || kind == Kind::Category || kind == Kind::Protocol) {
        out.classRecord = index.classOf(entry);
        if (out.classRecord) {
            out.where = Where::Class;
        } else if (kind == Kind::Protocol) {
            out.note = "No class in the tree adopts <" + name + ">";
        } else {
            out.note = "The class of category " + name + " (" + index.ownerText(entry) + ") is not in the tree";
        }
    } else if (isMethod(kind)) {
        out.where = Where::Method;
        out.classRecord = index.classOf(entry);
        out.method = index.method(entry);
        if (!out.method) out.where = Where::Nowhere;
    } else if (isFunction(kind)) {
        out.function = std::dynamic_pointer_cast<FunctionMacrosData>(index.record(entry));
        if (out.function) out.where = Where::Function;
    } else {
        out.structEnum = std::dynamic_pointer_cast<StructEnumData>(index.record(entry));
        if (kind == Kind::EnumConstant) out.constant = index.member(entry);
        if (out.structEnum) out.where = Where::StructEnum;
        else if (kind == Kind::Typedef) out.note = "typedef " + index.typedefType(entry).value_or("") + " " + name + ";";
    }
    return out;
}

std::string QuickOpenText::copyText(const QuickOpenIndex& index, std::size_t entry, std::int32_t dragStyle) {
    if (entry >= index.size()) return {};
    const Kind kind = index.kind(entry);
    const std::string name(index.name(entry));
    const bool declaration = dragStyleOf(dragStyle) == DragStyle::Declaration;
    if (isMethod(kind)) {
        const std::optional<std::string> method = index.method(entry);
        return method ? DeclarationText::createExternalDragStrings(*method, dragStyle, receiverOf(index, entry)) : name;
    }
    if (isFunction(kind)) {
        const auto& record = index.record(entry);
        return record && record->getName() ? DeclarationText::functionText(*record->getName(), dragStyle) : name;
    }
    if ((kind == Kind::Struct || kind == Kind::Enum) && declaration)
        if (const auto* record = dynamic_cast<const StructEnumData*>(index.record(entry).get()))
            return StructEnumText::copyText(*record);
    if (kind == Kind::Typedef && declaration) return "typedef " + index.typedefType(entry).value_or("") + " " + name + ";";
    return name;
}

std::string QuickOpenText::terminalRow(const QuickOpenIndex& index, std::size_t entry,
                                       std::optional<std::int32_t> dragStyle) {
    if (entry >= index.size()) return {};
    const std::string shown = dragStyle ? copyText(index, entry, *dragStyle) : std::string(index.name(entry));
    return std::string(QuickOpenIndex::kindLabel(index.kind(entry))) + "\t" + shown + "\t" + index.ownerText(entry);
}

}  // namespace kestrel
