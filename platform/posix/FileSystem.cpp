#include "platform/FileSystem.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace permora::platform {

namespace {

int Fd(std::intptr_t handle) { return static_cast<int>(handle); }

// Root may write any file; a file without write bits still counts as read-only.
bool ReadOnly(const struct stat& st) { return (st.st_mode & 0222) == 0; }

bool SyncDirectoryOf(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    std::string dir = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

}  // namespace

bool IsRegularFile(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DeleteFileAt(const std::string& path) {
    return IsRegularFile(path) && std::remove(path.c_str()) == 0;
}

bool ReplaceFileWith(const std::string& source, const std::string& target) {
    // rename() fails for a directory target, which is what we want.
    struct stat st;
    if (::stat(target.c_str(), &st) == 0) {
        if (ReadOnly(st)) return false;
        // The new file takes the old one's permissions and, where allowed, owner.
        if (::chmod(source.c_str(), st.st_mode & 07777) != 0) return false;
        if (::chown(source.c_str(), st.st_uid, st.st_gid) != 0 && errno != EPERM) return false;
    }
    if (std::rename(source.c_str(), target.c_str()) != 0) return false;
    return SyncDirectoryOf(target);
}

bool File::OpenRead(const std::string& path) {
    Close();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    handle_ = fd;
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        Close();
        return false;
    }
    return true;
}

bool File::OpenAppend(const std::string& path) {
    Close();
    int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return false;
    handle_ = fd;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || ReadOnly(st) || ::lseek(fd, 0, SEEK_END) < 0) {
        Close();
        return false;
    }
    return true;
}

bool File::Create(const std::string& path) {
    Close();
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    handle_ = fd;
    return true;
}

bool File::Stamp(FileStamp& stamp) const {
    struct stat st;
    if (!IsOpen() || ::fstat(Fd(handle_), &st) != 0) return false;
    stamp.size = static_cast<std::uint64_t>(st.st_size);
    stamp.writeTime = static_cast<std::uint64_t>(st.st_mtim.tv_sec) * 1000000000u +
                      static_cast<std::uint64_t>(st.st_mtim.tv_nsec);
    stamp.volume = static_cast<std::uint64_t>(st.st_dev);
    stamp.id = static_cast<std::uint64_t>(st.st_ino);
    return true;
}

bool File::Read(char* buffer, std::size_t size, std::size_t& got) {
    got = 0;
    while (got < size) {
        ssize_t n = ::read(Fd(handle_), buffer + got, size - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    return true;
}

bool File::ReadAt(std::uint64_t offset, char* buffer, std::size_t size) {
    std::size_t got = 0;
    while (got < size) {
        ssize_t n = ::pread(Fd(handle_), buffer + got, size - got, static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        got += static_cast<std::size_t>(n);
    }
    return true;
}

bool File::Write(const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(Fd(handle_), data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool File::Flush() {
    return IsOpen() && ::fsync(Fd(handle_)) == 0;
}

bool File::Truncate(std::uint64_t size) {
    return IsOpen() && ::ftruncate(Fd(handle_), static_cast<off_t>(size)) == 0 &&
           ::lseek(Fd(handle_), 0, SEEK_END) >= 0;
}

bool File::Close() {
    if (!IsOpen()) return true;
    bool ok = ::close(Fd(handle_)) == 0;
    handle_ = kNone;
    return ok;
}

FileLock::Attempt FileLock::TryOnce(const std::string& lockPath) {
    int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return Attempt::Refused;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        // The holder before us removes the file before it lets go: a lock on
        // a file no longer at this path guards nothing.
        struct stat held, named;
        if (::fstat(fd, &held) == 0 && ::stat(lockPath.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
            held.st_ino == named.st_ino) {
            handle_ = fd;
            path_ = lockPath;
            return Attempt::Taken;
        }
    }
    ::close(fd);
    return Attempt::Busy;
}

void FileLock::Release() {
    if (!Held()) return;
    ::unlink(path_.c_str());
    ::close(Fd(handle_));
    handle_ = kNone;
}

void PreferLargePages(void* buffer, std::size_t size) {
#ifdef MADV_HUGEPAGE
    const std::uintptr_t page = 4096;
    std::uintptr_t begin = (reinterpret_cast<std::uintptr_t>(buffer) + page - 1) & ~(page - 1);
    std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(buffer) + size) & ~(page - 1);
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)buffer;
    (void)size;
#endif
}

}  // namespace permora::platform
