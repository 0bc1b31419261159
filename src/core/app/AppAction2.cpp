#include "core/app/AppAction2.h"

#include "core/parse/DefineEngin.h"
#include "core/platform/PrefFile.h"

namespace kestrel {

AppAction2::AppAction2() {
    treeBuilder.doPass1 = [this] { doPass1(); };
}

AppAction2::~AppAction2() = default;

void AppAction2::doPass1() { DefineEngin::doPass1(); }

bool AppAction2::startUp() {
    PrefFile::setUpPref();
    TreeFileStore::fileCheck();
    if (TreeFileStore::treeFilesExist()) {
        initTreeFromFile();
        return false;
    }
    initTreeFile();
    return true;
}

}  // namespace kestrel
