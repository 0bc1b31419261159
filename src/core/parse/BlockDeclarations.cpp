#include "core/parse/BlockDeclarations.h"

#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/RecordLists.h"
#include "core/model/StructData.h"
#include "core/parse/EnumEngin.h"
#include "core/parse/ExternEngin.h"
#include "core/parse/FunctionRecord.h"
#include "core/parse/MacroKeywordSource.h"
#include "core/parse/StructEngin.h"
#include "core/parse/TypeDefEngin.h"

namespace kestrel {

bool BlockDeclarations::read(std::string_view word, bool atStart) {
    const std::optional<std::string> standsFor = atStart ? keywordFor(word) : std::nullopt;
    const std::string_view keyword = standsFor ? std::string_view(*standsFor) : word;
    if (keyword == "extern") {
        readExtern();
    } else if (word == "enum") {
        readEnum();
    } else if (keyword == "struct" || word == "union") {
        readStruct(keyword);
    } else if (keyword == "typedef") {
        readTypeDef();
    } else {
        return false;
    }
    return true;
}

std::optional<std::string> BlockDeclarations::keywordFor(std::string_view word) const {
    if (!keywords || word == "extern" || word == "struct" || word == "typedef") return std::nullopt;
    std::optional<std::string> keyword = keywords->macroKeywordFor(std::string(word));
    if (keyword && (*keyword == "extern" || *keyword == "struct" || *keyword == "typedef")) return keyword;
    return std::nullopt;
}

EnumSources BlockDeclarations::enumSources() const {
    return {keywords ? keywords->enumMacroForms() : nullptr, keywords};
}

void BlockDeclarations::readTypeDef() {
    // An enum's typedef too: TypeDefEngin hands it to EnumEngin.
    TypedefList* typedefs = records ? &records->typedefList : nullptr;
    std::shared_ptr<TreeData> record = TypeDefEngin(buffer, macro, typedefs, enumSources()).doAnalyse("typedef");
    if (!records) return;
    if (auto structData = std::dynamic_pointer_cast<StructData>(record))
        records->structList.push_back(std::move(structData));
    else if (auto enumData = std::dynamic_pointer_cast<EnumData>(record))
        records->enumList.push_back(std::move(enumData));
}

void BlockDeclarations::readStruct(std::string_view keyword) {
    // "struct _rFlagsType { ... } _rFlags;": the type is the file's.
    TypedefList* typedefs = records ? &records->typedefList : nullptr;
    auto record = StructEngin(buffer, macro, typedefs, keywords).doStdAnalyse(std::string(keyword));
    if (record && records) records->structList.push_back(std::move(record));
}

void BlockDeclarations::readEnum() {
    TypedefList* typedefs = records ? &records->typedefList : nullptr;
    auto record = EnumEngin(buffer, macro, typedefs, enumSources()).readPlain();
    if (record && records) records->enumList.push_back(std::move(record));
}

void BlockDeclarations::readExtern() {
    // Read without lists too, so that the declaration is no method text.
    std::vector<std::string> texts = ExternEngin(buffer, macro, keywords).analyseAll();
    if (!records) return;
    for (std::string& text : texts)
        records->functions.push_back(FunctionRecord::make(*records, kExternKind, std::move(text)));
}

}  // namespace kestrel
