#pragma once
// The program started on the small framework, with a modeless dialog under test that keeps one
// of the files in the data folder.
#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <string>

#include "support/ShellFixture.h"

namespace kestrel::test {

template <class Dialog>
class DialogFixture : public ShellFixture {
protected:
    // The dialog has ended: its window hidden and, once the deletions waiting for the end of the
    // current event are done, its controller gone.
    bool ended() {
        QWidget* window = dialog ? dialog->getWindow() : nullptr;
        const bool hidden = !window || !window->isVisible();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return hidden && !dialog;
    }
    // The bytes of a file in the data folder; "none" when it cannot be read.
    std::string stored(const std::string& name) { return TempHome::contents(home.dataFile(name)).value_or("none"); }
    // OK that must not go through: the dialog stays and says so; the file is left as it was.
    void expectOkRefused(const char* saying, const std::string& file, const std::string& before) {
        dialog->doOkButton();
        EXPECT_FALSE(ended());
        EXPECT_TRUE(dialog->getMessage().contains(saying)) << dialog->getMessage().toStdString();
        EXPECT_EQ(stored(file), before);
    }

    QPointer<Dialog> dialog;
};

}  // namespace kestrel::test
