#pragma once
// An ordered list of 8-bit text lines, loaded from and saved to a file whole.
// Bytes pass through unchanged: no code-page conversion, no byte-order mark.
#include <cstddef>
#include <string>
#include <vector>

namespace permora {

class LineStore {
public:
    const std::vector<std::string>& Lines() const { return lines_; }
    std::size_t Count() const { return lines_.size(); }
    bool Empty() const { return lines_.empty(); }
    const std::string& operator[](std::size_t i) const { return lines_[i]; }

    void Add(std::string line) { lines_.push_back(std::move(line)); }
    void Set(std::size_t i, std::string line) { lines_[i] = std::move(line); }
    void Append(const LineStore& other) { lines_.insert(lines_.end(), other.lines_.begin(), other.lines_.end()); }
    void Clear() { lines_.clear(); }

    // All lines joined by CR LF, without a final break (what a message box shows).
    std::string Text() const;

    // Replaces the lines with the file's. A line ends at CR LF, a lone CR or a lone LF;
    // a final break adds no empty line. On failure the lines stay as they were.
    bool LoadFromFile(const std::string& path);

    // Writes every line followed by CR LF into a sibling file, then replaces the
    // target in one step, so a failed save leaves the old file whole.
    bool SaveToFile(const std::string& path) const;

private:
    std::vector<std::string> lines_;
};

}  // namespace permora
