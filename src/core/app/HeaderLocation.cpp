#include "core/app/HeaderLocation.h"

#include <cctype>
#include <climits>
#include <filesystem>
#include <system_error>

#include "core/app/QuickHelp.h"
#include "core/model/CategoryData.h"
#include "core/model/EnumData.h"
#include "core/model/TreeData.h"
#include "core/platform/FolderWalk.h"
#include "core/platform/HedderText.h"
#include "core/platform/LinkFile.h"
#include "core/text/DeclarationText.h"
#include "core/text/SnippetText.h"

namespace kestrel {

namespace fs = std::filesystem;

namespace {

using Kind = HeaderLocation::Target::Kind;

bool isNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v'; }

std::size_t skipBlanks(std::string_view text, std::size_t i) {
    while (i < text.size() && isBlank(text[i])) ++i;
    return i;
}

std::size_t skipName(std::string_view text, std::size_t i) {
    while (i < text.size() && isNameChar(text[i])) ++i;
    return i;
}

// The code of every line, with what comments hold blanked: a header's lines end at "\n",
// "\r\n" or "\r"; block comments run across lines; strings and character constants are
// blanked too (keeping their quotes), so that a "//" inside one starts no comment.
std::vector<std::string> codeLines(std::string_view text) {
    std::vector<std::string> lines;
    bool inBlock = false;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        std::string line(text.substr(start, end - start));
        for (std::size_t i = 0; i < line.size();) {
            if (inBlock) {
                const std::size_t close = line.find("*/", i);
                const std::size_t stop = close == std::string::npos ? line.size() : close + 2;
                for (std::size_t k = i; k < stop; ++k) line[k] = ' ';
                i = stop;
                inBlock = close == std::string::npos;
                continue;
            }
            const char c = line[i];
            if (c == '/' && i + 1 < line.size() && line[i + 1] == '/') {
                for (std::size_t k = i; k < line.size(); ++k) line[k] = ' ';
                break;
            }
            if (c == '/' && i + 1 < line.size() && line[i + 1] == '*') {
                line[i] = line[i + 1] = ' ';
                i += 2;
                inBlock = true;
                continue;
            }
            if (c == '"' || c == '\'') {  // blanked too: "@interface NSView" in a string is no declaration
                std::size_t k = i + 1;
                for (; k < line.size() && line[k] != c; ++k) {
                    if (line[k] == '\\' && k + 1 < line.size()) line[k++] = ' ';
                    line[k] = ' ';
                }
                i = k + 1;
                continue;
            }
            ++i;
        }
        lines.push_back(std::move(line));
        if (end == text.size()) break;
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

// Where word stands as a whole word in line, from position from; npos when it does not.
std::size_t findWord(std::string_view line, std::string_view word, std::size_t from = 0) {
    if (word.empty()) return std::string_view::npos;
    for (std::size_t at = line.find(word, from); at != std::string_view::npos; at = line.find(word, at + 1)) {
        const bool startsWord = at == 0 || !isNameChar(line[at - 1]) || word[0] == '@' || word[0] == '#';
        const bool endsWord = at + word.size() >= line.size() || !isNameChar(line[at + word.size()]);
        if (startsWord && endsWord) return at;
    }
    return std::string_view::npos;
}

bool isPreprocessorLine(std::string_view line) {
    const std::size_t first = skipBlanks(line, 0);
    return first < line.size() && line[first] == '#';
}

// After "@interface Name" (generic parameters skipped): the position of what follows, or npos
// when the line holds no such directive.
std::size_t afterInterfaceOf(std::string_view line, std::string_view directive, std::string_view name) {
    for (std::size_t at = findWord(line, directive); at != std::string_view::npos;
         at = findWord(line, directive, at + 1)) {
        std::size_t i = skipBlanks(line, at + directive.size());
        const std::size_t end = skipName(line, i);
        if (line.substr(i, end - i) != name) continue;
        i = skipBlanks(line, end);
        if (i < line.size() && line[i] == '<') {
            int depth = 0;
            for (; i < line.size(); ++i) {
                if (line[i] == '<') ++depth;
                if (line[i] == '>' && --depth == 0) break;
            }
            i = skipBlanks(line, i + 1);
        }
        return i;
    }
    return std::string_view::npos;
}

// The category named in "(Name)" at position i; none when no "(" stands there.
std::optional<std::string_view> categoryAt(std::string_view line, std::size_t i) {
    if (i >= line.size() || line[i] != '(') return std::nullopt;
    const std::size_t close = line.find(')', i);
    if (close == std::string_view::npos) return std::nullopt;
    std::string_view inside = line.substr(i + 1, close - i - 1);
    const std::size_t first = skipBlanks(inside, 0);
    return inside.substr(first, skipName(inside, first) - first);
}

bool isClassLine(std::string_view line, std::string_view name) {
    const std::size_t after = afterInterfaceOf(line, "@interface", name);
    return after != std::string_view::npos && !categoryAt(line, after);
}

bool isCategoryLine(std::string_view line, std::string_view name, std::string_view category) {
    const std::size_t after = afterInterfaceOf(line, "@interface", name);
    const std::optional<std::string_view> found = after == std::string_view::npos ? std::nullopt : categoryAt(line, after);
    return found && *found == category;
}

// "@interface WRAP(Name, T) (Category)": the category is the line's last parenthesised group.
bool isWrappedCategoryLine(std::string_view line, std::string_view name, std::string_view category) {
    const std::size_t directive = findWord(line, "@interface");
    if (directive == std::string_view::npos || findWord(line, name, directive) == std::string_view::npos) return false;
    const std::size_t close = line.find_last_of(')');
    const std::size_t open = close == std::string_view::npos ? close : line.find_last_of('(', close);
    if (open == std::string_view::npos || open < directive) return false;
    const std::optional<std::string_view> found = categoryAt(line, open);
    return found && *found == category && line.substr(close + 1).find_first_not_of(" \t") == std::string_view::npos;
}

bool isInterfaceLine(std::string_view line, std::string_view name) {
    return afterInterfaceOf(line, "@interface", name) != std::string_view::npos;
}

// "@interface WRAP(Name, ...) : Super": a macro that wraps the class name (GNUstep's
// GS_GENERIC_CLASS); the name stands before the superclass's ":".
bool isWrappedClassLine(std::string_view line, std::string_view name) {
    const std::size_t directive = findWord(line, "@interface");
    if (directive == std::string_view::npos) return false;
    const std::size_t at = findWord(line, name, directive);
    if (at == std::string_view::npos) return false;
    int depth = 0;
    for (std::size_t i = directive; i < at; ++i) {
        if (line[i] == '(') ++depth;
        if (line[i] == ')') --depth;
        if (line[i] == ':' && depth == 0) return false;
    }
    return depth > 0;
}

bool isProtocolLine(std::string_view line, std::string_view name) {
    const std::size_t after = afterInterfaceOf(line, "@protocol", name);
    return after != std::string_view::npos && (after >= line.size() || (line[after] != ';' && line[after] != ','));
}

// "Name(" outside a preprocessor line.
bool isCallLine(std::string_view line, std::string_view name) {
    if (isPreprocessorLine(line)) return false;
    for (std::size_t at = findWord(line, name); at != std::string_view::npos; at = findWord(line, name, at + 1)) {
        const std::size_t next = skipBlanks(line, at + name.size());
        if (next < line.size() && line[next] == '(') return true;
    }
    return false;
}

bool isDefineLine(std::string_view line, std::string_view name) {
    if (!isPreprocessorLine(line)) return false;
    const std::size_t define = findWord(line, "define");
    return define != std::string_view::npos && findWord(line, name, define) == skipBlanks(line, define + 6);
}

// "struct Name" (or the keyword given) not followed by ";" (a forward declaration).
bool isTagLine(std::string_view line, std::string_view keyword, std::string_view name) {
    for (std::size_t at = findWord(line, keyword); at != std::string_view::npos; at = findWord(line, keyword, at + 1)) {
        const std::size_t i = skipBlanks(line, at + keyword.size());
        const std::size_t end = skipName(line, i);
        if (line.substr(i, end - i) != name) continue;
        const std::size_t next = skipBlanks(line, end);
        if (next >= line.size() || line[next] != ';') return true;
    }
    return false;
}

// "} Name" closing a typedef.
bool isTypedefEndLine(std::string_view line, std::string_view name) {
    const std::size_t at = findWord(line, name);
    if (at == std::string_view::npos) return false;
    std::size_t before = at;
    while (before > 0 && isBlank(line[before - 1])) --before;
    return before > 0 && line[before - 1] == '}';
}

bool holdsWord(std::string_view line, std::string_view name) {
    return !isPreprocessorLine(line) && findWord(line, name) != std::string_view::npos;
}

// The first line (from 1) that a test accepts, 0 for none.
template <typename Test>
std::int32_t firstLine(const std::vector<std::string>& lines, Test test) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (test(lines[i])) return static_cast<std::int32_t>(i + 1);
    return 0;
}

// Tries each test in turn; the first line of the first test that finds one.
template <typename... Tests>
std::int32_t firstLineOf(const std::vector<std::string>& lines, Tests... tests) {
    std::int32_t line = 0;
    ((line = line ? line : firstLine(lines, tests)), ...);
    return line;
}

// A method declaration as written from its sign to its ";" or body, on one or more lines.
std::string declarationFrom(const std::vector<std::string>& lines, std::size_t first) {
    std::string text;
    for (std::size_t i = first; i < lines.size() && i < first + 40; ++i) {
        const std::size_t end = lines[i].find_first_of(";{");
        text += lines[i].substr(0, end);
        if (end != std::string::npos) break;
        text += ' ';
    }
    return text;
}

// A property that makes the selector: "title" from a "@property ... title;" line, "setTitle:"
// from the same, "isHidden" from "getter=isHidden".
bool isPropertyLineOf(std::string_view line, const std::string& selector) {
    if (findWord(line, "@property") == std::string_view::npos || selector.size() < 2) return false;
    std::string name = selector.substr(1);
    if (name.ends_with(':')) {
        if (!name.starts_with("set") || name.size() < 5 || name.find(':') != name.size() - 1) return false;
        name = name.substr(3, name.size() - 4);
        name[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[0])));
    }
    return name.find(':') == std::string::npos && findWord(line, name) != std::string_view::npos;
}

