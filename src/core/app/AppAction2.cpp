#include "core/app/AppAction2.h"

#include "core/parse/DefineEngin.h"
#include "core/platform/Host.h"
#include "core/platform/PrefFile.h"

namespace kestrel {

AppAction2::AppAction2() {
    treeBuilder.doPass1 = [this] { doPass1(); };
}

AppAction2::~AppAction2() = default;

void AppAction2::doPass1() { DefineEngin::doPass1(); }

void AppAction2::initTreeFile() {
    treeFileStore.buildWillStart();
    treeBuilder.initTreeFile();
    treeFileStore.buildDidEnd(treeBuilder.getHedderCount());
}

bool AppAction2::startUp() {
    PrefFile::setUpPref();
    return loadOrBuild();
}

bool AppAction2::loadOrBuild() {
    startUpNote.clear();
    TreeFileStore::fileCheck();
    std::vector<std::string> unreadable;
    if (TreeFileStore::treeFilesExist()) {
        if (initTreeFromFile(&unreadable)) {
            for (const std::string& note : treeFileStore.getLoadNotes())
                startUpNote += (startUpNote.empty() ? "" : "\n") + note;
            return false;
        }
        std::string files;
        for (const std::string& name : unreadable) files += (files.empty() ? "" : "; ") + name;
        startUpNote = "The stored class tree could not be read (" + files +
                      "); it is built again from the headers.";
        Host::current().setNote(startUpNote);
    }
    initTreeFile();
    return true;
}

}  // namespace kestrel
