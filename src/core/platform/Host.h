#pragma once
// What the core asks of the window system: the opening window's progress bar and lines, and the
// tree view. The desktop program installs its implementation; with none installed (tests,
// terminal commands) every call does nothing, as messages to an absent window do.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kestrel {

class ClassData;

class Host {
public:
    virtual ~Host();

    // The opening window.
    virtual void setMessage(const std::string& text);
    virtual void setStatusMessage(const std::string& text);
    virtual void addProgressBarValue(double amount);
    virtual void setProgressBarValue(double value);
    virtual void setIndeterminate(bool flag);
    // A remark the opening window shows beside the progress until it closes (why the stored tree
    // is built instead of loaded).
    virtual void setNote(const std::string& text);

    // The tree view: show these root classes; drop the selection; lay the tree out again.
    virtual void viewSetUp(const std::vector<std::shared_ptr<ClassData>>& roots);
    virtual void unSelect();
    virtual void reLayout();
    // The drag style chosen in the main window: 0 declarations, anything else calls.
    virtual std::int32_t getDragStyleMode();

    // The installed host, or one that does nothing.
    static Host& current();
    // Installs host (not owned; null uninstalls). The installer uninstalls before it goes away.
    static void install(Host* host);
};

}  // namespace kestrel
