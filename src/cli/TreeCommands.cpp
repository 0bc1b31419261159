#include "cli/TreeCommands.h"

#include <chrono>
#include <functional>
#include <cstdio>
#include <set>

#include "cli/GuiModule.h"
#include "cli/JsonWriter.h"
#include "cli/NotesPrinting.h"
#include "cli/Session.h"
#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/DepthFirst.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/ProtocolData.h"
#include "core/model/StructData.h"
#include "core/model/TreeSearch.h"
#include "core/platform/DataFolder.h"
#include "core/platform/ProcessState.h"
#include "core/platform/SdkLayout.h"
#include "core/text/ArgumentInfo.h"
#include "core/text/DeclarationText.h"
#include "core/text/EnumText.h"
#include "core/text/MethodLists.h"
#include "core/text/QuickOpenIndex.h"
#include "core/text/QuickOpenSearch.h"
#include "core/text/QuickOpenText.h"

namespace kestrel::cli {

namespace {

const std::string kRootUsage = " [--sdk SDK | --frameworks-root DIR]";

// What a tree command does after the common opening: its own arguments (options it names
// included), the requested frameworks root, and the streams.
using TreeBody = std::function<int(const Command& c, const std::vector<std::string>& args,
                                   const std::optional<std::string>& root, CommandIO& io)>;

// A command of the tree: takes --sdk and --frameworks-root, refuses every other option it does
// not name.
Command treeCommand(std::string name, std::string usage, std::string summary, std::set<std::string> options,
                    TreeBody body) {
    Command c;
    c.name = std::move(name);
    c.usage = usage + kRootUsage;
    c.summary = std::move(summary);
    c.run = [c, options = std::move(options), body = std::move(body)](const std::vector<std::string>& given,
                                                                      CommandIO& io) {
        std::vector<std::string> args(given);
        std::optional<std::string> root;
        std::string problem;
        if (!Session::takeFrameworksRoot(args, root, problem)) return usageError(c, problem, io.err);
        for (const auto& a : args)
            if (a.size() > 2 && a.rfind("--", 0) == 0 && !options.count(a))
                return usageError(c, "unknown option '" + a + "'", io.err);
        return body(c, args, root, io);
    };
    return c;
}

std::string nameOf(const TreeData& record) { return record.getName().value_or(""); }

// The record and the classes below it, two spaces deeper a level.
void printOutline(const HasMethodsData& top, std::set<const HasMethodsData*>& seen, std::ostream& out) {
    depthFirst(
        top, [](const HasMethodsData& r) -> const auto& { return r.getSubClassList(); },
        [&](const HasMethodsData& record, std::size_t depth) {
            if (!seen.insert(&record).second) return false;  // a record met twice would repeat or loop
            out << std::string(depth * 2, ' ') << nameOf(record) << '\n';
            return true;
        });
}

std::string joined(const std::optional<std::vector<std::string>>& items, const char* separator) {
    std::string out;
    if (!items) return out;
    for (const auto& item : *items) out += (out.empty() ? "" : separator) + item;
    return out;
}

// Each method on a line with its availability marker; with doc, its notes below it.
void printMethods(const HasMethodsData& owner, const char* indent, bool doc, std::ostream& out) {
    if (!owner.getMethodList()) return;
    for (const auto& m : *owner.getMethodList()) {
        const DeclarationNotes* notes = owner.notesOfMethod(m);
        out << indent << m << NotesPrinting::marker(notes) << '\n';
        if (doc) NotesPrinting::printDoc(notes, owner, std::string(indent) + "    ", out);
    }
}

// Takes "--style declaration|call|snippet" out of args: style becomes the drag style (0
// declaration, 1 call, 2 snippet). False, with the problem, for a missing or unknown value.
bool takeStyle(std::vector<std::string>& args, std::optional<std::int32_t>& style, std::string& problem) {
    for (std::size_t i = 0; i < args.size();) {
        if (args[i] != "--style") {
            ++i;
            continue;
        }
        const std::string value = i + 1 < args.size() ? args[i + 1] : "";
        if (value != "declaration" && value != "call" && value != "snippet") {
            problem = value.empty() ? "--style needs declaration, call or snippet"
                                    : "unknown style '" + value + "' (declaration, call or snippet)";
            return false;
        }
        style = static_cast<std::int32_t>(value == "call"      ? DragStyle::Call
                                          : value == "snippet" ? DragStyle::Snippet
                                                               : DragStyle::Declaration);
        args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
    }
    return true;
}

// Takes a flag out of args; answers whether it was there.
bool takeFlag(std::vector<std::string>& args, const std::string& flag) {
    const auto before = args.size();
    std::erase(args, flag);
    return args.size() != before;
}

// What `info CLASS` prints without options: framework, header, superclasses, protocols, then
// each category with its methods, then the class's own methods.
void printInfo(const ClassData& record, bool doc, std::ostream& out) {
    out << "Class: " << nameOf(record) << NotesPrinting::marker(&record.getNotes()) << '\n'
        << "Framework: " << record.frameWorkName().value_or("") << '\n'
        << "Header: " << record.hedderName().value_or("") << '\n';
    std::string chain;
    std::set<const HasMethodsData*> seen{&record};
    for (const HasMethodsData* up = record.superClass(); up && seen.insert(up).second; up = up->superClass())
        chain += (chain.empty() ? "" : " : ") + nameOf(*up);
    if (!record.superClass() && record.superName()) chain = *record.superName() + " (not read)";
    out << "Superclasses: " << chain << '\n'
        << "Protocols: " << joined(record.getProtocolNames(), ", ") << '\n';
    if (doc) NotesPrinting::printDoc(&record.getNotes(), record, "  ", out);
    out << "Categories:" << (record.getCategoryList().empty() ? "" : "\n");
    for (const auto& category : record.getCategoryList()) {
        if (!category) continue;
        const std::string name = nameOf(*category);  // a class extension has none: "()"
        out << "  " << (name.empty() ? "()" : name) << " (" << category->hedderName().value_or("") << ")"
            << NotesPrinting::marker(&category->getNotes()) << "\n";
        printMethods(*category, "    ", doc, out);
    }
    if (record.getCategoryList().empty()) out << '\n';
    out << "Methods:\n";
    printMethods(record, "  ", doc, out);
}

// The methods that `info CLASS --style/--arguments` lists: the class's own, then each category's.
std::vector<InheritedMethod> ownAndCategoryMethods(const ClassData& record) {
    std::vector<InheritedMethod> out;
    auto add = [&](const HasMethodsData& from) {
        if (from.getMethodList())
            for (const auto& m : *from.getMethodList()) out.push_back({m, nameOf(from), 0});
    };
    add(record);
    for (const auto& category : record.getCategoryList())
        if (category) add(*category);
    return out;
}

// One line a method (in the style when one is given, with the class as the receiver; with its
// source after a tab when asked), and with arguments its argument information below it, each
// line indented by four spaces.
struct MethodPrinting {
    std::optional<std::int32_t> style;
    bool withSource = false;
    std::optional<ArgumentInfo> arguments;
};

void printMethodLines(const std::vector<InheritedMethod>& methods, const std::string& receiver,
                      MethodPrinting& how, std::ostream& out) {
    for (const auto& m : methods) {
        out << (how.style ? DeclarationText::createExternalDragStrings(m.method, *how.style, receiver) : m.method);
        if (how.withSource) out << '\t' << m.source;
        out << '\n';
        if (!how.arguments) continue;
        const std::string info = how.arguments->forDeclaration(m.method).value_or("");
        std::size_t start = 0;
        while (start < info.size()) {
            std::size_t end = info.find('\n', start);
            if (end == std::string::npos) end = info.size();
            out << "    " << info.substr(start, end - start) << '\n';
            start = end + 1;
        }
    }
}

// `find --any`: quick open's search, every match, best first: "kind<TAB>name<TAB>owner".
int findAny(const std::string& text, std::optional<std::int32_t> style, const std::optional<std::string>& root,
            CommandIO& io) {
    Session session(root, io);
    session.start();
    AppAction2& app = session.app();
    app.ensureNotes();  // the rows' availability
    QuickOpenIndex index;
    index.build(app.classStraightList, app);
    QuickOpenSearch search(index);
    const std::vector<QuickOpenSearch::Hit> hits = search.find(text, index.size());
    for (const QuickOpenSearch::Hit& hit : hits) io.out << QuickOpenText::terminalRow(index, hit.entry, style) << '\n';
    if (hits.empty()) {
        io.err << "nothing found\n";
        return session.end(kExitNothing);
    }
    char count[64];
    std::snprintf(count, sizeof count, "%3zu %s", hits.size(), hits.size() == 1 ? "entry found" : "entries found");
    io.out << count << '\n';
    return session.end(kExitFound);
}

}  // namespace

Command TreeCommands::build() {
    return treeCommand("build", "build [--verbose]",
                       "rebuild the class tree from the framework headers and store it; --verbose names the "
                       "headers that could not be read",
                       {"--verbose"},
                       [](const Command& c, const std::vector<std::string>& given,
                          const std::optional<std::string>& root, CommandIO& io) {
        std::vector<std::string> args(given);
        const bool verbose = takeFlag(args, "--verbose");
        if (!args.empty()) return usageError(c, "unexpected argument '" + args[0] + "'", io.err);
        // A build is for storing: where nothing can be stored, it is not begun.
        if (std::optional<std::string> problem = DataFolder::writeProblem()) {
            io.err << "kestrel build: the class tree cannot be stored: " << *problem << "\n";
            return kExitNotStored;
        }
        auto started = std::chrono::steady_clock::now();
        Session session(root, io);
        session.start(true);
        const bool stored = session.finish();
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        AppAction2& app = session.app();
        const std::vector<std::string>& unreadable = app.getTreeBuilder().getUnreadableHedders();
        std::string unread;
        if (!unreadable.empty()) unread = " (" + std::to_string(unreadable.size()) + " could not be read)";
        char line[256];
        std::snprintf(line, sizeof line,
                      "%zu classes, %zu categories, %zu protocols, %zu structs, %zu enums, %zu functions, "
                      "%zu typedefs from %zu headers",
                      app.classStraightList.size(), app.categoryList.size(), app.protocolList.size(),
                      app.structList.size(), app.enumList.size(), app.functions.size(), app.typedefList.size(),
                      app.getHedderCount());
        char time[32];
        std::snprintf(time, sizeof time, " in %.2f s\n", seconds);
        io.out << line << unread << " of " << SdkLayout::describe(ProcessState::frameworksRoot()) << time;
        if (verbose) {
            for (const std::string& path : unreadable) io.err << "kestrel build: could not read " << path << "\n";
        } else if (!unreadable.empty()) {
            io.err << "kestrel build: " << unreadable.size() << " header" << (unreadable.size() == 1 ? "" : "s")
                   << " could not be read (--verbose names them)\n";
        }
        int status = kExitFound;
        if (!stored) {
            status = kExitNotStored;
        } else if (app.getHedderCount() == 0) {
            io.err << "kestrel build: no header found under " << ProcessState::frameworksRoot()
                   << " (give another with --sdk SDK or --frameworks-root DIR); the stored tree is left as it was\n";
            status = kExitNothing;
        }
        // Everything is stored and said: freeing the records one by one (some 30 ms on a
        // current SDK) would only delay the end.
        if (io.endsProcess) endProcess(io, status);
        return status;
    });
}

Command TreeCommands::tree() {
    return treeCommand("tree", "tree [--png FILE|--svg FILE] [CLASS]",
                       "print the class tree as an indented outline, whole or under CLASS; or draw it "
                       "as a PNG or SVG picture",
                       {"--png", "--svg"},
                       [](const Command& c, const std::vector<std::string>& given,
                          const std::optional<std::string>& root, CommandIO& io) {
        std::vector<std::string> args;
        std::optional<TreePictureRequest> picture;
        for (std::size_t i = 0; i < given.size(); ++i) {
            if (given[i] != "--png" && given[i] != "--svg") {
                args.push_back(given[i]);
                continue;
            }
            if (picture) return usageError(c, "give one picture file", io.err);
            if (i + 1 >= given.size() || given[i + 1].empty()) return usageError(c, given[i] + " needs a file", io.err);
            picture = TreePictureRequest{root, given[i + 1], given[i] == "--svg", std::nullopt};
            ++i;
        }
        if (args.size() > 1) return usageError(c, "give at most one class", io.err);
        if (picture) {
            if (!args.empty()) picture->className = args[0];
            // Drawn by the window's own code, which lives with the desktop program.
            return GuiModule::drawTreePicture(*picture, io.err);
        }
        Session session(root, io);
        session.start();
        AppAction2& app = session.app();
        std::set<const HasMethodsData*> seen;
        if (args.empty()) {
            for (const auto& record : app.classList)
                if (record) printOutline(*record, seen, io.out);
            return session.end(seen.empty() ? kExitNothing : kExitFound);
        }
        auto record = app.findClassByName(args[0]);
        if (!record) {
            io.err << "kestrel tree: no class named " << args[0] << "\n";
            return session.end(kExitNothing);
        }
        printOutline(*record, seen, io.out);
        return session.end(kExitFound);
    });
}

Command TreeCommands::find() {
    return treeCommand("find",
                       "find [--classes|--methods|--functions|--constants|--any] [--style declaration|call|snippet] [--doc] KEYWORD...",
                       "find classes, methods, functions or enum constants whose text holds every keyword "
                       "(any case); methods and functions as declarations, calls or snippets; --doc prints "
                       "each one's documentation, availability and place; with --any, everything whose name "
                       "holds the keyword's letters in order, best first, as quick open does",
                       {"--classes", "--methods", "--functions", "--constants", "--any", "--style", "--doc"},
                       [](const Command& c, const std::vector<std::string>& given,
                          const std::optional<std::string>& root, CommandIO& io) {
        std::vector<std::string> args(given);
        std::optional<std::int32_t> style;
        std::string problem;
        if (!takeStyle(args, style, problem)) return usageError(c, problem, io.err);
        const bool doc = takeFlag(args, "--doc");
        int mode = TreeSearch::kFindClasses;
        bool any = false, kindGiven = false;
        std::string text;
        for (const auto& a : args) {
            if (a == "--any") any = true;
            else if (a == "--classes") mode = TreeSearch::kFindClasses, kindGiven = true;
            else if (a == "--methods") mode = TreeSearch::kFindMethods, kindGiven = true;
            else if (a == "--functions") mode = TreeSearch::kFindFunctions, kindGiven = true;
            else if (a == "--constants") mode = TreeSearch::kFindConstants, kindGiven = true;
            else text += (text.empty() ? "" : " ") + a;
        }
        std::vector<std::string> keywords = TreeSearch::commandToToken(text);
        if (keywords.empty()) return usageError(c, "no keyword given", io.err);
        if (any && kindGiven) return usageError(c, "--any searches every kind: give it alone", io.err);
        if (any) return findAny(text, style, root, io);
        if (style && (mode == TreeSearch::kFindClasses || mode == TreeSearch::kFindConstants))
            return usageError(c, "--style goes with --methods or --functions", io.err);
        Session session(root, io);
        session.start();
        AppAction2& app = session.app();
        if (!style) app.ensureNotes();  // the availability markers, and --doc
        std::vector<TreeSearch::Result> results;
        if (mode == TreeSearch::kFindClasses) results = TreeSearch::doClassNameFind(keywords, app.classStraightList);
        if (mode == TreeSearch::kFindMethods) results = TreeSearch::doMethodFind(keywords, app.classStraightList);
        if (mode == TreeSearch::kFindFunctions) results = TreeSearch::doFuncFind(keywords, app.functions);
        if (mode == TreeSearch::kFindConstants) results = TreeSearch::doConstantFind(keywords, app.enumList);
        for (const auto& r : results) {
            // Markers go with the listed declarations, not with text made to be pasted.
            const DeclarationNotes* notes = nullptr;
            const TreeData* owner = nullptr;
            if (r.constant) {
                notes = r.enumRecord->notesOfConstant(r.constant->name);
                owner = r.enumRecord.get();
                io.out << r.constant->text() << '\t' << EnumText::owner(*r.enumRecord);
            } else if (r.function) {
                const std::string name = nameOf(*r.function);
                notes = &r.function->getNotes();
                owner = r.function.get();
                io.out << (style ? DeclarationText::functionText(name, *style) : name);
            } else if (r.method) {
                const std::string ownerName = nameOf(*r.classRecord);
                notes = NotesPrinting::notesOfMethod(*r.classRecord, *r.method);
                owner = r.classRecord.get();
                io.out << ownerName << '\t'
                       << (style ? DeclarationText::createExternalDragStrings(*r.method, *style, ownerName) : *r.method);
            } else {
                notes = &r.classRecord->getNotes();
                owner = r.classRecord.get();
                io.out << nameOf(*r.classRecord);
            }
            io.out << (style ? "" : NotesPrinting::marker(notes)) << '\n';
            if (doc) NotesPrinting::printDoc(notes, *owner, "    ", io.out);
        }
        if (results.empty()) {
            io.err << "nothing found\n";
            return session.end(kExitNothing);
        }
        io.out << TreeSearch::countLine(mode, results.size()) << '\n';
        return session.end(kExitFound);
    });
}

Command TreeCommands::info() {
    return treeCommand("info", "info [--inherited] CLASS [--style declaration|call|snippet] [--arguments] [--doc] [--json]",
                       "print a class's framework, header, superclasses, protocols, categories and methods; "
                       "or its methods in a style, with their argument information, or all it inherits; "
                       "--doc adds each one's documentation, availability and place, --json prints what the "
                       "Class panel shows as JSON",
                       {"--style", "--arguments", "--inherited", "--doc", "--json"},
                       [](const Command& c, const std::vector<std::string>& given,
                          const std::optional<std::string>& root, CommandIO& io) {
        std::vector<std::string> args(given);
        MethodPrinting how;
        std::string problem;
        if (!takeStyle(args, how.style, problem)) return usageError(c, problem, io.err);
        const bool withArguments = takeFlag(args, "--arguments");
        how.withSource = takeFlag(args, "--inherited");
        const bool doc = takeFlag(args, "--doc");
        const bool json = takeFlag(args, "--json");
        if (json && (doc || how.style || withArguments || how.withSource))
            return usageError(c, "--json goes alone with the class", io.err);
        if (doc && (how.style || withArguments || how.withSource))
            return usageError(c, "--doc goes with the class's own listing", io.err);
        if (args.size() != 1) return usageError(c, "give one class name", io.err);
        Session session(root, io);
        session.start();
        AppAction2& app = session.app();
        app.ensureNotes();  // the availability markers, --doc and --json
        auto record = app.findClassByName(args[0]);
        if (!record) {
            io.err << "kestrel info: no class named " << args[0] << "\n";
            return session.end(kExitNothing);
        }
        if (json) {
            JsonWriter(io.out).write(PlistValue(NotesPrinting::classJson(*record)));
            io.out << '\n';
            return session.end(kExitFound);
        }
        if (!how.style && !withArguments && !how.withSource) {
            printInfo(*record, doc, io.out);
            return session.end(kExitFound);
        }
        if (withArguments) how.arguments.emplace(app.getLinker(), &app.typedefList);
        const auto methods =
            how.withSource ? MethodLists::inheritedMethods(*record) : ownAndCategoryMethods(*record);
        printMethodLines(methods, nameOf(*record), how, io.out);
        return session.end(methods.empty() ? kExitNothing : kExitFound);
    });
}

}  // namespace kestrel::cli
