#pragma once
// The one crossing between the core's 8-bit text (system ANSI code page) and
// the UTF-16 text of the windows.
#include <optional>
#include <string>

#include <windows.h>

namespace permora {

std::wstring Widen(const std::string& ansi);
// A character the code page cannot spell becomes '?', never a look-alike
// (a full-width quotation mark must not turn into a real one).
std::string Narrow(const std::wstring& wide);
// False when some character cannot be spelled exactly; `ansi` is then untouched.
bool NarrowExact(const std::wstring& wide, std::string& ansi);

// A path as 8-bit text that still names the same file: where the ANSI code
// page cannot spell the path, its short (8.3) form is used when it can.
std::string AnsiPath(const std::wstring& path);
// The short (8.3) form of an existing path, when the code page spells it exactly.
std::optional<std::string> AnsiShortPath(const std::wstring& path);

std::wstring GetText(HWND window);
void SetText(HWND window, const std::wstring& text);

}  // namespace permora
