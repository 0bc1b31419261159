#include "core/model/AppAction2.h"

#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/StructData.h"
#include "core/parse/AppkitExternEngin.h"
#include "core/parse/CG_EXTERNEngin.h"
#include "core/parse/ClassEngin.h"
#include "core/parse/DefineEngin.h"
#include "core/parse/ExternEngin.h"
#include "core/parse/FunctionRecord.h"
#include "core/parse/FunctionText.h"
#include "core/parse/InlineEngin.h"
#include "core/parse/ProtocolEngin.h"
#include "core/parse/StaticInlineEngin.h"
#include "core/parse/StructEngin.h"
#include "core/parse/TextBuffer.h"
#include "core/parse/TypeDefEngin.h"
#include "core/platform/PrefFile.h"

namespace kestrel {

AppAction2::AppAction2() {
    treeBuilder.doPass1 = [this] { doPass1(); };
}

void AppAction2::doPass1() { DefineEngin::doPass1(); }

bool AppAction2::startUp() {
    PrefFile::setUpPref();
    TreeFileStore::fileCheck();
    if (TreeFileStore::treeFilesExist()) {
        initTreeFromFile();
        return false;
    }
    initTreeFile();
    return true;
}

AppAction2::~AppAction2() = default;

void AppAction2::addFunction(std::shared_ptr<FunctionMacrosData> record) {
    functions.push_back(std::move(record));
}

void AppAction2::analyseStruct(TextBuffer& buffer, CMacroEngin* macro) {
    if (auto record = StructEngin(&buffer, macro, &typedefList).doStdAnalyse("struct")) structList.push_back(record);
}

void AppAction2::analyseTypeDef(TextBuffer& buffer, CMacroEngin* macro) {
    std::shared_ptr<TreeData> record = TypeDefEngin(&buffer, macro, &typedefList).doAnalyse("typedef");
    if (auto structData = std::dynamic_pointer_cast<StructData>(record))
        structList.push_back(structData);
    else if (auto enumData = std::dynamic_pointer_cast<EnumData>(record))
        enumList.push_back(enumData);
}

std::unique_ptr<TextEngin> AppAction2::makeProtocolEngin(TextBuffer& buffer, CMacroEngin* macro) {
    return std::make_unique<ProtocolEngin>(&buffer, macro);
}

std::unique_ptr<TextEngin> AppAction2::makeClassEngin(TextBuffer& buffer, CMacroEngin* macro) {
    return std::make_unique<ClassEngin>(&buffer, macro, this, this);
}

std::shared_ptr<FunctionMacrosData> AppAction2::analyseExtern(TextBuffer& buffer, CMacroEngin* macro) {
    return FunctionRecord::make(*this, kExternKind, ExternEngin(&buffer, macro).doAnalyse());
}

std::shared_ptr<FunctionMacrosData> AppAction2::analyseCG_INLINE(TextBuffer& buffer, CMacroEngin* macro) {
    return FunctionRecord::make(*this, kCGInlineKind, InlineEngin(&buffer, macro).doAnalyse());
}

std::shared_ptr<FunctionMacrosData> AppAction2::analyseCG_EXTERN(TextBuffer& buffer, CMacroEngin* macro) {
    return FunctionRecord::make(*this, kCGExternKind, CG_EXTERNEngin(&buffer, macro).doAnalyse());
}

std::shared_ptr<FunctionMacrosData> AppAction2::analyseAPPKIT_EXTERN(TextBuffer& buffer, CMacroEngin* macro) {
    return FunctionRecord::make(*this, kAppkitExternKind, AppkitExternEngin(&buffer, macro).doAnalyse());
}

std::shared_ptr<FunctionMacrosData> AppAction2::analyseFOUNDATION_STATIC_INLINE(TextBuffer& buffer,
                                                                              CMacroEngin* macro) {
    return FunctionRecord::make(*this, kFoundationStaticInlineKind, StaticInlineEngin(&buffer, macro).doAnalyse());
}

// Only one-line declarations are taken whole: the text after the keyword on its line is all
// that is read. Its record is made even when that text is empty; only the end of the text
// gives none. It marks the list as changed too, or a build finding nothing but these would
// leave a stale functions file behind.
std::shared_ptr<FunctionMacrosData> AppAction2::analyseFOUNDATION_EXPORT(TextBuffer& buffer, CMacroEngin*) {
    std::optional<std::string_view> line = buffer.getLineStrings();
    if (!line) return nullptr;
    std::string text(*line);
    buffer.deleteLineBuffer();
    TextBuffer::deleteTopSpace(text);
    TextBuffer::deleteCRLF(text);
    if (std::size_t semicolon = text.find(';'); semicolon != std::string::npos) text.erase(semicolon);
    FunctionText::trim(text);
    FunctionText::tabsToSpace(text);
    FunctionText::pointerRule(text);
    FunctionText::singleSpaces(text);
    return FunctionRecord::make(*this, kFoundationExportKind, std::move(text));
}

}  // namespace kestrel
