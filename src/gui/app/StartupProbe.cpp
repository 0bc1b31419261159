#include "gui/app/StartupProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>
#include <chrono>
#include <cstdio>

namespace kestrel::gui {

namespace {

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) StartupProbe::painted();
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

QByteArray StartupProbe::mode() {
    static const QByteArray value = qgetenv("KESTREL_FIRST_PAINT_PROBE");
    return value;
}

void StartupProbe::painted() {
    static bool done = false;
    if (done || mode().isEmpty()) return;
    done = true;
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    std::fprintf(stderr, "first-paint %lld\n",
                 static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
    std::fflush(stderr);
    QTimer::singleShot(0, [] { QCoreApplication::quit(); });
}

int StartupProbe::runEmptyWindow() {
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Kestrel"));
    FirstPaint filter;
    window.installEventFilter(&filter);
    window.resize(600, 400);
    window.show();
    return QCoreApplication::exec();
}

}  // namespace kestrel::gui
