#pragma once
// An ordered list of 8-bit text lines, loaded from and saved to a file whole.
// Bytes pass through unchanged: no code-page conversion, no byte-order mark.
#include <cstddef>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace permora {

// What a load or save last saw of a file: enough to tell later, without
// reading it whole, whether anybody has changed it since.
struct FileMark {
    enum class State { Unknown, Missing, Seen };
    State state = State::Unknown;
    platform::FileStamp stamp;
    std::string tail;        // the file's last bytes
    bool canonical = false;  // its bytes are exactly what saving its lines writes
    std::size_t lines = 0;   // how many of the store's first lines it holds
};

// How a file that nobody changed took the lines added since.
enum class AppendResult { Appended, FileChanged, Failed };

class LineStore {
public:
    LineStore() = default;
    LineStore(const LineStore& other);
    LineStore& operator=(const LineStore& other);
    LineStore(LineStore&&) noexcept = default;
    LineStore& operator=(LineStore&&) noexcept = default;

    std::size_t Count() const { return baseStarts_.size() + added_.size(); }
    bool Empty() const { return Count() == 0; }
    // Valid until the store changes.
    std::string_view Line(std::size_t i) const;
    std::string operator[](std::size_t i) const { return std::string(Line(i)); }
    // A copy of every line; for small stores.
    std::vector<std::string> Lines() const;

    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = const std::string_view*;
        using reference = std::string_view;
        Iterator(const LineStore* store, std::size_t i) : store_(store), i_(i) {}
        std::string_view operator*() const { return store_->Line(i_); }
        Iterator& operator++() {
            ++i_;
            return *this;
        }
        bool operator==(const Iterator& o) const { return i_ == o.i_; }
        bool operator!=(const Iterator& o) const { return i_ != o.i_; }

    private:
        const LineStore* store_;
        std::size_t i_;
    };
    Iterator begin() const { return Iterator(this, 0); }
    Iterator end() const { return Iterator(this, Count()); }

    void Add(std::string line) { added_.push_back(std::move(line)); }
    void Set(std::size_t i, std::string line);
    // Adds the lines of `other` from line `from` on.
    void Append(const LineStore& other, std::size_t from = 0);
    void Clear();

    // All lines joined by CR LF, without a final break (what a message box shows).
    std::string Text() const;

    // Replaces the lines with the file's. A line ends at CR LF, a lone CR or a lone LF;
    // a final break adds no empty line. On failure (a file too large for
    // memory included) the lines stay as they were. `mark`, when given, is
    // what the file looked like.
    bool LoadFromFile(const std::string& path, FileMark* mark = nullptr);

    // Holds the file's lock, writes every line followed by CR LF into a
    // sibling file, puts that on the disk, then replaces the target in one
    // step, so a failed or interrupted save leaves the old file whole.
    bool SaveToFile(const std::string& path) const;

    // SaveToFile for a caller that holds the file's lock (LockFile); `mark`,
    // when given, becomes what the new file looks like.
    bool WriteFileLocked(const std::string& path, FileMark* mark = nullptr) const;

    // With the file's lock held: when the file is exactly what `mark` saw,
    // appends lines mark.lines.. and updates `mark`. A write that cannot be
    // finished (a full disk) is cut off again, so the file stays as it was.
    AppendResult AppendIfUnchanged(const std::string& path, FileMark& mark) const;

private:
    struct Free {
        void operator()(char* p) const { std::free(p); }
    };
    using Buffer = std::unique_ptr<char, Free>;

    bool Load(const std::string& path, FileMark* mark);
    bool WriteLines(platform::File& file, std::size_t from, const char* step) const;
    std::size_t SavedSize() const;
    std::string SavedTail(std::size_t bytes) const;
    void MarkFile(const std::string& path, FileMark& mark) const;
    void MoveBaseToAdded();

    // Lines as loaded: each followed by CR LF in base_, as the file holds them,
    // so that saving them is one write. Lines added later live in added_.
    Buffer base_;
    std::size_t baseSize_ = 0;
    std::vector<std::size_t> baseStarts_;
    std::vector<std::string> added_;
};

// Takes the lock that every save of `path` holds; waits while another
// program or object saves it.
bool LockFile(platform::FileLock& lock, const std::string& path);

// The sibling a save writes before it replaces the file.
std::string SavingPathFor(const std::string& path);

// Test seams: called with the name of every step a save takes (a test may end
// the process there), and the longest wait for a file's lock.
using SaveStepHook = void (*)(const char* step);
void SetSaveStepHook(SaveStepHook hook);
void SaveStep(const char* step);
void SetFileLockWait(int milliseconds);

}  // namespace permora