// The first match of a method in the block that begins at line first (an @interface line).
std::int32_t methodInBlock(const std::vector<std::string>& lines, std::size_t first, const std::string& selector) {
    std::int32_t property = 0;
    for (std::size_t i = first + 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (findWord(line, "@end") != std::string_view::npos) break;
        const std::size_t sign = skipBlanks(line, 0);
        if (sign < line.size() && line[sign] == selector[0] &&
            DeclarationText::selectorOf(declarationFrom(lines, i).substr(sign)) == selector)
            return static_cast<std::int32_t>(i + 1);
        if (!property && isPropertyLineOf(line, selector)) property = static_cast<std::int32_t>(i + 1);
    }
    return property;
}

// The folder a path stands for, links and link files followed ("AppKit.framework/Headers" may be
// a file holding "Versions/Current/Headers").
std::optional<std::string> folderAt(const std::string& path) {
    std::optional<LinkFile::Target> target = LinkFile::resolve(path);
    if (!target || !target->isFolder) return std::nullopt;
    return target->path;
}

std::optional<std::string> fileBelow(const std::string& folder, const std::string& name) {
    std::optional<std::string> start = folderAt(folder);
    if (!start) return std::nullopt;
    return walkFolder(*start, [&](const std::string& entry, const std::string&, bool isFolder) {
        return !isFolder && entry == name;
    });
}

