#pragma once
// The opening window's progress, drawn as one line on a terminal's standard error:
//   [##########----------]  48%  AppKit.framework  NSButton.h
// Fed by the same amounts as the window; redrawn at most every 50 ms.
#include <chrono>
#include <ostream>
#include <string>

#include "core/platform/Host.h"

namespace kestrel::cli {

class TerminalProgress : public Host {
public:
    explicit TerminalProgress(std::ostream& err);
    ~TerminalProgress() override;

    void setMessage(const std::string& text) override;
    void setStatusMessage(const std::string& text) override;
    void addProgressBarValue(double amount) override;
    void setProgressBarValue(double value) override;
    void setIndeterminate(bool flag) override;
    // Clears the line.
    void close();

private:
    void draw(bool force);
    std::ostream& err_;
    double value_ = 0.0;
    bool indeterminate_ = false;
    int spin_ = 0;
    std::string message_, status_;
    std::chrono::steady_clock::time_point lastDraw_{};
    bool drawn_ = false;
};

}  // namespace kestrel::cli
