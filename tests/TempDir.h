#pragma once
// A fresh directory per test, removed afterwards, so no test touches another's files.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace permora::test {

class TempDir {
public:
    TempDir() {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("permora test " + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The directory with a trailing separator, as the program's AppDir has one.
    std::string Dir() const { return path_.string() + static_cast<char>(std::filesystem::path::preferred_separator); }
    std::string File(const std::string& name) const { return Dir() + name; }

private:
    std::filesystem::path path_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace permora::test
