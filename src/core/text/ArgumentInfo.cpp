#include "core/text/ArgumentInfo.h"

#include <algorithm>
#include <string_view>

#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/StructData.h"
#include "core/model/TreeLinker.h"
#include "core/parse/TextEngin.h"
#include "core/text/EnumText.h"

namespace kestrel {

namespace {

const std::string kSeparator = std::string(25, '-') + "\n";

// "<kind>  <word>\n<body>;\n" for a struct record.
template <typename Record>
std::optional<std::string> bodyBlock(const std::shared_ptr<Record>& record, const char* kind,
                                     const std::string& word) {
    if (!record) return std::nullopt;
    return std::string(kind) + "  " + word + "\n" + record->getStructIndex().value_or("") + ";\n";
}

// The word without the keyword of its kind, and the qualifiers before it, as typedefs read
// ("enum NSFoo" -> "NSFoo", "const struct __CFString *" -> "__CFString *"); none when it
// names another kind ("struct _NSRect" is no enum).
std::optional<std::string> ofKind(std::string_view word, std::string_view keyword) {
    for (bool qualifier = true; qualifier;) {
        qualifier = false;
        for (std::string_view q : {"const ", "volatile "})
            if (word.starts_with(q)) {
                word.remove_prefix(q.size());
                qualifier = true;
            }
    }
    for (std::string_view kind : {"enum ", "struct ", "union "}) {
        if (!word.starts_with(kind)) continue;
        if (keyword != kind && !(keyword == "struct " && kind == "union ")) return std::nullopt;
        return std::string(word.substr(kind.size()));
    }
    return std::string(word);
}

}  // namespace

ArgumentInfo::ArgumentInfo(TreeLinker& linker, const TypedefList* typedefList)
    : linker(linker), typedefList(typedefList) {}

std::optional<std::string> ArgumentInfo::forDeclaration(const std::string& text) {
    std::optional<std::vector<std::string>> words = TextEngin::commandToChunk(text);
    if (!words) return std::nullopt;
    return makeArgumentString(*words);
}

std::optional<std::string> ArgumentInfo::makeArgumentString(std::vector<std::string>& words) {
    if (words.empty()) return std::nullopt;
    removeDuplicateChunc(words);
    if (words.empty()) return std::nullopt;
    std::string out;
    for (const auto& given : words) {
        std::string word = given;
        const std::size_t before = out.size();
        if (auto c = checkClassNameByKey(word)) {
            out += *c;
        } else {
            if (auto t = checkTypeDef(word)) out += *t;
            if (auto s = checkStruct(word)) out += *s;
            if (auto e = checkEnum(word)) out += *e;
        }
        if (out.size() != before) out += kSeparator;
    }
    if (!out.empty()) {
        out.erase(out.rfind(kSeparator), kSeparator.size());
        if (!out.empty() && out.back() == '\n') out.pop_back();
    }
    return out;
}

void ArgumentInfo::removeDuplicateChunc(std::vector<std::string>& words) {
    for (std::size_t i = words.size(); i-- > 1;)
        if (std::find(words.begin(), words.begin() + static_cast<std::ptrdiff_t>(i), words[i]) !=
            words.begin() + static_cast<std::ptrdiff_t>(i))
            words.erase(words.begin() + static_cast<std::ptrdiff_t>(i));
}

std::optional<std::string> ArgumentInfo::checkClassNameByKey(const std::string& word) {
    std::string key = keyOf(word);
    if (key.empty() || !linker.findClassByName(key)) return std::nullopt;
    return key + " is Class\n";
}

std::optional<std::string> ArgumentInfo::checkTypeDef(std::string& word) {
    if (!typedefList) return std::nullopt;
    auto found = typedefList->find(keyOf(word));
    if (found == typedefList->end()) return std::nullopt;
    std::string line = "typedef  " + found->second + "  " + word + ";\n";
    word = found->second;
    return line;
}

std::optional<std::string> ArgumentInfo::checkStruct(const std::string& word) {
    std::optional<std::string> named = ofKind(word, "struct ");
    std::string key = named ? keyOf(*named) : std::string();
    if (key.empty()) return std::nullopt;
    return bodyBlock(linker.findStructByName(key), "struct", *named);
}

std::optional<std::string> ArgumentInfo::checkEnum(const std::string& word) {
    std::optional<std::string> named = ofKind(word, "enum ");
    std::string key = named ? keyOf(*named) : std::string();
    if (key.empty()) return std::nullopt;
    std::shared_ptr<EnumData> record = linker.findEnumByName(key);
    if (!record) return std::nullopt;
    std::string head = "enum  " + *named;
    if (const auto& type = record->getUnderlyingType()) head += " : " + *type;
    return head + "\n" + EnumText::body(*record) + ";\n";
}

std::string ArgumentInfo::keyOf(const std::string& word) {
    std::string key;
    key.reserve(word.size());
    for (char c : word)
        if (c != '*' && c != ' ') key += c;
    return key;
}

}  // namespace kestrel
