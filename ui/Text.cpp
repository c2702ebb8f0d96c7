#include "ui/Text.h"

#include <utility>
#include <vector>

namespace permora {

std::wstring Widen(const std::string& ansi) {
    if (ansi.empty()) return {};
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
    return wide;
}

namespace {

std::string NarrowNoBestFit(const std::wstring& wide, BOOL* usedDefault) {
    if (wide.empty()) return {};
    // Code pages such as UTF-8 or UTF-7 take no default character.
    BOOL* flag = GetACP() == CP_UTF8 ? nullptr : usedDefault;
    DWORD flags = flag ? WC_NO_BEST_FIT_CHARS : 0;
    int n = WideCharToMultiByte(CP_ACP, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, flag);
    std::string ansi(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, flags, wide.data(), static_cast<int>(wide.size()), ansi.data(), n, nullptr, flag);
    return ansi;
}

}  // namespace

std::string Narrow(const std::wstring& wide) {
    BOOL usedDefault = FALSE;
    return NarrowNoBestFit(wide, &usedDefault);
}

bool NarrowExact(const std::wstring& wide, std::string& ansi) {
    BOOL usedDefault = FALSE;
    std::string narrowed = NarrowNoBestFit(wide, &usedDefault);
    // The round trip also catches what a code page maps without a default.
    if (usedDefault || Widen(narrowed) != wide) return false;
    ansi = std::move(narrowed);
    return true;
}

std::string AnsiPath(const std::wstring& path) {
    std::string ansi;
    if (NarrowExact(path, ansi)) return ansi;
    std::optional<std::string> shortForm = AnsiShortPath(path);
    return shortForm ? *shortForm : Narrow(path);
}

std::optional<std::string> AnsiShortPath(const std::wstring& path) {
    DWORD n = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (n == 0) return std::nullopt;
    std::vector<wchar_t> shortPath(n);
    n = GetShortPathNameW(path.c_str(), shortPath.data(), n);
    std::string ansi;
    if (n == 0 || !NarrowExact(std::wstring(shortPath.data(), n), ansi)) return std::nullopt;
    return ansi;
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
