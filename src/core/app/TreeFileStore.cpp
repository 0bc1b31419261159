#include "core/app/TreeFileStore.h"

#include <fcntl.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <future>
#include <system_error>
#include <tuple>

#include "core/app/AppAction2.h"
#include "core/app/DeclarationNotesFile.h"
#include "core/model/CategoryData.h"
#include "core/model/ClassData.h"
#include "core/model/EnumData.h"
#include "core/model/FunctionMacrosData.h"
#include "core/model/ProtocolData.h"
#include "core/model/StructData.h"
#include "core/model/TreeLinker.h"
#include "core/platform/DataFolder.h"
#include "core/platform/Host.h"
#include "core/platform/InfoPlist.h"
#include "core/platform/PlistFile.h"
#include "core/platform/PlistXmlWriter.h"
#include "core/platform/PrefData.h"
#include "core/platform/PrefFile.h"
#include "core/platform/ProcessState.h"

namespace kestrel {

namespace fs = std::filesystem;

namespace {

// A record file's array as listForm and functionsForm make it, written record by record: the
// format number first where the file has one, then each record's dictionary without its notes
// (they are in their own file).
template <class Record>
bool writeRecords(PlistXmlWriter& writer, const std::vector<std::shared_ptr<Record>>& records, bool formatNumber) {
    writer.beginArray();
    if (formatNumber) writer.value(PlistValue(1));
    for (const auto& record : records) {
        if (!record) continue;
        record->writeDictionary(writer);
        if (writer.failed()) return false;
    }
    writer.endArray();
    return !writer.failed();
}

// Bytes made by write as they are stored, or by whole (through libplist) where write fails.
FileBytes streamedRecords(std::function<bool(PlistXmlWriter&)> write,
                          std::function<std::optional<std::string>()> whole) {
    FileBytes bytes = FileBytes::streamed([write = std::move(write)](const FileBytes::Sink& sink) {
        PlistXmlWriter writer(sink);
        return write(writer) && std::move(writer).finishToSink();
    });
    bytes.instead = std::move(whole);
    return bytes;
}

using Set = TreeSetFolder;

bool isThere(const std::string& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

// Moves from to to, but never onto something that is already there.
bool moveWithoutReplacing(const std::string& from, const std::string& to) {
#ifdef RENAME_NOREPLACE
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;  // EEXIST among them
#endif
    if (isThere(to)) return false;
    std::error_code error;
    fs::rename(from, to, error);
    return !error;
}

// Whether a record writes back everything its stored dictionary held, each value as it was
// (keys of a newer record form that this one does not know, or values of a type its reader does
// not take, would be lost by a rewrite).
bool writesBackWhole(const TreeData& record, const PlistDict& dic) {
    PlistDict written;
    record.makeDictionary(written);
    for (const auto& [key, value] : dic) {
        const PlistValue* again = written.find(key);
        if (!again || !(*again == value)) return false;
    }
    return true;
}

void addProgress(double amount) { Host::current().addProgressBarValue(amount); }

// Runs work on a thread of its own; where none can be started, here when its result is asked.
template <class Work>
auto inBackground(Work work) {
    try {
        return std::async(std::launch::async, work);
    } catch (const std::system_error&) {
        return std::async(std::launch::deferred, std::move(work));
    }
}

bool treeChanged() {
    const std::shared_ptr<PrefData>& pref = ProcessState::prefData();
    return pref && pref->treeChanged;
}

// A file's contents as a property list of the given kind; none, with the reason, when the
// bytes are none (the reason is then already there) or something else.
template <class Kind>
std::optional<Kind> contentsAs(std::optional<std::string>& bytes, std::string& problem) {
    if (!bytes) return std::nullopt;
    std::optional<PlistValue> value = PlistFile::parse(*bytes);
    bytes.reset();
    if (!value) {
        problem = "not a property list";
        return std::nullopt;
    }
    if constexpr (std::is_same_v<Kind, PlistArray>) {
        if (value->isArray()) return std::move(*value->getArray());
        problem = "not a list";
    } else {
        if (value->isDict()) return std::move(*value->getDict());
        problem = "not a dictionary";
    }
    return std::nullopt;
}

// What a stored file holds, for messages.
const char* contentsName(std::size_t file) {
    static constexpr const char* kNames[Set::kFiles] = {"classes", "protocols", "categories", "structs",
                                                         "enums",   "functions", "typedefs",  "typedefs' notes",
                                                         "declarations' notes"};
    return kNames[file];
}

}  // namespace

TreeFileStore::TreeFileStore(AppAction2& app, TreeLinker& linker) : app(app), linker(linker) {}

std::string TreeFileStore::getMainFolderPath() { return DataFolder::getMainFolderPath(); }

void TreeFileStore::startupCheck() { DataFolder::startupCheck(); }

TreeSetFolder TreeFileStore::setFolder() const {
    TreeSetFolder folder(DataFolder::getMainFolderPath());
    folder.onStep = onStoreStep;
    return folder;
}

void TreeFileStore::fileCheck() {
    static const std::pair<const char*, const char*> kOlderNames[] = {
        {"classData", "classDataFileName"},      {"protocolData", "protocolDataFileName"},
        {"categoryData", "categoryDataFileName"}, {"structData", "structDataFileName"},
        {"enumData", "enumDataFileName"},        {"commentData.KSTC", "commentFileName"},
        {"CustomHeaders", "customHedders"},      {"URLData.KSTU", "urlFile"},
    };
    std::string folder = getMainFolderPath();
    for (const auto& [older, key] : kOlderNames) {
        std::string from = folder + "/" + older;
        std::string to = DataFolder::filePath(key);
        if (from != to && isThere(from)) moveWithoutReplacing(from, to);
    }
}

bool TreeFileStore::treeFilesExist() { return TreeSetFolder(DataFolder::getMainFolderPath()).decisiveFilesPresent(); }

// Elements from the second on (the first is the format number, not read). What is no
// dictionary, gives no record, or gives a record of another list's kind is left out.
// Answers whether the file was sound: missing, or every element what it should be.
template <class Record>
bool TreeFileStore::readRecordFile(ListFile, std::optional<PlistArray> array, bool present,
                                   std::vector<std::shared_ptr<Record>>& list) {
    list.clear();
    if (!array) return !present;
    // A record where the format number belongs would be lost by a rewrite.
    bool sound = array->empty() || !(*array)[0].isDict();
    list.reserve(array->empty() ? 0 : array->size() - 1);
    for (std::size_t i = 1; i < array->size(); ++i) {
        const PlistDict* dic = (*array)[i].getDict();
        std::shared_ptr<Record> record;
        if (dic) record = std::dynamic_pointer_cast<Record>(TreeData::makeDataFromDic(*dic));
        if (!record || !writesBackWhole(*record, *dic)) sound = false;
        if (record) list.push_back(std::move(record));
    }
    return sound;
}

// Function records loaded from a file are never measured for a box, so they can be made on
// any thread.
std::vector<std::shared_ptr<FunctionMacrosData>> TreeFileStore::functionsFrom(std::optional<PlistArray> array) {
    std::vector<std::shared_ptr<FunctionMacrosData>> functions;
    if (!array) return functions;
    functions.reserve(array->size());
    for (const PlistValue& element : *array) {
        if (const PlistDict* dic = element.getDict()) functions.push_back(std::make_shared<FunctionMacrosData>(*dic));
    }
    return functions;
}

std::optional<std::map<std::string, std::string>> TreeFileStore::typedefListFrom(std::optional<PlistDict> dic) {
    if (!dic) return std::nullopt;
    std::map<std::string, std::string> list;
    for (const auto& [name, value] : *dic) {
        if (const std::string* text = value.getString()) list.emplace(name, *text);
    }
    return list;
}

bool TreeFileStore::initTreeFromFile(std::vector<std::string>* unreadable) {
    fileCheck();
    loadNotes.clear();
    // The whole set at once, so that a store by another process meanwhile cannot mix two.
    Set::Contents set = setFolder().read(PlistFile::kLargestFile);
    std::array<std::string, Set::kFiles>& problems = set.problems;

    // Parsing is most of a load, and no file needs another before the linking. A second thread
    // parses the protocol file, then the functions and typedefs files (making their records
    // too), about as much work as this one's: the class, category, struct and enum files. The
    // records that are drawn, measured with the window's font, are all made here.
    std::promise<std::optional<PlistArray>> protocolsRead;
    std::future<std::optional<PlistArray>> protocols = protocolsRead.get_future();
    auto functionsAndTypedefs = inBackground([&protocolsRead, &set, &problems] {
        try {
            protocolsRead.set_value(contentsAs<PlistArray>(set.bytes[Set::kProtocolFile], problems[Set::kProtocolFile]));
        } catch (...) {
            protocolsRead.set_exception(std::current_exception());
        }
        return std::make_tuple(
            functionsFrom(contentsAs<PlistArray>(set.bytes[Set::kFunctionsFile], problems[Set::kFunctionsFile])),
            typedefListFrom(contentsAs<PlistDict>(set.bytes[Set::kTypedefsFile], problems[Set::kTypedefsFile])));
    });
    linker.unlinkAll();  // a tree loaded before goes as a whole
    std::array<bool, kListFiles> sound{};
    auto listOf = [&](ListFile file) { return contentsAs<PlistArray>(set.bytes[file], problems[file]); };

    // A decisive file that is there but gives no list: what was read is dropped, for a build.
    std::vector<ListFile> unread;
    auto decisive = [&](ListFile file, std::optional<PlistArray> array) {
        if (!array && set.present[file]) unread.push_back(file);
        return array;
    };

    addProgress(7.0);
    std::optional<PlistArray> classes = decisive(kClassFile, listOf(kClassFile));
    const bool classFileHeldElements = classes && classes->size() > 1;
    sound[kClassFile] = readRecordFile(kClassFile, std::move(classes), set.present[kClassFile], app.classList);
    if (classFileHeldElements && app.classList.empty()) {
        problems[kClassFile] = "no class in it";
        unread.push_back(kClassFile);
    }
    addProgress(3.0);
    // Where no thread could be started, the work runs when asked for, the protocols with it.
    if (functionsAndTypedefs.wait_for(std::chrono::seconds(0)) == std::future_status::deferred) functionsAndTypedefs.wait();
    sound[kProtocolFile] = readRecordFile(kProtocolFile, decisive(kProtocolFile, protocols.get()),
                                          set.present[kProtocolFile], app.protocolList);
    addProgress(3.0);
    sound[kCategoryFile] = readRecordFile(kCategoryFile, decisive(kCategoryFile, listOf(kCategoryFile)),
                                          set.present[kCategoryFile], app.categoryList);
    addProgress(3.0);
    if (!unread.empty()) {
        functionsAndTypedefs.get();
        app.classList.clear();
        app.protocolList.clear();
        app.categoryList.clear();
        if (unreadable) {
            unreadable->clear();
            for (ListFile file : unread)
                unreadable->push_back(Set::fileName(file) + (problems[file].empty() ? "" : ": " + problems[file]));
        }
        return false;
    }
    sound[kStructFile] = readRecordFile(kStructFile, listOf(kStructFile), set.present[kStructFile], app.structList);
    addProgress(3.0);
    sound[kEnumFile] = readRecordFile(kEnumFile, listOf(kEnumFile), set.present[kEnumFile], app.enumList);

    linker.linkTree([this](TreeLinker::Step done) {
        switch (done) {
            case TreeLinker::Step::TreeList:
                addProgress(3.0);
                Host::current().viewSetUp(app.classList);  // the roots, as soon as they are known
                break;
            case TreeLinker::Step::Protocols:
            case TreeLinker::Step::Numbers:
                addProgress(3.0);
                break;
            case TreeLinker::Step::StraightList:
            case TreeLinker::Step::Categories:
                break;
        }
    });

    auto [functions, typedefs] = functionsAndTypedefs.get();
    app.functions = std::move(functions);
    app.functionsWasChanged = false;
    addProgress(3.0);
    app.typedefList = typedefs ? std::move(*typedefs) : std::map<std::string, std::string>{};
    app.typedefNotes.clear();
    app.typedefListWasChanged = false;
    notesFiles = std::move(set.later);
    app.notesLoader = [this] { loadDeclarationNotes(); };
    Host::current().setProgressBarValue(100.0);

    for (int file = 0; file < kListFiles; ++file) {
        loadedForm[file].reset();
        if (!sound[file]) loadedForm[file] = listForm(static_cast<ListFile>(file));
    }
    madeOn = filesFrom = set.id;
    for (std::size_t file = 0; file < Set::kFiles; ++file) {
        if (!set.present[file] || problems[file].empty()) continue;
        loadNotes.push_back(Set::fileName(file) + " could not be read (" + problems[file] + "): the " +
                            contentsName(file) + " are left out until a build makes it again.");
    }
    if (app.classStraightList.empty())
        loadNotes.push_back("The stored class tree holds no class (" + Set::fileName(kClassFile) +
                            "): a build makes it again.");
    return true;
}

void TreeFileStore::loadDeclarationNotes() {
    for (Set::File file : {Set::kTypedefNotesFile, Set::kDeclarationNotesFile}) {
        if (!notesFiles[file]) continue;  // a set of older versions
        std::string problem;
        std::optional<std::string> bytes = notesFiles[file]->read(PlistFile::kLargestFile, problem);
        notesFiles[file].reset();
        std::optional<PlistDict> dic = contentsAs<PlistDict>(bytes, problem);
        if (!dic) {
            loadNotes.push_back(Set::fileName(file) + " could not be read (" + problem + "): the " + contentsName(file) +
                                " are left out until a build makes it again.");
        } else if (file == Set::kTypedefNotesFile) {
            app.typedefNotes = NotesDictionary::fromDict(*dic);
        } else {
            DeclarationNotesFile::apply(*dic, app.classStraightList, app);
        }
    }
}

void TreeFileStore::buildWillStart() {
    if (clearing.valid()) clearing.wait();
    try {
        clearing = std::async(std::launch::async, [folder = setFolder()] { folder.removeReplacedSets(); });
    } catch (const std::system_error&) {
        clearing = {};  // no thread to be had: the next store removes them
    }
    app.notesLoader = nullptr;  // the build reads them from the headers
    for (auto& file : notesFiles) file.reset();
    madeOn = setFolder().currentId();
    filesFrom.reset();
    loadNotes.clear();
    for (auto& form : loadedForm) form.reset();
}

void TreeFileStore::buildDidEnd(std::size_t hedderCount) {
    const bool found = hedderCount > 0 && (!app.classList.empty() || !app.protocolList.empty() ||
                                           !app.categoryList.empty() || !app.structList.empty() ||
                                           !app.enumList.empty() || !app.functions.empty() ||
                                           !app.typedefList.empty());
    if (found) return;
    // Nothing to replace the stored tree with: it stays as it is.
    app.functionsWasChanged = app.typedefListWasChanged = false;
    if (const std::shared_ptr<PrefData>& pref = ProcessState::prefData()) pref->treeChanged = false;
}

template <class Use>
auto TreeFileStore::withList(ListFile file, Use use) const {
    switch (file) {
        case kClassFile: return use(app.classStraightList);
        case kProtocolFile: return use(app.protocolList);
        case kCategoryFile: return use(app.categoryList);
        case kStructFile: return use(app.structList);
        default: return use(app.enumList);
    }
}

PlistArray TreeFileStore::listForm(ListFile file) const {
    PlistArray form = withList(file, [](const auto& records) { return classToDic(records); });
    for (PlistValue& element : form)
        if (PlistDict* dic = element.getDict()) DeclarationNotesFile::strip(*dic);  // in their own file
    return form;
}

PlistArray TreeFileStore::functionsForm() const {
    PlistArray array;
    array.reserve(app.functions.size());
    for (const auto& record : app.functions) {
        if (!record) continue;
        PlistDict dic;
        record->makeDictionary(dic);
        DeclarationNotesFile::strip(dic);
        array.emplace_back(std::move(dic));
    }
    return array;
}

bool TreeFileStore::anythingChanged() const {
    return treeChanged() || app.functionsWasChanged || app.typedefListWasChanged;
}

void TreeFileStore::storeTree(OnNewer onNewer, StoreReport& report) {
    if (!anythingChanged()) return;
    const std::string notStored = "The class tree could not be stored: ";
    if (std::optional<std::string> problem = DataFolder::startupCheck()) {
        report.problems.push_back(notStored + *problem + ".");
        return;
    }
    if (clearing.valid()) {
        clearing.wait();  // no two removals of the same sets at once
        clearing = {};
    }
    // Every record's notes are in the set being made: its notes file is made from the records, or
    // taken over -- made from them too where the file system cannot link it.
    app.ensureNotes();
    // After a build every file is written from the lists; after a load, only the changed ones.
    const bool haveFiles = filesFrom.has_value();
    const bool listsChanged = treeChanged() || !haveFiles;
    const bool functionsChanged = app.functionsWasChanged || !haveFiles;
    const bool typedefsChanged = app.typedefListWasChanged || !haveFiles;

    // The record files are written record by record as the set makes them (each file whole,
    // and the lists' forms, cost several times the file); should a record hold a value only
    // libplist writes, the file is made through it instead.
    auto functionsXml = [this] {
        return std::optional<FileBytes>(streamedRecords(
            [this](PlistXmlWriter& writer) { return writeRecords(writer, app.functions, false); },
            [this] { return PlistFile::toXML(PlistValue(functionsForm())); }));
    };
    auto typedefsXml = [this] {
        return std::optional<FileBytes>(streamedRecords(
            [this](PlistXmlWriter& writer) {
                writer.beginDict();
                for (const auto& [name, text] : app.typedefList) {
                    writer.key(name);
                    writer.string(text);
                }
                writer.endDict();
                return !writer.failed();
            },
            [this] {
                PlistDict dic;
                for (const auto& [name, text] : app.typedefList) dic.set(name, PlistValue(text));
                return PlistFile::toXML(PlistValue(std::move(dic)));
            }));
    };
    auto typedefNotesXml = [this] {
        return std::optional<FileBytes>(streamedRecords(
            [this](PlistXmlWriter& writer) {
                NotesDictionary::write(app.storedTypedefNotes(), writer);
                return !writer.failed();
            },
            [this] { return PlistFile::toXML(PlistValue(NotesDictionary::toDict(app.storedTypedefNotes()))); }));
    };
    auto declarationNotesXml = [this] {
        return std::optional<FileBytes>(FileBytes::streamed(
            [this](const FileBytes::Sink& sink) { return DeclarationNotesFile::writeXML(app.classStraightList, app, sink); }));
    };

    std::array<Set::FileToWrite, Set::kFiles> files;
    std::array<bool, kListFiles> written{};  // made from the lists (not taken over)
    for (int file = 0; file < kListFiles; ++file) {
        auto made = [this, file, &written] {
            written[file] = true;
            const auto list = static_cast<ListFile>(file);
            return std::optional<FileBytes>(streamedRecords(
                [this, list](PlistXmlWriter& writer) {
                    return withList(list, [&writer](const auto& records) { return writeRecords(writer, records, true); });
                },
                [this, list] { return PlistFile::toXML(PlistValue(listForm(list))); }));
        };
        files[file].bytes = made;
        // Damaged when loaded, and its list is as it was: taken over.
        files[file].keepBase =
            !listsChanged || (haveFiles && loadedForm[file] && *loadedForm[file] == listForm(static_cast<ListFile>(file)));
    }
    if (typedefsChanged) {
        files[Set::kTypedefsFile].bytes = typedefsXml;
        files[Set::kTypedefNotesFile].bytes = typedefNotesXml;
    } else {
        files[Set::kTypedefsFile] = {true, typedefsXml};
        files[Set::kTypedefNotesFile] = {true, typedefNotesXml};
    }
    if (listsChanged || functionsChanged) {
        files[Set::kDeclarationNotesFile].bytes = declarationNotesXml;
        files[Set::kDeclarationNotesFile].meanwhile = true;  // as large as all the others
    } else {
        files[Set::kDeclarationNotesFile] = {true, declarationNotesXml};
    }
    files[Set::kFunctionsFile] = {!functionsChanged, functionsXml};

    const Set::WriteResult result =
        setFolder().write(files, madeOn, onNewer == OnNewer::Replace ? Set::Newer::Replace : Set::Newer::Keep);
    switch (result.outcome) {
        case Set::WriteResult::Outcome::NewerKept:
            report.newerTreeKept = true;
            return;
        case Set::WriteResult::Outcome::Failed:
            report.problems.push_back(notStored + result.problem + ". The stored tree is left as it was.");
            return;
        case Set::WriteResult::Outcome::Written: break;
    }
    if (result.replacedNewer)
        report.notes.push_back("Another Kestrel stored a class tree after this one was loaded or built; "
                               "this one replaces it.");
    for (const std::string& note : result.notes) report.notes.push_back(note);
    madeOn = filesFrom = result.id;
    for (int file = 0; file < kListFiles; ++file)
        if (written[file]) loadedForm[file].reset();
    app.functionsWasChanged = app.typedefListWasChanged = false;
    if (const std::shared_ptr<PrefData>& pref = ProcessState::prefData()) pref->treeChanged = false;
}

TreeFileStore::StoreReport TreeFileStore::applicationWillTerminate(OnNewer onNewer) {
    StoreReport report;
    storeTree(onNewer, report);
    std::string problem;
    PrefFile::writePref(&problem);
    if (!problem.empty()) report.problems.push_back("The preferences could not be stored: " + problem + ".");
    return report;
}

}  // namespace kestrel
