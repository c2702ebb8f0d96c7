#include "platform/FileSystem.h"

#include <windows.h>

#ifndef REPLACEFILE_IGNORE_ACL_ERRORS
#define REPLACEFILE_IGNORE_ACL_ERRORS 0x4
#endif

namespace permora::platform {

namespace {

HANDLE Handle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// ReadFile and WriteFile take a DWORD count.
constexpr std::size_t kMaxIo = 1u << 30;

constexpr DWORD kSettableAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                      FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_OFFLINE;

// Where ReplaceFile did not carry the old file's attributes and creation time
// over (Wine's does not), puts them back. Best effort: the data is saved.
void KeepAttributes(const std::string& path, const WIN32_FILE_ATTRIBUTE_DATA& old) {
    WIN32_FILE_ATTRIBUTE_DATA now;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &now)) return;
    if ((now.dwFileAttributes & kSettableAttributes) != (old.dwFileAttributes & kSettableAttributes)) {
        DWORD attributes = old.dwFileAttributes & kSettableAttributes;
        SetFileAttributesA(path.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL);
    }
    if (CompareFileTime(&now.ftCreationTime, &old.ftCreationTime) != 0) {
        HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return;
        SetFileTime(h, &old.ftCreationTime, nullptr, nullptr);
        CloseHandle(h);
    }
}

}  // namespace

bool IsRegularFile(const std::string& path) {
    DWORD attr = GetFileAttributesA(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool DeleteFileAt(const std::string& path) {
    return DeleteFileA(path.c_str()) != 0;
}

bool ReplaceFileWith(const std::string& source, const std::string& target) {
    // A directory in the target's place would be replaced by nothing; refuse it.
    // Windows refuses to replace a read-only file, but Wine does not: check it here.
    WIN32_FILE_ATTRIBUTE_DATA old;
    if (GetFileAttributesExA(target.c_str(), GetFileExInfoStandard, &old)) {
        if (old.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return false;
        // ReplaceFile carries the old file's ACL, attributes and creation time
        // over; a failure to carry them must not cost the data. Without a
        // backup name, some of its failures leave no file at the target.
        const std::string backup = target + ".replaced";
        DeleteFileA(backup.c_str());  // left by an interrupted save
        if (ReplaceFileA(target.c_str(), source.c_str(), backup.c_str(),
                         REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr, nullptr)) {
            DeleteFileA(backup.c_str());
            KeepAttributes(target, old);
            return true;
        }
        DWORD error = GetLastError();
        // The old file was moved aside, the new one not into its place: put it back.
        if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) MoveFileExA(backup.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
        if (error != ERROR_FILE_NOT_FOUND) return false;
    }
    // No file to keep anything of yet.
    return MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

bool File::OpenRead(const std::string& path) {
    Close();
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    handle_ = reinterpret_cast<std::intptr_t>(h);
    return true;
}

bool File::OpenAppend(const std::string& path) {
    Close();
    // Others may read meanwhile, but not write.
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    handle_ = reinterpret_cast<std::intptr_t>(h);
    BY_HANDLE_FILE_INFORMATION info;
    LARGE_INTEGER zero{};
    if (!GetFileInformationByHandle(h, &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) ||
        !SetFilePointerEx(h, zero, nullptr, FILE_END)) {
        Close();
        return false;
    }
    return true;
}

bool File::Create(const std::string& path) {
    Close();
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    handle_ = reinterpret_cast<std::intptr_t>(h);
    return true;
}

bool File::Stamp(FileStamp& stamp) const {
    BY_HANDLE_FILE_INFORMATION info;
    if (!IsOpen() || !GetFileInformationByHandle(Handle(handle_), &info)) return false;
    stamp.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    stamp.writeTime = (static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
                      info.ftLastWriteTime.dwLowDateTime;
    stamp.volume = info.dwVolumeSerialNumber;
    stamp.id = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}

bool File::Read(char* buffer, std::size_t size, std::size_t& got) {
    got = 0;
    while (got < size) {
        DWORD want = static_cast<DWORD>(size - got < kMaxIo ? size - got : kMaxIo);
        DWORD n = 0;
        if (!ReadFile(Handle(handle_), buffer + got, want, &n, nullptr)) return false;
        if (n == 0) break;
        got += n;
    }
    return true;
}

bool File::ReadAt(std::uint64_t offset, char* buffer, std::size_t size) {
    // Reads at `offset` and puts the position back, as pread() does.
    LARGE_INTEGER zero{}, here{}, at{};
    at.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(Handle(handle_), zero, &here, FILE_CURRENT) ||
        !SetFilePointerEx(Handle(handle_), at, nullptr, FILE_BEGIN)) {
        return false;
    }
    std::size_t got = 0;
    bool ok = Read(buffer, size, got) && got == size;
    return SetFilePointerEx(Handle(handle_), here, nullptr, FILE_BEGIN) && ok;
}

bool File::Write(const char* data, std::size_t size) {
    while (size > 0) {
        DWORD want = static_cast<DWORD>(size < kMaxIo ? size : kMaxIo);
        DWORD n = 0;
        if (!WriteFile(Handle(handle_), data, want, &n, nullptr) || n == 0) return false;
        data += n;
        size -= n;
    }
    return true;
}

bool File::Flush() {
    return IsOpen() && FlushFileBuffers(Handle(handle_));
}

bool File::Truncate(std::uint64_t size) {
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(size);
    return IsOpen() && SetFilePointerEx(Handle(handle_), at, nullptr, FILE_BEGIN) && SetEndOfFile(Handle(handle_));
}

bool File::Close() {
    if (!IsOpen()) return true;
    bool ok = CloseHandle(Handle(handle_)) != 0;
    handle_ = kNone;
    return ok;
}

FileLock::Attempt FileLock::TryOnce(const std::string& lockPath) {
    // Opened without sharing, the file is the lock; the system deletes it when
    // the handle closes, also when the process dies.
    HANDLE h = CreateFileA(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        handle_ = reinterpret_cast<std::intptr_t>(h);
        path_ = lockPath;
        return Attempt::Taken;
    }
    // Held, or being deleted by the last holder; access denied to a lock file
    // that is not there means the folder cannot be written.
    DWORD error = GetLastError();
    bool busy = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
                (error == ERROR_ACCESS_DENIED && GetFileAttributesA(lockPath.c_str()) != INVALID_FILE_ATTRIBUTES);
    return busy ? Attempt::Busy : Attempt::Refused;
}

void FileLock::Release() {
    if (!Held()) return;
    CloseHandle(Handle(handle_));
    handle_ = kNone;
}

void PreferLargePages(void*, std::size_t) {}

}  // namespace permora::platform
