#pragma once
// The one crossing between the core's 8-bit text (system ANSI code page) and
// the UTF-16 text of the windows.
#include <string>

#include <windows.h>

namespace permora {

std::wstring Widen(const std::string& ansi);
std::string Narrow(const std::wstring& wide);

std::wstring GetText(HWND window);
void SetText(HWND window, const std::wstring& text);

}  // namespace permora