std::string lastComponent(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The path as the user knows it: links resolved (the GNUstep link folder leads to
// /usr/include/GNUstep/...), or as found when that fails.
std::string resolved(const std::string& path) {
    std::optional<LinkFile::Target> target = LinkFile::resolve(path);
    return target ? target->path : path;
}

}  // namespace

std::optional<HeaderLocation::Target> HeaderLocation::targetOf(const TreeData& record) {
    if (!record.getName()) return std::nullopt;
    const std::string& name = *record.getName();
    switch (record.whoAreYou()) {
        case kClassDataKind: return Target{Kind::Class, name, ""};
        case kCategoryDataKind: {
            const auto& category = static_cast<const CategoryData&>(record);
            if (!category.getTargetClassName()) return std::nullopt;
            return Target{Kind::Category, *category.getTargetClassName(), name};
        }
        case kProtocolDataKind: return Target{Kind::Protocol, name, ""};
        case kStructDataKind: return Target{Kind::Struct, name, ""};
        case kEnumDataKind: {
            if (!name.empty()) return Target{Kind::Enum, name, ""};
            // An anonymous enum stands where its first constant does.
            const std::vector<EnumConstant> constants = static_cast<const EnumData&>(record).getConstants();
            if (constants.empty() || constants.front().name.empty()) return std::nullopt;
            return Target{Kind::Function, constants.front().name, ""};
        }
        default: break;
    }
    if (record.whoAreYou() < kFoundationExportKind) return std::nullopt;
    std::string declared = SnippetText::declaredName(name);
    if (declared.empty()) return std::nullopt;
    return Target{Kind::Function, std::move(declared), ""};
}

std::optional<std::string> HeaderLocation::findHedder(const std::string& frameworksRoot, const std::string& fwName,
                                                      const std::string& hedderName,
                                                      const std::vector<std::string>& privateHedders) {
    if (hedderName.empty() || hedderName.find('/') != std::string::npos) return std::nullopt;
    // "Outer.framework/Inner.framework": Inner in Outer's Frameworks folder.
    const bool inFramework = fwName.ends_with(".framework");
    if (inFramework) {
        std::string folder = frameworksRoot;
        std::size_t start = 0;
        for (bool first = true; start <= fwName.size(); first = false) {
            std::size_t slash = fwName.find('/', start);
            if (slash == std::string::npos) slash = fwName.size();
            folder += first ? "/" : "/Frameworks/";
            folder.append(fwName, start, slash - start);
            start = slash + 1;
        }
        if (std::optional<std::string> found = fileBelow(folder + "/Headers", hedderName)) return resolved(*found);
    }
    if (!inFramework) {
        std::error_code error;
        for (const std::string& path : privateHedders) {
            if (folderAt(path)) {
                if (std::optional<std::string> found = fileBelow(path, hedderName)) return resolved(*found);
            } else if (lastComponent(path) == hedderName && fs::exists(path, error)) {
                return resolved(path);
            }
        }
    }
    // Anywhere below the root: a framework inside another folder, a header outside any
    // framework. A framework's header is only taken from a folder of that framework's name.
    std::string within(1, '/');  // built in steps: GCC 12 warns wrongly about "/" + a temporary
    within += lastComponent(fwName);
    within += '/';
    const std::optional<std::string> root = folderAt(frameworksRoot);
    if (!root) return std::nullopt;
    std::optional<std::string> found = walkFolder(*root, [&](const std::string& entry, const std::string& path, bool isFolder) {
        return !isFolder && entry == hedderName && (!inFramework || path.find(within) != std::string::npos);
    });
    if (found) return resolved(*found);
    return std::nullopt;
}

std::int32_t HeaderLocation::lineOf(std::string_view text, const Target& target) {
    const std::vector<std::string> lines = codeLines(text);
    const std::string& name = target.name;
    switch (target.kind) {
        case Kind::Class:
            return firstLineOf(lines, [&](std::string_view l) { return isClassLine(l, name); },
                               [&](std::string_view l) { return isWrappedClassLine(l, name); },
                               [&](std::string_view l) { return isInterfaceLine(l, name); });
        case Kind::Category:
            return firstLineOf(lines, [&](std::string_view l) { return isCategoryLine(l, name, target.category); },
                               [&](std::string_view l) { return isWrappedCategoryLine(l, name, target.category); });
        case Kind::Protocol: return firstLine(lines, [&](std::string_view l) { return isProtocolLine(l, name); });
        case Kind::Function:
            return firstLineOf(lines, [&](std::string_view l) { return isCallLine(l, name); },
                               [&](std::string_view l) { return isDefineLine(l, name); },
                               [&](std::string_view l) { return holdsWord(l, name); },
                               [&](std::string_view l) { return findWord(l, name) != std::string_view::npos; });
        case Kind::Struct:
        case Kind::Enum: {
            const std::string_view keyword = target.kind == Kind::Enum ? "enum" : "struct";
            return firstLineOf(lines, [&](std::string_view l) { return isTagLine(l, keyword, name) || isTagLine(l, "union", name); },
                               [&](std::string_view l) { return isTypedefEndLine(l, name); },
                               [&](std::string_view l) { return holdsWord(l, name); });
        }
    }
    return 0;
}

std::int32_t HeaderLocation::lineOfMethod(std::string_view text, const std::string& className, const std::string& method) {
    const std::string selector = DeclarationText::selectorOf(method);
    if (selector.size() < 2) return 0;
    const std::vector<std::string> lines = codeLines(text);
    // The class's own block first, then its categories' in the order written.
    for (bool own : {true, false}) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (own ? !isClassLine(lines[i], className) : isClassLine(lines[i], className) || !isInterfaceLine(lines[i], className))
                continue;
            if (std::int32_t line = methodInBlock(lines, i, selector)) return line;
        }
    }
    return 0;
}

