#include "core/parse/DefineMacroEngin.h"

#include <array>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "core/parse/DefineData.h"
#include "core/parse/HeaderIndex.h"
#include "core/parse/MultiComment.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/FolderIndex.h"
#include "core/platform/FolderWalk.h"
#include "core/platform/ProcessState.h"

namespace fs = std::filesystem;

namespace kestrel {

namespace {

// False in the define pass unless a header defines them: code for other processors and systems.
constexpr std::array<std::string_view, 9> kUndefinedSymbols{
    "WIN32",           "_WIN32",          "__WIN32__",        "TARGET_CPU_68K",      "TARGET_CPU_X86",
    "TARGET_CPU_MIPS", "TARGET_CPU_ALPHA", "TARGET_CPU_SPARC", "__AudioConverter_h__",
};

bool isLineEnd(int status) { return status == kCR || status == kLF || status == kEnd; }

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

void DefineMacroEngin::calcHeaderFile(const std::string& path, const std::string& name) {
    const DefineList& list = ProcessState::defineList();
    if (list.count(name)) return;
    // The headers being read, each importing the next: reading an import pauses its importer
    // (its buffer and conditionals kept) and resumes it when the imported header is done.
    std::vector<std::unique_ptr<DefineMacroEngin>> imported;
    if (!headerIndex) headerIndex = std::make_shared<HeaderIndex>();
    openHeader(path, name);
    inCalcHeaderFile = true;
    for (;;) {
        DefineMacroEngin* reader = imported.empty() ? this : imported.back().get();
        if (reader->readOn()) {
            reader->textBuffer = nullptr;
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
        imported.back()->openHeader(next.path, next.name, std::move(record));
    }
    inCalcHeaderFile = false;
}

void DefineMacroEngin::openHeader(const std::string& path, const std::string& name,
                                  std::shared_ptr<DefineData> record) {
    if (!record) {
        record = std::make_shared<DefineData>(name);
        ProcessState::defineList()[name] = record;  // before reading: a cycle back here stops
    }
    currentData = std::move(record);
    targetHeader = name;
    ownPath = path;
    ownBuffer = std::make_unique<TextBuffer>(TextBuffer::initByPath(path));  // unreadable: empty
    textBuffer = ownBuffer.get();
    macroStack.clear();  // nothing survives from one header to the next
    pendingImport.reset();
}

bool DefineMacroEngin::readOn() {
    MultiComment comment(textBuffer, this);
    int status = 0;
    while (auto command = textBuffer->getCommandWithStatus(status)) {
        if (status == kLineComment) {
            textBuffer->deleteLineBuffer();
        } else if (status == kBlockOpen) {
            comment.doAnalyse(*command);
        } else if (status == kHash) {
            doCalc();
            if (pendingImport) return false;
        }
    }
    return true;
}

void DefineMacroEngin::doImport() {
    if (!textBuffer) return;
    // #import <Foundation/NSString.h>  -> framework Foundation.framework, header NSString.h
    // #import "Local.h"                 -> no framework: recorded, not followed
    int status = 0;
    readCommand(status);  // "<" or the double quote
    std::string path;
    if (!isLineEnd(status)) path = readCommand(status);
    // An import with nothing after it on its line names no header; reading on would take the
    // next line's text for a name.
    if (isLineEnd(status)) {
        textBuffer->deleteLineBuffer();
        return;
    }
    std::optional<std::string> framework;
    std::string header = path;
    if (std::size_t slash = path.find('/'); slash != std::string::npos) {
        framework = path.substr(0, slash) + ".framework";
        header = path.substr(slash + 1);
    }
    if (currentData) currentData->addImportHeader(header);
    textBuffer->deleteLineBuffer();

    // A header importing another of its own name forwards to it: AppKit/GSTheme.h holds only
    // "#include <GNUstepGUI/GSTheme.h>". One name has one record, so the header forwarded to is
    // read into the forwarding one's record; else its defines and imports would be lost to the
    // analysis of both.
    const bool forward = inCalcHeaderFile && header == targetHeader.value_or("");
    if (!forward && ProcessState::defineList().count(header)) return;
    auto frameworkPath = findFramework(ProcessState::frameworksRoot(), framework);
    if (!frameworkPath) return;
    auto headerPath = headerIndex ? headerIndex->find(*frameworkPath, header) : findHeader(*frameworkPath, header);
    if (!headerPath) return;
    if (inCalcHeaderFile) {
        pendingImport = Import{*headerPath, header, forward};  // calcHeaderFile reads it before going on
    } else {
        DefineMacroEngin(nullptr, header).calcHeaderFile(*headerPath, header);
    }
}

void DefineMacroEngin::doDefine() {
    if (!textBuffer) return;
    // "#define FOO(x) ((x) + 1)\n" -> FOO: "(x)((x)+1)\n"; "#define BAR\n" -> BAR: "\n"
    std::string rest;
    if (textBuffer->hasLineText()) rest = std::string(*textBuffer->getLineStrings());
    textBuffer->deleteLineBuffer();
    TextBuffer line(std::move(rest));
    int status = 0;
    std::optional<std::string> name = line.getCommandWithStatus(status);
    // A define that names nothing (the text or the line ends first) records nothing.
    if (!name || status != kWord || name->empty()) return;
    std::string text;
    while (auto command = line.getCommandWithStatus(status)) text += *command;
    if (currentData) currentData->addDefine(text, *name);
}

bool DefineMacroEngin::checkMacroValue(std::string symbol) {
    bool invert = false;
    if (!symbol.empty() && symbol[0] == '!') {
        symbol.erase(0, 1);
        invert = true;
    }
    bool value = true;
    std::vector<std::string> checked;
    if (!currentData || !currentData->checkDefine(symbol, ProcessState::defineList(), checked)) {
        for (std::string_view undefined : kUndefinedSymbols) {
            if (symbol == undefined) value = false;
        }
        if (textBuffer && textBuffer->hasLineText()) textBuffer->deleteLineBuffer();
    }
    return invert ? !value : value;
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
