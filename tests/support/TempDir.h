#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it at the end
// of the test.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace kestrel::test {

class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrel-test-XXXXXX").string();
        char* made = mkdtemp(pattern.data());
        path_ = made ? std::filesystem::path(made) : std::filesystem::path(pattern);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }

    // Writes a file below the folder, making its folders; answers its full path.
    std::string write(const std::string& relative, const std::string& contents) const {
        std::filesystem::path p = path_ / relative;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << contents;
        return p.string();
    }

private:
    std::filesystem::path path_;
};

}  // namespace kestrel::test
