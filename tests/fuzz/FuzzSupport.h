#pragma once
// What the fuzz targets share: a scratch file per process and the file rules
// written out the slow, obvious way, to check the real loader against.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace permora::fuzz {

// A directory of this process, in memory where the system has one, removed at exit.
inline const std::string& ScratchDir() {
    static const std::string dir = [] {
        std::filesystem::path base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
        std::filesystem::path path = base / ("permora-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        static const std::filesystem::path removeAtExit = path;
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(removeAtExit, ec);
        });
        return path.string() + "/";
    }();
    return dir;
}

inline void WriteFile(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) std::abort();
}

// A line ends at CR LF, a lone CR or a lone LF; a final break adds no line.
inline std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        lines.push_back(line);
        line.clear();
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// Fails the input where a property does not hold.
inline void Check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

}  // namespace permora::fuzz
