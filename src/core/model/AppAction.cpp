#include "core/model/AppAction.h"

#include <array>
#include <string_view>

#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/ProtocolData.h"
#include "core/model/StructData.h"
#include "core/parse/CMacroEngin.h"
#include "core/parse/MultiComment.h"
#include "core/parse/StaticInline.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/Host.h"
#include "core/platform/PrefData.h"
#include "core/platform/ProcessState.h"

namespace kestrel {

namespace {

enum class Keyword {
    Type, Struct, Extern, TypeDef, Protocol, CG_INLINE, CG_EXTERN, Interface, APPKIT_EXTERN,
    FOUNDATION_EXPORT, FOUNDATION_STATIC_INLINE
};

struct KeywordEntry {
    std::string_view word;
    Keyword action;
};
// A keyword is recognised wherever it stands, but only as a whole command and in this case:
// "structure" or "Struct" is no keyword. The word enum is none either.
constexpr std::array<KeywordEntry, 11> kKeywords{{
    {"type", Keyword::Type},
    {"struct", Keyword::Struct},
    {"extern", Keyword::Extern},
    {"typedef", Keyword::TypeDef},
    {"@protocol", Keyword::Protocol},
    {"CG_INLINE", Keyword::CG_INLINE},
    {"CG_EXTERN", Keyword::CG_EXTERN},
    {"@interface", Keyword::Interface},
    {"APPKIT_EXTERN", Keyword::APPKIT_EXTERN},
    {"FOUNDATION_EXPORT", Keyword::FOUNDATION_EXPORT},
    {"FOUNDATION_STATIC_INLINE", Keyword::FOUNDATION_STATIC_INLINE},
}};

const KeywordEntry* findKeyword(std::string_view command) {
    for (const auto& entry : kKeywords)
        if (entry.word.size() == command.size() && entry.word == command) return &entry;
    return nullptr;
}

}  // namespace

AppAction::AppAction() = default;

// Records that refer to each other (protocols adopting each other, classes and their
// subclasses) are freed with the lists only once their links are cut.
AppAction::~AppAction() { linker.unlinkAll(); }

void AppAction::removeSelectedClass() {
    Host::current().unSelect();
    bool removed = linker.removeSelectedClass();
    Host::current().reLayout();
    if (removed && ProcessState::prefData()) ProcessState::prefData()->treeChanged = true;
}

void AppAction::analyseHedderFile(const std::string& path, const std::string& hedderName,
                                  const std::string& fwName, bool flag) {
    TextBuffer buffer = TextBuffer::initByPath(path);
    doAnalyseHedderFile(buffer, hedderName, fwName, flag);
}

bool AppAction::isKeyword(std::string_view word) { return findKeyword(word) != nullptr; }

std::optional<std::string> AppAction::macroKeywordFor(const std::string& word) {
    return macroKeywords ? macroKeywords->keywordFor(word) : std::nullopt;
}

void AppAction::doAnalyseHedderFile(TextBuffer& buffer, const std::string& hedderName,
                                    const std::string& fwName, bool flag) {
    anaInfo = {fwName, hedderName};
    // One evaluator and one of each analyser per header, all reading this one buffer.
    CMacroEngin macro(&buffer, hedderName);
    definedNames.refresh(ProcessState::defineList());
    macro.setDefinedNames(&definedNames);
    macroKeywords.emplace(macro.getCurrentData(), definedNames, &AppAction::isKeyword);
    struct EndOfHeader {  // the resolver belongs to this header only
        std::optional<MacroKeywordResolver>& resolver;
        ~EndOfHeader() { resolver.reset(); }
    } endOfHeader{macroKeywords};
    MultiComment comment(&buffer, &macro);
    std::unique_ptr<TextEngin> classEngin = makeClassEngin(buffer, &macro);
    std::unique_ptr<TextEngin> protocolEngin = makeProtocolEngin(buffer, &macro);

    auto label = [&](TreeData& record) {
        record.setFwName(fwName);
        record.setHedderName(hedderName);
    };
    auto fileFunction = [&](std::shared_ptr<FunctionMacrosData> record) {
        if (!record) return;
        label(*record);
        addFunction(std::move(record));
    };

    buffer.getLineStrings();
    int status = 0;
    for (auto command = buffer.getCommandWithStatus(status); command; command = buffer.getCommandWithStatus(status)) {
        if (status == kLineComment) {
            buffer.deleteLineBuffer();
            continue;
        }
        if (status == kBlockOpen) {
            comment.doAnalyse(*command);
            continue;
        }
        if (status == kHash) {
            macro.doCalc();
            continue;
        }
        const KeywordEntry* keyword = findKeyword(*command);
        if (!keyword && status == kWord) {
            // A keyword written out (static inline for CG_INLINE), or a macro for a keyword
            // (GS_EXPORT for extern), reads as that keyword.
            if (*command == "static") {
                if (StaticInline::readInline(buffer)) keyword = findKeyword("CG_INLINE");
            } else if (std::optional<std::string> standsFor = macroKeywords->keywordFor(*command)) {
                keyword = findKeyword(*standsFor);
            }
        }
        if (!keyword) continue;
        switch (keyword->action) {
            case Keyword::Type:
                buffer.deleteLineBuffer();
                break;
            case Keyword::Struct:
                analyseStruct(buffer, &macro);
                break;
            case Keyword::TypeDef:
                analyseTypeDef(buffer, &macro);
                break;
            case Keyword::Extern:
                fileFunction(analyseExtern(buffer, &macro));
                break;
            case Keyword::CG_INLINE:
                fileFunction(analyseCG_INLINE(buffer, &macro));
                break;
            case Keyword::CG_EXTERN:
                fileFunction(analyseCG_EXTERN(buffer, &macro));
                break;
            case Keyword::APPKIT_EXTERN:
                fileFunction(analyseAPPKIT_EXTERN(buffer, &macro));
                break;
            case Keyword::FOUNDATION_EXPORT:
                fileFunction(analyseFOUNDATION_EXPORT(buffer, &macro));
                break;
            case Keyword::FOUNDATION_STATIC_INLINE:
                fileFunction(analyseFOUNDATION_STATIC_INLINE(buffer, &macro));
                break;
            case Keyword::Protocol:
                // Protocols carry no framework or header name.
                if (!protocolEngin) break;
                if (auto protocol = std::dynamic_pointer_cast<ProtocolData>(protocolEngin->doAnalyse(*command)))
                    protocolList.push_back(std::move(protocol));
                break;
            case Keyword::Interface: {
                if (!classEngin) break;
                const std::size_t filed = functions.size();
                std::shared_ptr<TreeData> record = classEngin->doAnalyse(*command);
                for (std::size_t i = filed; i < functions.size(); ++i) label(*functions[i]);  // the block's
                if (!record) break;
                label(*record);
                // Only classes get the custom mark; other kinds than class and category are dropped.
                if (record->whoAreYou() == kClassDataKind) {
                    if (auto cls = std::dynamic_pointer_cast<ClassData>(record)) {
                        cls->setCustomFlag(flag);
                        classList.push_back(std::move(cls));
                    }
                } else if (record->whoAreYou() == kCategoryDataKind) {
                    if (auto category = std::dynamic_pointer_cast<CategoryData>(record))
                        categoryList.push_back(std::move(category));
                }
                break;
            }
        }
    }
}

void AppAction::analyseStruct(TextBuffer&, CMacroEngin*) {}

void AppAction::analyseTypeDef(TextBuffer&, CMacroEngin*) {}

std::shared_ptr<FunctionMacrosData> AppAction::analyseExtern(TextBuffer&, CMacroEngin*) { return nullptr; }

std::shared_ptr<FunctionMacrosData> AppAction::analyseCG_INLINE(TextBuffer&, CMacroEngin*) { return nullptr; }

std::shared_ptr<FunctionMacrosData> AppAction::analyseCG_EXTERN(TextBuffer&, CMacroEngin*) { return nullptr; }

std::shared_ptr<FunctionMacrosData> AppAction::analyseAPPKIT_EXTERN(TextBuffer&, CMacroEngin*) { return nullptr; }

std::shared_ptr<FunctionMacrosData> AppAction::analyseFOUNDATION_EXPORT(TextBuffer&, CMacroEngin*) {
    return nullptr;
}

std::shared_ptr<FunctionMacrosData> AppAction::analyseFOUNDATION_STATIC_INLINE(TextBuffer&, CMacroEngin*) {
    return nullptr;
}

std::unique_ptr<TextEngin> AppAction::makeClassEngin(TextBuffer&, CMacroEngin*) { return nullptr; }

std::unique_ptr<TextEngin> AppAction::makeProtocolEngin(TextBuffer&, CMacroEngin*) { return nullptr; }

void AppAction::addFunction(std::shared_ptr<FunctionMacrosData>) {}

}  // namespace kestrel
