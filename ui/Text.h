#pragma once
// The one crossing between the core's 8-bit text (system ANSI code page) and
// the UTF-16 text of the windows.
#include <string>

#include <windows.h>

namespace permora {

std::wstring Widen(const std::string& ansi);
std::string Narrow(const std::wstring& wide);

// A path as 8-bit text that still names the same file: where the ANSI code
// page cannot spell the path, its short (8.3) form is used when it can.
std::string AnsiPath(const std::wstring& path);

std::wstring GetText(HWND window);
void SetText(HWND window, const std::wstring& text);

}  // namespace permora
