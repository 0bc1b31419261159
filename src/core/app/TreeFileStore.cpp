#include "core/app/TreeFileStore.h"

#include <fcntl.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <chrono>
#include <future>
#include <system_error>

#include "core/app/AppAction2.h"
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
#include "core/platform/PrefData.h"
#include "core/platform/PrefFile.h"
#include "core/platform/ProcessState.h"

namespace kestrel {

namespace fs = std::filesystem;

const char* const TreeFileStore::kListFileKeys[kListFiles] = {
    "classDataFileName", "protocolDataFileName", "categoryDataFileName", "structDataFileName",
    "enumDataFileName"};

namespace {

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

// Whether a stored record dictionary holds only keys of the record form, each with a value
// its reader takes. One that does not loses something when written back.
bool isSoundRecordDic(const PlistDict& dic) {
    for (const auto& [key, value] : dic) {
        bool sound = false;
        if (key == "name" || key == "fwName" || key == "headerName" || key == "superName" ||
            key == "structIndex") {
            sound = value.isString();
        } else if (key == "kind" || key == "idNum") {
            sound = value.integerValue().has_value();
        } else if (key == "customFlag" || key == "showSubTree" || key == "selectFlag") {
            sound = value.boolValue().has_value();
        } else if (key == "protocolNames" || key == "methodList") {
            const PlistArray* array = value.getArray();
            sound = array != nullptr;
            for (std::size_t i = 0; sound && i < array->size(); ++i) sound = (*array)[i].isString();
        }
        if (!sound) return false;
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

}  // namespace

TreeFileStore::TreeFileStore(AppAction2& app, TreeLinker& linker) : app(app), linker(linker) {}

std::string TreeFileStore::getMainFolderPath() { return DataFolder::getMainFolderPath(); }

void TreeFileStore::startupCheck() { DataFolder::startupCheck(); }

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

bool TreeFileStore::treeFilesExist() {
    std::error_code error;
    for (ListFile file : {kClassFile, kProtocolFile, kCategoryFile}) {
        if (!fs::exists(DataFolder::filePath(kListFileKeys[file]), error)) return false;
    }
    return true;
}

// Elements from the second on (the first is the format number, not read). What is no
// dictionary, gives no record, or gives a record of another list's kind is left out.
// Answers whether the file was sound: missing, or every element what it should be.
template <class Record>
bool TreeFileStore::readRecordFile(ListFile file, std::optional<PlistArray> array,
                                   std::vector<std::shared_ptr<Record>>& list) {
    list.clear();
    if (!array) return !isThere(DataFolder::filePath(kListFileKeys[file]));
    // A record where the format number belongs would be lost by a rewrite.
    bool sound = array->empty() || !(*array)[0].isDict();
    list.reserve(array->empty() ? 0 : array->size() - 1);
    for (std::size_t i = 1; i < array->size(); ++i) {
        const PlistDict* dic = (*array)[i].getDict();
        std::shared_ptr<Record> record;
        if (dic) record = std::dynamic_pointer_cast<Record>(TreeData::makeDataFromDic(*dic));
        if (!record || !isSoundRecordDic(*dic)) sound = false;
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

std::optional<std::map<std::string, std::string>> TreeFileStore::readTypedefList() {
    return typedefListFrom(PlistFile::readDictionary(DataFolder::filePath("typedefs")));
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
    // Parsing is most of a load, and no file needs another before the linking. A second thread
    // parses the protocol file, then the functions and typedefs files (making their records
    // too), about as much work as this one's: the class, category, struct and enum files. The
    // records that are drawn, measured with the window's font, are all made here.
    auto listPath = [](ListFile file) { return DataFolder::filePath(kListFileKeys[file]); };
    std::promise<std::optional<PlistArray>> protocolsRead;
    std::future<std::optional<PlistArray>> protocols = protocolsRead.get_future();
    auto functionsAndTypedefs = inBackground([&protocolsRead, protocolPath = listPath(kProtocolFile),
                                              functions = DataFolder::filePath("functions"),
                                              typedefs = DataFolder::filePath("typedefs")] {
        try {
            protocolsRead.set_value(PlistFile::readArray(protocolPath));
        } catch (...) {
            protocolsRead.set_exception(std::current_exception());
        }
        return std::make_pair(functionsFrom(PlistFile::readArray(functions)),
                              typedefListFrom(PlistFile::readDictionary(typedefs)));
    });
    linker.unlinkAll();  // a tree loaded before goes as a whole
    std::array<bool, kListFiles> sound{};

    // A decisive file that is there but gives no list: what was read is dropped, for a build.
    std::vector<std::string> unread;
    auto decisive = [&](ListFile file, std::optional<PlistArray> array) {
        if (!array && isThere(listPath(file))) unread.push_back(InfoPlist::localizedString(kListFileKeys[file]));
        return array;
    };

    addProgress(7.0);
    sound[kClassFile] = readRecordFile(kClassFile, decisive(kClassFile, PlistFile::readArray(listPath(kClassFile))),
                                       app.classList);
    addProgress(3.0);
    // Where no thread could be started, the work runs when asked for, the protocols with it.
    if (functionsAndTypedefs.wait_for(std::chrono::seconds(0)) == std::future_status::deferred) functionsAndTypedefs.wait();
    sound[kProtocolFile] = readRecordFile(kProtocolFile, decisive(kProtocolFile, protocols.get()), app.protocolList);
    addProgress(3.0);
    sound[kCategoryFile] = readRecordFile(
        kCategoryFile, decisive(kCategoryFile, PlistFile::readArray(listPath(kCategoryFile))), app.categoryList);
    addProgress(3.0);
    if (!unread.empty()) {
        functionsAndTypedefs.get();
        app.classList.clear();
        app.protocolList.clear();
        app.categoryList.clear();
        if (unreadable) *unreadable = std::move(unread);
        return false;
    }
    sound[kStructFile] = readRecordFile(kStructFile, PlistFile::readArray(listPath(kStructFile)), app.structList);
    addProgress(3.0);
    sound[kEnumFile] = readRecordFile(kEnumFile, PlistFile::readArray(listPath(kEnumFile)), app.enumList);

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
    app.typedefListWasChanged = false;
    Host::current().setProgressBarValue(100.0);

    for (int file = 0; file < kListFiles; ++file) {
        loadedForm[file].reset();
        if (!sound[file]) loadedForm[file] = listForm(static_cast<ListFile>(file));
    }
    return true;
}

PlistArray TreeFileStore::listForm(ListFile file) const {
    switch (file) {
        case kClassFile: return classToDic(app.classStraightList);
        case kProtocolFile: return classToDic(app.protocolList);
        case kCategoryFile: return classToDic(app.categoryList);
        case kStructFile: return classToDic(app.structList);
        default: return classToDic(app.enumList);
    }
}

bool TreeFileStore::writeFunctionList(const std::vector<std::shared_ptr<FunctionMacrosData>>& list) {
    if (!app.functionsWasChanged) return false;
    PlistArray array;
    array.reserve(list.size());
    for (const auto& record : list) {
        if (!record) continue;
        PlistDict dic;
        record->makeDictionary(dic);
        array.emplace_back(std::move(dic));
    }
    startupCheck();
    if (!PlistFile::writeXML(DataFolder::filePath("functions"), PlistValue(std::move(array)))) return false;
    app.functionsWasChanged = false;
    return true;
}

bool TreeFileStore::writeTypedefList(const std::map<std::string, std::string>& list) {
    if (!app.typedefListWasChanged) return false;
    PlistDict dic;
    for (const auto& [name, text] : list) dic.set(name, PlistValue(text));
    startupCheck();
    if (!PlistFile::writeXML(DataFolder::filePath("typedefs"), PlistValue(std::move(dic)))) return false;
    app.typedefListWasChanged = false;
    return true;
}

bool TreeFileStore::writeTreeFiles() {
    if (!treeChanged()) return false;
    startupCheck();
    bool allWritten = true;
    for (int file = 0; file < kListFiles; ++file) {
        PlistArray form = listForm(static_cast<ListFile>(file));
        if (loadedForm[file] && *loadedForm[file] == form) continue;
        if (PlistFile::writeXML(DataFolder::filePath(kListFileKeys[file]), PlistValue(std::move(form)))) {
            loadedForm[file].reset();
        } else {
            allWritten = false;
        }
    }
    if (allWritten) ProcessState::prefData()->treeChanged = false;
    return allWritten;
}

void TreeFileStore::applicationWillTerminate() {
    // The functions file, as large as the class file, is written on a second thread while
    // this one writes the others. Each file is replaced on its own, so nothing can see the
    // order between them; the functions' flag is that thread's alone until it is done.
    std::future<bool> functionsWritten;
    if (app.functionsWasChanged) {
        startupCheck();
        functionsWritten = inBackground([this] { return writeFunctionList(app.functions); });
    }
    writeTypedefList(app.typedefList);
    PrefFile::writePref();
    writeTreeFiles();
    if (functionsWritten.valid()) functionsWritten.get();
}

}  // namespace kestrel
