#include "core/text/QuickOpenIndex.h"

#include <algorithm>
#include <set>
#include <unordered_map>

#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/FuzzyRank.h"
#include "core/model/ProtocolData.h"
#include "core/model/RecordLists.h"
#include "core/model/SearchRank.h"
#include "core/model/StructData.h"
#include "core/text/AvailabilityText.h"
#include "core/text/EnumText.h"

namespace kestrel {

namespace {

using Kind = QuickOpenIndex::Kind;

std::string nameOf(const TreeData& record) { return record.getName().value_or(""); }

// "AppKit/NSView.h"; the header alone outside a framework.
std::string placeOf(const TreeData& record) {
    std::string framework = record.frameWorkName().value_or("");
    if (const std::string suffix = ".framework";
        framework.size() > suffix.size() && framework.compare(framework.size() - suffix.size(), suffix.size(), suffix) == 0)
        framework.erase(framework.size() - suffix.size());
    const std::string header = record.hedderName().value_or("");
    if (framework.empty() || framework == "------") return header;
    return header.empty() ? framework : framework + "/" + header;
}

// How many superclasses stand above a class (loops cut), at most 255.
std::uint8_t depthOf(const ClassData& record) {
    std::set<const HasMethodsData*> seen{&record};
    std::size_t depth = 0;
    for (const HasMethodsData* up = record.superClass(); up && seen.insert(up).second && depth < 255; up = up->superClass())
        ++depth;
    return static_cast<std::uint8_t>(depth);
}

bool isIdentifierChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The return type of a method text ("-(NSString*)title" -> "NSString*"), blanks left out.
std::string returnTypeOf(std::string_view method) {
    const std::size_t open = method.find('(');
    if (open != 1) return {};
    int depth = 0;
    std::string type;
    for (std::size_t i = open; i < method.size(); ++i) {
        if (method[i] == '(' && depth++ == 0) continue;
        if (method[i] == ')' && --depth == 0) return type;
        if (method[i] != ' ') type += method[i];
    }
    return {};
}

// A setter's property name and argument type: "-(void)setTitle:(NSString*)t" -> ("title",
// "NSString*"); none for any other method.
std::optional<std::pair<std::string, std::string>> setterOf(std::string_view method, const std::string& selector) {
    if (selector.size() < 5 || selector.compare(0, 3, "set") != 0 || selector.back() != ':' ||
        selector.find(':') != selector.size() - 1 || !(selector[3] >= 'A' && selector[3] <= 'Z'))
        return std::nullopt;
    if (returnTypeOf(method) != "void") return std::nullopt;
    const std::size_t colon = method.find(':');
    if (colon == std::string_view::npos || colon + 1 >= method.size() || method[colon + 1] != '(') return std::nullopt;
    std::string argument = returnTypeOf(std::string("-") + std::string(method.substr(colon + 1)));
    std::string name = selector.substr(3, selector.size() - 4);
    name[0] = static_cast<char>(name[0] - 'A' + 'a');
    return std::pair{std::move(name), std::move(argument)};
}

// The indexes of the getters in a method list that have their setter beside them.
std::set<std::size_t> propertyGetters(const std::vector<std::string>& methods, const std::vector<std::string>& selectors) {
    std::map<std::pair<char, std::string>, std::size_t> getters;  // (sign, selector) -> index
    for (std::size_t i = 0; i < methods.size(); ++i)
        if (!methods[i].empty() && selectors[i].find(':') == std::string::npos)
            getters.emplace(std::pair{methods[i][0], selectors[i]}, i);
    std::set<std::size_t> out;
    for (std::size_t i = 0; i < methods.size(); ++i) {
        if (methods[i].empty()) continue;
        const auto setter = setterOf(methods[i], selectors[i]);
        if (!setter) continue;
        std::string capitalised = setter->first;
        capitalised[0] = static_cast<char>(capitalised[0] - 'a' + 'A');
        for (const std::string& getter : {setter->first, "is" + capitalised}) {
            auto found = getters.find({methods[i][0], getter});
            if (found != getters.end() && returnTypeOf(methods[found->second]) == setter->second) {
                out.insert(found->second);
                break;
            }
        }
    }
    return out;
}

// The name a property getter stands for: "isHidden" of a BOOL getter with setHidden: -> "hidden".
std::string propertyNameOf(const std::string& getter, const std::vector<std::string>& selectors) {
    if (getter.size() > 2 && getter.compare(0, 2, "is") == 0 && getter[2] >= 'A' && getter[2] <= 'Z') {
        const std::string setter = "set" + getter.substr(2) + ":";
        if (std::find(selectors.begin(), selectors.end(), setter) != selectors.end()) {
            std::string name = getter.substr(2);
            name[0] = static_cast<char>(name[0] - 'A' + 'a');
            return name;
        }
    }
    return getter;
}

// "NSString* const NSFooKey", "const CFStringRef kBar": the word const, on its own.
bool declaresConstant(std::string_view declaration) {
    for (std::size_t c = declaration.find("const"); c != std::string_view::npos; c = declaration.find("const", c + 1))
        if ((c == 0 || !isIdentifierChar(declaration[c - 1])) &&
            (c + 5 == declaration.size() || !isIdentifierChar(declaration[c + 5])))
            return true;
    return false;
}

// The struct or enum a typedef's type names ("enum NSFoo", "CGRect"), by name.
std::string taggedName(std::string type) {
    for (const char* tag : {"enum ", "struct ", "union "})
        if (type.rfind(tag, 0) == 0) return type.substr(std::string(tag).size());
    return type;
}

}  // namespace

void QuickOpenIndex::clear() {
    entries_.clear();
    owners_.clear();
    names_.clear();
    lowered_.clear();
    typedefs_.clear();
    classCount_ = 0;
    ++generation_;
}

std::uint32_t QuickOpenIndex::addOwner(std::shared_ptr<TreeData> record, std::shared_ptr<ClassData> classRecord,
                                       std::string text) {
    owners_.push_back({std::move(record), std::move(classRecord), std::move(text)});
    return static_cast<std::uint32_t>(owners_.size() - 1);
}

void QuickOpenIndex::add(Kind kind, std::string_view name, std::uint32_t owner, std::uint32_t member,
                         std::uint8_t depth) {
    if (name.empty()) return;
    const std::size_t at = names_.size();
    names_.append(name);
    lowered_.append(name);
    for (std::size_t i = at; i < lowered_.size(); ++i)
        if (lowered_[i] >= 'A' && lowered_[i] <= 'Z') lowered_[i] = static_cast<char>(lowered_[i] - 'A' + 'a');
    const std::string_view low = std::string_view(lowered_).substr(at);
    entries_.push_back({static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(name.size()), owner, member,
                        FuzzyRank::letters(low), FuzzyRank::wordStarts(name), kind, depth, 0});
}

void QuickOpenIndex::addMethods(const std::optional<std::vector<std::string>>& methods, std::uint32_t owner,
                                std::uint8_t depth) {
    if (!methods) return;
    std::vector<std::string> selectors;
    selectors.reserve(methods->size());
    for (const std::string& m : *methods) selectors.push_back(SearchRank::selectorOf(m));
    const std::set<std::size_t> properties = propertyGetters(*methods, selectors);
    for (std::size_t i = 0; i < methods->size(); ++i) {
        const bool classSide = !(*methods)[i].empty() && (*methods)[i][0] == '+';
        const auto member = static_cast<std::uint32_t>(i);
        if (properties.count(i))
            add(classSide ? Kind::ClassProperty : Kind::Property, propertyNameOf(selectors[i], selectors), owner,
                member, depth);
        else
            add(classSide ? Kind::ClassMethod : Kind::Method, selectors[i], owner, member, depth);
    }
}

void QuickOpenIndex::build(const std::vector<std::shared_ptr<ClassData>>& classes, const RecordLists& lists) {
    clear();
    classCount_ = classes.size();
    std::map<const ClassData*, std::uint8_t> depths;
    std::map<std::string, std::shared_ptr<ClassData>> classNamed;
    std::map<const CategoryData*, std::shared_ptr<ClassData>> classOfCategory;
    std::map<std::string, std::shared_ptr<ClassData>> adopter;  // protocol name -> the class nearest the root
    for (const auto& record : classes) {
        if (!record) continue;
        const std::uint8_t depth = depths[record.get()] = depthOf(*record);
        classNamed.emplace(nameOf(*record), record);
        for (const auto& category : record->getCategoryList())
            if (category) classOfCategory.emplace(category.get(), record);
        if (const auto& protocols = record->getProtocolNames())
            for (const std::string& protocol : *protocols) {
                auto [at, added] = adopter.emplace(protocol, record);
                if (!added && depth < depths[at->second.get()]) at->second = record;
            }
    }

    for (const auto& record : classes) {
        if (!record) continue;
        const std::uint8_t depth = depths[record.get()];
        add(Kind::Class, nameOf(*record), addOwner(record, record, placeOf(*record)), kNoMember, depth);
        addMethods(record->getMethodList(), addOwner(record, record, nameOf(*record)), depth);
    }
    for (const auto& record : lists.protocolList) {
        if (!record) continue;
        const std::string name = nameOf(*record);
        auto found = adopter.find(name);
        std::shared_ptr<ClassData> shown = found == adopter.end() ? nullptr : found->second;
        add(Kind::Protocol, name, addOwner(record, shown, placeOf(*record)), kNoMember, 0);
        addMethods(record->getMethodList(), addOwner(record, shown, "<" + name + ">"), 0);
    }
    for (const auto& record : lists.categoryList) {
        if (!record) continue;
        std::shared_ptr<ClassData> owner;
        if (auto found = classOfCategory.find(record.get()); found != classOfCategory.end()) owner = found->second;
        else if (auto named = classNamed.find(record->getTargetClassName().value_or("")); named != classNamed.end())
            owner = named->second;
        const std::string className = record->getTargetClassName().value_or("");
        const std::uint8_t depth = owner ? depths[owner.get()] : 0;
        add(Kind::Category, nameOf(*record), addOwner(record, owner, className), kNoMember, depth);
        addMethods(record->getMethodList(), addOwner(record, owner, className + " (" + nameOf(*record) + ")"), depth);
    }

    std::map<std::string, std::shared_ptr<TreeData>> structOrEnum;
    for (const auto& record : lists.structList) {
        if (!record) continue;
        structOrEnum.emplace(nameOf(*record), record);
        add(Kind::Struct, nameOf(*record), addOwner(record, nullptr, placeOf(*record)), kNoMember, 0);
    }
    for (const auto& record : lists.enumList) {
        if (!record) continue;
        structOrEnum.emplace(nameOf(*record), record);
        add(Kind::Enum, nameOf(*record), addOwner(record, nullptr, placeOf(*record)), kNoMember, 0);
        const std::vector<EnumConstant> constants = record->getConstants();
        const std::uint32_t owner = addOwner(record, nullptr, EnumText::owner(*record));
        for (std::size_t i = 0; i < constants.size(); ++i)
            add(Kind::EnumConstant, constants[i].name, owner, static_cast<std::uint32_t>(i), 0);
    }
    for (const auto& [name, type] : lists.typedefList) {
        auto named = structOrEnum.find(taggedName(type));
        typedefs_.emplace_back(name, type);
        add(Kind::Typedef, name, addOwner(named == structOrEnum.end() ? nullptr : named->second, nullptr, "= " + type),
            static_cast<std::uint32_t>(typedefs_.size() - 1), 0);
    }
    // A header that declares a function and defines it further down (CGGeometry.h's CG_INLINE
    // CGRectMake) gives the list two records: one row for the user, the first record's.
    std::set<std::string> functionsSeen;
    for (const auto& record : lists.functions) {
        if (!record || !record->getName()) continue;
        const std::string& declaration = *record->getName();
        const std::string_view name = SearchRank::functionNameOf(declaration);
        // A name followed by its arguments is a function's; "void (*NSFooHook)(int)" is a variable's.
        std::size_t after = static_cast<std::size_t>(name.data() - declaration.data()) + name.size();
        while (after < declaration.size() && declaration[after] == ' ') ++after;
        Kind kind = Kind::Variable;
        if (after < declaration.size() && declaration[after] == '(') {
            const std::int32_t k = record->whoAreYou();
            kind = (k == kFoundationStaticInlineKind || k == kCGInlineKind) ? Kind::InlineFunction : Kind::Function;
        } else if (declaresConstant(declaration)) {
            kind = Kind::Constant;
        }
        std::string place = placeOf(*record);
        if (!functionsSeen.insert(std::to_string(static_cast<int>(kind)) + '\t' + std::string(name) + '\t' + place).second)
            continue;
        add(kind, name, addOwner(record, nullptr, std::move(place)), kNoMember, 0);
    }
    countDeclarations();
}

void QuickOpenIndex::countDeclarations() {
    std::unordered_map<std::string_view, std::uint32_t> counts;
    counts.reserve(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i) ++counts[lowered(i)];
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        std::uint8_t bucket = 0;
        for (std::uint32_t n = counts[lowered(i)]; n > 1; n /= 2) ++bucket;
        entries_[i].popularity = bucket;
    }
}

