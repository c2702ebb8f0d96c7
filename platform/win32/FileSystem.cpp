#include "platform/FileSystem.h"

#include <windows.h>

namespace permora::platform {

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
    DWORD attr = GetFileAttributesA(target.c_str());
    if (attr != INVALID_FILE_ATTRIBUTES && (attr & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) return false;
    return MoveFileExA(source.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace permora::platform
