#include "ui/Text.h"

#include <vector>

namespace permora {

std::wstring Widen(const std::string& ansi) {
    if (ansi.empty()) return {};
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
    return wide;
}

std::string Narrow(const std::wstring& wide) {
    if (wide.empty()) return {};
    int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), ansi.data(), n, nullptr, nullptr);
    return ansi;
}

std::string AnsiPath(const std::wstring& path) {
    std::string ansi = Narrow(path);
    if (Widen(ansi) == path) return ansi;
    DWORD n = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (n == 0) return ansi;
    std::vector<wchar_t> shortPath(n);
    n = GetShortPathNameW(path.c_str(), shortPath.data(), n);
    std::wstring shortened(shortPath.data(), n);
    std::string shortAnsi = Narrow(shortened);
    return Widen(shortAnsi) == shortened ? shortAnsi : ansi;
}

std::wstring GetText(HWND window) {
    int length = GetWindowTextLengthW(window);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    int copied = GetWindowTextW(window, buffer.data(), length + 1);
    return std::wstring(buffer.data(), static_cast<size_t>(copied > 0 ? copied : 0));
}

void SetText(HWND window, const std::wstring& text) {
    SetWindowTextW(window, text.c_str());
}

}  // namespace permora