std::string_view QuickOpenIndex::name(std::size_t i) const {
    return std::string_view(names_).substr(entries_[i].at, entries_[i].length);
}

std::string_view QuickOpenIndex::lowered(std::size_t i) const {
    return std::string_view(lowered_).substr(entries_[i].at, entries_[i].length);
}

std::optional<std::string> QuickOpenIndex::method(std::size_t i) const {
    const Kind k = kind(i);
    if (k != Kind::Method && k != Kind::ClassMethod && k != Kind::Property && k != Kind::ClassProperty)
        return std::nullopt;
    const auto* owner = dynamic_cast<const HasMethodsData*>(record(i).get());
    return owner ? owner->getMethodString(member(i)) : std::nullopt;
}

std::optional<EnumConstant> QuickOpenIndex::constant(std::size_t i) const {
    if (kind(i) != Kind::EnumConstant) return std::nullopt;
    const auto* owner = dynamic_cast<const EnumData*>(record(i).get());
    if (!owner) return std::nullopt;
    std::vector<EnumConstant> constants = owner->getConstants();
    if (member(i) >= constants.size()) return std::nullopt;
    return std::move(constants[member(i)]);
}

std::optional<std::string> QuickOpenIndex::typedefType(std::size_t i) const {
    if (kind(i) != Kind::Typedef || member(i) >= typedefs_.size()) return std::nullopt;
    return typedefs_[member(i)].second;
}

