#include "core/parse/FunctionFiler.h"

#include "core/model/TreeData.h"
#include "core/parse/CDeclaration.h"
#include "core/parse/FunctionRecord.h"
#include "core/parse/FunctionText.h"

namespace kestrel {

void FunctionFiler::add(FunctionRecords& out, const DeclaredName& name, std::int32_t kind) {
    if (!declared.insert(name.name).second) return;
    std::string text = name.text;
    FunctionText::normalise(text, kind);
    out.push_back(FunctionRecord::make(records, kind, std::move(text)));
}

FunctionRecords FunctionFiler::make(const CDeclaration& declaration, std::int32_t kind) {
    FunctionRecords out;
    for (const DeclaredName& name : declaration.names) add(out, name, kind);
    return out;
}

FunctionRecords FunctionFiler::makePlain(const CDeclaration& declaration) {
    FunctionRecords out;
    const bool local = declaration.isStatic || declaration.isInline;
    for (const DeclaredName& name : declaration.names)
        add(out, name, name.function && local ? kCGInlineKind : kExternKind);
    return out;
}

}  // namespace kestrel
