#include "files/LineStore.h"

#include <cstdio>
#include <memory>

#include "platform/FileSystem.h"

namespace permora {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

constexpr std::size_t kChunk = 1 << 20;

}  // namespace

std::string LineStore::Text() const {
    std::string text;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (i) text += "\r\n";
        text += lines_[i];
    }
    return text;
}

bool LineStore::LoadFromFile(const std::string& path) {
    File f(std::fopen(path.c_str(), "rb"));
    if (!f) return false;

    // Read in chunks so peak memory stays near the size of the lines themselves.
    std::vector<std::string> lines;
    std::string current;
    bool pendingCr = false;   // a CR ended the last chunk; an LF may follow
    bool openLine = false;    // `current` holds a line not yet ended
    std::unique_ptr<char[]> buf(new char[kChunk]);
    for (;;) {
        std::size_t n = std::fread(buf.get(), 1, kChunk, f.get());
        if (n == 0) break;
        const char* p = buf.get();
        const char* end = p + n;
        if (pendingCr && *p == '\n') ++p;
        pendingCr = false;
        while (p < end) {
            const char* q = p;
            while (q < end && *q != '\r' && *q != '\n') ++q;
            current.append(p, q);
            openLine = true;
            if (q == end) break;
            lines.push_back(std::move(current));
            current.clear();
            openLine = false;
            if (*q == '\r') {
                if (q + 1 == end) pendingCr = true;
                else if (q[1] == '\n') ++q;
            }
            p = q + 1;
        }
    }
    if (std::ferror(f.get())) return false;
    if (openLine) lines.push_back(std::move(current));
    lines_.swap(lines);
    return true;
}

bool LineStore::SaveToFile(const std::string& path) const {
    const std::string temp = path + ".saving";
    {
        File f(std::fopen(temp.c_str(), "wb"));
        if (!f) return false;
        std::setvbuf(f.get(), nullptr, _IOFBF, kChunk);
        bool ok = true;
        for (const std::string& line : lines_) {
            if (std::fwrite(line.data(), 1, line.size(), f.get()) != line.size() ||
                std::fwrite("\r\n", 1, 2, f.get()) != 2) {
                ok = false;
                break;
            }
        }
        if (std::fflush(f.get()) != 0) ok = false;
        if (std::fclose(f.release()) != 0) ok = false;
        if (!ok) {
            std::remove(temp.c_str());
            return false;
        }
    }
    if (!platform::ReplaceFileWith(temp, path)) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace permora
