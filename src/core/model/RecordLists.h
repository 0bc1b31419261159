#pragma once
// What the headers declared, as the analysers file it: a list per kind of record, the function
// and macro list and the typedef dictionary. The driver and its analysers fill them; the linking
// (TreeLinker) and the stored files work on them.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/model/DeclarationNotes.h"

namespace kestrel {

class CategoryData;
class ClassData;
class EnumData;
class FunctionMacrosData;
class ProtocolData;
class StructData;

struct RecordLists {
    std::vector<std::shared_ptr<ClassData>> classList;
    std::vector<std::shared_ptr<ProtocolData>> protocolList;
    std::vector<std::shared_ptr<CategoryData>> categoryList;
    std::vector<std::shared_ptr<StructData>> structList;
    std::vector<std::shared_ptr<EnumData>> enumList;
    std::vector<std::shared_ptr<FunctionMacrosData>> functions;
    std::map<std::string, std::string> typedefList;  // type name -> the type text it stands for
    NotesByName typedefNotes;                        // type name -> its line, comment, availability

    // The typedefs' notes as they are stored: those of the names the table has (the notes pass
    // notes every typedef it finds, whether or not its analyser filed it).
    NotesByName storedTypedefNotes() const {
        NotesByName kept;
        for (const auto& [name, notes] : typedefNotes)
            if (typedefList.count(name)) kept.emplace(name, notes);
        return kept;
    }

    // Whether the list differs from its stored file, which is written only then. Every function
    // record an analyser makes sets functionsWasChanged.
    bool functionsWasChanged = false;
    bool typedefListWasChanged = false;
};

}  // namespace kestrel
