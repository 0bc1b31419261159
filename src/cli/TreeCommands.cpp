#include "cli/TreeCommands.h"

#include <chrono>
#include <functional>
#include <cstdio>
#include <set>

#include "cli/GuiModule.h"
#include "cli/Session.h"
#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/ProtocolData.h"
#include "core/model/StructData.h"
#include "core/model/TreeSearch.h"
#include "core/platform/ProcessState.h"

namespace kestrel::cli {

namespace {

const std::string kRootUsage = " [--frameworks-root DIR]";

// What a tree command does after the common opening: its own arguments (options it names
// included), the requested frameworks root, and the streams.
using TreeBody = std::function<int(const Command& c, const std::vector<std::string>& args,
                                   const std::optional<std::string>& root, CommandIO& io)>;

// A command of the tree: takes --frameworks-root, refuses every other option it does not name.
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

void printOutline(const HasMethodsData& record, int depth, std::set<const HasMethodsData*>& seen,
                  std::ostream& out) {
    if (!seen.insert(&record).second) return;  // a record met twice would repeat or loop
    out << std::string(static_cast<std::size_t>(depth) * 2, ' ') << nameOf(record) << '\n';
    for (const auto& sub : record.getSubClassList())
        if (sub) printOutline(*sub, depth + 1, seen, out);
}

std::string joined(const std::optional<std::vector<std::string>>& items, const char* separator) {
    std::string out;
    if (!items) return out;
    for (const auto& item : *items) out += (out.empty() ? "" : separator) + item;
    return out;
}

void printMethods(const std::optional<std::vector<std::string>>& methods, const char* indent, std::ostream& out) {
    if (!methods) return;
    for (const auto& m : *methods) out << indent << m << '\n';
}

}  // namespace

Command TreeCommands::build() {
    return treeCommand("build", "build", "rebuild the class tree from the framework headers and store it", {},
                       [](const Command& c, const std::vector<std::string>& args,
                          const std::optional<std::string>& root, CommandIO& io) {
        if (!args.empty()) return usageError(c, "unexpected argument '" + args[0] + "'", io.err);
        auto started = std::chrono::steady_clock::now();
        Session session(root, io);
        session.start(true);
        session.finish();
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        AppAction2& app = session.app();
        char line[256];
        std::snprintf(line, sizeof line,
                      "%zu classes, %zu categories, %zu protocols, %zu structs, %zu enums, %zu functions, "
                      "%zu typedefs from %zu headers in %.2f s\n",
                      app.classStraightList.size(), app.categoryList.size(), app.protocolList.size(),
                      app.structList.size(), app.enumList.size(), app.functions.size(), app.typedefList.size(),
                      app.getHedderCount(), seconds);
        io.out << line;
        if (app.getHedderCount() == 0) {
            io.err << "kestrel build: no header found under " << ProcessState::frameworksRoot()
                   << " (give another with --frameworks-root DIR)\n";
            return kExitNothing;
        }
        return kExitFound;
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
                if (record) printOutline(*record, 0, seen, io.out);
            return seen.empty() ? kExitNothing : kExitFound;
        }
        auto record = app.findClassByName(args[0]);
        if (!record) {
            io.err << "kestrel tree: no class named " << args[0] << "\n";
            return kExitNothing;
        }
        printOutline(*record, 0, seen, io.out);
        return kExitFound;
    });
}

Command TreeCommands::find() {
    return treeCommand("find", "find [--classes|--methods|--functions] KEYWORD...",
                       "find classes, methods or functions whose text holds every keyword (any case)",
                       {"--classes", "--methods", "--functions"},
                       [](const Command& c, const std::vector<std::string>& args,
                          const std::optional<std::string>& root, CommandIO& io) {
        int mode = TreeSearch::kFindClasses;
        std::string text;
        for (const auto& a : args) {
            if (a == "--classes") mode = TreeSearch::kFindClasses;
            else if (a == "--methods") mode = TreeSearch::kFindMethods;
            else if (a == "--functions") mode = TreeSearch::kFindFunctions;
            else text += (text.empty() ? "" : " ") + a;
        }
        std::vector<std::string> keywords = TreeSearch::commandToToken(text);
        if (keywords.empty()) return usageError(c, "no keyword given", io.err);
        Session session(root, io);
        session.start();
        AppAction2& app = session.app();
        std::vector<TreeSearch::Result> results;
        if (mode == TreeSearch::kFindClasses) results = TreeSearch::doClassNameFind(keywords, app.classStraightList);
        if (mode == TreeSearch::kFindMethods) results = TreeSearch::doMethodFind(keywords, app.classStraightList);
        if (mode == TreeSearch::kFindFunctions) results = TreeSearch::doFuncFind(keywords, app.functions);
        for (const auto& r : results) {
            if (r.function) io.out << nameOf(*r.function) << '\n';
            else if (r.method) io.out << nameOf(*r.classRecord) << '\t' << *r.method << '\n';
            else io.out << nameOf(*r.classRecord) << '\n';
        }
        if (results.empty()) {
            io.err << "nothing found\n";
            return kExitNothing;
        }
        io.out << TreeSearch::countLine(mode, results.size()) << '\n';
        return kExitFound;
    });
}

Command TreeCommands::info() {
    return treeCommand("info", "info CLASS",
                       "print a class's framework, header, superclasses, protocols, categories and methods", {},
                       [](const Command& c, const std::vector<std::string>& args,
                          const std::optional<std::string>& root, CommandIO& io) {
        if (args.size() != 1) return usageError(c, "give one class name", io.err);
        Session session(root, io);
        session.start();
        auto record = session.app().findClassByName(args[0]);
        if (!record) {
            io.err << "kestrel info: no class named " << args[0] << "\n";
            return kExitNothing;
        }
        std::ostream& out = io.out;
        out << "Class: " << nameOf(*record) << '\n'
            << "Framework: " << record->frameWorkName().value_or("") << '\n'
            << "Header: " << record->hedderName().value_or("") << '\n';
        std::string chain;
        std::set<const HasMethodsData*> seen{record.get()};
        for (const HasMethodsData* up = record->superClass(); up && seen.insert(up).second; up = up->superClass())
            chain += (chain.empty() ? "" : " : ") + nameOf(*up);
        if (!record->superClass() && record->superName()) chain = *record->superName() + " (not read)";
        out << "Superclasses: " << chain << '\n'
            << "Protocols: " << joined(record->getProtocolNames(), ", ") << '\n';
        out << "Categories:" << (record->getCategoryList().empty() ? "" : "\n");
        for (const auto& category : record->getCategoryList()) {
            if (!category) continue;
            out << "  " << nameOf(*category) << " (" << category->hedderName().value_or("") << ")\n";
            printMethods(category->getMethodList(), "    ", out);
        }
        if (record->getCategoryList().empty()) out << '\n';
        out << "Methods:\n";
        printMethods(record->getMethodList(), "  ", out);
        return kExitFound;
    });
}

}  // namespace kestrel::cli
