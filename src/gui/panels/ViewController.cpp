#include "gui/panels/ViewController.h"

#include "core/platform/NotificationCenter.h"

namespace kestrel::gui {

ViewController::ViewController(AppShell& owner, QObject* parent) : QObject(parent), owner(owner) {
    observe("TreeFileWasChangedMessage", [this](const std::any&) { TreeFileWasChanged(); });
}

ViewController::~ViewController() { NotificationCenter::defaultCenter().removeObserver(this); }

void ViewController::observe(const char* name, std::function<void(const std::any&)> handler) {
    NotificationCenter::defaultCenter().addObserver(
        this, std::string(name), [handler = std::move(handler)](const Notification& n) { handler(n.object); });
}

}  // namespace kestrel::gui
