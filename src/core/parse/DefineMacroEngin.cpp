#include "core/parse/DefineMacroEngin.h"

#include <any>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "core/parse/CompileTarget.h"
#include "core/parse/DefineData.h"
#include "core/parse/DefinePrescan.h"
#include "core/parse/DefinedNames.h"
#include "core/parse/HeaderIndex.h"
#include "core/parse/HeaderSearch.h"
#include "core/parse/MultiComment.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/FilePrefetch.h"
#include "core/platform/FolderIndex.h"
#include "core/platform/FolderWalk.h"
#include "core/platform/HeaderTexts.h"
#include "core/platform/ProcessState.h"

namespace fs = std::filesystem;

namespace kestrel {

namespace {

// The first entry below folder (see walkFolder) that matches(name, isFolder); a folder that
// does not match is searched before its next sibling.
template <typename Match>
std::optional<std::string> searchDepthFirst(const std::string& folder, Match matches) {
    return walkFolder(folder, [&](const std::string& name, const std::string&, bool isFolder) {
        return matches(name, isFolder);
    });
}

}  // namespace

DefineMacroEngin::DefineMacroEngin(TextBuffer* buffer, std::optional<std::string> header)
    : CMacroEngin(buffer, std::move(header)) {}

DefineMacroEngin::~DefineMacroEngin() = default;

void DefineMacroEngin::setNames(std::shared_ptr<DefinedNames> shared) {
    names = std::move(shared);
    setDefinedNames(names.get());
}

void DefineMacroEngin::calcHeaderFile(const std::string& path, const std::string& name) {
    const DefineList& list = ProcessState::defineList();
    if (list.count(name)) return;
    // The headers being read, each importing the next: reading an import pauses its importer
    // (its buffer and conditionals kept) and resumes it when the imported header is done.
    std::vector<std::unique_ptr<DefineMacroEngin>> imported;
    if (!headerIndex) headerIndex = std::make_shared<HeaderIndex>();
    if (!names) {
        auto made = std::make_shared<DefinedNames>();
        made->refresh(list);
        setNames(std::move(made));
    }
    openHeader(path, name);
    inCalcHeaderFile = true;
    for (;;) {
        DefineMacroEngin* reader = imported.empty() ? this : imported.back().get();
        if (reader->readOn()) {
            // Read whole: its imports can be noted as records for the walks through them.
            if (reader->currentData) names->noteImports(*reader->currentData, list);
            reader->textBuffer = nullptr;
            // The analysis reads the frameworks' headers again: it takes the text from here (an
            // empty one may be a file that could not be read, which the analysis must say).
            if (std::string text = reader->ownBuffer ? std::move(*reader->ownBuffer).release() : std::string(); !text.empty())
                ProcessState::headerTexts().keep(reader->ownPath, std::move(text));
            reader->ownBuffer.reset();
            if (reader == this) break;
            imported.pop_back();
            continue;
        }
        Import next = std::move(*reader->pendingImport);
        reader->pendingImport.reset();
        std::shared_ptr<DefineData> record;
        if (next.forward) {
            // A chain of headers forwarding to each other reads each file once.
            bool reading = ownPath == next.path;
            for (const auto& engine : imported) reading = reading || engine->ownPath == next.path;
            if (reading) continue;
            record = reader->currentData;
        } else if (list.count(next.name)) {
            continue;
        }
        imported.push_back(std::make_unique<DefineMacroEngin>(nullptr, next.name));
        imported.back()->inCalcHeaderFile = true;
        imported.back()->headerIndex = headerIndex;
        imported.back()->prefetch = prefetch;
        imported.back()->setNames(names);
        imported.back()->openHeader(next.path, next.name, std::move(record));
    }
    inCalcHeaderFile = false;
}

void DefineMacroEngin::openHeader(const std::string& path, const std::string& name,
                                  std::shared_ptr<DefineData> record) {
    if (!record) {
        record = std::make_shared<DefineData>(name);
        record->setOrdinal(ProcessState::defineList().size());
        ProcessState::defineList()[name] = record;  // before reading: a cycle back here stops
    }
    currentData = std::move(record);
    targetHeader = name;
    ownPath = path;
    std::optional<FilePrefetch::Taken> ahead = prefetch ? prefetch->takePrepared(path) : std::nullopt;
    const auto* prescanned = ahead ? std::any_cast<std::shared_ptr<DefinePrescan>>(&ahead->prepared) : nullptr;
    prescan = prescanned ? *prescanned : nullptr;
    ownBuffer = std::make_unique<TextBuffer>(ahead ? TextBuffer(std::move(ahead->bytes))
                                                   : TextBuffer::initByPath(path));  // unreadable: empty
    textBuffer = ownBuffer.get();
    macroStack.clear();  // nothing survives from one header to the next
    pendingImport.reset();
    // The header sees what it records, and what it imports, as it goes.
    scope = MacroScope(CompileTarget::current(), ProcessState::defineList(), names.get());
    scope.setOwnRecord(currentData);
    scope.setCurrentFile(path);
    // A forwarding header's record is shared: what the forwarded-to header sees starts there.
    if (const auto& imports = currentData->getImportList())
        for (const std::string& key : *imports) scope.addImport(key);
}

bool DefineMacroEngin::readOn() {
    MultiComment comment(textBuffer, this);
    int status = 0;
    for (;;) {
        // Where the prescan stood just here, it knows where the next directive is.
        if (const DefinePrescan::Mark* mark = prescan ? prescan->markFrom(textBuffer->position()) : nullptr) {
            textBuffer->moveTo(mark->to);
            if (mark->atEnd) break;
            status = kHash;
        } else if (!textBuffer->skipToMark(status)) {
            break;
        }
        if (status == kLineComment) {
            textBuffer->deleteLineBuffer();
        } else if (status == kBlockOpen) {
            comment.doAnalyse("/*");
        } else if (status == kHash) {
            doCalc();
            if (pendingImport) return false;
        }
    }
    return true;
}

void DefineMacroEngin::doImport() {
    if (!textBuffer) return;
    // #import <Foundation/NSString.h>  -> Foundation.framework's NSString.h, filed as NSString.h
    // #include <os/availability.h>      -> <sdk>/usr/include/os/availability.h, filed as os/availability.h
    // #import "Local.h"                 -> beside the importer first
    std::optional<IncludeName> name = readIncludeName();
    if (!name) return;
    const std::string& written = name->written;
    std::size_t slash = written.find('/');
    std::string header = slash == std::string::npos ? written : written.substr(slash + 1);
    const DefineList& list = ProcessState::defineList();
    // A header that has a record under either name needs no lookup.
    const bool forwardable = inCalcHeaderFile && header == targetHeader.value_or("");
    if (!forwardable) {
        if (slash != std::string::npos && list.count(written)) return follow(written, std::nullopt);
        if (list.count(header)) return follow(header, std::nullopt);
    }
    HeaderSearch::Where where = HeaderSearch::Where::Local;
    std::optional<std::string> path =
        HeaderSearch(scope.getTarget()).find(written, name->angled, &ownPath, false, &where);
    if (path && where == HeaderSearch::Where::IncludeFolder) {
        // Recorded either way; read where it is one of the target's own headers.
        return follow(written, scope.getTarget().readsHeader(*path) ? path : std::nullopt);
    }
    if (!path && slash != std::string::npos) {
        // A framework deeper than the root's and its umbrellas' Frameworks folders.
        if (auto frameworkPath = findFramework(ProcessState::frameworksRoot(), written.substr(0, slash) + ".framework"))
            path = headerIndex ? headerIndex->find(*frameworkPath, header) : findHeader(*frameworkPath, header);
    }
    follow(header, path);
}

void DefineMacroEngin::doIncludeNext() {
    std::optional<IncludeName> name = readIncludeName();
    if (!name || !textBuffer) return;
    std::optional<std::string> path = HeaderSearch(scope.getTarget()).findInIncludeFolders(name->written, true, &ownPath, true);
    // Filed under its path: the header of the same name that includes it has the name.
    if (path && !scope.getTarget().readsHeader(*path)) path.reset();
    follow(path.value_or(name->written), path);
}

void DefineMacroEngin::follow(const std::string& key, const std::optional<std::string>& path) {
    if (currentData) currentData->addImportHeader(key);
    scope.addImport(key);
    // A header importing another of its own name forwards to it: AppKit/GSTheme.h holds only
    // "#include <GNUstepGUI/GSTheme.h>". One name has one record, so the header forwarded to is
    // read into the forwarding one's record; else its defines and imports would be lost to the
    // analysis of both.
    const bool forward = inCalcHeaderFile && key == targetHeader.value_or("");
    if (!path || (!forward && ProcessState::defineList().count(key))) return;
    if (inCalcHeaderFile) {
        pendingImport = Import{*path, key, forward};  // calcHeaderFile reads it before going on
    } else {
        DefineMacroEngin reader(nullptr, key);
        reader.setNames(names);
        reader.calcHeaderFile(*path, key);
    }
}

void DefineMacroEngin::doDefine() {
    if (!textBuffer) return;
    // "#define FOO(x) ((x) + 1)" -> FOO: function-like, parameter x, body ((x) + 1)
    std::optional<std::pair<std::string, MacroDefinition>> parsed;
    TextBuffer::Position after;
    if (std::optional<DefinePrescan::Parsed> ready = prescan ? prescan->take(textBuffer->position(), after) : std::nullopt) {
        textBuffer->moveTo(after);
        parsed = std::move(*ready);
    } else {
        parsed = MacroDefinition::parse(readDirectiveText());
    }
    if (!parsed) return;  // names nothing, or a malformed parameter list: nothing recorded
    if (names && currentData) names->add(parsed->first, currentData.get());
    scope.define(parsed->first, std::move(parsed->second));
}

void DefineMacroEngin::doUndef() {
    if (!textBuffer) return;
    PreprocessorTokens tokens = PreprocessorLexer::tokenize(readDirectiveText());
    if (tokens.empty() || !tokens[0].isIdentifier()) return;
    if (names && currentData) names->add(tokens[0].text, currentData.get());
    scope.undefine(tokens[0].text);
}

std::optional<std::string> DefineMacroEngin::findFramework(const std::string& folder,
                                                           const std::optional<std::string>& framework) {
    if (!framework) return std::nullopt;
    FrameworkPathCache& cache = ProcessState::frameworkPathCache();
    {
        std::lock_guard lock(ProcessState::frameworkPathCacheMutex());
        if (auto cached = cache.find(*framework); cached != cache.end()) {
            if (cached->second.empty()) return std::nullopt;
            return cached->second;
        }
    }
    // The cache is consulted and written by the whole search only: the empty mark means "found
    // nowhere below the folder", never "not in the first sub-folder looked at". The search is
    // one look in an index of every folder below, made once per build.
    auto found = ProcessState::folderIndex().firstFolderNamed(folder, *framework);
    std::lock_guard lock(ProcessState::frameworkPathCacheMutex());
    const std::string& stored = cache.try_emplace(*framework, found.value_or(std::string())).first->second;
    if (stored.empty()) return std::nullopt;
    return stored;
}

std::optional<std::string> DefineMacroEngin::findHeader(const std::string& folder, const std::string& name) {
    return ProcessState::folderIndex().firstFileNamed(folder, name);
}

}  // namespace kestrel
