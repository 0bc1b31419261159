#include "cli/TerminalProgress.h"

#include <algorithm>
#include <cstdio>

namespace kestrel::cli {

namespace {
constexpr int kBarWidth = 24;
constexpr std::size_t kLineWidth = 78;
}  // namespace

TerminalProgress::TerminalProgress(std::ostream& err) : err_(err) { Host::install(this); }

TerminalProgress::~TerminalProgress() {
    close();
    Host::install(nullptr);
}

void TerminalProgress::setMessage(const std::string& text) {
    message_ = text;
    status_.clear();
    draw(false);
}

void TerminalProgress::setStatusMessage(const std::string& text) {
    status_ = text;
    draw(false);
}

void TerminalProgress::addProgressBarValue(double amount) {
    value_ += amount;
    draw(false);
}

void TerminalProgress::setProgressBarValue(double value) {
    value_ = value;
    draw(true);
}

void TerminalProgress::setIndeterminate(bool flag) {
    indeterminate_ = flag;
    draw(true);
}

void TerminalProgress::draw(bool force) {
    auto now = std::chrono::steady_clock::now();
    if (!force && drawn_ && now - lastDraw_ < std::chrono::milliseconds(50)) return;
    lastDraw_ = now;
    drawn_ = true;
    std::string bar(kBarWidth, '-');
    int percent = static_cast<int>(std::clamp(value_, 0.0, 100.0));
    if (indeterminate_) {
        spin_ = (spin_ + 1) % kBarWidth;
        for (int i = 0; i < 4; ++i) bar[(spin_ + i) % kBarWidth] = '#';
    } else {
        std::fill(bar.begin(), bar.begin() + percent * kBarWidth / 100, '#');
    }
    char head[64];
    if (indeterminate_)
        std::snprintf(head, sizeof head, "[%s]       ", bar.c_str());
    else
        std::snprintf(head, sizeof head, "[%s] %3d%%  ", bar.c_str(), percent);
    std::string line = head + message_ + (status_.empty() ? "" : "  " + status_);
    if (line.size() > kLineWidth) line.resize(kLineWidth);
    line.resize(kLineWidth, ' ');
    err_ << '\r' << line << std::flush;
}

void TerminalProgress::close() {
    if (!drawn_) return;
    err_ << '\r' << std::string(kLineWidth, ' ') << '\r' << std::flush;
    drawn_ = false;
}

}  // namespace kestrel::cli
