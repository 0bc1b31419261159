#pragma once
// What the fuzz targets share: a private home for the data and preferences folders, files
// written into it, and a check that stops the run (libFuzzer keeps the input that did it).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

namespace kestrel::fuzz {

// The bytes of one input as a string.
inline std::string bytesOf(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// Stops the run when a property that must hold for every input does not.
#define KESTREL_FUZZ_CHECK(condition, what)                                                   \
    do {                                                                                      \
        if (!(condition)) {                                                                   \
            std::fprintf(stderr, "fuzz check failed at %s:%d: %s\n", __FILE__, __LINE__, what); \
            std::abort();                                                                     \
        }                                                                                     \
    } while (0)

// Stops the run when two texts that must be the same differ, printing both.
inline void checkSame(const std::string& expected, const std::string& actual, const char* what) {
    if (expected == actual) return;
    auto visible = [](const std::string& text) {
        std::string shown;
        for (unsigned char c : text.substr(0, 2000)) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, c < 32 || c == 127 ? "\\x%02x" : "%c", c);
            shown += escaped;
        }
        return shown;
    };
    std::fprintf(stderr, "fuzz check failed: %s\n  expected: %s\n  actual:   %s\n", what, visible(expected).c_str(),
                 visible(actual).c_str());
    std::abort();
}

// A folder of its own for the process under TMPDIR (scripts/fuzz.sh points it into memory, as
// each input writes files), removed at a normal exit; HOME and XDG_CONFIG_HOME point into it, so the data folder is
// HOME/.local/share/Kestrel and the preferences file HOME/.config/Kestrel.plist.
class FuzzHome {
public:
    static const FuzzHome& get() {
        static FuzzHome home;
        return home;
    }
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path data() const { return path_ / ".local/share/Kestrel"; }
    std::filesystem::path config() const { return path_ / ".config"; }

    // Empties a folder below the home (made when missing).
    void clear(const std::filesystem::path& folder) const {
        std::error_code error;
        std::filesystem::remove_all(folder, error);
        std::filesystem::create_directories(folder, error);
    }

    static void write(const std::filesystem::path& file, std::string_view bytes) {
        std::error_code error;
        std::filesystem::create_directories(file.parent_path(), error);
        std::ofstream(file, std::ios::binary | std::ios::trunc).write(bytes.data(),
                                                                     static_cast<std::streamsize>(bytes.size()));
    }

private:
    FuzzHome() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrel-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            std::perror("kestrel fuzz: no temporary folder");
            std::abort();
        }
        path_ = pattern;
        setenv("HOME", path_.c_str(), 1);
        setenv("XDG_CONFIG_HOME", config().c_str(), 1);
    }
    ~FuzzHome() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }

    std::filesystem::path path_;
};

}  // namespace kestrel::fuzz
