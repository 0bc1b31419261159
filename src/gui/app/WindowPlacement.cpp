#include "gui/app/WindowPlacement.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "core/app/WindowLayout.h"

namespace kestrel::gui {

namespace {

TreeRect availableArea(const QWidget& window) {
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    const QRect r = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
    return {static_cast<float>(r.x()), static_cast<float>(r.y()), static_cast<float>(r.width()),
            static_cast<float>(r.height())};
}

QRect qRect(const TreeRect& r) {
    return QRect(static_cast<int>(r.x), static_cast<int>(r.y), static_cast<int>(r.width), static_cast<int>(r.height));
}

}  // namespace

void WindowPlacement::sideBySide(QWidget& main, QWidget& tree) {
    const WindowFrames frames = WindowLayout::sideBySide(availableArea(main));
    main.setGeometry(qRect(frames.main));
    tree.setGeometry(qRect(frames.tree));
}

void WindowPlacement::centre(QWidget& window) {
    const QSize size = window.size().expandedTo(window.minimumSizeHint());
    const TreeRect frame = WindowLayout::centred(availableArea(window), static_cast<float>(size.width()),
                                                 static_cast<float>(size.height()));
    window.move(static_cast<int>(frame.x), static_cast<int>(frame.y));
}

QWidget* WindowPlacement::mainWindow() {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (qobject_cast<QMainWindow*>(top)) return top;
    return nullptr;
}

void WindowPlacement::keepAboveMainWindow(QWidget& window) {
    QWidget* main = mainWindow();
    if (!main) return;
    window.winId();  // the native windows that the link is made between
    main->winId();
    window.windowHandle()->setTransientParent(main->windowHandle());
}

}  // namespace kestrel::gui
