#pragma once
// The base of the main window's panel controllers: each fills itself again when the tree is
// loaded or rebuilt (TreeFileWasChangedMessage), and stops listening when it goes.
#include <QObject>
#include <any>
#include <functional>

namespace kestrel::gui {

class AppShell;

class ViewController : public QObject {
    Q_OBJECT
public:
    explicit ViewController(AppShell& owner, QObject* parent = nullptr);
    ~ViewController() override;

    virtual void TreeFileWasChanged() {}

protected:
    // Observes name on the default centre for as long as the controller lives.
    void observe(const char* name, std::function<void(const std::any&)> handler);

    AppShell& owner;
};

}  // namespace kestrel::gui