const DeclarationNotes* QuickOpenIndex::notesOf(std::size_t i) const {
    // The entry's record gives them, or its member for a method or an enum constant.
    const TreeData* holder = record(i).get();
    if (!holder || kind(i) == Kind::Typedef) return nullptr;  // a typedef's record is the type it names
    if (member(i) == kNoMember) return &holder->getNotes();
    if (const auto* methods = dynamic_cast<const HasMethodsData*>(holder)) {
        if (methods->getMethodList() && member(i) < methods->getMethodList()->size())
            return methods->notesOfMethod((*methods->getMethodList())[member(i)]);
    } else if (const auto* owner = dynamic_cast<const EnumData*>(holder)) {
        const std::vector<EnumConstant> constants = owner->getConstants();
        if (member(i) < constants.size()) return owner->notesOfConstant(constants[member(i)].name);
    }
    return nullptr;
}

std::optional<std::string> QuickOpenIndex::availability(std::size_t i) const {
    // Written by AvailabilityText as the row shows it ("macOS 10.7+", "Deprecated in macOS 10.14: use -newThing").
    const DeclarationNotes* notes = notesOf(i);
    if (!notes || !notes->hasAvailability()) return std::nullopt;
    std::string text = notes->availability.isDeprecated() ? AvailabilityText::deprecated(notes->availability)
                                                          : AvailabilityText::introduced(notes->availability);
    if (text.empty()) return std::nullopt;
    return text;
}