std::string HeaderLocation::declarationName(const TreeData& record, const std::string& method) {
    std::optional<Target> target = targetOf(record);
    if (!target) return record.getName().value_or("");
    std::string name = target->name;
    if (target->kind == Kind::Category) name += " (" + target->category + ")";
    if (target->kind == Kind::Protocol) name = "<" + name + ">";
    const std::string selector = method.empty() ? "" : DeclarationText::selectorOf(method);
    if (selector.size() > 1 && (target->kind == Kind::Class || target->kind == Kind::Category))
        return selector.substr(0, 1) + "[" + name + " " + selector.substr(1) + "]";
    return name;
}

std::string HeaderLocation::expectedPath(const std::string& frameworksRoot, const TreeData& record) {
    const std::string framework = record.frameWorkName().value_or("");
    const std::string header = record.hedderName().value_or("");
    if (!framework.ends_with(".framework")) return header;
    return frameworksRoot + "/" + framework + "/Headers/" + header;
}

std::optional<HeaderLocation::Place> HeaderLocation::locate(const TreeData& record, const std::string& frameworksRoot,
                                                            const std::vector<std::string>& privateHedders,
                                                            const std::string& method) {
    std::optional<Target> target = targetOf(record);
    if (!target || !record.hedderName()) return std::nullopt;
    std::optional<std::string> path =
        findHedder(frameworksRoot, record.frameWorkName().value_or(""), *record.hedderName(), privateHedders);
    if (!path) return std::nullopt;
    Place place{*path, 0};
    // The line the build stored (a tree stored before lines were kept has none: it is scanned).
    if (const DeclarationNotes* notes = QuickHelp::notesOf(record, method); notes && notes->line && *notes->line <= INT32_MAX) {
        place.line = static_cast<std::int32_t>(*notes->line);
        return place;
    }
    HedderText::Loaded loaded = HedderText::read(*path);
    if (loaded.problem != HedderText::Problem::None) return place;  // the viewer says why
    if (!method.empty() && (target->kind == Kind::Class || target->kind == Kind::Category))
        place.line = lineOfMethod(loaded.text, target->name, method);
    if (place.line == 0) place.line = lineOf(loaded.text, *target);
    return place;
}

}  // namespace kestrel
