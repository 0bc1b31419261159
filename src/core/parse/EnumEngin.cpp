#include "core/parse/EnumEngin.h"

#include "core/model/EnumData.h"
#include "core/parse/EnumBody.h"
#include "core/parse/EnumLookahead.h"
#include "core/parse/EnumMacroForms.h"
#include "core/parse/MacroKeywordSource.h"
#include "core/parse/TextBuffer.h"

namespace kestrel {

EnumEngin::EnumEngin(TextBuffer* buffer, CMacroEngin* macro, TypedefList* list, EnumSources sources)
    : TextEngin(buffer, macro), typedefList(list), sources(sources) {}

EnumHead::IsAttribute EnumEngin::isAttribute() const {
    MacroKeywordSource* keywords = sources.keywords;
    if (!keywords) return nullptr;
    return [keywords](const std::string& word) { return keywords->isAttributeMacro(word).value_or(false); };
}

std::shared_ptr<TreeData> EnumEngin::doAnalyse(const std::string&) { return readPlain(); }

std::shared_ptr<EnumData> EnumEngin::readPlain() { return definitionFollows() ? readEnum(false) : nullptr; }

std::optional<std::shared_ptr<EnumData>> EnumEngin::readTypedef(const std::string& first) {
    if (first == "enum") return readEnum(true);
    return readMacroForm(first, true);  // typedef NS_ENUM(NSInteger, NSFoo) {...};
}

bool EnumEngin::definitionFollows() {
    return textBuffer && EnumLookahead::definitionFollows(textBuffer->unreadText(), isAttribute());
}

std::vector<std::string> EnumEngin::tokensUpTo(std::optional<std::string>& ender) {
    std::vector<std::string> tokens;
    ender.reset();
    if (!textBuffer) return tokens;
    int depth = 0;
    int status = 0;
    while (auto command = textBuffer->getCommandWithStatus(status)) {
        switch (status) {
            case kLineComment:
                textBuffer->deleteLineBuffer();
                break;
            case kBlockOpen:
                skipComment(*command);
                break;
            case kHash:
                doDirective();
                break;
            case kCR:
            case kLF:
                break;
            case kOpenBrace:
            case kSemicolon:
                if (depth == 0) {
                    ender = std::move(*command);
                    return tokens;
                }
                tokens.push_back(std::move(*command));
                break;
            case kOpenParen:
                ++depth;
                tokens.push_back(std::move(*command));
                break;
            case kCloseParen:
                if (depth > 0) --depth;
                tokens.push_back(std::move(*command));
                break;
            default:
                tokens.push_back(std::move(*command));
        }
    }
    return tokens;
}

void EnumEngin::skipCall() {
    int depth = 0;
    int status = 0;
    while (auto command = textBuffer->getCommandWithStatus(status)) {
        if (status == kLineComment) textBuffer->deleteLineBuffer();
        if (status == kBlockOpen) skipComment(*command);
        if (status == kOpenParen) ++depth;
        if (status == kCloseParen && --depth <= 0) return;
    }
}

void EnumEngin::addTypedef(const std::string& name, const std::string& type) {
    if (!name.empty() && name != type) StructEngin::addTypedef(typedefList, name, type);
}

std::shared_ptr<EnumData> EnumEngin::readEnum(bool typedefed) {
    std::optional<std::string> ender;
    std::vector<std::string> head = tokensUpTo(ender);
    if (!ender) return nullptr;
    if (*ender == "{") {
        EnumHead read = EnumHead::read(head, isAttribute());
        return finish(read.tag, read.type, typedefed);
    }
    // No body: "typedef enum X Y, *Z;" gives its names only.
    std::vector<std::string> words = EnumHead::withoutAttributes(head, isAttribute());
    if (!typedefed || words.size() < 2 || !EnumHead::isName(words[0])) return nullptr;
    const std::string& tag = words[0];
    for (const auto& d : EnumHead::declarators(std::vector<std::string>(words.begin() + 1, words.end()), isAttribute()))
        addTypedef(d.name, d.pointers > 0 ? tag + std::string(static_cast<std::size_t>(d.pointers), '*')
                           : d.name == tag ? "enum " + tag
                                           : tag);
    return nullptr;
}

std::shared_ptr<EnumData> EnumEngin::finish(const std::string& tag, const std::optional<std::string>& type,
                                            bool namesAreTypedefs) {
    std::optional<std::vector<EnumConstant>> constants = EnumBody(textBuffer, macroEngin).read();
    if (!constants) return nullptr;
    std::optional<std::string> ender;
    std::vector<std::string> after = tokensUpTo(ender);
    if (!ender) return nullptr;
    std::vector<EnumHead::Declarator> names;
    if (namesAreTypedefs) names = EnumHead::declarators(after, isAttribute());

    auto record = std::make_shared<EnumData>();
    const std::string name = !tag.empty() ? tag : !names.empty() ? names.front().name : std::string();
    record->setName(name);
    record->setUnderlyingType(type);
    record->setConstants(std::move(*constants));
    // The old rule for a tag and another name (typedefList["NSFoo"] = "_NSFoo"); the enum's own
    // name, or the name of an untagged one, reads "enum NSFoo" as a C compiler writes it.
    const std::string self = "enum " + name;
    const std::string pointee = tag.empty() ? self : tag;
    for (const auto& d : names) {
        if (d.pointers > 0)
            addTypedef(d.name, pointee + std::string(static_cast<std::size_t>(d.pointers), '*'));
        else
            addTypedef(d.name, tag.empty() || d.name == tag ? self : tag);
    }
    return record;
}

std::optional<std::shared_ptr<EnumData>> EnumEngin::readMacroForm(const std::string& word, bool typedefed) {
    if (!textBuffer || !sources.macroForms || !sources.macroForms->mayOpenEnum(word)) return std::nullopt;
    std::optional<std::vector<std::string>> arguments = EnumLookahead::callArguments(textBuffer->unreadText());
    std::optional<EnumMacroHead> head = sources.macroForms->headOf(word, arguments, typedefed);
    if (!head) return std::nullopt;
    if (arguments) skipCall();
    // Attributes may stand between the call and the body.
    std::optional<std::string> ender;
    std::vector<std::string> between = tokensUpTo(ender);
    std::shared_ptr<EnumData> record;
    if (!ender) return record;
    if (*ender == "{") {
        record = finish(head->name, head->type, head->namesAfterBody);
        if (!record) return record;
    } else if (head->namesAfterBody) {
        for (const auto& d : EnumHead::declarators(between, isAttribute())) addTypedef(d.name, "enum " + d.name);
    }
    for (const auto& [name, type] : head->typedefs) addTypedef(name, type);
    return record;
}

}  // namespace kestrel
