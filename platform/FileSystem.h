#pragma once
// File-system calls whose Windows behaviour the C++ library does not give us.
// Paths are 8-bit strings in the ANSI code page, as the program stores them.
#include <cstddef>
#include <cstdint>
#include <string>

namespace permora::platform {

// True only for an existing file; a directory of that name does not count.
bool IsRegularFile(const std::string& path);

// Deletes a file; true when it is gone by this call.
bool DeleteFileAt(const std::string& path);

// Moves `source` over `target` in one step. An existing target keeps its
// security settings, attributes and creation time (on Windows it is moved to
// "target.replaced" for a moment). Fails (and leaves the target alone) when
// the target is read-only, is a directory, or is held open without sharing.
// Call it holding the target's lock.
bool ReplaceFileWith(const std::string& source, const std::string& target);

// What tells one version of a file from another without reading it.
struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t writeTime = 0;  // in the system's own units
    std::uint64_t volume = 0;     // with `id`: which file this is
    std::uint64_t id = 0;

    bool operator==(const FileStamp& o) const {
        return size == o.size && writeTime == o.writeTime && volume == o.volume && id == o.id;
    }
    bool operator!=(const FileStamp& o) const { return !(*this == o); }
};

// One open file, closed when the object goes. Others may read it meanwhile.
class File {
public:
    File() = default;
    ~File() { Close(); }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool OpenRead(const std::string& path);
    // An existing file that may be written, positioned at its end. Fails for
    // a read-only file.
    bool OpenAppend(const std::string& path);
    // Creates the file or empties an existing one.
    bool Create(const std::string& path);

    bool IsOpen() const { return handle_ != kNone; }
    bool Stamp(FileStamp& stamp) const;
    // Reads up to `size` bytes at the current position; `got` is short only at the end.
    bool Read(char* buffer, std::size_t size, std::size_t& got);
    // Exactly `size` bytes from `offset`.
    bool ReadAt(std::uint64_t offset, char* buffer, std::size_t size);
    // All of it at the current position, or false (a full disk, say).
    bool Write(const char* data, std::size_t size);
    // Waits until what was written is on the disk.
    bool Flush();
    // Cuts the file to `size` bytes and moves the position to its end.
    bool Truncate(std::uint64_t size);
    // False when the system reports a late write error.
    bool Close();

private:
    static constexpr std::intptr_t kNone = -1;
    std::intptr_t handle_ = kNone;
};

// An exclusive lock named by a file beside the one it guards, between
// processes and between objects of one process. The lock file exists only
// while the lock is held; a process that dies loses its lock.
class FileLock {
public:
    FileLock() = default;
    ~FileLock() { Release(); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Waits up to `waitMs` while another holds it. False when the wait ran out
    // or the lock file cannot be made (a folder without write access).
    bool Acquire(const std::string& lockPath, int waitMs);
    void Release();
    bool Held() const { return handle_ != kNone; }

private:
    enum class Attempt { Taken, Busy, Refused };
    Attempt TryOnce(const std::string& lockPath);

    static constexpr std::intptr_t kNone = -1;
    std::intptr_t handle_ = kNone;
    std::string path_;
};

// Asks for large memory pages for a big buffer the program fills at once; a
// hint only, where the system has no such thing it does nothing.
void PreferLargePages(void* buffer, std::size_t size);

}  // namespace permora::platform
