#include "core/platform/NotificationCenter.h"

#include <algorithm>
#include <utility>

#include "core/platform/ProcessState.h"

namespace kestrel {

NotificationCenter& NotificationCenter::defaultCenter() { return ProcessState::notificationCenter(); }

void NotificationCenter::addObserver(const void* observer, std::optional<std::string> name, Handler handler) {
    if (!handler) return;
    entries_.push_back(Entry{nextId_++, observer, std::move(name), std::move(handler)});
}

void NotificationCenter::removeObserver(const void* observer) {
    std::erase_if(entries_, [&](const Entry& e) { return e.observer == observer; });
}

void NotificationCenter::removeObserver(const void* observer, const std::string& name) {
    std::erase_if(entries_, [&](const Entry& e) { return e.observer == observer && e.name == name; });
}

void NotificationCenter::removeAllObservers() { entries_.clear(); }

void NotificationCenter::post(const std::string& name, std::any object) {
    const Notification notification{name, std::move(object)};
    // Who is called is fixed when the post starts; each one is looked up again by id just before
    // its call, so that an observer removed meanwhile is skipped.
    std::vector<std::uint64_t> ids;
    for (const Entry& e : entries_)
        if (!e.name || *e.name == name) ids.push_back(e.id);
    for (std::uint64_t id : ids) {
        auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.id == id; });
        if (found == entries_.end()) continue;
        Handler handler = found->handler;  // a copy: the handler may remove its own entry
        handler(notification);
    }
}

}  // namespace kestrel
