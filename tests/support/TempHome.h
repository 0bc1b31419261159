#pragma once
// A throw-away home for tests of the stored files: HOME and XDG_CONFIG_HOME point into a fresh
// temporary folder (data folder HOME/.local/share/Kestrel, preferences folder HOME/.config)
// for the life of the object; the process state starts clean. Both variables are restored and
// the folder removed at the end.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "core/platform/ProcessState.h"
#include "support/TempDir.h"

namespace kestrel::test {

class TempHome {
public:
    TempHome() : oldHome_(get("HOME")), oldConfig_(get("XDG_CONFIG_HOME")) {
        setenv("HOME", dir_.str().c_str(), 1);
        setenv("XDG_CONFIG_HOME", (dir_.path() / ".config").string().c_str(), 1);
        ProcessState::reset();
    }
    ~TempHome() {
        ProcessState::reset();
        restore("HOME", oldHome_);
        restore("XDG_CONFIG_HOME", oldConfig_);
    }
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const TempDir& dir() const { return dir_; }
    std::string data() const { return (dir_.path() / ".local/share/Kestrel").string(); }
    std::string dataFile(const std::string& name) const { return data() + "/" + name; }
    std::string prefFile() const { return (dir_.path() / ".config/Kestrel.plist").string(); }
    std::string writeData(const std::string& name, const std::string& contents) const {
        return dir_.write(".local/share/Kestrel/" + name, contents);
    }

    // The bytes of a file; none when it cannot be read.
    static std::optional<std::string> contents(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        if (!in) return std::nullopt;
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    static std::optional<std::string> get(const char* name) {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    }
    static void restore(const char* name, const std::optional<std::string>& value) {
        if (value) {
            setenv(name, value->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }

    std::optional<std::string> oldHome_;
    std::optional<std::string> oldConfig_;
    TempDir dir_;
};

}  // namespace kestrel::test
