#include "core/LineStore.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/FileSystem.h"

namespace permora {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

constexpr std::size_t kChunk = 1 << 20;

// -1 when the size cannot be told; only used as a hint.
long FileSize(std::FILE* f) {
    long here = std::ftell(f);
    if (here < 0 || std::fseek(f, 0, SEEK_END) != 0) return -1;
    long size = std::ftell(f);
    return std::fseek(f, here, SEEK_SET) == 0 ? size : -1;
}

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
    bool pendingCr = false;  // a CR ended the last chunk; an LF may follow
    bool openLine = false;   // `current` holds a line not yet ended
    bool first = true;
    std::unique_ptr<char[]> buf(new char[kChunk]);
    for (;;) {
        std::size_t n = std::fread(buf.get(), 1, kChunk, f.get());
        if (n == 0) break;
        const char* p = buf.get();
        const char* end = p + n;
        if (pendingCr && *p == '\n') ++p;
        pendingCr = false;
        // memchr for each break kind keeps the scan fast; a found position
        // stays valid until the scan passes it.
        const char* nextCr = static_cast<const char*>(std::memchr(p, '\r', end - p));
        const char* nextLf = static_cast<const char*>(std::memchr(p, '\n', end - p));
        if (!nextCr) nextCr = end;
        if (!nextLf) nextLf = end;
        while (p < end) {
            const char* q = nextCr < nextLf ? nextCr : nextLf;
            if (q == end) {
                current.append(p, q);
                openLine = true;
                break;
            }
            if (current.empty()) lines.emplace_back(p, q);
            else lines.push_back(std::move(current.append(p, q)));
            current = std::string();
            openLine = false;
            if (*q == '\r') {
                if (q + 1 == end) pendingCr = true;
                else if (q[1] == '\n') ++q;
            }
            p = q + 1;
            if (nextCr < p) {
                nextCr = p < end ? static_cast<const char*>(std::memchr(p, '\r', end - p)) : end;
                if (!nextCr) nextCr = end;
            }
            if (nextLf < p) {
                nextLf = p < end ? static_cast<const char*>(std::memchr(p, '\n', end - p)) : end;
                if (!nextLf) nextLf = end;
            }
        }
        if (first) {
            // Guess the line count from the first chunk so the list is not
            // moved again and again while it grows.
            first = false;
            long total = FileSize(f.get());
            if (total > 0 && n == kChunk && !lines.empty()) {
                lines.reserve(static_cast<std::size_t>(static_cast<double>(total) / n * lines.size() * 1.05) + 16);
            }
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
        // Lines are gathered into one buffer: a write per line costs far more.
        std::setvbuf(f.get(), nullptr, _IONBF, 0);
        std::string out;
        out.reserve(kChunk + 4096);
        bool ok = true;
        auto flush = [&] {
            if (ok && std::fwrite(out.data(), 1, out.size(), f.get()) != out.size()) ok = false;
            out.clear();
        };
        for (const std::string& line : lines_) {
            if (line.size() >= kChunk) {
                flush();
                if (ok && std::fwrite(line.data(), 1, line.size(), f.get()) != line.size()) ok = false;
            } else {
                if (out.size() + line.size() + 2 > out.capacity()) flush();
                out += line;
            }
            out += "\r\n";
            if (!ok) break;
        }
        flush();
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
