#include "core/app/AppAction.h"

#include "core/model/ClassData.h"
#include "core/platform/Host.h"
#include "core/platform/PrefData.h"
#include "core/platform/ProcessState.h"

namespace kestrel {

AppAction::AppAction() = default;

// Records that refer to each other (protocols adopting each other, classes and their
// subclasses) are freed with the lists only once their links are cut.
AppAction::~AppAction() { linker.unlinkAll(); }

void AppAction::removeSelectedClass() {
    Host::current().unSelect();
    bool removed = linker.removeSelectedClass();
    Host::current().reLayout();
    if (removed && ProcessState::prefData()) ProcessState::prefData()->treeChanged = true;
}

}  // namespace kestrel
