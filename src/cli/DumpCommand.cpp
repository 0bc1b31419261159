#include "cli/DumpCommand.h"

#include <filesystem>
#include <fstream>

#include "cli/JsonWriter.h"
#include "core/app/AppAction2.h"
#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/ProtocolData.h"
#include "core/model/StructData.h"
#include "core/platform/RegularFile.h"

namespace kestrel::cli {

namespace {

template <typename List>
PlistValue recordsOf(const List& list) {
    PlistArray array;
    array.reserve(list.size());
    for (const auto& record : list) {
        PlistDict dic;
        record->makeDictionary(dic);
        array.emplace_back(std::move(dic));
    }
    return PlistValue(std::move(array));
}


}  // namespace

PlistDict DumpCommand::dump(const std::vector<std::string>& files, std::vector<std::string>* unreadable) {
    AppAction2 app;
    for (const auto& path : files) {
        // A header the reader cannot take (larger than any real one, say) is skipped, and named.
        if (std::optional<std::string> problem = RegularFile::readProblem(path)) {
            if (unreadable) unreadable->push_back(path + ": " + *problem);
            continue;
        }
        app.analyseHedderFile(path, std::filesystem::path(path).filename().string(), "------", false);
    }
    app.linkTree();

    PlistDict out;
    out.set("classes", recordsOf(app.classStraightList));
    out.set("categories", recordsOf(app.categoryList));
    out.set("protocols", recordsOf(app.protocolList));
    out.set("structs", recordsOf(app.structList));
    out.set("enums", recordsOf(app.enumList));
    out.set("functions", recordsOf(app.functions));
    PlistDict typedefs;
    for (const auto& [name, type] : app.typedefList) typedefs.set(name, PlistValue(type));
    out.set("typedefs", PlistValue(std::move(typedefs)));
    out.set("typedefNotes", PlistValue(NotesDictionary::toDict(app.storedTypedefNotes())));
    return out;  // the controller cuts the records' links when it goes
}

Command DumpCommand::command() {
    Command c;
    c.name = "dump";
    c.usage = "dump FILE...";
    c.summary = "analyse header files (no define pass) and print their records as JSON";
    c.run = [c](const std::vector<std::string>& args, CommandIO& io) {
        if (args.empty()) return usageError(c, "no header file given", io.err);
        for (const auto& a : args)
            if (a.size() > 1 && a[0] == '-') return usageError(c, "unknown option '" + a + "'", io.err);
        std::vector<std::string> unreadable;
        PlistDict result = dump(args, &unreadable);
        for (const auto& line : unreadable) io.err << "kestrel dump: cannot read " << line << "\n";
        JsonWriter(io.out).write(PlistValue(std::move(result)));
        io.out << "\n";
        return unreadable.empty() ? kExitFound : kExitNothing;
    };
    return c;
}

}  // namespace kestrel::cli
