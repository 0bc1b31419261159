#include "core/platform/Host.h"

#include "core/platform/ProcessState.h"

namespace kestrel {

Host::~Host() = default;

void Host::setMessage(const std::string&) {}
void Host::setStatusMessage(const std::string&) {}
void Host::addProgressBarValue(double) {}
void Host::setProgressBarValue(double) {}
void Host::setIndeterminate(bool) {}
void Host::setNote(const std::string&) {}
void Host::viewSetUp(const std::vector<std::shared_ptr<ClassData>>&) {}
void Host::unSelect() {}
void Host::reLayout() {}
std::int32_t Host::getDragStyleMode() { return 0; }

Host& Host::current() {
    static Host absent;
    Host* installed = ProcessState::host();
    return installed ? *installed : absent;
}

void Host::install(Host* host) { ProcessState::host() = host; }

}  // namespace kestrel
