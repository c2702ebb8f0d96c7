#include "ui/ExecutableFolder.h"

#include <windows.h>

#include "ui/Text.h"

namespace permora {

std::string ExecutableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    std::string ansi = AnsiPath(path);
    size_t cut = ansi.rfind('\\');
    return cut == std::string::npos ? std::string() : ansi.substr(0, cut + 1);
}

}  // namespace permora
