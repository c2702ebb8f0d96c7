#include "platform/CommandInterpreter.h"

#include <windows.h>

#include <cstdlib>
#include <vector>

namespace permora::platform {

namespace {

// Read from the process environment, which is what CreateProcess and the
// runtime's system() see; the empty value counts as unset there too.
std::string EnvironmentValue(const char* name) {
    DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
    if (size == 0) return std::string();
    std::vector<char> value(size);
    DWORD length = GetEnvironmentVariableA(name, value.data(), size);
    if (length == 0 || length >= size) return std::string();
    return std::string(value.data(), length);
}

bool IsFile(const std::string& path) {
    DWORD attr = GetFileAttributesA(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

std::string InDirectory(std::string dir, const char* name) {
    if (dir.size() >= 2 && dir.front() == '"' && dir.back() == '"') dir = dir.substr(1, dir.size() - 2);
    if (dir.empty()) return std::string();
    if (dir.back() != '\\' && dir.back() != '/') dir += '\\';
    return dir + name;
}

std::string FindCmdExe() {
    // Where a bare program name is looked for: the current directory first,
    // then each PATH entry in order.
    std::string candidate = InDirectory(".", "CMD.EXE");
    if (IsFile(candidate)) return candidate;
    const std::string path = EnvironmentValue("PATH");
    std::string::size_type start = 0;
    while (start <= path.size()) {
        std::string::size_type end = path.find(';', start);
        if (end == std::string::npos) end = path.size();
        candidate = InDirectory(path.substr(start, end - start), "CMD.EXE");
        if (!candidate.empty() && IsFile(candidate)) return candidate;
        start = end + 1;
    }
    return std::string();
}

}  // namespace

std::string FindCommandInterpreter() {
    const std::string comspec = EnvironmentValue("COMSPEC");
    if (!comspec.empty()) return comspec;
    const std::string found = FindCmdExe();
    if (found.empty()) return found;
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(found.c_str(), MAX_PATH, full, nullptr);
    return (length > 0 && length < MAX_PATH) ? std::string(full, length) : found;
}

int SystemThrough(const std::string& interpreter, const std::string& line) {
    if (EnvironmentValue("COMSPEC") == interpreter) return std::system(line.c_str());
    // Without COMSPEC runtimes pick their own: Wine's msvcrt finds no cmd after
    // the first call. Naming the one found, for this call only, makes every
    // runtime start it; _putenv_s sets both the runtime's copy and the process's.
    _putenv_s("COMSPEC", interpreter.c_str());
    const int result = std::system(line.c_str());
    _putenv_s("COMSPEC", "");
    return result;
}

}  // namespace permora::platform
