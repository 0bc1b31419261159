#include "gui/app/AppShell.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

namespace kestrel::gui {

int AppShell::runApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Kestrel");
    QMainWindow window;
    window.setWindowTitle("Kestrel");
    auto* label = new QLabel(
        "The class tree window is not built yet.\nRun `kestrel --help` for the terminal commands.");
    label->setAlignment(Qt::AlignCenter);
    label->setMargin(40);
    window.setCentralWidget(label);
    window.resize(640, 400);
    window.show();
    return app.exec();
}

}  // namespace kestrel::gui
