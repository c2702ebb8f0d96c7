#pragma once
// File-system calls whose Windows behaviour the C++ library does not give us.
// Paths are 8-bit strings in the ANSI code page, as the program stores them.
#include <string>

namespace permora::platform {

// True only for an existing file; a directory of that name does not count.
bool IsRegularFile(const std::string& path);

// Deletes a file; true when it is gone by this call.
bool DeleteFileAt(const std::string& path);

// Moves `source` over `target` in one step, replacing an existing target.
// Fails (and leaves the target alone) when the target is read-only, is a
// directory, or is held open without sharing.
bool ReplaceFileWith(const std::string& source, const std::string& target);

}  // namespace permora::platform
