#include "platform/FileSystem.h"

#include <cstdio>
#include <sys/stat.h>

namespace permora::platform {

bool IsRegularFile(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DeleteFileAt(const std::string& path) {
    return IsRegularFile(path) && std::remove(path.c_str()) == 0;
}

bool ReplaceFileWith(const std::string& source, const std::string& target) {
    // rename() fails for a directory target, which is what we want; a file
    // nobody may write stays, as on Windows.
    struct stat st;
    if (::stat(target.c_str(), &st) == 0 && (st.st_mode & 0222) == 0) return false;
    return std::rename(source.c_str(), target.c_str()) == 0;
}

}  // namespace permora::platform
