#include "core/app/TreeBuilder.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "core/app/AppAction2.h"
#include "core/app/HedderWalk.h"
#include "core/app/ParallelAnalysis.h"
#include "core/app/TreeFileStore.h"
#include "core/model/AnnotationFiles.h"
#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/ProtocolData.h"
#include "core/model/StructData.h"
#include "core/model/TreeLinker.h"
#include "core/parse/TextBuffer.h"
#include "core/platform/DataFolder.h"
#include "core/platform/FolderIndex.h"
#include "core/platform/HeaderTexts.h"
#include "core/platform/Host.h"
#include "core/platform/PrefData.h"
#include "core/platform/ProcessState.h"
#include "core/platform/TextMeasure.h"

namespace kestrel {

namespace fs = std::filesystem;

namespace {

constexpr double kHedderProgress = 0.05;
constexpr double kStepProgress = 5.0;
const char* const kNoFramework = "------";

void markTreeChanged() {
    if (const std::shared_ptr<PrefData>& pref = ProcessState::prefData()) pref->treeChanged = true;
}

template <typename Record>
void append(std::vector<std::shared_ptr<Record>>& to, std::vector<std::shared_ptr<Record>>& from, bool remeasure) {
    for (auto& record : from) {
        if (remeasure && record) record->makeDisplayName();
        to.push_back(std::move(record));
    }
}

}  // namespace

TreeBuilder::TreeBuilder(AppAction2& app, TreeLinker& linker) : app(app), linker(linker) {}

void TreeBuilder::initTreeFile() {
    Host& host = Host::current();
    TreeFileStore::startupCheck();

    if (!app.classList.empty() || !app.classStraightList.empty()) linker.unSelectAll();
    linker.unlinkAll();  // records linked in loops would otherwise outlive the lists
    app.classList.clear();
    app.classStraightList.clear();
    app.protocolList.clear();
    app.structList.clear();
    app.enumList.clear();
    app.categoryList.clear();
    app.functions.clear();
    app.typedefList.clear();
    app.typedefNotes.clear();
    app.typedefListWasChanged = true;
    hedderCount = 0;
    unreadableHedders.clear();

    // The folders are listed once for the whole build: the define pass, the walks and the
    // lookups the analysis makes.
    FolderIndex::Session session(ProcessState::folderIndex());
    host.setIndeterminate(true);
    ProcessState::headerTexts().clear();  // none left from a build that stopped half-way
    if (doPass1) doPass1();
    host.setIndeterminate(false);

    // The frameworks and the private headers make one run of the analysis.
    std::vector<HedderStep> steps;
    HedderWalk::walk(ProcessState::frameworksRoot(), std::nullopt, false, steps);
    if (std::optional<std::vector<std::string>> paths = AnnotationFiles::getPrivateHedders())
        for (const std::string& path : *paths) HedderWalk::walk(path, std::nullopt, true, steps);
    analyse(steps);
    ProcessState::headerTexts().clear();  // what the analysis did not take
    // A functions file left from an earlier build would otherwise stay beside the new tree
    // files when this build finds no function at all.
    std::error_code error;
    if (hedderCount > 0 && fs::exists(DataFolder::filePath("functions"), error)) app.functionsWasChanged = true;
    incAboutValue(kStepProgress);

    linker.linkTree([](TreeLinker::Step done) {
        incAboutValue(kStepProgress);
        if (done == TreeLinker::Step::TreeList) incAboutValue(kStepProgress);  // the tree counts twice
    });
    viewSetUp();
}

void TreeBuilder::analyseFwHedders(const std::string& path, const std::optional<std::string>& fwName,
                                   bool cocoaFlag) {
    FolderIndex::Session session(ProcessState::folderIndex());
    std::vector<HedderStep> steps;
    HedderWalk::walk(path, fwName, !cocoaFlag, steps);
    analyse(steps);
}

void TreeBuilder::analysePrivateHedders() {
    std::optional<std::vector<std::string>> paths = AnnotationFiles::getPrivateHedders();
    if (!paths) return;
    FolderIndex::Session session(ProcessState::folderIndex());
    std::vector<HedderStep> steps;
    for (const std::string& path : *paths) HedderWalk::walk(path, std::nullopt, true, steps);
    analyse(steps);
}

void TreeBuilder::analyse(const std::vector<HedderStep>& steps) {
    const unsigned threads = analysisThreads.value_or(ParallelAnalysis::defaultThreads());
    if (threads <= 1) {
        analyseOneByOne(steps);
    } else {
        analyseInParallel(steps, threads);
    }
}

void TreeBuilder::analyseOneByOne(const std::vector<HedderStep>& steps) {
    for (const HedderStep& step : steps) {
        if (step.kind == HedderStep::Kind::Framework) {
            Host::current().setMessage(step.name);
            continue;
        }
        std::optional<std::string> bytes = ParallelAnalysis::read(step.path);
        hedderDone(step, bytes.has_value());
        if (!bytes) continue;
        TextBuffer buffer(std::move(*bytes));
        app.doAnalyseHedderFile(buffer, step.name, step.fwName.value_or(kNoFramework), step.custom);
    }
}

void TreeBuilder::analyseInParallel(const std::vector<HedderStep>& steps, unsigned threads) {
    std::vector<ParallelAnalysis::Hedder> hedders;
    for (const HedderStep& step : steps) {
        if (step.kind == HedderStep::Kind::Hedder)
            hedders.push_back({step.path, step.name, step.fwName.value_or(kNoFramework), step.custom});
    }
    // The frameworks are announced as the headers between them are filed.
    std::size_t at = 0;  // the next step to announce or to file
    auto announceFrameworks = [&] {
        for (; at < steps.size() && steps[at].kind == HedderStep::Kind::Framework; ++at)
            Host::current().setMessage(steps[at].name);
    };
    const bool remeasure = TextMeasure::hasFunction();
    ParallelAnalysis::run(hedders, threads, [&](std::size_t, ParallelAnalysis::Outcome& outcome) {
        announceFrameworks();
        hedderDone(steps[at++], outcome.readable);
        file(outcome.records, remeasure && !outcome.onCallingThread);
    });
    announceFrameworks();
}

void TreeBuilder::hedderDone(const HedderStep& step, bool readable) {
    incAboutValue(kHedderProgress);
    Host::current().setStatusMessage(step.name);
    if (!readable) {
        unreadableHedders.push_back(step.path);
        return;
    }
    ++hedderCount;
    markTreeChanged();
}

void TreeBuilder::file(RecordLists& records, bool remeasure) {
    append(app.classList, records.classList, remeasure);
    append(app.protocolList, records.protocolList, remeasure);
    append(app.categoryList, records.categoryList, remeasure);
    append(app.structList, records.structList, remeasure);
    append(app.enumList, records.enumList, remeasure);
    append(app.functions, records.functions, remeasure);
    for (auto& [name, type] : records.typedefList) app.typedefList.insert_or_assign(name, std::move(type));
    for (auto& [name, notes] : records.typedefNotes) app.typedefNotes.insert_or_assign(name, std::move(notes));
    app.functionsWasChanged = app.functionsWasChanged || records.functionsWasChanged;
    app.typedefListWasChanged = app.typedefListWasChanged || records.typedefListWasChanged;
}

std::vector<std::string> TreeBuilder::makeFuncList() const {
    std::vector<std::string> names;
    names.reserve(app.functions.size());
    for (const auto& record : app.functions) {
        if (record && record->getName()) names.push_back(*record->getName());
    }
    return names;
}

void TreeBuilder::incAboutValue(double amount) { Host::current().addProgressBarValue(amount); }

void TreeBuilder::viewSetUp() { Host::current().viewSetUp(app.classList); }

}  // namespace kestrel
