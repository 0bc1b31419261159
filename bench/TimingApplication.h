#pragma once
// What the offscreen benchmarks of the desktop program share: an application that times every
// event it handles and notes when a watched widget has painted.
#include <QApplication>
#include <time.h>
#include <algorithm>

#include "BenchFiles.h"

namespace kestrel::bench {

// Times every event handled at the outermost level, and notes when the watched widget has
// finished a paint.
class TimingApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        const bool outermost = depth_++ == 0;
        const auto start = Clock::now();
        const bool done = QApplication::notify(receiver, event);
        --depth_;
        if (receiver == watched && event->type() == QEvent::Paint && !painted) {
            painted = true;
            paintedAt = Clock::now();
            paintedCpu = threadCpu();
        }
        if (outermost) longest = std::max(longest, millisecondsSince(start));
        return done;
    }

    // The processor time this thread has used, in milliseconds.
    static double threadCpu() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
    }

    QObject* watched = nullptr;
    bool painted = false;
    Clock::time_point paintedAt;
    double paintedCpu = 0;
    double longest = 0;

private:
    int depth_ = 0;
};

}  // namespace kestrel::bench