bool QuickOpenIndex::isDeprecated(std::size_t i) const {
    const DeclarationNotes* notes = notesOf(i);
    return notes && notes->hasAvailability() && notes->availability.isDeprecated();
}

const char* QuickOpenIndex::kindLabel(Kind kind) {
    switch (kind) {
        case Kind::Class: return "class";
        case Kind::Protocol: return "protocol";
        case Kind::Struct: return "struct";
        case Kind::Enum: return "enum";
        case Kind::Typedef: return "typedef";
        case Kind::Function: return "function";
        case Kind::InlineFunction: return "inline function";
        case Kind::Property: return "property";
        case Kind::ClassProperty: return "class property";
        case Kind::Method: return "method";
        case Kind::ClassMethod: return "class method";
        case Kind::Constant: return "constant";
        case Kind::Variable: return "variable";
        case Kind::EnumConstant: return "enum constant";
        case Kind::Category: return "category";
    }
    return "";
}

const char* QuickOpenIndex::kindBadge(Kind kind) {
    switch (kind) {
        case Kind::Class: return "C";
        case Kind::Protocol: return "Pr";
        case Kind::Struct: return "S";
        case Kind::Enum: return "E";
        case Kind::Typedef: return "T";
        case Kind::Function: return "f";
        case Kind::InlineFunction: return "f";
        case Kind::Property: return "P";
        case Kind::ClassProperty: return "P";
        case Kind::Method: return "M";
        case Kind::ClassMethod: return "M";
        case Kind::Constant: return "K";
        case Kind::Variable: return "V";
        case Kind::EnumConstant: return "e";
        case Kind::Category: return "Ex";
    }
    return "";
}

}  // namespace kestrel
