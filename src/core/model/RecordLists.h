#pragma once
// What the headers declared, as the analysers file it: a list per kind of record, the function
// and macro list and the typedef dictionary. The driver and its analysers fill them; the linking
// (TreeLinker) and the stored files work on them.
#include <functional>
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

    // The notes of declarations are read apart, the first time they are asked for: whoever
    // shows or uses a record's notes (DeclarationNotes), its methods' or its constants' calls
    // ensureNotes first. A load sets notesLoader; a build, which reads them itself, clears it.
    std::function<void()> notesLoader;
    void ensureNotes() {
        if (!notesLoader) return;
        std::function<void()> load = std::move(notesLoader);
        notesLoader = nullptr;
        load();
    }

    // Whether the list differs from its stored file, which is written only then. Every function
    // record an analyser makes sets functionsWasChanged.
    bool functionsWasChanged = false;
    bool typedefListWasChanged = false;
};

}  // namespace kestrel
