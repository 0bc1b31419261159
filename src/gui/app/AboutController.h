#pragma once
// The about box ("About"), run modally: the program's name and version, what it is, the class
// count, and OK.
#include <QObject>
#include <QPointer>
#include <cstddef>

#include <QDialog>

namespace kestrel::gui {

class AboutController : public QObject {
    Q_OBJECT
public:
    explicit AboutController(std::size_t classCount, QObject* parent = nullptr);
    ~AboutController() override;

    // Loads the window and runs it until OK; answers the code (1).
    int beginModalDialog();
    void doOkButton();
    QDialog* getWindow() const { return window; }

private:
    QPointer<QDialog> window;
    std::size_t classCount_;
};

}  // namespace kestrel::gui
